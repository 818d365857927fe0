// The string grid in a real form: mouse and keys arrive as window messages, keys through the
// application's message loop (so the form's dialog handling sees them first, as it does for
// the user's keys), and the state is read back from the grid and from its painted pixels.
#include "platform/ui/string_grid.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/window_text.h"

namespace {

void Pump() { ui::Application::Instance().ProcessMessages(); }

void PressKey(WORD key) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr) << "no window has the keyboard";
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  Pump();
}

// Each character goes to the window that has the keyboard when it arrives: the first one
// opens the editor, the rest go into it.
void Type(const std::string& text) {
  for (unsigned char byte : text) {
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard";
    PostMessageA(focus, WM_CHAR, byte, 1);
    Pump();
  }
}

void TypeWithInputMethod(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard";
    PostMessageA(focus, WM_IME_CHAR, (lead << 8) | trail, 1);
    Pump();
  }
}

// Holds a modifier key down in the thread's keyboard state for one scope.
class HeldKey {
 public:
  explicit HeldKey(int key) : key_(key) { Set(true); }
  ~HeldKey() { Set(false); }
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  void Set(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[key_] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }
  int key_;
};

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

class StringGridTest : public ::testing::Test {
 protected:
  StringGridTest() {
    grid.SetBounds(10, 10, 380, 200);
    other.SetBounds(10, 250, 100, 22);
    form.Show();
    Pump();
    grid.SetFocus();
    Pump();
  }

  // Server list: two columns, a heading row, rows chosen whole.
  void MakeServerGrid(int rows) {
    grid.SetColCount(2);
    grid.SetColWidth(0, 279);
    grid.SetColWidth(1, 61);
    grid.SetRowCount(rows);
    grid.SetDefaultRowHeight(20);
    grid.SetOptions(ui::GridOptions{.rowSelect = true, .colSizing = true});
  }

  // An editable grid of three columns.
  void MakeEditGrid(int rows) {
    grid.SetColCount(3);
    for (int c = 0; c < 3; ++c) grid.SetColWidth(c, 100);
    grid.SetRowCount(rows);
    grid.SetDefaultRowHeight(20);
    grid.SetOptions(ui::GridOptions{.colSizing = true, .editing = true, .rangeSelect = true});
  }

  POINT CenterOf(int col, int row) const {
    const RECT r = grid.CellRect(col, row);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  void Mouse(UINT message, int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageA(grid.Handle(), message, keys, MAKELPARAM(x, y));
  }

  void ClickAt(int x, int y) {
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_LBUTTONUP, x, y, 0);
    Pump();
  }

  void ClickCell(int col, int row) {
    const POINT p = CenterOf(col, row);
    ClickAt(p.x, p.y);
  }

  void Drag(POINT from, POINT to) {
    Mouse(WM_LBUTTONDOWN, from.x, from.y);
    Mouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2);
    Mouse(WM_MOUSEMOVE, to.x, to.y);
    Mouse(WM_LBUTTONUP, to.x, to.y, 0);
    Pump();
  }

  COLORREF PixelInCell(int col, int row) {
    grid.Repaint();
    const RECT r = grid.CellRect(col, row);
    return PixelAt(grid.Handle(), r.right - 3, r.bottom - 3);  // clear of text and frames
  }

  ui::Form form{"grid", 400, 300, ui::BorderIcons{}};
  ui::StringGrid grid{&form};
  ui::Edit other{&form};
};

