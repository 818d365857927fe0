// What the fields show for what the file holds, and what the next save makes of it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/ini_file.h"
#include "tests/assistant/assistant_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using LoadTest = AssistantTest;

std::string Mode(const TForm1& form) {
  if (form.rbInternet.Checked()) return "internet";
  if (form.rbIntranet.Checked()) return "intranet";
  return "none";
}

std::string Check(const ui::CheckBox& box) { return box.Checked() ? "checked" : "clear"; }

TEST_F(LoadTest, WithoutKeysInCommonNoFieldIsLoadedAndNoCommonKeyIsSaved) {
  for (const std::string& file : {std::string(), std::string("[Common]\r\n; empty\r\n")}) {
    SCOPED_TRACE(file);
    SetUp();
    if (!file.empty()) WriteIni(file);
    auto form = StartAssistant();
    EXPECT_EQ(form->edInstalledDir.Text(), "");
    EXPECT_EQ(form->edSaved.Text(), "");
    EXPECT_EQ(form->edtUpdateFile.Text(), "");
    EXPECT_EQ(form->edTimerHours.Text(), "");
    EXPECT_FALSE(form->ckAutoUpdate.Checked());
    EXPECT_EQ(Mode(*form), "none");
    EXPECT_EQ(form->sgServer.RowCount(), 5);

    // Not even an hours text that is no integer stops the save: nothing of [Common] is
    // converted.
    TypeInto(form->edVersion, "9.9");
    form->sgServer.SetCell(0, 1, "a");
    form->sgServer.SetCell(1, 1, "http://127.0.0.1/a");
    EXPECT_TRUE(form->WriteConfiguration());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kSavedMessage);
    EXPECT_EQ(SectionLines("Common"), std::vector<std::string>{});
    // Without [ServerList] keys only the count is written, which creates the file if need be.
    EXPECT_EQ(SectionLines("ServerList"), std::vector<std::string>{"ServerCount=0"});
    if (!file.empty()) {
      EXPECT_EQ(ReadIni().substr(0, file.size()), file);
    }
    form.reset();
    TearDown();
  }
}

