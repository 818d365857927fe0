// Our portable INI code and case fold held against the Windows functions they stand in for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/os_file.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr char kAbsent[] = "<absent>";

std::string PlatformString(const std::string& path, const char* section, const char* key) {
  char buffer[4096];
  const DWORD length = GetPrivateProfileStringA(section, key, kAbsent, buffer, 2048, path.c_str());
  return std::string(buffer, length);
}

bool PlatformSectionHasKeys(const std::string& path, const char* section) {
  char buffer[4096];
  return GetPrivateProfileStringA(section, nullptr, "", buffer, sizeof buffer, path.c_str()) > 0;
}

TEST(Platform, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

TEST(Platform, ReaderAgreesWithPrivateProfileFunctions) {
  const std::string longValue(3000, 'x');
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"plain", "[Common]\r\nKey=value\r\n"},
      {"blanks", "[Common]\r\nKey =  value  \r\n"},
      {"double quotes", "[Common]\r\nKey=\" a b \"\r\n"},
      {"single quotes", "[Common]\r\nKey='x'\r\n"},
      {"unmatched quote", "[Common]\r\nKey=\"x\r\n"},
      {"empty value", "[Common]\r\nKey=\r\n"},
      {"absent key", "[Common]\r\nOther=1\r\n"},
      {"header only", "[Common]\r\n[ServerList]\r\nServerCount=1\r\n"},
      {"first equals", "[Common]\r\nKey=a=b\r\n"},
      {"case", "[COMMON]\r\nkey=1\r\n"},
      {"duplicate key", "[Common]\r\nKey=first\r\nKey=second\r\n"},
      {"lf line ends", "[Common]\nKey=lf\n"},
      {"long value", "[Common]\r\nKey=" + longValue + "\r\n"},
      {"gbk value", "[Common]\r\nKey=C:\\\xB8\xFC\xD0\xC2\\\x81\x5C\r\n"},
      {"decimal", "[Common]\r\nKey=-3\r\n"},
  };
  TempFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    // One file per case: the platform caches a profile file it has read.
    const std::string path = folder.File("case" + std::to_string(index++) + ".ini");
    WriteFileBytes(path, c.file);
    const IniFile ours(path);
    EXPECT_EQ(ours.ReadString("Common", "Key", kAbsent), PlatformString(path, "Common", "Key"))
        << c.what;
    EXPECT_EQ(ours.SectionExists("Common"), PlatformSectionHasKeys(path, "Common")) << c.what;
  }
}

TEST(Platform, DecimalIntegersAgreeWithGetPrivateProfileInt) {
  TempFolder folder;
  const std::string path = folder.File("int.ini");
  WriteFileBytes(path, "[C]\r\nA=12\r\nB=-3\r\nC= 7 \r\nD=0\r\n");
  const IniFile ours(path);
  for (const char* key : {"A", "B", "C", "D", "Absent"}) {
    EXPECT_EQ(ours.ReadInteger("C", key, 99),
              static_cast<std::int32_t>(GetPrivateProfileIntA("C", key, 99, path.c_str())))
        << key;
  }
}

TEST(Platform, WrittenFilesReadBackThroughPrivateProfileFunctions) {
  TempFolder folder;
  const std::string path = folder.File("written.ini");
  WriteFileBytes(path, "; publisher's comment\r\n[Common]\r\nSavedPath=old\r\n\r\n[Other]\r\nX=1\r\n");
  {
    IniFile ini(path);
    ASSERT_TRUE(ini.WriteString("common", "savedpath", "C:\\\xB8\xFC\xD0\xC2"));
    ASSERT_TRUE(ini.WriteString("Common", "NetPath", "\\\\host\\share"));
    ASSERT_TRUE(ini.WriteBool("Common", "AutoCreateFolder", true));
    ASSERT_TRUE(ini.WriteInteger("ServerList", "ServerCount", 2));
    ASSERT_TRUE(ini.UpdateFile());
  }
  EXPECT_EQ(PlatformString(path, "Common", "SavedPath"), "C:\\\xB8\xFC\xD0\xC2");
  EXPECT_EQ(PlatformString(path, "Common", "NetPath"), "\\\\host\\share");
  EXPECT_EQ(GetPrivateProfileIntA("Common", "AutoCreateFolder", 0, path.c_str()), 1u);
  EXPECT_EQ(GetPrivateProfileIntA("ServerList", "ServerCount", 0, path.c_str()), 2u);
  EXPECT_EQ(PlatformString(path, "Other", "X"), "1");
  EXPECT_EQ(ReadFileBytes(path).rfind("; publisher's comment\r\n", 0), 0u);
}

// Every double-byte character of the code page, folded by the platform and by us. Where the
// platform's result is a different double-byte character, ours must be the same; where the
// platform cannot express the other case in the code page (it then turns the character into
// something else or "?"), ours must leave the character alone.
TEST(Platform, CaseFoldAgreesWithCharUpperAndCharLowerBuff) {
  int compared = 0;
  std::vector<std::string> disagreements;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
      for (const bool upper : {true, false}) {
        std::string platform = ch;
        const DWORD length = upper ? CharUpperBuffA(platform.data(), 2)
                                   : CharLowerBuffA(platform.data(), 2);
        platform.resize(length);
        const std::string ours = upper ? gbk::ToUpper(ch) : gbk::ToLower(ch);
        const bool platformKeptOneCharacter =
            platform.size() == 2 && gbk::CharLength(platform, 0) == 2;
        const std::string expected = platformKeptOneCharacter ? platform : ch;
        ++compared;
        if (ours != expected) {
          char line[64];
          std::snprintf(line, sizeof line, "%s %02X%02X: platform %s", upper ? "upper" : "lower",
                        lead, trail, platform.c_str());
          disagreements.push_back(line);
        }
      }
    }
  }
  EXPECT_GT(compared, 40000);
  for (const std::string& d : disagreements) ADD_FAILURE() << d;
}

TEST(Platform, ProfileFileLockedByAnotherHandleIsNeitherReadNorReplaced) {
  TempFolder folder;
  const std::string path = folder.File("locked.ini");
  const std::string original = "[Common]\r\nInstalledVersion=1.0\r\n";
  WriteFileBytes(path, original);
  {
    // Nobody else may even read it: the reader must say so, and writing must not replace the
    // file with one that holds only the new key.
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    IniFile ini(path);
    EXPECT_FALSE(ini.Readable());
    EXPECT_FALSE(ini.WriteString("Common", "InstalledVersion", "2.0"));
    EXPECT_FALSE(ini.UpdateFile());
    CloseHandle(exclusive);
  }
  EXPECT_EQ(ReadFileBytes(path), original);
  {
    // Readable, but held open without delete sharing: the replace fails, the old file stays.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    IniFile ini(path);
    EXPECT_TRUE(ini.Readable());
    EXPECT_FALSE(ini.WriteString("Common", "InstalledVersion", "2.0"));
    EXPECT_FALSE(ini.UpdateFile());
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_FALSE(os_file::FileExists(path + ".~tmp"));
    // Once the other handle is gone, the flush saves what was written.
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(PlatformString(path, "Common", "InstalledVersion"), "2.0");
  }
}

}  // namespace