TEST_F(StringGridTest, ChangingTheSizeKeepsTheCellsThatRemainAndAddsEmptyOnes) {
  grid.SetColCount(3);
  grid.SetRowCount(4);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 3; ++c) grid.SetCell(c, r, std::to_string(c) + "/" + std::to_string(r));
  }

  grid.SetRowCount(2);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(2, 1), "2/1");
  EXPECT_THROW(grid.Cell(0, 2), std::out_of_range);
  EXPECT_THROW(grid.SetCell(0, 2, "x"), std::out_of_range);

  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(0, 0), "0/0");
  EXPECT_EQ(grid.Cell(2, 1), "2/1");
  for (int r = 2; r < 5; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid.Cell(c, r), "") << "cell " << c << "," << r;
  }

  grid.SetColCount(2);
  grid.SetColCount(3);
  EXPECT_EQ(grid.Cell(1, 1), "1/1");
  EXPECT_EQ(grid.Cell(2, 1), "");
  EXPECT_EQ(grid.ColWidth(2), 64);

  EXPECT_THROW(grid.SetRowCount(0), std::out_of_range);  // below the heading row
  EXPECT_THROW(grid.SetColCount(0), std::out_of_range);
}

TEST_F(StringGridTest, CurrentRowFollowsTheRowCount) {
  MakeEditGrid(5);
  grid.SetCurrent(1, 4);

  grid.SetRowCount(3);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Col(), 1);

  // Only the heading left: no current cell, which Row() tells by pointing past the last row;
  // neither keys nor a click on the heading make one.
  grid.SetRowCount(1);
  EXPECT_EQ(grid.Row(), 1);
  int clicks = 0;
  grid.OnClick = [&] { ++clicks; };
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ClickCell(0, 0);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(clicks, 0);
  grid.SetCol(2);  // kept for the rows to come
  EXPECT_THROW(grid.SetRow(1), std::out_of_range);

  grid.SetRowCount(2);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_THROW(grid.SetRow(0), std::out_of_range);
  EXPECT_THROW(grid.SetCurrent(0, 2), std::out_of_range);
  EXPECT_THROW(grid.SetCol(3), std::out_of_range);
}

TEST_F(StringGridTest, ColumnOfWidthZeroTakesNoPlaceAndClicksMapPastIt) {
  // The file list: a mark, the name, the size and a hidden column.
  grid.SetColCount(4);
  const int widths[] = {20, 224, 72, 4};
  for (int c = 0; c < 4; ++c) grid.SetColWidth(c, widths[c]);
  grid.SetRowCount(3);
  grid.SetDefaultRowHeight(20);
  grid.SetColWidth(3, 0);
  grid.SetCell(3, 1, "exe");

  // Each cell owns the grid line on its right: 0..20 | 21..245 | 246..318 | nothing.
  const struct {
    int x;
    int col;
  } cases[] = {{0, 0}, {20, 0}, {21, 1}, {245, 1}, {246, 2}, {318, 2}, {319, -1}, {360, -1}};
  const int y = 21 + 10;  // inside row 1
  for (const auto& c : cases) {
    int col = -1;
    int row = -1;
    const bool hit = grid.MouseToCell(c.x, y, col, row);
    EXPECT_EQ(hit ? col : -1, c.col) << "x " << c.x;
    if (hit) {
      EXPECT_EQ(row, 1) << "x " << c.x;
    }
  }
  const RECT hidden = grid.CellRect(3, 1);
  EXPECT_TRUE(IsRectEmpty(&hidden));

  ClickAt(300, y);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.Row(), 1);
  grid.SetCurrent(0, 2);  // keep the focus frame away from the pixels read below
  // Painted the same way: the column after the line at 318 is background, not a second line
  // and not the hidden cell's text.
  grid.Repaint();
  EXPECT_EQ(PixelAt(grid.Handle(), 318, y), GetSysColor(COLOR_BTNFACE));
  for (int x = 319; x < 330; ++x) {
    EXPECT_EQ(PixelAt(grid.Handle(), x, y), GetSysColor(COLOR_WINDOW)) << "x " << x;
  }

  // A hidden column between two shown ones adds no line either.
  grid.SetColWidth(1, 0);
  EXPECT_EQ(grid.CellRect(2, 1).left, 21);
  grid.Repaint();
  EXPECT_EQ(PixelAt(grid.Handle(), 20, y), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(grid.Handle(), 21 + 70, y), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelAt(grid.Handle(), 21 + 72, y), GetSysColor(COLOR_BTNFACE));
}

