#include "core/ini_file.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/os_file.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(IniFile, IntegersFlagsAndDefaults) {
  TempFolder folder;
  const std::string path = folder.File("quillark.ini");
  WriteFileBytes(path,
                 "[Common]\r\nHex=0x1\r\nDollar=$1F\r\nNeg=-3\r\nYes=yes\r\nBig=2147483648\r\n"
                 "Empty=\r\nTwo=2\r\nZero=0\r\nName=updates.txt\r\n");
  const IniFile ini(path);
  struct Case {
    const char* key;
    std::int32_t integer;
    bool flag;
  } cases[] = {
      {"Hex", 1, true},    {"Dollar", 31, true},  {"Neg", -3, true},  {"Yes", -1, false},
      {"Big", -1, false},  {"Empty", -1, false},  {"Two", 2, true},   {"Zero", 0, false},
      {"Absent", -1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadInteger("Common", c.key, -1), c.integer) << c.key;
    EXPECT_EQ(ini.ReadBool("Common", c.key, false), c.flag) << c.key;
  }
  EXPECT_EQ(ini.ReadString("Common", "Empty", "updates.ini"), "");
  EXPECT_EQ(ini.ReadString("Common", "Absent", "updates.ini"), "updates.ini");
  EXPECT_EQ(ini.ReadString("common", "NAME", ""), "updates.txt");
}

TEST(IniFile, MissingFileReadsDefaultsAndFlushWritesNothing) {
  TempFolder folder;
  const std::string path = folder.File("quillark.ini");
  IniFile ini(path);
  EXPECT_TRUE(ini.Readable());
  EXPECT_FALSE(ini.SectionExists("Common"));
  EXPECT_EQ(ini.ReadInteger("ServerList", "ServerCount", -1), -1);
  EXPECT_TRUE(ini.UpdateFile());
  EXPECT_FALSE(os_file::FileExists(path));
}

TEST(IniFile, EachWriteIsOnDiskAtOnce) {
  TempFolder folder;
  const std::string path = folder.File("quillark.ini");
  WriteFileBytes(path, "; shipped by the publisher\r\n[Common]\r\nSavedPath=C:\\Old\r\n");
  IniFile ini(path);
  ASSERT_TRUE(ini.WriteString("Common", "SavedPath", "C:\\New"));
  EXPECT_EQ(ReadFileBytes(path), "; shipped by the publisher\r\n[Common]\r\nSavedPath=C:\\New\r\n");
  ASSERT_TRUE(ini.WriteBool("Common", "AutoCreateFolder", true));
  ASSERT_TRUE(ini.WriteInteger("ServerList", "ServerCount", 0));
  EXPECT_TRUE(ini.UpdateFile());
  EXPECT_EQ(ReadFileBytes(path),
            "; shipped by the publisher\r\n[Common]\r\nSavedPath=C:\\New\r\nAutoCreateFolder=1\r\n"
            "\r\n[ServerList]\r\nServerCount=0\r\n");
  EXPECT_FALSE(os_file::FileExists(AtomicFileWriter::TempPathFor(path)));
}

TEST(IniFile, UnreadableFileIsNeverWritten) {
  TempFolder folder;
  // A folder where the file should be: it exists, but cannot be read as a file.
  const std::string path = folder.File("quillark.ini");
  std::filesystem::create_directory(path);
  IniFile ini(path);
  EXPECT_FALSE(ini.Readable());
  EXPECT_FALSE(ini.WriteString("Common", "SavedPath", "x"));
  EXPECT_FALSE(ini.UpdateFile());
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(IniFile, WriteIntoMissingFolderFailsAndFlushReportsIt) {
  TempFolder folder;
  IniFile ini(folder.File("no-such-folder/quillark.ini"));
  EXPECT_FALSE(ini.WriteString("Common", "SavedPath", "x"));
  EXPECT_FALSE(ini.UpdateFile());
}

TEST(AtomicFile, WriterStoppedBeforeTheRenameLeavesTheOldFileWhole) {
  TempFolder folder;
  const std::string path = folder.File("quillark.ini");
  const std::string old = "[Common]\r\nInstalledVersion=1.0\r\n";
  WriteFileBytes(path, old);
  {
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.IsOpen());
    ASSERT_TRUE(writer.Write("[Common]\r\nInstalledVer"));  // the rest never comes
    EXPECT_TRUE(os_file::FileExists(writer.TempPath()));
    EXPECT_EQ(ReadFileBytes(path), old);
  }
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_FALSE(os_file::FileExists(AtomicFileWriter::TempPathFor(path)));

  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadFileBytes(path), "new");
}

}  // namespace
