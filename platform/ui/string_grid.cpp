#include "platform/ui/string_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/ui/window_text.h"

namespace ui {
namespace {

constexpr int kDefaultColCount = 5;
constexpr int kDefaultRowCount = 5;
constexpr int kDefaultColWidth = 64;
constexpr int kTextIndent = 2;
constexpr int kSizingReach = 2;  // pixels either side of a border that grab it
constexpr int kWheelRows = 3;

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

std::string CellName(int col, int row) {
  return "(" + std::to_string(col) + ", " + std::to_string(row) + ")";
}

}  // namespace

// The edit window laid over the current cell. It belongs to its grid and passes the keys,
// the focus changes and the text changes on to it.
class StringGridEditor : public WinControl {
 public:
  explicit StringGridEditor(StringGrid* grid) : WinControl(grid), grid_(grid) {
    SetVisible(false);
    CreateHandle("EDIT", WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL, 0, "");
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(kTextIndent, kTextIndent));
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (grid_->destroying_) return DefaultHandler(message, wParam, lParam);
    switch (message) {
      case WM_GETDLGCODE:
        // Enter, Esc and Tab belong to the edit, not to the form's dialog keys.
        return DefaultHandler(message, wParam, lParam) | DLGC_WANTALLKEYS;
      case WM_KEYDOWN:
        if (grid_->EditorKeyDown(static_cast<WORD>(wParam))) return 0;
        return DefaultHandler(message, wParam, lParam);
      case WM_CHAR:
        return Char(wParam, lParam);
      case WM_IME_CHAR:
        return ImeChar(wParam, lParam);
      case WM_SETFOCUS: {
        const LRESULT result = DefaultHandler(message, wParam, lParam);
        grid_->EditorGotFocus(reinterpret_cast<HWND>(wParam));
        return result;
      }
      case WM_KILLFOCUS: {
        leadByte_ = 0;
        const LRESULT result = DefaultHandler(message, wParam, lParam);
        grid_->EditorLostFocus(reinterpret_cast<HWND>(wParam));
        return result;
      }
      default:
        return WinControl::HandleMessage(message, wParam, lParam);
    }
  }

 protected:
  bool HandleCommand(WORD code) override {
    if (code != EN_CHANGE || grid_->destroying_) return false;
    grid_->EditorTextChanged();
    return true;
  }

 private:
  LRESULT Char(WPARAM ch, LPARAM lParam) {
    if (leadByte_) {
      const char pair[3] = {static_cast<char>(leadByte_), static_cast<char>(ch), '\0'};
      leadByte_ = 0;
      InsertText(pair);
      return 0;
    }
    // These keys were acted on at key-down; the edit would only beep.
    if (ch == '\r' || ch == '\n' || ch == '\t' || ch == 0x1B) return 0;
    if (IsDBCSLeadByte(static_cast<BYTE>(ch))) {
      leadByte_ = static_cast<BYTE>(ch);  // the trail byte follows in the next message
      return 0;
    }
    return DefaultHandler(WM_CHAR, ch, lParam);
  }

  LRESULT ImeChar(WPARAM ch, LPARAM lParam) {
    const BYTE lead = HIBYTE(LOWORD(ch));
    if (!lead) return Char(LOBYTE(LOWORD(ch)), lParam);
    const char pair[3] = {static_cast<char>(lead), static_cast<char>(LOBYTE(LOWORD(ch))), '\0'};
    InsertText(pair);
    return 0;
  }

  // A double-byte character is put in as text, which the edit converts by the text's code
  // page. Handed on as a character message it came out as "?" under Wine.
  void InsertText(const char* text) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }

  StringGrid* grid_;
  BYTE leadByte_ = 0;
};

StringGrid::StringGrid(WinControl* parent) : WinControl(parent) {
  colWidths_.assign(kDefaultColCount, kDefaultColWidth);
  cells_.assign(kDefaultRowCount, std::vector<std::string>(kDefaultColCount));
  SetColor(GetSysColor(COLOR_WINDOW));
  CreateHandle(nullptr, WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL,
               WS_EX_CLIENTEDGE, "");
  UpdateScrollBar();
}

