// Saving: the keys and texts written, the client reading them back, and the saves that are
// refused or fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/assistant/assistant_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using SaveTest = AssistantTest;

TEST_F(SaveTest, WritesEveryKeyInItsOrderWithItsText) {
  TempFolder installed;
  TempFolder saved;
  // One key present; every other one is appended by the save, in the order of the save.
  WriteIni("; quillark\r\n[Common]\r\nNetPath=old\r\n\r\n[Other]\r\nKeep=1\r\n");
  auto form = StartAssistant();
  TypeInto(form->edInstalledDir, " " + installed.Path() + " ");
  TypeInto(form->edVersion, "2.55 ");
  TypeInto(form->edSaved, saved.Path());
  form->ckRunFile.SetChecked(true);
  TypeInto(form->edKillFiles, "  a.exe;b.exe\t");
  TypeInto(form->edFileName, "  run.exe");
  form->chkRunSvc.SetChecked(false);
  TypeInto(form->edtRunSvc, "  svc1;svc2 ");
  form->ckAutoUpdate.SetChecked(true);
  TypeInto(form->edNoRunFile, "app.exe");
  form->ckAutoStart.SetChecked(false);
  TypeInto(form->edTimerHours, " 12 ");
  form->rbInternet.SetChecked(true);
  TypeInto(form->edtUpdateFile, "updates.txt");
  form->ckCreate.SetChecked(true);
  TypeInto(form->edNetPath, "\\\\host\\共享 ");
  TypeInto(form->edUsername, "user");
  TypeInto(form->edPassword, " p=w ");
  TypeInto(form->edtCaption, "示例软件智能升级");
  TypeInto(form->edtVendor, "岚舟软件");
  TypeInto(form->edtVendorURL, "http://127.0.0.1/v");
  TypeInto(form->edtSoftSite, "示例软件");
  TypeInto(form->edtSiteURL, "http://127.0.0.1/s");

  ASSERT_TRUE(form->WriteConfiguration());
  const std::vector<std::string> expected = {
      "NetPath=\\\\host\\共享",
      "AutoUpdate=1",
      "NoRunExeFile=app.exe",
      "ServerUpdateFile=updates.txt",
      "AutoStart=0",
      "TimerCheckHours=12",
      "NetUsername=user",
      "NetPassword=p=w",
      "KillExeFiles=a.exe;b.exe",
      "SavedPath=" + saved.Path(),
      "RunExeFile=run.exe",
      "AutoCreateFolder=1",
      "RunExeFileChecked=1",
      "InstalledDir=" + installed.Path(),
      "InstalledVersion=2.55",
      "RunServiceChecked=0",
      "RunServices=  svc1;svc2 ",  // as typed
      "WindowCaption=示例软件智能升级",
      "VendorName=岚舟软件",
      "VendorURL=http://127.0.0.1/v",
      "SoftSite=示例软件",
      "SoftSiteURL=http://127.0.0.1/s",
      "InternetUpdate=1",
  };
  EXPECT_EQ(SectionLines("Common"), expected);
  EXPECT_EQ(SectionLines("Other"), std::vector<std::string>{"Keep=1"});
  EXPECT_EQ(ReadIni().substr(0, 12), "; quillark\r\n");

  // The update client, reading the same file the way it does at start, sees the same values.
  const ClientView client = ReadAsClient();
  ASSERT_TRUE(client.hasCommon);
  const ClientSettings& s = client.settings;
  EXPECT_EQ(s.SavedPath, saved.Path());
  EXPECT_EQ(s.NetPath, "\\\\host\\共享");
  EXPECT_EQ(s.RunExeFile, "run.exe");
  EXPECT_TRUE(s.AutoCreateFolder);
  EXPECT_TRUE(s.RunExeFileChecked);
  EXPECT_EQ(s.InternetUpdate, 1);
  EXPECT_TRUE(s.AutoUpdate);
  EXPECT_EQ(s.NoRunExeFile, "app.exe");
  EXPECT_EQ(s.ServerUpdateFile, "updates.txt");
  EXPECT_FALSE(s.AutoStart);
  EXPECT_EQ(s.TimerCheckHours, 12);
  EXPECT_EQ(s.NetUsername, "user");
  EXPECT_EQ(s.NetPassword, "p=w");
  EXPECT_EQ(s.KillExeFiles, "a.exe;b.exe");
  EXPECT_FALSE(s.RunServiceChecked);
  EXPECT_EQ(s.RunServices, "svc1;svc2");  // the reader trims what the writer kept
  EXPECT_EQ(s.WindowCaption, "示例软件智能升级");
  EXPECT_EQ(s.VendorName, "岚舟软件");
  EXPECT_EQ(s.VendorURL, "http://127.0.0.1/v");
  EXPECT_EQ(s.SoftSite, "示例软件");
  EXPECT_EQ(s.SoftSiteURL, "http://127.0.0.1/s");
  EXPECT_EQ(s.InstalledVersion, "2.55");
  EXPECT_EQ(s.InstalledDir, installed.Path());
  EXPECT_TRUE(client.servers.empty());
}