TEST_F(StringGridTest, ClickSelectsTheWholeRowAndReportsItAfterwards) {
  MakeServerGrid(4);
  std::vector<int> clickedRows;
  grid.OnClick = [&] { clickedRows.push_back(grid.Row()); };
  std::vector<int> askedRows;
  bool refuse = false;
  grid.OnSelectCell = [&](int, int row, bool& canSelect) {
    askedRows.push_back(row);
    canSelect = !refuse;
  };

  ClickCell(1, 2);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(clickedRows, std::vector<int>{2});
  EXPECT_EQ(grid.Selection(), (ui::GridRect{0, 2, 1, 2}));
  EXPECT_EQ(PixelInCell(0, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelInCell(1, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelInCell(0, 1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelInCell(0, 0), GetSysColor(COLOR_BTNFACE));

  // A click on the heading selects nothing and is no cell click.
  ClickCell(0, 0);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(clickedRows.size(), 1u);

  // Clicking the current row again is still a click.
  ClickCell(0, 2);
  EXPECT_EQ(clickedRows, (std::vector<int>{2, 2}));

  refuse = true;
  ClickCell(0, 3);
  EXPECT_EQ(askedRows, (std::vector<int>{2, 2, 3}));
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(clickedRows.size(), 2u);

  // Moving with a key is a selection by the user as well.
  refuse = false;
  PressKey(VK_DOWN);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(clickedRows, (std::vector<int>{2, 2, 3}));
}

TEST_F(StringGridTest, KeyDownHandlerSeesEveryKeyBeforeTheGridAndCanStopIt) {
  MakeEditGrid(4);
  grid.SetCurrent(0, 1);
  std::vector<std::pair<WORD, bool>> seen;  // key, editor open when the handler saw it
  bool stop = false;
  grid.OnKeyDown = [&](WORD key, bool& handled) {
    seen.emplace_back(key, grid.EditorMode());
    handled = stop;
  };

  PressKey(VK_RETURN);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(WORD{VK_RETURN}, false));
  EXPECT_TRUE(grid.EditorMode()) << "Enter, left to the grid, opens the editor";

  // Keys in the editor reach the handler too.
  PressKey(VK_ESCAPE);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], std::make_pair(WORD{VK_ESCAPE}, true));
  EXPECT_FALSE(grid.EditorMode());

  stop = true;
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(seen.size(), 4u);

  stop = false;
  grid.ShowEditor();
  stop = true;
  PressKey(VK_RETURN);
  EXPECT_TRUE(grid.EditorMode()) << "a stopped Enter leaves the editor open";
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[4], std::make_pair(WORD{VK_RETURN}, true));
}

TEST_F(StringGridTest, HandlerMovingTheCellOnEnterKeepsTheTextAndEditingGoesOn) {
  // Enter walks name -> address -> next row, adding a row after the last one.
  MakeEditGrid(2);
  grid.OnKeyDown = [&](WORD key, bool&) {
    if (key != VK_RETURN) return;
    if (grid.Col() == 0) {
      grid.SetCol(1);
    } else if (grid.Row() == grid.RowCount() - 1) {
      grid.SetRowCount(grid.RowCount() + 1);
      grid.SetCurrent(0, grid.RowCount() - 1);
      grid.SetFocus();
    } else {
      grid.SetCurrent(0, grid.Row() + 1);
    }
  };
  grid.SetCurrent(0, 1);

  Type("srv");
  PressKey(VK_RETURN);
  EXPECT_EQ(grid.Cell(0, 1), "srv");
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_TRUE(grid.EditorMode());

  Type("http://a");
  PressKey(VK_RETURN);
  EXPECT_EQ(grid.Cell(1, 1), "http://a");
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Col(), 0);
}