StringGrid::~StringGrid() {
  // The editor's window goes first, while the grid can still be reached, but it may no longer
  // call back into handlers that belong to a form being torn down.
  destroying_ = true;
  editor_.reset();
}

// ---- Size and contents ----

void StringGrid::CheckCol(int col) const {
  if (col < 0 || col >= ColCount()) {
    throw std::out_of_range("grid column " + std::to_string(col) + " outside 0.." +
                            std::to_string(ColCount() - 1));
  }
}

void StringGrid::CheckCell(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) {
    throw std::out_of_range("grid cell " + CellName(col, row) + " outside " +
                            std::to_string(ColCount()) + " columns x " +
                            std::to_string(RowCount()) + " rows");
  }
}

void StringGrid::SetColCount(int count) {
  if (count < 1) throw std::out_of_range("a grid needs at least one column");
  if (editing_ && editCol_ >= count) HideEditor();
  colWidths_.resize(static_cast<std::size_t>(count), kDefaultColWidth);
  for (auto& row : cells_) row.resize(static_cast<std::size_t>(count));
  ClampCurrent();
  Invalidate();
}

void StringGrid::SetRowCount(int count) {
  if (count < std::max(fixedRows_, 1)) {
    throw std::out_of_range("grid row count " + std::to_string(count) + " below one row or the " +
                            std::to_string(fixedRows_) + " heading rows");
  }
  if (editing_ && editRow_ >= count) HideEditor();
  cells_.resize(static_cast<std::size_t>(count), std::vector<std::string>(colWidths_.size()));
  ClampCurrent();
  UpdateScrollBar();
  Invalidate();
}

void StringGrid::SetFixedRows(int count) {
  if (count < 0 || count > RowCount()) {
    throw std::out_of_range("grid heading rows " + std::to_string(count) + " outside 0.." +
                            std::to_string(RowCount()));
  }
  if (editing_ && editRow_ < count) HideEditor();
  fixedRows_ = count;
  ClampCurrent();
  UpdateScrollBar();
  Invalidate();
}

int StringGrid::ColWidth(int col) const {
  CheckCol(col);
  return colWidths_[static_cast<std::size_t>(col)];
}

void StringGrid::SetColWidth(int col, int width) {
  CheckCol(col);
  colWidths_[static_cast<std::size_t>(col)] = std::max(width, 0);
  PlaceEditor();
  Invalidate();
}

void StringGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = std::max(height, 1);
  ClampCurrent();
  UpdateScrollBar();
  PlaceEditor();
  Invalidate();
}