TEST_F(SaveTest, ServersSavedByTheAssistantAreTheServersTheClientOffers) {
  WriteIni("[Common]\r\nInternetUpdate=1\r\n[ServerList]\r\nServerCount=0\r\n");
  auto form = StartAssistant();
  ui::StringGrid& grid = form->sgServer;
  grid.SetCell(0, 1, " 主服务器 ");
  grid.SetCell(1, 1, " http://127.0.0.1:8080/release ");
  grid.SetCell(0, 3, "备用");
  grid.SetCell(1, 3, "https://localhost/r");
  grid.SetCell(2, 3, "ignored");
  ASSERT_TRUE(form->WriteConfiguration());
  const ClientView client = ReadAsClient();
  ASSERT_EQ(client.servers.size(), 2u);
  EXPECT_EQ(client.servers[0].ServerName, "主服务器");
  EXPECT_EQ(client.servers[0].ServerUrl, "http://127.0.0.1:8080/release");
  EXPECT_EQ(client.servers[1].ServerName, "备用");
  EXPECT_EQ(client.servers[1].ServerUrl, "https://localhost/r");
  EXPECT_EQ(client.settings.InternetUpdate, 1);
}

// An hours text that is no 32-bit integer refuses the save before anything is written.
TEST_F(SaveTest, HoursThatAreNoIntegerRefuseTheWholeSave) {
  const std::string file =
      "[Common]\r\nAutoUpdate=0\r\nTimerCheckHours=5\r\n[ServerList]\r\nServerCount=1\r\n"
      "ServerName0=a\r\nServerUrl0=http://127.0.0.1/a\r\n";
  for (const std::string hours : {"", "  ", "abc", "12.5", "1 2", "2147483648", "-2147483649"}) {
    SCOPED_TRACE("\"" + hours + "\"");
    SetUp();
    WriteIni(file);
    auto form = StartAssistant();
    form->tvMenu.SelectNode(5);
    form->ckAutoUpdate.SetChecked(true);
    TypeInto(form->edtCaption, "changed");
    TypeInto(form->edTimerHours, hours);
    form->SettingsChanged = true;
    EXPECT_FALSE(form->WriteConfiguration());
    EXPECT_EQ(ReadIni(), file);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "升级间隔(小时)必须是整数,请修改后再试!");
    EXPECT_EQ(Boxes()[0].caption, kTitle);
    EXPECT_EQ(Boxes()[0].flags, kInfoBox);
    EXPECT_EQ(Boxes()[0].owner, form->Handle());
    EXPECT_EQ(Tabs(*form), std::vector<std::string>{"常规设置"});
    EXPECT_TRUE(form->edTimerHours.Focused());
    EXPECT_TRUE(form->SettingsChanged);
    form.reset();
    TearDown();
  }
}

TEST_F(SaveTest, HoursAtTheLimitsOfThirtyTwoBitsAreSaved) {
  for (const auto& [typed, saved] : std::vector<std::pair<std::string, std::string>>{
           {"2147483647", "2147483647"}, {"-2147483648", "-2147483648"}, {"-3", "-3"},
           {"+7", "7"}, {"0x10", "16"}, {"\t12 ", "12"}}) {
    SCOPED_TRACE(typed);
    SetUp();
    WriteIni("[Common]\r\nTimerCheckHours=1\r\n");
    auto form = StartAssistant();
    TypeInto(form->edTimerHours, typed);
    EXPECT_TRUE(form->WriteConfiguration());
    EXPECT_EQ(IniValue("Common", "TimerCheckHours"), saved);
    form.reset();
    TearDown();
  }
}

// A file that cannot be written is reported with its name; the changes stay marked unsaved.
TEST_F(SaveTest, AFileThatCannotBeWrittenIsReported) {
  for (const std::string& file : {std::string("[Common]\r\nAutoUpdate=0\r\n"), std::string()}) {
    SCOPED_TRACE(file.empty() ? "no file" : "with [Common]");
    SetUp();
    if (!file.empty()) WriteIni(file);
    auto form = StartAssistant();
    // Every save replaces the file through a temporary copy beside it; a folder in its place
    // makes every write fail.
    ASSERT_TRUE(CreateDirectoryA((IniPath() + ".~tmp").c_str(), nullptr));
    form->cbNewClick();
    EXPECT_FALSE(form->WriteConfiguration());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find(IniPath()), std::string::npos) << Boxes()[0].text;
    EXPECT_NE(Boxes()[0].text.find("没有保存"), std::string::npos) << Boxes()[0].text;
    EXPECT_EQ(Boxes()[0].caption, kTitle);
    EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(form->SettingsChanged);
    EXPECT_EQ(IniExists(), !file.empty());
    if (!file.empty()) {
      EXPECT_EQ(ReadIni(), file);
    }
    form.reset();
    TearDown();
  }
}

// Enter in a text field presses the default button "保存(&S)".
TEST_F(SaveTest, EnterInATextFieldSaves) {
  WriteIni("[Common]\r\nInstalledVersion=1.0\r\n");
  auto form = StartAssistant();
  Focus(form->edVersion);
  TypeInto(form->edVersion, "1.1");
  PressKey(VK_RETURN);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kSavedMessage);
  EXPECT_EQ(Boxes()[0].flags, kInfoBox);
  EXPECT_EQ(Boxes()[0].caption, kTitle);
  EXPECT_EQ(IniValue("Common", "InstalledVersion"), "1.1");
}

}  // namespace
