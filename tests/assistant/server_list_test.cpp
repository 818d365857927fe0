// The server grid: saving its rows, refusing bad URLs, adding and deleting rows, and Enter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/assistant/assistant_fixture.h"

namespace {

using ServerListTest = AssistantTest;

constexpr char kUrlMessage[] = "服务器URL地址必须要是标准的,以http://开头,请修改后再试!";

// Name and URL of every data row.
using Rows = std::vector<std::vector<std::string>>;

void FillRows(ui::StringGrid& grid, const Rows& rows) {
  grid.SetRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int col = 0; col < static_cast<int>(rows[i].size()); ++col) {
      grid.SetCell(col, static_cast<int>(i) + 1, rows[i][static_cast<std::size_t>(col)]);
    }
  }
}

Rows GridRows(const ui::StringGrid& grid, int cols = 2) {
  Rows rows;
  for (int r = 1; r < grid.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < cols; ++c) row.push_back(grid.Cell(c, r));
    rows.push_back(row);
  }
  return rows;
}

TEST_F(ServerListTest, FilledRowsAreNumberedFromZeroAndOlderKeysStay) {
  WriteIni("[ServerList]\r\nServerCount=4\r\n"
           "ServerName0=a\r\nServerUrl0=http://127.0.0.1/a\r\nServerName1=b\r\nServerUrl1=http://127.0.0.1/b\r\n"
           "ServerName2=c\r\nServerUrl2=http://127.0.0.1/c\r\nServerName3=d\r\nServerUrl3=http://127.0.0.1/d\r\n");
  auto form = StartAssistant();
  FillRows(form->sgServer, {{"one", "http://127.0.0.1/1"},
                            {"", ""},
                            {"three", "ftp://127.0.0.1/3"},
                            {"no url", "  "},
                            {" ", "http://127.0.0.1/no-name"}});
  ASSERT_TRUE(form->WriteConfiguration());
  ASSERT_EQ(Boxes().size(), 1u);  // dropped rows cause no message of their own
  EXPECT_EQ(Boxes()[0].text, kSavedMessage);
  EXPECT_EQ(SectionLines("ServerList"),
            (std::vector<std::string>{"ServerCount=2", "ServerName0=one", "ServerUrl0=http://127.0.0.1/1",
                                      "ServerName1=three", "ServerUrl1=ftp://127.0.0.1/3",
                                      "ServerName2=c", "ServerUrl2=http://127.0.0.1/c",
                                      "ServerName3=d", "ServerUrl3=http://127.0.0.1/d"}));
  form.reset();

  auto reopened = StartAssistant();
  EXPECT_EQ(GridRows(reopened->sgServer),
            (Rows{{"one", "http://127.0.0.1/1"}, {"three", "ftp://127.0.0.1/3"}}));
}

TEST_F(ServerListTest, AUrlWithoutSchemeSeparatorRefusesTheListAndLeavesItAsItWas) {
  const std::string file =
      "[ServerList]\r\nServerCount=1\r\nServerName0=old\r\nServerUrl0=http://127.0.0.1/old\r\n";
  for (const std::string url : {"127.0.0.1/x", "http:/127.0.0.1", "http//127.0.0.1", "HTTP:\\\\x"}) {
    SCOPED_TRACE(url);
    SetUp();
    WriteIni(file);
    auto form = StartAssistant();
    form->tvMenu.SelectNode(5);
    FillRows(form->sgServer, {{"new", "http://127.0.0.1/new"}, {"bad", url}, {"later", "http://127.0.0.1/l"}});
    form->sgServer.SetCurrent(0, 1);
    EXPECT_FALSE(form->WriteConfiguration());
    EXPECT_EQ(ReadIni(), file);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kUrlMessage);
    EXPECT_EQ(Boxes()[0].caption, kTitle);
    EXPECT_EQ(Boxes()[0].flags, kInfoBox);
    EXPECT_EQ(Tabs(*form), std::vector<std::string>{"互联网升级设置"});
    EXPECT_EQ(form->PageControl1.ActivePage(), &form->tsInternet);
    EXPECT_EQ(form->tvMenu.SelectedIndex(), 5);
    EXPECT_TRUE(form->sgServer.Focused());
    EXPECT_EQ(form->sgServer.Row(), 1);
    EXPECT_EQ(form->sgServer.Col(), 0);
    form.reset();
    TearDown();
  }
}

TEST_F(ServerListTest, CommonKeysAreSavedEvenWhenTheListIsRefused) {
  WriteIni("[Common]\r\nInstalledVersion=1.0\r\n[ServerList]\r\nServerCount=0\r\n");
  auto form = StartAssistant();
  TypeInto(form->edVersion, "2.0");
  FillRows(form->sgServer, {{"bad", "localhost"}});
  form->SettingsChanged = true;
  EXPECT_FALSE(form->WriteConfiguration());
  EXPECT_EQ(IniValue("Common", "InstalledVersion"), "2.0");
  EXPECT_EQ(SectionLines("ServerList"), std::vector<std::string>{"ServerCount=0"});
  EXPECT_TRUE(form->SettingsChanged);
}