TEST_F(StringGridTest, TypingEditsTheCellInPlaceAndEnterEndsTheEdit) {
  MakeEditGrid(3);
  grid.SetCell(1, 1, "old");
  grid.SetCurrent(1, 1);
  std::vector<std::tuple<int, int, std::string>> changes;
  grid.OnSetEditText = [&](int col, int row, const std::string& text) {
    changes.emplace_back(col, row, text);
  };

  Type("ab");
  EXPECT_TRUE(grid.EditorMode());
  EXPECT_NE(GetFocus(), grid.Handle()) << "the editor has the keyboard";
  EXPECT_EQ(grid.Cell(1, 1), "ab") << "the cell holds what is typed while it is typed";
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), std::make_tuple(1, 1, std::string("ab")));

  PressKey(VK_RETURN);
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(GetFocus(), grid.Handle());
  EXPECT_EQ(grid.Cell(1, 1), "ab");

  // Double-byte text from an input method, one character per message.
  grid.SetCurrent(0, 2);
  TypeWithInputMethod("服务器");
  EXPECT_EQ(grid.Cell(0, 2), "服务器");
  PressKey(VK_RETURN);
  // The same text as pairs of character messages, lead byte first, straight to the window
  // that has the keyboard.
  grid.SetCurrent(1, 2);
  for (unsigned char byte : std::string("岚舟")) SendMessageA(GetFocus(), WM_CHAR, byte, 1);
  EXPECT_EQ(grid.Cell(1, 2), "岚舟");
  PressKey(VK_RETURN);

  // A double click opens the editor on the cell's text.
  const POINT p = CenterOf(2, 1);
  grid.SetCell(2, 1, "keep");
  Mouse(WM_LBUTTONDOWN, p.x, p.y);
  Mouse(WM_LBUTTONUP, p.x, p.y, 0);
  Mouse(WM_LBUTTONDBLCLK, p.x, p.y);
  Mouse(WM_LBUTTONUP, p.x, p.y, 0);
  Pump();
  ASSERT_TRUE(grid.EditorMode());
  EXPECT_EQ(ui::GetWindowTextString(GetFocus()), "keep");
}

TEST_F(StringGridTest, EscapePutsTheOldTextBack) {
  MakeEditGrid(3);
  grid.SetCell(1, 1, "old");
  grid.SetCurrent(1, 1);
  std::string lastChange;
  grid.OnSetEditText = [&](int, int, const std::string& text) { lastChange = text; };

  PressKey(VK_F2);  // F2 keeps the text and puts the caret at its end
  ASSERT_TRUE(grid.EditorMode());
  Type("X");
  EXPECT_EQ(grid.Cell(1, 1), "oldX");

  PressKey(VK_ESCAPE);
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(grid.Cell(1, 1), "old");
  EXPECT_EQ(lastChange, "old");
  EXPECT_EQ(GetFocus(), grid.Handle());

  // Text the program puts into the cell being edited replaces the edit, for Esc too.
  PressKey(VK_F2);
  Type("Y");
  grid.SetCell(1, 1, "set");
  EXPECT_EQ(ui::GetWindowTextString(GetFocus()), "set");
  PressKey(VK_ESCAPE);
  EXPECT_EQ(grid.Cell(1, 1), "set");
}

TEST_F(StringGridTest, LeavingTheGridEndsTheEditAndFocusEventsCountGridAndEditorAsOne) {
  MakeEditGrid(3);
  grid.SetCurrent(0, 1);
  int enters = 0;
  int exits = 0;
  grid.OnEnter = [&] { ++enters; };
  grid.OnExit = [&] { ++exits; };

  // The focus going into the grid's own editor and back is neither exit nor entry.
  Type("w");
  PressKey(VK_RETURN);
  Type("x");
  ASSERT_TRUE(grid.EditorMode());
  EXPECT_EQ(enters, 0);
  EXPECT_EQ(exits, 0);

  other.SetFocus();
  Pump();
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(grid.Cell(0, 1), "x");
  EXPECT_EQ(exits, 1);

  grid.SetFocus();
  Pump();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
}