const std::string& StringGrid::Cell(int col, int row) const {
  CheckCell(col, row);
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void StringGrid::SetCell(int col, int row, const std::string& text) {
  CheckCell(col, row);
  cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
  if (editing_ && col == editCol_ && row == editRow_) {
    // The program's text replaces the edit, also as what Esc goes back to.
    textBeforeEdit_ = text;
    loadingEditor_ = true;
    SetWindowTextA(EditorHandle(), text.c_str());
    loadingEditor_ = false;
  }
  const RECT cell = CellRect(col, row);
  if (Handle() && !IsRectEmpty(&cell)) InvalidateRect(Handle(), &cell, FALSE);
}

void StringGrid::SetOptions(const GridOptions& options) {
  options_ = options;
  if (!options_.editing) HideEditor();
  if (!options_.rangeSelect) {
    anchorCol_ = col_;
    anchorRow_ = row_;
  }
  Invalidate();
}

// ---- Layout ----

SIZE StringGrid::ClientSize() const {
  RECT client{0, 0, 0, 0};
  if (Handle()) GetClientRect(Handle(), &client);
  return SIZE{client.right, client.bottom};
}

int StringGrid::ColLeft(int col) const {
  int left = 0;
  for (int c = 0; c < col; ++c) {
    const int width = colWidths_[static_cast<std::size_t>(c)];
    if (width > 0) left += width + 1;  // a hidden column has no grid line either
  }
  return left;
}

int StringGrid::RowTopInView(int row) const {
  if (row < fixedRows_) return row * RowExtent();
  if (row < topRow_) return -1;
  const int top = HeadingHeight() + (row - topRow_) * RowExtent();
  return top < ClientSize().cy ? top : -1;
}

int StringGrid::VisibleRowCount() const {
  return std::max(1, (static_cast<int>(ClientSize().cy) - HeadingHeight()) / RowExtent());
}

int StringGrid::MaxTopRow() const {
  return std::max(fixedRows_, RowCount() - VisibleRowCount());
}

RECT StringGrid::CellRect(int col, int row) const {
  CheckCell(col, row);
  const int width = colWidths_[static_cast<std::size_t>(col)];
  const int top = RowTopInView(row);
  if (width == 0 || top < 0) return RECT{0, 0, 0, 0};
  const int left = ColLeft(col);
  return RECT{left, top, left + width, top + rowHeight_};
}

bool StringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  int hitRow = -1;
  if (y < HeadingHeight()) {
    hitRow = y / RowExtent();
  } else {
    hitRow = topRow_ + (y - HeadingHeight()) / RowExtent();
  }
  if (hitRow >= RowCount()) return false;
  int left = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int width = colWidths_[static_cast<std::size_t>(c)];
    if (width == 0) continue;
    if (x <= left + width) {  // the grid line right of a cell belongs to it
      col = c;
      row = hitRow;
      return true;
    }
    left += width + 1;
  }
  return false;
}

int StringGrid::SizingBorderAt(int x, int y) const {
  if (!options_.colSizing || y < 0 || y >= HeadingHeight()) return -1;
  int best = -1;
  int bestDistance = kSizingReach + 1;
  for (int c = 0; c < ColCount(); ++c) {
    const int width = colWidths_[static_cast<std::size_t>(c)];
    if (width == 0) continue;
    const int distance = std::abs(x - (ColLeft(c) + width));
    // On a tie the later column wins, so that a very narrow column can still be widened.
    if (distance <= bestDistance) {
      best = c;
      bestDistance = distance;
    }
  }
  return bestDistance <= kSizingReach ? best : -1;
}

// ---- Painting ----

bool StringGrid::IsHighlighted(int col, int row) const {
  if (row < fixedRows_ || !HasDataRows()) return false;
  const GridRect selection = Selection();
  if (row < selection.top || row > selection.bottom) return false;
  if (options_.rowSelect) return true;
  if (col < selection.left || col > selection.right) return false;
  // The current cell carries the focus frame instead, as long as it is not the whole row.
  return !(col == col_ && row == row_);
}

