#include "core/manifest_list.h"

#include <gtest/gtest.h>

#include "core/ini_document.h"
#include "core/ini_file.h"
#include "tests/support/temp_folder.h"

namespace {

struct Row {
  std::string name;
  std::string extension;
  friend bool operator==(const Row&, const Row&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name << "?" << row.extension;
  }
};

std::vector<Row> Rows(const ManifestList& list) {
  std::vector<Row> rows;
  for (const ManifestFile& file : list.Files) rows.push_back({file.Name, file.InstallExtension});
  return rows;
}

ManifestList Read(std::string_view text, std::string_view installed,
                  std::string_view newVersion) {
  return ReadManifestList(IniDocument::Parse(text), installed, newVersion);
}

ManifestList Read(std::string_view text, std::string_view installed) {
  return Read(text, installed, installed);
}

TEST(ManifestList, SelectsNewerVersionsAndRaisesNewVersion) {
  struct Case {
    const char* what;
    const char* manifest;
    const char* installed;
    const char* newVersion;
    std::vector<Row> rows;
    const char* expectedNewVersion;
  } cases[] = {
      {"two versions, the file of both listed once",
       "[Version]\nVersionCount=2\nVersion0=1.1\nVersion1=1.2\n"
       "[1.1]\nFileCount=1\nFileName0=app.ex_?exe\n"
       "[1.2]\nFileCount=2\nFileName0=app.ex_?exe\nFileName1=data/help.chm\n",
       "1.0", "1.0", {{"app.ex_", "exe"}, {"data/help.chm", ""}}, "1.2"},
      {"2.55 and 2.7 both newer than 2.6; 2.55 is the highest",
       "[Version]\nVersionCount=2\nVersion0=2.55\nVersion1=2.7\n"
       "[2.55]\nFileCount=1\nFileName0=a.txt\n[2.7]\nFileCount=1\nFileName0=b.txt\n",
       "2.6", "2.6", {{"a.txt", ""}, {"b.txt", ""}}, "2.55"},
      {"1.2, 1.02 and 1.2.9 all equal the installed 1.2",
       "[Version]\nVersionCount=3\nVersion0=1.2\nVersion1=1.02\nVersion2=1.2.9\n"
       "[1.2]\nFileCount=1\nFileName0=a.txt\n[1.02]\nFileCount=1\nFileName0=b.txt\n"
       "[1.2.9]\nFileCount=1\nFileName0=c.txt\n",
       "1.2", "1.2", {}, "1.2"},
      {"1.3 then 1.03: both sections read, the first stays NewVersion",
       "[Version]\nVersionCount=2\nVersion0=1.3\nVersion1=1.03\n"
       "[1.3]\nFileCount=1\nFileName0=a.txt\n[1.03]\nFileCount=1\nFileName0=b.txt\n",
       "1.0", "1.0", {{"a.txt", ""}, {"b.txt", ""}}, "1.3"},
      {"a newer version without section or with FileCount 0 still raises",
       "[Version]\nVersionCount=3\nVersion0=1.1\nVersion1=1.4\nVersion2=1.3\n"
       "[1.3]\nFileCount=0\nFileName0=never.txt\n",
       "1.0", "1.0", {}, "1.4"},
      {"repeats in other case or with another extension keep the first mention",
       "[Version]\nVersionCount=2\nVersion0=1.1\nVersion1=1.2\n"
       "[1.1]\nFileCount=2\nFileName0=Bin/App.ex_?exe\nFileName1=ａ说明.txt\n"
       "[1.2]\nFileCount=4\nFileName0=bin/app.EX_?dll\nFileName1=BIN/APP.EX_\n"
       "FileName2=Ａ说明.TXT?doc\nFileName3=data/new.dat\n",
       "1.0", "1.0", {{"Bin/App.ex_", "exe"}, {"ａ说明.txt", ""}, {"data/new.dat", ""}}, "1.2"},
      {"a trail byte that looks like a letter is not folded",
       "[Version]\nVersionCount=1\nVersion0=1.1\n"
       "[1.1]\nFileCount=2\nFileName0=\x95\x41.txt\nFileName1=\x95\x61.txt\n",
       "1.0", "1.0", {{"\x95\x41.txt", ""}, {"\x95\x61.txt", ""}}, "1.1"},
      {"blanks around the question mark",
       "[Version]\nVersionCount=1\nVersion0=1.1\n[1.1]\nFileCount=1\n"
       "FileName0=  tools/setup.da_ ? exe  \n",
       "1.0", "1.0", {{"tools/setup.da_", "exe"}}, "1.1"},
      {"VersionCount larger than the entries present",
       "[Version]\nVersionCount=5\nVersion0=1.1\nVersion1=1.2\n"
       "[1.1]\nFileCount=3\nFileName0=a.txt\nFileName2=c.txt\n[1.2]\nFileCount=1\nFileName0=\n",
       "1.0", "1.0", {{"a.txt", ""}, {"c.txt", ""}}, "1.2"},
      {"no VersionCount: nothing offered",
       "[Version]\nVersion0=1.1\n[1.1]\nFileCount=1\nFileName0=a.txt\n",
       "1.0", "1.0", {}, "1.0"},
      {"a malformed count reads as none; hexadecimal is a count",
       "[Version]\nVersionCount=0x2\nVersion0=1.1\nVersion1=1.2\n"
       "[1.1]\nFileCount=two\nFileName0=a.txt\n[1.2]\nFileCount=$1\nFileName0=b.txt\n",
       "1.0", "1.0", {{"b.txt", ""}}, "1.2"},
      {"no [Version] keys: nothing",
       "[Version]\n; VersionCount=1\n[1.1]\nFileCount=1\nFileName0=a.txt\n",
       "1.0", "1.0", {}, "1.0"},
      {"the section is named by the trimmed entry, exactly as written",
       "[Version]\nVersionCount=2\nVersion0=  1.1  \nVersion1=1.02\n"
       "[1.1]\nFileCount=1\nFileName0=a.txt\n[1.2]\nFileCount=1\nFileName0=b.txt\n",
       "1.0", "1.0", {{"a.txt", ""}}, "1.02"},
      {"nothing installed: every version is newer",
       "[Version]\nVersionCount=2\nVersion0=0.1\nVersion1=3\n"
       "[0.1]\nFileCount=1\nFileName0=a.txt\n[3]\nFileCount=1\nFileName0=b.txt\n",
       "", "", {{"a.txt", ""}, {"b.txt", ""}}, "3"},
      {"a later parse starts from the NewVersion raised before",
       "[Version]\nVersionCount=2\nVersion0=1.2\nVersion1=1.3\n"
       "[1.2]\nFileCount=1\nFileName0=a.txt\n[1.3]\nFileCount=1\nFileName0=b.txt\n",
       "1.0", "1.5", {{"a.txt", ""}, {"b.txt", ""}}, "1.5"},
      {"an entry named like the name heading counts as listed",
       "[Version]\nVersionCount=1\nVersion0=1.1\n"
       "[1.1]\nFileCount=2\nFileName0=文件名称\nFileName1=文件大小\n",
       "1.0", "1.0", {{"文件大小", ""}}, "1.1"},
  };
  for (const Case& c : cases) {
    const ManifestList list = Read(c.manifest, c.installed, c.newVersion);
    EXPECT_EQ(Rows(list), c.rows) << c.what;
    EXPECT_EQ(list.NewVersion, c.expectedNewVersion) << c.what;
    EXPECT_EQ(list.End, ManifestEnd::Complete) << c.what;
    EXPECT_FALSE(list.CountCapped) << c.what;
  }
}

TEST(ManifestList, TextThatIsNoVersionEndsTheParseAtOnce) {
  struct Case {
    const char* what;
    const char* manifest;
    const char* installed;
    const char* newVersion;
    std::vector<Row> rows;
    const char* expectedNewVersion;
    const char* failed;
  } cases[] = {
      {"installed 1.x stops at the first non-empty entry",
       "[Version]\nVersionCount=2\nVersion0=\nVersion1=1.1\n[1.1]\nFileCount=1\nFileName0=a.txt\n",
       "1.x", "1.x", {}, "1.x", "1.x"},
      {"a bad entry keeps the rows and the version reached before it",
       "[Version]\nVersionCount=3\nVersion0=1.1\nVersion1=1.y\nVersion2=1.2\n"
       "[1.1]\nFileCount=1\nFileName0=a.txt\n[1.2]\nFileCount=1\nFileName0=b.txt\n",
       "1.0", "1.0", {{"a.txt", ""}}, "1.1", "1.y"},
      {"a version ending in a point has an empty minor",
       "[Version]\nVersionCount=1\nVersion0=2.\n[2.]\nFileCount=1\nFileName0=a.txt\n",
       "1.0", "1.0", {}, "1.0", "2."},
      {"a bad NewVersion fails only once a version is newer than the installed one",
       "[Version]\nVersionCount=2\nVersion0=0.9\nVersion1=1.1\n"
       "[0.9]\nFileCount=1\nFileName0=old.txt\n[1.1]\nFileCount=1\nFileName0=a.txt\n",
       "1.0", "bad", {}, "bad", "bad"},
  };
  for (const Case& c : cases) {
    const ManifestList list = Read(c.manifest, c.installed, c.newVersion);
    EXPECT_EQ(list.End, ManifestEnd::NotAVersion) << c.what;
    EXPECT_EQ(list.FailedVersion, c.failed) << c.what;
    EXPECT_EQ(Rows(list), c.rows) << c.what;
    EXPECT_EQ(list.NewVersion, c.expectedNewVersion) << c.what;
  }
}

TEST(ManifestList, UnsafeNamesAreListedButMarked) {
  const ManifestList list = Read(
      "[Version]\nVersionCount=1\nVersion0=1.1\n[1.1]\nFileCount=5\n"
      "FileName0=bin/app.ex_?exe\nFileName1=../../evil.exe\nFileName2=C:\\x.dll\n"
      "FileName3=?exe\nFileName4=..\\..\\EVIL.EXE\n",
      "1.0");
  ASSERT_EQ(Rows(list), (std::vector<Row>{{"bin/app.ex_", "exe"},
                                          {"../../evil.exe", ""},
                                          {"C:\\x.dll", ""},
                                          {"", "exe"},
                                          {"..\\..\\EVIL.EXE", ""}}));
  const bool safe[] = {true, false, false, false, false};
  for (std::size_t i = 0; i < list.Files.size(); ++i) {
    const ManifestFile& file = list.Files[i];
    EXPECT_EQ(file.SafeName, safe[i]) << file.Name;
    // A refused name is never probed: its size is known to be unknown.
    EXPECT_EQ(file.SizeText, safe[i] ? "" : "大小无效") << file.Name;
    EXPECT_EQ(file.TransferMark, "") << file.Name;
  }
}

TEST(ManifestList, HugeCountIsCappedNotWalkedToTheEnd) {
  const ManifestList list = Read(
      "[Version]\nVersionCount=2147483647\nVersion0=1.1\n"
      "[1.1]\nFileCount=2147483647\nFileName0=a.txt\nFileName99999=b.txt\nFileName100000=c.txt\n",
      "1.0");
  EXPECT_TRUE(list.CountCapped);
  EXPECT_EQ(Rows(list), (std::vector<Row>{{"a.txt", ""}, {"b.txt", ""}}));
  EXPECT_EQ(list.NewVersion, "1.1");
}

TEST(ManifestList, ReadsFromTheFileOnDisk) {
  TempFolder folder;
  const std::string path = folder.File("updates.ini");
  WriteFileBytes(path,
                 "[Version]\r\nVersionCount=1\r\nVersion0=1.1\r\n"
                 "[1.1]\r\nFileCount=2\r\nFileName0=更新/说明.tx_ ? txt\r\nFileName1=app.exe\r\n");
  const ManifestList list = ReadManifestList(IniFile(path), "1.0", "1.0");
  EXPECT_EQ(Rows(list), (std::vector<Row>{{"更新/说明.tx_", "txt"}, {"app.exe", ""}}));
  EXPECT_EQ(list.NewVersion, "1.1");

  const ManifestList missing = ReadManifestList(IniFile(folder.File("none.ini")), "1.0", "1.0");
  EXPECT_TRUE(missing.Files.empty());
  EXPECT_EQ(missing.NewVersion, "1.0");
  EXPECT_EQ(missing.End, ManifestEnd::Complete);
}

}  // namespace
