// Times the file-list build of a 10 000-entry manifest, without size probes.
//
// Two readers over the same generated manifest: the INI document the client reads the manifest
// with, and a hash map of the same keys, which shows the cost of the list building alone (the
// repeat check is a hashed lookup, so that part grows linearly with the entries).
#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "core/gbk_text.h"
#include "core/ini_document.h"
#include "core/manifest_list.h"

namespace {

struct Manifest {
  std::string text;
  std::unordered_map<std::string, std::string> values;  // folded "section\nkey" -> value
};

std::string MapKey(std::string_view section, std::string_view key) {
  std::string out = gbk::FoldKey(section);
  out += '\n';
  out += gbk::FoldKey(key);
  return out;
}

void Put(Manifest& manifest, const std::string& section, const std::string& key,
         const std::string& value) {
  manifest.text += key + "=" + value + "\r\n";
  manifest.values[MapKey(section, key)] = value;
}

// Versions 1.1 .. 1.<versions>, the file entries spread evenly over them; every second entry
// of a later version repeats a name of the version before it in other letter case, so the
// repeat check has work to do.
Manifest Generate(int entries, int versions) {
  const int filesPerVersion = entries / versions;
  Manifest manifest;
  manifest.text += "[Version]\r\n";
  Put(manifest, "Version", "VersionCount", std::to_string(versions));
  for (int v = 0; v < versions; ++v) {
    Put(manifest, "Version", "Version" + std::to_string(v), "1." + std::to_string(v + 1));
  }
  for (int v = 0; v < versions; ++v) {
    const std::string section = "1." + std::to_string(v + 1);
    manifest.text += "[" + section + "]\r\n";
    Put(manifest, section, "FileCount", std::to_string(filesPerVersion));
    for (int j = 0; j < filesPerVersion; ++j) {
      const bool repeat = v > 0 && j % 2 == 1;
      const int number = (repeat ? v - 1 : v) * filesPerVersion + j;
      const std::string name = repeat ? "BIN/更新/FILE" + std::to_string(number) + ".DL_?dll"
                                      : "bin/更新/file" + std::to_string(number) + ".dl_?dll";
      Put(manifest, section, "FileName" + std::to_string(j), name);
    }
  }
  return manifest;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// False when the two readers disagree.
bool Run(int entries, int versions) {
  const Manifest manifest = Generate(entries, versions);

  auto start = std::chrono::steady_clock::now();
  const IniDocument document = IniDocument::Parse(manifest.text);
  const double splitMs = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  const ManifestList fromDocument = ReadManifestList(document, "1.0", "1.0");
  const double documentMs = MillisecondsSince(start);

  const ManifestReader hashed{
      [&](std::string_view section) {
        return manifest.values.contains(MapKey(section, "FileCount")) ||
               manifest.values.contains(MapKey(section, "VersionCount"));
      },
      [&](std::string_view section, std::string_view key) {
        const auto found = manifest.values.find(MapKey(section, key));
        return found == manifest.values.end() ? std::string() : found->second;
      }};
  start = std::chrono::steady_clock::now();
  const ManifestList fromHash = ReadManifestList(hashed, "1.0", "1.0");
  const double hashedMs = MillisecondsSince(start);

  const bool same = fromDocument.Files.size() == fromHash.Files.size() &&
                    fromDocument.NewVersion == fromHash.NewVersion;
  std::printf("%d entries in %d version(s), %zu bytes: %zu files listed, NewVersion %s\n",
              entries, versions, manifest.text.size(), fromDocument.Files.size(),
              fromDocument.NewVersion.c_str());
  std::printf("INI text split into lines:           %9.1f ms\n", splitMs);
  std::printf("file list through the INI document:  %9.1f ms\n", documentMs);
  std::printf("file list through a hashed reader:   %9.1f ms\n", hashedMs);
  if (!same) std::printf("the two readers disagree\n");
  return same;
}

}  // namespace

// The 10 000-entry manifest, once spread over ten versions and once in one; then twice the
// entries, to show how each reader grows.
int main() {
  bool same = Run(10000, 10);
  same = Run(10000, 1) && same;
  same = Run(20000, 1) && same;
  return same ? 0 : 1;
}
