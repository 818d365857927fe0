// Loading the settings into the window and writing the wizard's choices back at exit.
#include <gtest/gtest.h>

#include <string>

#include "tests/client/client_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using SettingsTest = ClientTest;

std::string ServerList(int count, int from = 0) {
  std::string text = "[ServerList]\r\nServerCount=" + std::to_string(count) + "\r\n";
  for (int i = from; i < count; ++i) {
    text += "ServerName" + std::to_string(i) + "=s" + std::to_string(i) + "\r\n";
    text += "ServerUrl" + std::to_string(i) + "=http://127.0.0.1/" + std::to_string(i) + "\r\n";
  }
  return text;
}

TEST_F(SettingsTest, WithoutCommonTheDesignedStatesStayAndNothingIsWritten) {
  for (const std::string& file : {std::string(), std::string("[Common]\r\n; nothing yet\r\n")}) {
    SetUp();
    if (!file.empty()) WriteIni(file);
    auto form = StartClient();
    EXPECT_EQ(form->edSaved.Text(), "");
    EXPECT_TRUE(form->rbInternet.Checked());
    EXPECT_FALSE(form->rbIntranet.Checked());
    EXPECT_TRUE(form->ckCreate.Checked());
    EXPECT_FALSE(form->ckRunFile.Checked());
    EXPECT_EQ(form->ServerUpdateFile, "updates.ini");
    EXPECT_EQ(form->InstalledDir, "");
    EXPECT_EQ(form->sgServer.RowCount(), 3);
    EXPECT_EQ(form->sgServer.Cell(0, 0), "服务器名称");
    EXPECT_EQ(form->sgServer.Cell(1, 0), "状态");
    EXPECT_EQ(form->sgServer.Cell(0, 1), "");
    form->edSaved.SetText("C:\\changed");
    form->UpdateFinished = true;
    form.reset();
    EXPECT_EQ(IniExists(), !file.empty());
    if (!file.empty()) {
      EXPECT_EQ(ReadIni(), file);
    }
    TearDown();
  }
}

TEST_F(SettingsTest, CommonValuesReachTheirControlsAndMembers) {
  TempFolder saved;
  WriteIni("[Common]\r\nSavedPath=" + saved.Path() +
           "\r\nNetPath=\\\\host\\share\r\nRunExeFile=app.exe\r\nAutoCreateFolder=0\r\n"
           "RunExeFileChecked=1\r\nInternetUpdate=1\r\nAutoUpdate=0\r\nNoRunExeFile=app.exe\r\n"
           "ServerUpdateFile=\r\nKillExeFiles=a.exe;b.exe\r\nRunServiceChecked=1\r\n"
           "RunServices=svc\r\nNetUsername=u\r\nNetPassword=p\r\nInstalledVersion=1.2\r\n"
           "VendorURL=http://127.0.0.1/v\r\nSoftSiteURL=http://127.0.0.1/s\r\n");
  auto form = StartClient();
  EXPECT_EQ(form->edSaved.Text(), saved.Path());
  EXPECT_EQ(form->edNetPath.Text(), "\\\\host\\share");
  EXPECT_EQ(form->edFileName.Text(), "app.exe");
  EXPECT_FALSE(form->ckCreate.Checked());
  EXPECT_TRUE(form->ckRunFile.Checked());
  EXPECT_TRUE(form->rbInternet.Checked());
  EXPECT_EQ(form->ServerUpdateFile, "");  // present and empty is not absent
  EXPECT_EQ(form->KillExeFiles, "a.exe;b.exe");
  EXPECT_TRUE(form->RunServiceChecked);
  EXPECT_EQ(form->RunServices, "svc");
  EXPECT_EQ(form->NetUsername, "u");
  EXPECT_EQ(form->NetPassword, "p");
  EXPECT_EQ(form->NoRunExeFile, "app.exe");
  EXPECT_EQ(form->InstalledVersion, "1.2");
  EXPECT_EQ(form->NewVersion, "1.2");
  EXPECT_EQ(form->InstalledDir, ExeFolder());  // no such folder given: the program's own
  EXPECT_EQ(form->VendorURL, "http://127.0.0.1/v");
  EXPECT_EQ(form->SoftSiteURL, "http://127.0.0.1/s");
}