void StringGrid::PaintCell(HDC dc, int col, int row, const RECT& cell) {
  const bool heading = row < fixedRows_;
  const bool highlighted = IsHighlighted(col, row);
  const bool edited = editing_ && col == editCol_ && row == editRow_;
  const int face = heading ? COLOR_BTNFACE : highlighted && !edited ? COLOR_HIGHLIGHT : COLOR_WINDOW;
  FillRect(dc, &cell, GetSysColorBrush(face));
  if (heading) {
    RECT edge = cell;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  if (edited) return;  // the editor lies over the cell
  const std::string& text = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  if (!text.empty()) {
    RECT textRect{cell.left + kTextIndent, cell.top, cell.right - kTextIndent, cell.bottom};
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT
                                             : heading ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (!heading && !options_.rowSelect && col == col_ && row == row_ && Focused()) {
    DrawFocusRect(dc, &cell);
  }
}

void StringGrid::Paint(HDC dc, const RECT& dirty) {
  FillRect(dc, &dirty, BackgroundBrush());
  SetBkMode(dc, TRANSPARENT);
  const SIZE client = ClientSize();
  const auto paintRow = [&](int row, int top) {
    int left = 0;
    for (int col = 0; col < ColCount() && left < client.cx; ++col) {
      const int width = colWidths_[static_cast<std::size_t>(col)];
      if (width == 0) continue;
      // The cell with its grid lines on the right and below.
      const RECT withLines{left, top, left + width + 1, top + RowExtent()};
      RECT overlap;
      if (IntersectRect(&overlap, &withLines, &dirty)) {
        FillRect(dc, &withLines, GetSysColorBrush(row < fixedRows_ ? COLOR_BTNSHADOW : COLOR_BTNFACE));
        PaintCell(dc, col, row, RECT{left, top, left + width, top + rowHeight_});
      }
      left += width + 1;
    }
  };
  for (int row = 0; row < fixedRows_; ++row) paintRow(row, row * RowExtent());
  for (int row = topRow_, top = HeadingHeight(); row < RowCount() && top < client.cy;
       ++row, top += RowExtent()) {
    paintRow(row, top);
  }
}

// ---- The current cell ----

GridRect StringGrid::Selection() const {
  GridRect selection{std::min(anchorCol_, col_), std::min(anchorRow_, row_),
                     std::max(anchorCol_, col_), std::max(anchorRow_, row_)};
  if (options_.rowSelect) {
    selection.left = 0;
    selection.right = ColCount() - 1;
  }
  return selection;
}

void StringGrid::ClampCurrent() {
  col_ = std::clamp(col_, 0, ColCount() - 1);
  anchorCol_ = std::clamp(anchorCol_, 0, ColCount() - 1);
  if (HasDataRows()) {
    row_ = std::clamp(row_, fixedRows_, RowCount() - 1);
    anchorRow_ = std::clamp(anchorRow_, fixedRows_, RowCount() - 1);
  } else {
    row_ = anchorRow_ = RowCount();  // one past the end: there is no current row
  }
  topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
}

void StringGrid::SetCol(int col) {
  CheckCol(col);
  if (!HasDataRows()) {
    // No current cell to move; the column is kept for when rows come.
    col_ = anchorCol_ = col;
    return;
  }
  SetCurrent(col, row_);
}

void StringGrid::SetRow(int row) { SetCurrent(col_, row); }

void StringGrid::SetCurrent(int col, int row) {
  CheckCell(col, row);
  if (row < fixedRows_) {
    throw std::out_of_range("grid row " + std::to_string(row) + " is a heading row");
  }
  MoveCurrent(col, row, false);
}

void StringGrid::MoveCurrent(int col, int row, bool keepAnchor) {
  HideEditor();
  col_ = col;
  row_ = row;
  if (!keepAnchor) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  ScrollIntoView(row);
  Invalidate();
}

bool StringGrid::UserMoveTo(int col, int row, bool extend) {
  if (!HasDataRows()) return false;
  if (col != col_ || row != row_) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(col, row, canSelect);
    if (!canSelect) return false;
    // The handler may have changed the grid.
    if (col >= ColCount() || row >= RowCount() || row < fixedRows_) return false;
  }
  MoveCurrent(col, row, extend && options_.rangeSelect);
  return true;
}

void StringGrid::ScrollIntoView(int row) {
  if (row < fixedRows_) return;
  if (row < topRow_) {
    SetTopRow(row);
  } else if (row >= topRow_ + VisibleRowCount()) {
    SetTopRow(row - VisibleRowCount() + 1);
  }
}

void StringGrid::SetTopRow(int row) {
  row = std::clamp(row, fixedRows_, MaxTopRow());
  if (row == topRow_) return;
  topRow_ = row;
  UpdateScrollBar();
  PlaceEditor();
  Invalidate();
}

int StringGrid::NextShownCol(int from, int step) const {
  for (int col = from + step; col >= 0 && col < ColCount(); col += step) {
    if (colWidths_[static_cast<std::size_t>(col)] > 0) return col;
  }
  return -1;
}

void StringGrid::UpdateScrollBar() {
  if (!Handle() || updatingScrollBar_) return;
  // Showing or hiding the bar resizes the client area, which comes back here.
  updatingScrollBar_ = true;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, RowCount() - fixedRows_ - 1);
  info.nPage = static_cast<UINT>(VisibleRowCount());
  info.nPos = topRow_ - fixedRows_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  updatingScrollBar_ = false;
}