TEST_F(StringGridTest, ProgramMovesTheCurrentCellIntoViewWithoutUserEvents) {
  MakeEditGrid(40);
  int clicks = 0;
  int asks = 0;
  grid.OnClick = [&] { ++clicks; };
  grid.OnSelectCell = [&](int, int, bool&) { ++asks; };

  grid.SetCurrent(2, 30);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.Row(), 30);
  EXPECT_LE(grid.TopRow(), 30);
  EXPECT_LT(30, grid.TopRow() + grid.VisibleRowCount());
  grid.SetRow(1);
  EXPECT_EQ(grid.TopRow(), 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(asks, 0);

  // Moving away while editing keeps what was typed.
  Type("q");
  grid.SetRow(2);
  EXPECT_FALSE(grid.EditorMode());
  EXPECT_EQ(grid.Cell(2, 1), "q");
  EXPECT_EQ(grid.Row(), 2);
}

TEST_F(StringGridTest, DraggingAHeadingBorderResizesTheColumnOnlyWhereAllowed) {
  const struct {
    bool colSizing;
    int y;  // where the drag starts and ends
    int width;
  } cases[] = {
      {true, 5, 200},    // on the heading row
      {false, 5, 279},   // sizing not allowed
      {true, 35, 279},   // on a data row
  };
  for (const auto& c : cases) {
    MakeServerGrid(4);
    grid.SetColWidth(0, 279);
    ui::GridOptions options = grid.Options();
    options.colSizing = c.colSizing;
    grid.SetOptions(options);
    Drag(POINT{279, c.y}, POINT{200, c.y});
    EXPECT_EQ(grid.ColWidth(0), c.width) << "colSizing " << c.colSizing << ", y " << c.y;
    EXPECT_EQ(grid.ColWidth(1), 61);
  }

  // The second column's border sits after the first column and its line.
  MakeServerGrid(4);
  grid.SetColWidth(0, 100);
  Drag(POINT{101 + 61, 5}, POINT{101 + 90, 5});
  EXPECT_EQ(grid.ColWidth(1), 90);
  EXPECT_EQ(grid.ColWidth(0), 100);
}

