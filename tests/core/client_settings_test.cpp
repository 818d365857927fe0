#include "core/client_settings.h"

#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ClientSettings, DefaultsWhenKeysAreAbsent) {
  TempFolder folder;
  WriteFileBytes(folder.File("quillark.ini"), "[Common]\r\nServerUpdateFile=\r\n");
  const ClientSettings read = ReadCommonSection(IniFile(folder.File("quillark.ini")));
  const ClientSettings defaults;
  EXPECT_EQ(read.ServerUpdateFile, "");  // present but empty is not absent
  EXPECT_EQ(defaults.ServerUpdateFile, "updates.ini");
  EXPECT_EQ(read.InternetUpdate, 0);
  EXPECT_EQ(read.TimerCheckHours, 0);
  EXPECT_FALSE(read.AutoUpdate);
  EXPECT_EQ(read.InstalledVersion, "");
}

TEST(ClientSettings, EveryKeyRoundTripsInTableOrder) {
  TempFolder folder;
  const std::string path = folder.File("quillark.ini");
  ClientSettings written;
  written.SavedPath = "C:\\\xB8\xFC\xD0\xC2";  // a GBK folder name
  written.NetPath = "\\\\server\\share";
  written.RunExeFile = "app.exe";
  written.AutoCreateFolder = true;
  written.RunExeFileChecked = true;
  written.InternetUpdate = 1;
  written.AutoUpdate = true;
  written.NoRunExeFile = "app.exe";
  written.ServerUpdateFile = "release.ini";
  written.AutoStart = true;
  written.TimerCheckHours = -3;
  written.NetUsername = "user";
  written.NetPassword = "secret";
  written.KillExeFiles = "a.exe;b.exe";
  written.RunServiceChecked = true;
  written.RunServices = "svc1;svc2";
  written.WindowCaption = "\xC6\xF4\xB6\xAF";
  written.VendorName = "Vendor";
  written.VendorURL = "http://127.0.0.1/";
  written.SoftSite = "Site";
  written.SoftSiteURL = "http://127.0.0.1/app";
  written.InstalledVersion = "1.2";
  written.InstalledDir = "C:\\App\\";
  {
    IniFile ini(path);
    ASSERT_TRUE(WriteCommonSection(ini, written));
    ASSERT_TRUE(ini.UpdateFile());
  }
  const ClientSettings read = ReadCommonSection(IniFile(path));
  for (const CommonKey& key : kCommonKeys) {
    std::visit([&](auto member) { EXPECT_EQ(read.*member, written.*member) << key.name; },
               key.field);
  }
  // Keys in the order of the table, flags as 1.
  const std::string text = ReadFileBytes(path);
  EXPECT_EQ(text.find("[Common]\r\nSavedPath="), 0u);
  EXPECT_NE(text.find("AutoCreateFolder=1\r\nRunExeFileChecked=1\r\nInternetUpdate=1\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("InstalledVersion=1.2\r\nInstalledDir=C:\\App\\\r\n"), std::string::npos);
}

TEST(ClientSettings, ServerKeysUsePlainDecimalIndex) {
  EXPECT_EQ(ServerNameKey(0), "ServerName0");
  EXPECT_EQ(ServerUrlKey(15), "ServerUrl15");
}

TEST(ClientSettings, ServerNameIndicesListOnlyPresentEntriesBelowTheCount) {
  TempFolder folder;
  WriteFileBytes(folder.File("quillark.ini"),
                 "[ServerList]\r\nServerCount=2147483647\r\nServerName2=c\r\nservername0=a\r\n"
                 "ServerName01=x\r\nServerName+1=x\r\nServerNameX=x\r\nServerName1999999999=z\r\n"
                 "ServerName7=late\r\n");
  const IniFile ini(folder.File("quillark.ini"));
  EXPECT_EQ(ServerNameIndices(ini, 2147483647), (std::vector<int>{0, 2, 7}));
  EXPECT_EQ(ServerNameIndices(ini, 3), (std::vector<int>{0, 2}));
  EXPECT_TRUE(ServerNameIndices(ini, 0).empty());
}

}  // namespace