// Without [ServerList] keys the rows are not written, only the count; the next save finds the
// section and writes them.
TEST_F(ServerListTest, WithoutTheSectionOnlyTheCountIsWrittenUntilTheNextSave) {
  WriteIni("[Common]\r\nAutoUpdate=0\r\n");
  auto form = StartAssistant();
  FillRows(form->sgServer, {{"a", "http://127.0.0.1/a"}, {"bad", "no scheme"}});
  ASSERT_TRUE(form->WriteConfiguration());  // rows are not looked at, the bad one included
  EXPECT_EQ(SectionLines("ServerList"), std::vector<std::string>{"ServerCount=0"});
  form->sgServer.SetCell(1, 2, "http://127.0.0.1/b");
  ASSERT_TRUE(form->WriteConfiguration());
  EXPECT_EQ(SectionLines("ServerList"),
            (std::vector<std::string>{"ServerCount=2", "ServerName0=a", "ServerUrl0=http://127.0.0.1/a",
                                      "ServerName1=bad", "ServerUrl1=http://127.0.0.1/b"}));
}

TEST_F(ServerListTest, AddAppendsAnEmptyRowAndPutsTheCursorInItsFirstCell) {
  auto form = StartAssistant();
  form->tvMenu.SelectNode(4);
  FillRows(form->sgServer, {{"a", "u"}});
  form->sgServer.SetCurrent(1, 1);
  ClickButton(form->cbNew);
  EXPECT_EQ(GridRows(form->sgServer), (Rows{{"a", "u"}, {"", ""}}));
  EXPECT_EQ(form->sgServer.Row(), 2);
  EXPECT_EQ(form->sgServer.Col(), 0);
  EXPECT_TRUE(form->sgServer.Focused());
  EXPECT_TRUE(form->SettingsChanged);
}

TEST_F(ServerListTest, DeleteMovesTheRowsBelowUpAndNeverRemovesTheHeader) {
  struct Case {
    const char* what;
    Rows before;
    int current;  // 0: no data row
    Rows after;
  } cases[] = {
      {"first of three", {{"a", "1", "x"}, {"b", "2", "y"}, {"c", "3", "z"}}, 1,
       {{"b", "2", "x"}, {"c", "3", "y"}}},  // the third column does not move
      {"middle of three", {{"a", "1", ""}, {"b", "2", ""}, {"c", "3", ""}}, 2,
       {{"a", "1", ""}, {"c", "3", ""}}},
      {"last of three", {{"a", "1", ""}, {"b", "2", ""}, {"c", "3", ""}}, 3,
       {{"a", "1", ""}, {"b", "2", ""}}},
      {"the only one", {{"a", "1", ""}}, 1, {}},
      {"none", {}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    auto form = StartAssistant();
    form->tvMenu.SelectNode(4);
    FillRows(form->sgServer, c.before);
    if (c.current > 0) form->sgServer.SetCurrent(1, c.current);
    ClickButton(form->cbDel);
    EXPECT_EQ(form->sgServer.RowCount(), static_cast<int>(c.after.size()) + 1);
    EXPECT_EQ(GridRows(form->sgServer, 3), c.after);
    EXPECT_EQ(form->sgServer.Cell(0, 0), "服务器名称");
    EXPECT_TRUE(form->SettingsChanged);
    form.reset();
    TearDown();
  }
}

// Enter goes from the name to the URL, from the URL to the next name, and from the last row
// into a new one; each Enter marks the settings changed, and none presses "保存".
TEST_F(ServerListTest, EnterMovesThroughTheCellsAndAppendsFromTheLastRow) {
  auto form = StartAssistant();
  form->tvMenu.SelectNode(4);
  ui::StringGrid& grid = form->sgServer;
  FillRows(grid, {{"a", "u"}, {"b", "v"}});
  grid.SetCurrent(0, 1);
  Focus(grid);
  struct Step {
    int col;
    int row;
    int rows;
  } steps[] = {{1, 1, 3}, {0, 2, 3}, {1, 2, 3}, {0, 3, 4}, {1, 3, 4}};
  for (const Step& step : steps) {
    form->SettingsChanged = false;
    PressKey(VK_RETURN);
    EXPECT_EQ(grid.Col(), step.col);
    EXPECT_EQ(grid.Row(), step.row);
    EXPECT_EQ(grid.RowCount(), step.rows);
    EXPECT_TRUE(form->SettingsChanged);
  }
  // From the unused third column of the last row too.
  grid.SetCurrent(2, grid.RowCount() - 1);
  PressKey(VK_RETURN);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.Col(), 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ServerListTest, TypingIntoACellWithoutEnterIsNoChange) {
  auto form = StartAssistant();
  form->tvMenu.SelectNode(4);
  form->sgServer.SetCurrent(0, 1);
  Focus(form->sgServer);
  for (char c : std::string("abc")) {
    PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages(2);
  }
  EXPECT_EQ(form->sgServer.Cell(0, 1), "abc");
  EXPECT_FALSE(form->SettingsChanged);
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