void StringGrid::Scroll(WORD request) {
  const int page = VisibleRowCount();
  switch (request) {
    case SB_LINEUP: SetTopRow(topRow_ - 1); break;
    case SB_LINEDOWN: SetTopRow(topRow_ + 1); break;
    case SB_PAGEUP: SetTopRow(topRow_ - page); break;
    case SB_PAGEDOWN: SetTopRow(topRow_ + page); break;
    case SB_TOP: SetTopRow(fixedRows_); break;
    case SB_BOTTOM: SetTopRow(MaxTopRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &info);
      SetTopRow(fixedRows_ + info.nTrackPos);
      break;
    }
    default: break;
  }
}

void StringGrid::Resized() {
  topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
  UpdateScrollBar();
  PlaceEditor();
  Invalidate();
}

// ---- Keys ----

LRESULT StringGrid::DialogCode(const MSG* message) const {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  // Enter and Esc would otherwise press the form's default or cancel button.
  if (message && message->message == WM_KEYDOWN &&
      (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE) &&
      (options_.editing || OnKeyDown)) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

void StringGrid::KeyDown(WORD key) {
  bool handled = false;
  if (OnKeyDown) OnKeyDown(key, handled);
  if (!handled) ActOnKey(key);
}

void StringGrid::ActOnKey(WORD key) {
  switch (key) {
    case VK_RETURN:
      // Looked at after the program's key handler, which may have moved the current cell
      // and so ended the edit: Enter then goes on editing in the new cell.
      if (editing_) {
        HideEditor();
      } else {
        OpenEditor(true);
      }
      break;
    case VK_ESCAPE:
      CancelEditor();
      break;
    case VK_F2:
      OpenEditor(false);
      break;
    case VK_TAB:
      if (options_.editing) MoveToNextCell(KeyIsDown(VK_SHIFT));
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      NavigateBy(key);
      break;
    default:
      break;
  }
}

void StringGrid::NavigateBy(WORD key) {
  if (!HasDataRows()) return;
  const int firstRow = fixedRows_;
  const int lastRow = RowCount() - 1;
  const bool toRowEnds = options_.rowSelect || KeyIsDown(VK_CONTROL);
  int col = col_;
  int row = row_;
  switch (key) {
    case VK_UP: row = std::max(firstRow, row - 1); break;
    case VK_DOWN: row = std::min(lastRow, row + 1); break;
    case VK_PRIOR: row = std::max(firstRow, row - VisibleRowCount()); break;
    case VK_NEXT: row = std::min(lastRow, row + VisibleRowCount()); break;
    case VK_LEFT:
      if (const int prev = NextShownCol(col, -1); prev >= 0) col = prev;
      break;
    case VK_RIGHT:
      if (const int next = NextShownCol(col, 1); next >= 0) col = next;
      break;
    case VK_HOME:
      if (toRowEnds) {
        row = firstRow;
      } else if (const int first = NextShownCol(-1, 1); first >= 0) {
        col = first;
      }
      break;
    case VK_END:
      if (toRowEnds) {
        row = lastRow;
      } else if (const int last = NextShownCol(ColCount(), -1); last >= 0) {
        col = last;
      }
      break;
    default: break;
  }
  const bool extend = KeyIsDown(VK_SHIFT);
  if (col == col_ && row == row_) return;
  if (UserMoveTo(col, row, extend)) Control::Click();
}

void StringGrid::MoveToNextCell(bool backwards) {
  if (!HasDataRows()) return;
  HideEditor();
  const int step = backwards ? -1 : 1;
  int col = NextShownCol(col_, step);
  int row = row_;
  if (col < 0) {
    row += step;
    if (row < fixedRows_ || row >= RowCount()) return;  // no cell beyond the last one
    col = NextShownCol(backwards ? ColCount() : -1, step);
    if (col < 0) return;
  }
  if (UserMoveTo(col, row, false)) Control::Click();
}

void StringGrid::CharTyped(WPARAM ch, LPARAM lParam) {
  // Control characters (Enter, Tab, Esc, Backspace) were keys; anything else starts an edit
  // that replaces the cell's text, a double-byte character's lead byte included.
  if (ch < 0x20 || ch == 0x7F || !options_.editing) return;
  if (!editing_) OpenEditor(true);
  if (editing_) SendMessageA(EditorHandle(), WM_CHAR, ch, lParam);
}

void StringGrid::ImeCharTyped(WPARAM ch, LPARAM lParam) {
  // Left to the default handling, a double-byte character would come back as two queued
  // character messages, which the form's dialog-key handling converts one byte at a time
  // and so spoils; the editor takes it whole.
  if (!HIBYTE(LOWORD(ch))) {
    CharTyped(LOBYTE(LOWORD(ch)), lParam);
    return;
  }
  if (!options_.editing) return;
  if (!editing_) OpenEditor(true);
  if (editing_) SendMessageA(EditorHandle(), WM_IME_CHAR, ch, lParam);
}

// ---- The editor ----

HWND StringGrid::EditorHandle() const { return editor_ ? editor_->Handle() : nullptr; }

void StringGrid::ShowEditor() { OpenEditor(true); }

void StringGrid::OpenEditor(bool selectAll) {
  if (!options_.editing || !HasDataRows() || !Handle()) return;
  if (editing_) {
    if (GetFocus() != EditorHandle()) editor_->SetFocus();
    return;
  }
  if (colWidths_[static_cast<std::size_t>(col_)] == 0) return;
  ScrollIntoView(row_);
  if (!editor_) editor_ = std::make_unique<StringGridEditor>(this);
  editCol_ = col_;
  editRow_ = row_;
  textBeforeEdit_ = Cell(col_, row_);
  HWND edit = EditorHandle();
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  loadingEditor_ = true;
  SetWindowTextA(edit, textBeforeEdit_.c_str());
  loadingEditor_ = false;
  editing_ = true;
  PlaceEditor();
  if (!editing_) return;
  const int length = static_cast<int>(textBeforeEdit_.size());
  SendMessageA(edit, EM_SETSEL, selectAll ? 0 : length, length);
  editor_->SetVisible(true);
  editor_->SetFocus();
  Invalidate();
}

void StringGrid::HideEditor() {
  if (!editing_) return;
  editing_ = false;
  // Focus first, so that the edit window never keeps the keyboard while hidden.
  if (GetFocus() == EditorHandle()) ::SetFocus(Handle());
  editor_->SetVisible(false);
  Invalidate();
}

void StringGrid::CancelEditor() {
  if (!editing_) return;
  std::string& cell = cells_[static_cast<std::size_t>(editRow_)][static_cast<std::size_t>(editCol_)];
  const bool changed = cell != textBeforeEdit_;
  cell = textBeforeEdit_;
  HideEditor();
  if (changed && OnSetEditText) OnSetEditText(editCol_, editRow_, textBeforeEdit_);
}

void StringGrid::PlaceEditor() {
  if (!editing_) return;
  const RECT cell = CellRect(editCol_, editRow_);
  if (IsRectEmpty(&cell)) {
    HideEditor();  // scrolled out or hidden: the edit ends with what was typed
    return;
  }
  // A one-line edit writes at its top, so it is made as high as the text and centred.
  int textHeight = rowHeight_;
  if (HDC dc = GetDC(Handle())) {
    SelectedObject font(dc, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) textHeight = std::min<int>(metrics.tmHeight, rowHeight_);
    ReleaseDC(Handle(), dc);
  }
  const int top = cell.top + (rowHeight_ - textHeight) / 2;
  editor_->SetBounds(cell.left, top, cell.right - cell.left, textHeight);
}

void StringGrid::EditorTextChanged() {
  if (loadingEditor_ || !editing_) return;
  const std::string text = GetWindowTextString(EditorHandle());
  cells_[static_cast<std::size_t>(editRow_)][static_cast<std::size_t>(editCol_)] = text;
  if (OnSetEditText) OnSetEditText(editCol_, editRow_, text);
}

bool StringGrid::EditorKeyDown(WORD key) {
  bool handled = false;
  if (OnKeyDown) OnKeyDown(key, handled);
  if (handled) return true;
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      ActOnKey(key);
      return true;
    default:
      // Left, Right, Home, End and the rest edit the text, unless the program's handler
      // already ended the edit.
      return !editing_;
  }
}