TEST_F(SettingsTest, IntegerAndFlagRules) {
  struct Case {
    const char* lines;
    bool internet;
    bool autoUpdate;
  } cases[] = {
      {"InternetUpdate=2\r\n", false, false},
      {"AutoCreateFolder=1\r\n", false, false},  // InternetUpdate absent: LAN mode
      {"InternetUpdate=0x1\r\nAutoUpdate=0x1\r\n", true, true},
      {"InternetUpdate=1\r\nAutoUpdate=yes\r\n", true, false},
      {"InternetUpdate=$1\r\nAutoUpdate=2\r\n", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    SetUp();
    WriteIni(std::string("[Common]\r\n") + c.lines);
    auto form = StartClient();
    EXPECT_EQ(form->rbInternet.Checked(), c.internet);
    EXPECT_EQ(form->rbIntranet.Checked(), !c.internet);
    EXPECT_EQ(form->AutoUpdate, c.autoUpdate);
    form.reset();
    TearDown();
  }
}

TEST_F(SettingsTest, MissingSavedPathShowsTheResolvedFolderAndWritesItBack) {
  WriteIni("[Common]\r\nSavedPath=C:\\no\\such\\folder\r\nInstalledDir=C:\\no\\such\\app\r\n");
  auto form = StartClient();
  EXPECT_EQ(form->edSaved.Text(), ExeFolder() + "Updates");
  EXPECT_EQ(form->InstalledDir, ExeFolder());
  form.reset();
  const std::string text = ReadIni();
  EXPECT_NE(text.find("SavedPath=" + ExeFolder() + "Updates\r\n"), std::string::npos);
  EXPECT_NE(text.find("InstalledDir=" + ExeFolder() + "\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ServerList) {
  struct Case {
    const char* what;
    std::string list;
    std::vector<std::string> names;
    std::vector<std::string> urls;
  } cases[] = {
      {"middle entry without URL",
       "[ServerList]\r\nServerCount=3\r\nServerName0=a\r\nServerUrl0=http://127.0.0.1/a\r\n"
       "ServerName1=b\r\nServerUrl1=\r\nServerName2=c\r\nServerUrl2=http://127.0.0.1/c\r\n",
       {"a", "c"},
       {"http://127.0.0.1/a", "http://127.0.0.1/c"}},
      {"blanks around names and URLs",
       "[ServerList]\r\nServerCount=2\r\nServerName0=  主服务器  \r\nServerUrl0= http://127.0.0.1/ \r\n"
       "ServerName1=\r\nServerUrl1=http://127.0.0.1/x\r\n",
       {"主服务器"},
       {"http://127.0.0.1/"}},
      {"count below the entries present",
       "[ServerList]\r\nServerCount=1\r\nServerName0=a\r\nServerUrl0=u0\r\nServerName1=b\r\nServerUrl1=u1\r\n",
       {"a"},
       {"u0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    WriteIni(c.list);
    auto form = StartClient();
    ASSERT_EQ(form->sgServer.RowCount(), static_cast<int>(c.names.size()) + 1);
    for (std::size_t i = 0; i < c.names.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      EXPECT_EQ(form->sgServer.Cell(0, row), c.names[i]);
      EXPECT_EQ(form->sgServer.Cell(1, row), "没有测试");
      EXPECT_EQ(form->ServerUrls[i], c.urls[i]);
    }
    EXPECT_EQ(form->ServerUrls[c.names.size()], "");
    EXPECT_EQ(form->edUrl.Text(), c.urls[0]);
    form.reset();
    TearDown();
  }
}

TEST_F(SettingsTest, NoServersKeepTheTwoEmptyRows) {
  for (const std::string& list : {ServerList(0), std::string("[ServerList]\r\nServerCount=-2\r\n"),
                                  std::string("[Other]\r\nX=1\r\n")}) {
    SetUp();
    WriteIni(list);
    auto form = StartClient();
    EXPECT_EQ(form->sgServer.RowCount(), 3) << list;
    EXPECT_EQ(form->edUrl.Text(), "");
    form.reset();
    TearDown();
  }
}

TEST_F(SettingsTest, ListedServersWithoutAnyUrlLeaveOnlyTheHeadings) {
  WriteIni("[ServerList]\r\nServerCount=2\r\nServerName0=a\r\nServerName1=b\r\nServerUrl1=\r\n");
  auto form = StartClient();
  EXPECT_EQ(form->sgServer.RowCount(), 1);
  EXPECT_EQ(form->edUrl.Text(), "");
  EXPECT_EQ(form->ServerUrls[0], "");
}

TEST_F(SettingsTest, ServersBeyondTheSixteenthAreIgnored) {
  WriteIni(ServerList(20));
  auto form = StartClient();
  EXPECT_EQ(form->sgServer.RowCount(), 17);
  EXPECT_EQ(form->sgServer.Cell(0, 16), "s15");
  EXPECT_EQ(form->ServerUrls[15], "http://127.0.0.1/15");
}

TEST_F(SettingsTest, AHugeServerCountCostsNothing) {
  WriteIni("[ServerList]\r\nServerCount=2147483647\r\nServerName5=far\r\nServerUrl5=http://127.0.0.1/\r\n");
  const DWORD start = GetTickCount();
  auto form = StartClient();
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_EQ(form->sgServer.RowCount(), 2);
  EXPECT_EQ(form->sgServer.Cell(0, 1), "far");
}

TEST_F(SettingsTest, WriteBackOrderAndTheConditionsOfInstalledVersion) {
  struct Case {
    bool finished, failed, replaced;
    bool versionWritten;
  } cases[] = {
      {false, false, false, false},
      {true, true, false, false},
      {true, false, false, true},
      {true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.finished << c.failed << c.replaced);
    SetUp();
    const std::string original = "; shipped\r\n[Common]\r\nInstalledVersion=1.0\r\n\r\n" + ServerList(1);
    WriteIni(original);
    auto form = StartClient();
    form->edNetPath.SetText("  \\\\host\\share  ");
    form->edFileName.SetText("run.exe");
    form->ckCreate.SetChecked(false);
    form->ckRunFile.SetChecked(true);
    form->rbIntranet.SetChecked(true);
    form->NewVersion = "2.0";
    form->UpdateFinished = c.finished;
    form->DownloadFailed = c.failed;
    form->ConfigReplaced = c.replaced;
    form.reset();
    if (c.replaced) {
      EXPECT_EQ(ReadIni(), original);
    } else {
      const std::string expected =
          "; shipped\r\n[Common]\r\nInstalledVersion=" + std::string(c.versionWritten ? "2.0" : "1.0") +
          "\r\nSavedPath=" + ExeFolder() + "Updates\r\nNetPath=\\\\host\\share\r\nRunExeFile=run.exe\r\n"
          "AutoCreateFolder=0\r\nRunExeFileChecked=1\r\nInstalledDir=" + ExeFolder() +
          "\r\nInternetUpdate=0\r\n\r\n" + ServerList(1);
      EXPECT_EQ(ReadIni(), expected);
    }
    TearDown();
  }
}

}  // namespace
