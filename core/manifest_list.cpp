#include "core/manifest_list.h"

#include <optional>
#include <unordered_set>

#include "core/file_size_text.h"
#include "core/gbk_text.h"
#include "core/ini_document.h"
#include "core/ini_file.h"
#include "core/integer_text.h"
#include "core/manifest_entry.h"
#include "core/version_rule.h"

namespace {

constexpr char kVersionSection[] = "Version";
constexpr char kVersionCountKey[] = "VersionCount";
constexpr char kFileCountKey[] = "FileCount";

std::string NumberedKey(std::string_view prefix, std::int32_t index) {
  std::string key(prefix);
  key += std::to_string(index);
  return key;
}

class ListBuilder {
 public:
  ListBuilder(const ManifestReader& manifest, std::string_view installedVersion,
              std::string_view newVersion)
      : manifest_(manifest), installed_(installedVersion) {
    list_.NewVersion = std::string(newVersion);
    listed_.insert(gbk::FoldKey(kFileNameHeading));
  }

  ManifestList Build() {
    if (!manifest_.SectionExists(kVersionSection)) return std::move(list_);
    const std::int32_t versions = Count(kVersionSection, kVersionCountKey);
    for (std::int32_t i = 0; i < versions; ++i) {
      const std::string version =
          gbk::Trim(manifest_.Text(kVersionSection, NumberedKey("Version", i)));
      if (version.empty()) continue;
      if (!AddVersion(version)) break;
    }
    return std::move(list_);
  }

 private:
  // False when the parse has to end here.
  bool AddVersion(const std::string& version) {
    const auto newer = IsNewer(version, installed_);
    if (!newer) return false;
    if (!*newer) return true;
    const auto raises = IsNewer(version, list_.NewVersion);
    if (!raises) return false;
    if (*raises) list_.NewVersion = version;
    if (!manifest_.SectionExists(version)) return true;
    const std::int32_t files = Count(version, kFileCountKey);
    for (std::int32_t j = 0; j < files; ++j) {
      const std::string value = gbk::Trim(manifest_.Text(version, NumberedKey("FileName", j)));
      if (!value.empty()) AddFile(SplitFileEntry(value));
    }
    return true;
  }

  // The rule's answer, or nothing after noting which text is not a version.
  std::optional<bool> IsNewer(std::string_view a, std::string_view b) {
    const auto answer = version_rule::IsNewerVersion(a, b);
    if (!answer) {
      list_.End = ManifestEnd::NotAVersion;
      list_.FailedVersion = std::string(version_rule::SplitVersion(a) ? b : a);
    }
    return answer;
  }

  void AddFile(FileEntry entry) {
    if (!listed_.insert(gbk::FoldKey(entry.Name)).second) return;
    ManifestFile& row = list_.Files.emplace_back();
    row.SafeName = IsSafeManifestName(entry.Name);
    if (!row.SafeName) row.SizeText = file_size_text::FileSizeText(0);
    row.Name = std::move(entry.Name);
    row.InstallExtension = std::move(entry.InstallExtension);
  }

  // Absent or malformed counts are -1: no entries.
  std::int32_t Count(std::string_view section, std::string_view key) {
    const std::int32_t count = integer_text::Parse(manifest_.Text(section, key)).value_or(-1);
    if (count <= kMaxManifestCount) return count;
    list_.CountCapped = true;
    return kMaxManifestCount;
  }

  const ManifestReader& manifest_;
  std::string_view installed_;
  ManifestList list_;
  std::unordered_set<std::string> listed_;  // case-folded names, the heading included
};

}  // namespace

ManifestList ReadManifestList(const ManifestReader& manifest, std::string_view installedVersion,
                              std::string_view newVersion) {
  return ListBuilder(manifest, installedVersion, newVersion).Build();
}

ManifestList ReadManifestList(const IniDocument& manifest, std::string_view installedVersion,
                              std::string_view newVersion) {
  const ManifestReader reader{
      [&](std::string_view section) { return manifest.SectionExists(section); },
      [&](std::string_view section, std::string_view key) {
        return manifest.Value(section, key).value_or(std::string());
      }};
  return ReadManifestList(reader, installedVersion, newVersion);
}

ManifestList ReadManifestList(const IniFile& manifest, std::string_view installedVersion,
                              std::string_view newVersion) {
  const ManifestReader reader{
      [&](std::string_view section) { return manifest.SectionExists(section); },
      [&](std::string_view section, std::string_view key) {
        return manifest.ReadString(section, key, "");
      }};
  return ReadManifestList(reader, installedVersion, newVersion);
}