void StringGrid::EditorGotFocus(HWND from) {
  if (from != Handle() && OnEnter) OnEnter();
}

void StringGrid::EditorLostFocus(HWND to) {
  if (editing_) {
    editing_ = false;  // what was typed is in the cell already
    editor_->SetVisible(false);
    Invalidate();
  }
  if (to != Handle()) {
    Invalidate();
    if (OnExit) OnExit();
  }
}

// ---- Mouse ----

void StringGrid::MouseDown(const MouseEvent& event) {
  suppressClick_ = true;
  dragSelecting_ = false;
  if (event.button == MouseButton::Left) {
    if (!Focused()) SetFocus();
    int col = 0;
    int row = 0;
    if (const int border = SizingBorderAt(event.x, event.y); border >= 0) {
      sizingCol_ = border;
      ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    } else if (MouseToCell(event.x, event.y, col, row) && row >= fixedRows_) {
      const bool extend = KeyIsDown(VK_SHIFT) && !event.doubleClick;
      if (UserMoveTo(col, row, extend)) {
        suppressClick_ = false;
        dragSelecting_ = options_.rangeSelect;
      }
    }
  }
  Control::MouseDown(event);
}

void StringGrid::MouseMove(const MouseEvent& event) {
  if (sizingCol_ >= 0) {
    ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    SetColWidth(sizingCol_, std::max(1, event.x - ColLeft(sizingCol_)));
  } else if (dragSelecting_ && GetCapture() == Handle()) {
    int col = 0;
    int row = 0;
    if (MouseToCell(event.x, event.y, col, row) && row >= fixedRows_ &&
        (col != col_ || row != row_)) {
      UserMoveTo(col, row, true);
    }
  }
  Control::MouseMove(event);
}

