#include "core/staging_path.h"

#include <gtest/gtest.h>

namespace {

constexpr char kStaging[] = "C:\\App\\Updates";
// A double-byte character whose trail byte is "\".
constexpr char kTrailBackslash[] = "\x81\x5C";

TEST(StagingPath, KeepsOrDropsTheNamesFolders) {
  struct Case {
    std::string name;
    bool keepFolders;
    std::string folder;
    std::string file;
  } cases[] = {
      {"bin/app.ex_", true, "C:\\App\\Updates\\bin\\", "app.ex_"},
      {"bin/app.ex_", false, "C:\\App\\Updates\\", "app.ex_"},
      {"a/b/c.txt", true, "C:\\App\\Updates\\a\\b\\", "c.txt"},
      {"readme.txt", true, "C:\\App\\Updates\\", "readme.txt"},
      {"readme.txt", false, "C:\\App\\Updates\\", "readme.txt"},
      {"bin\\x.dll", false, "C:\\App\\Updates\\", "x.dll"},
      // Flat storing: two names with one last part meet in one file.
      {"sub/a.txt", false, "C:\\App\\Updates\\", "a.txt"},
      {"other/a.txt", false, "C:\\App\\Updates\\", "a.txt"},
      // The trail byte "\" is no folder boundary.
      {std::string("d/") + kTrailBackslash + ".txt", true, "C:\\App\\Updates\\d\\",
       std::string(kTrailBackslash) + ".txt"},
      {std::string("d/") + kTrailBackslash + ".txt", false, "C:\\App\\Updates\\",
       std::string(kTrailBackslash) + ".txt"},
  };
  for (const Case& c : cases) {
    const auto target = staging_path::StagingTargetFor(kStaging, c.name, c.keepFolders);
    ASSERT_TRUE(target) << c.name;
    EXPECT_EQ(target->Folder, c.folder) << c.name;
    EXPECT_EQ(target->File, c.file) << c.name;
    EXPECT_EQ(target->Path(), c.folder + c.file) << c.name;
  }
}

TEST(StagingPath, NoPlaceForUnsafeNames) {
  for (const char* name : {"../x.dll", "a/../../x.dll", "C:x.dll", "\\\\srv\\s\\x.dll", "bin/"}) {
    EXPECT_FALSE(staging_path::StagingTargetFor(kStaging, name, true)) << name;
    // Even though the flat form would stay inside: such a file is never stored at all.
    EXPECT_FALSE(staging_path::StagingTargetFor(kStaging, name, false)) << name;
  }
}

TEST(StagingPath, NameAndManifestPaths) {
  EXPECT_EQ(staging_path::NamePath("\\\\srv\\rel", "bin/a.dll"), "\\\\srv\\rel\\bin\\a.dll");
  EXPECT_EQ(staging_path::NamePath(kStaging, "更新/说明.txt"), "C:\\App\\Updates\\更新\\说明.txt");
  EXPECT_EQ(staging_path::ManifestPath(kStaging, "updates.ini"),
            "C:\\App\\Updates\\updates.ini");
}

}  // namespace
