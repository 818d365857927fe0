#include "core/manifest_entry.h"

#include <gtest/gtest.h>

namespace {

// A double-byte character whose trail byte is "\".
constexpr char kTrailBackslash[] = "\x81\x5C";

TEST(ManifestEntry, SplitsAtFirstQuestionMark) {
  struct Case {
    const char* value;
    const char* name;
    const char* extension;
  } cases[] = {
      {"app.ex_?exe", "app.ex_", "exe"},
      {"tools/setup.da_ ? exe", "tools/setup.da_", "exe"},
      {"  data/help.chm  ", "data/help.chm", ""},
      {"a.da_?dll?exe", "a.da_", "dll?exe"},
      {"a.txt ?", "a.txt", ""},
      {"?exe", "", "exe"},
      {"更新/说明.tx_?txt", "更新/说明.tx_", "txt"},
  };
  for (const Case& c : cases) {
    const FileEntry entry = SplitFileEntry(c.value);
    EXPECT_EQ(entry.Name, c.name) << c.value;
    EXPECT_EQ(entry.InstallExtension, c.extension) << c.value;
  }
}

TEST(ManifestEntry, RefusesNamesThatLeaveTheirFolder) {
  struct Case {
    std::string name;
    bool safe;
  } cases[] = {
      {"app.exe", true},
      {"bin/app.ex_", true},
      {"bin\\app.ex_", true},
      {"./a.txt", true},
      {"a/./b.txt", true},
      {"a//b.txt", true},
      {"a..b.txt", true},
      {"..a", true},
      {"a../b", true},
      {"ab:c", true},
      {"更新/说明.txt", true},
      // ".." only after the double-byte character: the "\" is its trail byte, no separator.
      {std::string(kTrailBackslash) + "..", true},
      {std::string(kTrailBackslash) + "../a.txt", true},
      {"", false},
      {"/etc/passwd", false},
      {"\\Windows\\x.dll", false},
      {"\\\\server\\share\\x.dll", false},
      {"//server/share/x.dll", false},
      {"C:x.dll", false},
      {"c:/x.dll", false},
      {"../x.dll", false},
      {"..\\x.dll", false},
      {"a/../../x.dll", false},
      {"a\\..\\..\\x.dll", false},
      {"a/..\\..\\x.dll", false},
      {"a/..", false},
      {"..", false},
      {".../x.dll", false},  // Windows strips the trailing dots: ".."
      {".. /x.dll", false},
      {". ./x.dll", false},
      {"bin/", false},       // names a folder, not a file
      {"bin\\", false},
      {"bin/.", false},
      {".", false},
      {" ", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSafeManifestName(c.name), c.safe) << c.name;
}

}  // namespace