void StringGrid::MouseUp(const MouseEvent& event) {
  sizingCol_ = -1;
  dragSelecting_ = false;
  Control::MouseUp(event);
}

void StringGrid::Click() {
  if (suppressClick_) return;
  Control::Click();
}

void StringGrid::DblClick() {
  if (!suppressClick_) OpenEditor(true);
  Control::DblClick();
}

// ---- Messages ----

LRESULT StringGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_ && (message == WM_SETFOCUS || message == WM_KILLFOCUS)) {
    return DefaultHandler(message, wParam, lParam);
  }
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
      KeyDown(static_cast<WORD>(wParam));
      return 0;
    case WM_CHAR:
      CharTyped(wParam, lParam);
      return 0;
    case WM_IME_CHAR:
      ImeCharTyped(wParam, lParam);
      return 0;
    case WM_VSCROLL:
      Scroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelRows);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        if (sizingCol_ >= 0 || SizingBorderAt(p.x, p.y) >= 0) {
          ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) {
        sizingCol_ = -1;
        dragSelecting_ = false;
      }
      break;
    case WM_SETFOCUS:
      Invalidate();
      // Coming back from our own editor is no entering.
      if (reinterpret_cast<HWND>(wParam) == EditorHandle() && wParam) {
        return DefaultHandler(message, wParam, lParam);
      }
      break;
    case WM_KILLFOCUS:
      Invalidate();
      if (reinterpret_cast<HWND>(wParam) == EditorHandle() && wParam) {
        return DefaultHandler(message, wParam, lParam);
      }
      break;
    default:
      break;
  }
  return WinControl::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