TEST_F(LoadTest, EachKeyIsShownByItsRuleAndSavedBack) {
  TempFolder existing;
  struct Case {
    const char* what;
    std::string lines;  // of [Common]
    std::function<std::string(const TForm1&)> shown;
    std::string expectShown;
    const char* key;
    std::string expectSaved;
  } cases[] = {
      {"ServerUpdateFile absent", "AutoUpdate=0\r\n",
       [](const TForm1& f) { return f.edtUpdateFile.Text(); }, "updates.ini", "ServerUpdateFile",
       "updates.ini"},
      {"ServerUpdateFile present and empty", "ServerUpdateFile=\r\n",
       [](const TForm1& f) { return f.edtUpdateFile.Text(); }, "", "ServerUpdateFile", ""},
      {"InternetUpdate 2 is the LAN", "InternetUpdate=2\r\n", Mode, "intranet", "InternetUpdate", "0"},
      {"InternetUpdate absent is the LAN", "AutoUpdate=0\r\n", Mode, "intranet", "InternetUpdate", "0"},
      {"InternetUpdate 1", "InternetUpdate=1\r\n", Mode, "internet", "InternetUpdate", "1"},
      {"a flag stored as 5", "RunExeFileChecked=5\r\n",
       [](const TForm1& f) { return Check(f.ckRunFile); }, "checked", "RunExeFileChecked", "1"},
      {"a flag in hexadecimal", "AutoStart=0x1\r\n",
       [](const TForm1& f) { return Check(f.ckAutoStart); }, "checked", "AutoStart", "1"},
      {"a flag that is no integer", "AutoUpdate=yes\r\n",
       [](const TForm1& f) { return Check(f.ckAutoUpdate); }, "clear", "AutoUpdate", "0"},
      {"hours that are no integer", "TimerCheckHours=abc\r\n",
       [](const TForm1& f) { return f.edTimerHours.Text(); }, "0", "TimerCheckHours", "0"},
      {"hours in hexadecimal", "TimerCheckHours=$18\r\n",
       [](const TForm1& f) { return f.edTimerHours.Text(); }, "24", "TimerCheckHours", "24"},
      {"SavedPath naming no folder", "SavedPath=C:\\no\\such\\folder\r\n",
       [](const TForm1& f) { return f.edSaved.Text(); }, ExeFolder() + "Updates", "SavedPath",
       ExeFolder() + "Updates"},
      {"SavedPath empty", "SavedPath=\r\n", [](const TForm1& f) { return f.edSaved.Text(); },
       ExeFolder() + "Updates", "SavedPath", ExeFolder() + "Updates"},
      {"SavedPath naming a folder", "SavedPath=" + existing.Path() + "\r\n",
       [](const TForm1& f) { return f.edSaved.Text(); }, existing.Path(), "SavedPath", existing.Path()},
      {"InstalledDir naming no folder", "InstalledDir=C:\\no\\such\\app\r\n",
       [](const TForm1& f) { return f.edInstalledDir.Text(); }, ExeFolder(), "InstalledDir",
       ExeFolder()},
      {"InstalledVersion", "InstalledVersion=2.55\r\n",
       [](const TForm1& f) { return f.edVersion.Text(); }, "2.55", "InstalledVersion", "2.55"},
      {"a GBK text", "WindowCaption=示例软件\\升级\r\n",
       [](const TForm1& f) { return f.edtCaption.Text(); }, "示例软件\\升级", "WindowCaption",
       "示例软件\\升级"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    WriteIni("[Common]\r\n" + c.lines);
    auto form = StartAssistant();
    EXPECT_EQ(c.shown(*form), c.expectShown);
    ASSERT_TRUE(form->WriteConfiguration());
    EXPECT_EQ(IniValue("Common", c.key), c.expectSaved);
    form.reset();
    TearDown();
  }
}

TEST_F(LoadTest, ServerRowsAreLoadedAsStored) {
  struct Case {
    const char* what;
    std::string list;
    std::vector<std::vector<std::string>> rows;  // name and URL of each data row
  } cases[] = {
      {"no [ServerList]", "", {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
      {"count absent", "[ServerList]\r\nServerName0=a\r\n", {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
      {"count 0", "[ServerList]\r\nServerCount=0\r\nServerName0=a\r\n",
       {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
      {"count negative", "[ServerList]\r\nServerCount=-2\r\n", {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
      {"count not an integer", "[ServerList]\r\nServerCount=two\r\n",
       {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
      {"middle URL missing, names kept as stored",
       "[ServerList]\r\nServerCount=3\r\nServerName0=主服务器\r\nServerUrl0=http://127.0.0.1/a\r\n"
       "ServerName1=b\r\nServerName2=c\r\nServerUrl2=ftp://127.0.0.1/c\r\n",
       {{"主服务器", "http://127.0.0.1/a"}, {"b", ""}, {"c", "ftp://127.0.0.1/c"}}},
      {"count above the entries present",
       "[ServerList]\r\nServerCount=3\r\nServerName0=a\r\nServerUrl0=http://127.0.0.1/a\r\n",
       {{"a", "http://127.0.0.1/a"}, {"", ""}, {"", ""}}},
      {"count below the entries present",
       "[ServerList]\r\nServerCount=1\r\nServerName0=a\r\nServerUrl0=u\r\nServerName1=b\r\n",
       {{"a", "u"}}},
      // Rows without a name are never saved: the grid ends at the last named entry.
      {"a count no grid can hold",
       "[ServerList]\r\nServerCount=2000000000\r\nServerName0=a\r\nServerUrl0=http://127.0.0.1/a\r\n"
       "ServerName3=d\r\nServerUrl3=http://127.0.0.1/d\r\n",
       {{"a", "http://127.0.0.1/a"}, {"", ""}, {"", ""}, {"d", "http://127.0.0.1/d"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (!c.list.empty()) WriteIni(c.list);
    auto form = StartAssistant();
    ASSERT_EQ(form->sgServer.RowCount(), static_cast<int>(c.rows.size()) + 1);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      EXPECT_EQ(form->sgServer.Cell(0, row), c.rows[i][0]) << "row " << row;
      EXPECT_EQ(form->sgServer.Cell(1, row), c.rows[i][1]) << "row " << row;
    }
    form.reset();
    TearDown();
  }
}

}  // namespace