TEST_F(StringGridTest, KeysAndTheScrollBarKeepTheCurrentRowInView) {
  MakeServerGrid(50);
  grid.SetCurrent(0, 1);
  const auto expectInView = [&](const char* step) {
    EXPECT_LE(grid.TopRow(), grid.Row()) << step;
    EXPECT_LT(grid.Row(), grid.TopRow() + grid.VisibleRowCount()) << step;
  };
  const WORD keys[] = {VK_NEXT, VK_NEXT, VK_DOWN, VK_DOWN, VK_END, VK_PRIOR, VK_UP, VK_HOME};
  for (WORD key : keys) {
    PressKey(key);
    expectInView(("key " + std::to_string(key)).c_str());
  }
  EXPECT_EQ(grid.Row(), 1);

  PressKey(VK_END);
  EXPECT_EQ(grid.Row(), 49);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(grid.Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nMax, 48);
  EXPECT_EQ(static_cast<int>(info.nPage), grid.VisibleRowCount());
  EXPECT_EQ(info.nPos, grid.TopRow() - 1);

  const int top = grid.TopRow();
  SendMessageA(grid.Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(grid.TopRow(), top - 1);
  // Rows that scrolled under the heading are not hit; the heading stays in place.
  int col = 0;
  int row = 0;
  ASSERT_TRUE(grid.MouseToCell(10, 5, col, row));
  EXPECT_EQ(row, 0);
  ASSERT_TRUE(grid.MouseToCell(10, 25, col, row));
  EXPECT_EQ(row, top - 1);

  grid.SetRowCount(3);
  EXPECT_EQ(grid.TopRow(), 1);
  EXPECT_EQ(GetWindowLongPtrA(grid.Handle(), GWL_STYLE) & WS_VSCROLL, 0) << "no bar without need";
}

TEST_F(StringGridTest, ArrowsHomeEndAndTabStepOverHiddenColumns) {
  grid.SetColCount(4);
  const int widths[] = {30, 0, 30, 30};
  for (int c = 0; c < 4; ++c) grid.SetColWidth(c, widths[c]);
  grid.SetRowCount(5);
  grid.SetOptions(ui::GridOptions{.editing = true});
  const struct {
    int col, row;
    WORD key;
    int wantCol, wantRow;
  } cases[] = {
      {0, 1, VK_RIGHT, 2, 1}, {2, 1, VK_LEFT, 0, 1}, {0, 1, VK_LEFT, 0, 1},
      {2, 2, VK_HOME, 0, 2},  {0, 2, VK_END, 3, 2},  {3, 4, VK_DOWN, 3, 4},
      {0, 1, VK_UP, 0, 1},
  };
  for (const auto& c : cases) {
    grid.SetCurrent(c.col, c.row);
    PressKey(c.key);
    EXPECT_EQ(grid.Col(), c.wantCol) << "key " << c.key << " from " << c.col << "," << c.row;
    EXPECT_EQ(grid.Row(), c.wantRow) << "key " << c.key << " from " << c.col << "," << c.row;
  }

  // Tab in the editor keeps the text and goes to the next shown cell, on into the next row.
  grid.SetCurrent(2, 1);
  Type("a");
  PressKey(VK_TAB);
  EXPECT_EQ(grid.Cell(2, 1), "a");
  EXPECT_EQ(grid.Col(), 3);
  Type("b");
  PressKey(VK_TAB);
  EXPECT_EQ(grid.Cell(3, 1), "b");
  EXPECT_EQ(grid.Col(), 0);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_FALSE(grid.EditorMode());
}

TEST_F(StringGridTest, ShiftWithArrowsOrADragSelectsARectangle) {
  MakeEditGrid(6);
  grid.SetCurrent(0, 1);
  {
    HeldKey shift(VK_SHIFT);
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
  }
  EXPECT_EQ(grid.Selection(), (ui::GridRect{0, 1, 1, 2}));
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(PixelInCell(0, 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelInCell(2, 1), GetSysColor(COLOR_WINDOW));

  PressKey(VK_DOWN);
  EXPECT_EQ(grid.Selection(), (ui::GridRect{1, 3, 1, 3}));

  Drag(CenterOf(2, 4), CenterOf(0, 2));
  EXPECT_EQ(grid.Selection(), (ui::GridRect{0, 2, 2, 4}));
  EXPECT_EQ(grid.Col(), 0);
  EXPECT_EQ(grid.Row(), 2);

  // Without the option a drag only moves the current cell.
  grid.SetOptions(ui::GridOptions{.editing = true});
  Drag(CenterOf(2, 4), CenterOf(0, 2));
  EXPECT_EQ(grid.Selection(), (ui::GridRect{2, 4, 2, 4}));
}

TEST_F(StringGridTest, PaintsDoubleByteTextAndAmpersandsAsWritten) {
  MakeServerGrid(3);
  grid.SetCell(0, 0, "服务器名称");
  grid.SetCell(0, 1, "&&");
  grid.SetCell(1, 1, "&");
  grid.SetCurrent(0, 2);
  grid.Repaint();

  // The dark pixels inside a cell: the text, drawn dark on a light cell (counting dark rather
  // than exactly text-coloured pixels keeps the count right with smoothed fonts).
  const auto inkIn = [&](int col, int row) {
    const RECT r = grid.CellRect(col, row);
    HDC dc = GetDC(grid.Handle());
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        count += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
      }
    }
    ReleaseDC(grid.Handle(), dc);
    return count;
  };
  EXPECT_GT(inkIn(0, 0), 40);
  EXPECT_EQ(inkIn(1, 0), 0);
  // Read as prefixes, "&" would vanish and "&&" would become one ampersand.
  const int one = inkIn(1, 1);
  const int two = inkIn(0, 1);
  EXPECT_GT(one, 0);
  EXPECT_GT(two, one * 3 / 2);
}

}  // namespace
