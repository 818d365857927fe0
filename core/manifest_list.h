// Reading an update manifest: which files the versions newer than the installed one bring,
// and the version to record once they are installed.
//
// The manifest is INI text: [Version] holds VersionCount and Version0..; each version's files
// are in the section named by its text as written (FileCount, FileName0..). Every newer
// version contributes its files, earlier entries first; a file named again by a later entry
// (also in other letter case, or with another "?" extension) keeps its first place and
// extension.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument;
class IniFile;

// Headings of the file list. The heading row takes part in the repeat check, so an entry named
// like the name heading is taken as listed already.
inline constexpr char kFileNameHeading[] = "文件名称";
inline constexpr char kFileSizeHeading[] = "文件大小";

// One row of the file list.
struct ManifestFile {
  std::string TransferMark;  // left empty: written by the transfer passes
  std::string Name;
  // Empty: still to be probed. A row whose name is refused is never probed and already holds
  // the "unknown size" text.
  std::string SizeText;
  std::string InstallExtension;
  // False for a name that would reach outside its folder: the row is listed so the user sees
  // it, but it must never be transferred or installed, and it counts as a failed transfer.
  bool SafeName = true;
};

enum class ManifestEnd {
  Complete,
  // A version text (a listed one, the installed one or the current NewVersion) is not a
  // version; the parse stopped there, keeping the rows and the NewVersion reached so far.
  NotAVersion,
};

struct ManifestList {
  std::vector<ManifestFile> Files;  // in list order; row i of the grid is Files[i - 1]
  std::string NewVersion;           // the given one, raised to the highest newer version
  ManifestEnd End = ManifestEnd::Complete;
  std::string FailedVersion;        // the text that is not a version, when End is NotAVersion
  // A VersionCount or FileCount above kMaxManifestCount was read as kMaxManifestCount.
  bool CountCapped = false;
};

// Counts larger than this are taken as this many entries, so that a mistyped count cannot
// keep the client reading absent keys for hours.
inline constexpr std::int32_t kMaxManifestCount = 100000;

// The INI lookups the parse needs; the INI reading rules are the reader's.
struct ManifestReader {
  std::function<bool(std::string_view section)> SectionExists;
  // The key's value (trimmed, quotes removed), "" when the key is absent.
  std::function<std::string(std::string_view section, std::string_view key)> Text;
};

// installedVersion selects the newer versions; newVersion is where raising starts (equal to
// the installed version at start-up, already raised in a later parse of the same run).
ManifestList ReadManifestList(const ManifestReader& manifest, std::string_view installedVersion,
                              std::string_view newVersion);
ManifestList ReadManifestList(const IniDocument& manifest, std::string_view installedVersion,
                              std::string_view newVersion);
ManifestList ReadManifestList(const IniFile& manifest, std::string_view installedVersion,
                              std::string_view newVersion);
