// A grid of text cells addressed by column and row, painted by us. The top rows may be fixed
// as headings; below them there is always one current cell, which the user moves with the mouse
// and the keys and the program moves with SetCol/SetRow. Cells below the headings can be edited
// in place by an edit window laid over the current cell; what the user types is in the cell at
// once, so a program that reads Cell() sees it without waiting for the edit to end.
//
// Indices out of range are programming errors: every call that takes a column or row throws
// std::out_of_range for one outside the grid.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/win_control.h"

namespace ui {

struct GridOptions {
  bool rowSelect = false;    // the whole row of the current cell is highlighted
  bool colSizing = false;    // the user drags a column's right border in the heading rows
  bool editing = false;      // cells below the headings are edited in place
  bool rangeSelect = false;  // shift with arrows or a click, or a drag, selects a rectangle
};

// Columns left..right and rows top..bottom, both ends included.
struct GridRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const GridRect&) const = default;
};

class StringGridEditor;

class StringGrid : public WinControl {
 public:
  // Five columns of 64 pixels, five rows of 24 pixels, the first row fixed.
  explicit StringGrid(WinControl* parent);
  ~StringGrid() override;

  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  void SetColCount(int count);  // at least 1; added columns are empty and 64 pixels wide
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // At least 1 and FixedRows(); cells of the rows that remain are kept, added rows are empty.
  void SetRowCount(int count);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int count);  // 0 .. RowCount()
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);  // 0 hides the column, its grid line included
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);  // every row, without its grid line

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);

  const GridOptions& Options() const { return options_; }
  void SetOptions(const GridOptions& options);

  // The current cell. Without rows below the headings there is none: Row() is then RowCount(),
  // one past the last row, nothing is highlighted and neither keys nor clicks move it.
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Moves made by the program: they end an edit (keeping its text) and scroll the cell into
  // view, but ask no OnSelectCell and fire no OnClick. A row inside the headings throws;
  // SetCol without rows below the headings only records the column.
  void SetCol(int col);
  void SetRow(int row);
  void SetCurrent(int col, int row);
  // The selected cells: the current cell, its whole row (rowSelect), or the rectangle between
  // the anchor and the current cell (rangeSelect).
  GridRect Selection() const;

  // The first row shown below the headings.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);  // kept between FixedRows() and the last row that fills the view
  // Rows below the headings that fit wholly into the view (at least 1).
  int VisibleRowCount() const;

  bool EditorMode() const { return editing_; }
  // Opens the editor over the current cell with its text selected (when editing is allowed).
  void ShowEditor();
  // Closes the editor; what was typed stays in the cell.
  void HideEditor();

  // Client coordinates of a cell without its grid lines; empty when it is not in view.
  RECT CellRect(int col, int row) const;
  // The cell under a client point, or false when the point is on no cell.
  bool MouseToCell(int x, int y, int& col, int& row) const;

  // Before the user makes another cell current; set canSelect false to refuse.
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  // The editor changed the text of a cell (every change while typing, and on cancel).
  std::function<void(int col, int row, const std::string& text)> OnSetEditText;
  // Inherited events, as the grid fires them:
  //   OnClick    after the user made a cell current with the mouse or a key (also a click on
  //              the current cell); not for a click on the headings or a column border;
  //   OnKeyDown  every key pressed in the grid or its editor, before the grid acts on it;
  //              handled = true keeps the grid from acting;
  //   OnEnter, OnExit  the focus entering and leaving the grid and its editor taken together.

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(const MouseEvent& event) override;
  void MouseUp(const MouseEvent& event) override;
  void Click() override;
  void DblClick() override;

 protected:
  void Paint(HDC dc, const RECT& dirty) override;
  void Resized() override;

 private:
  friend class StringGridEditor;

  // Layout.
  int RowExtent() const { return rowHeight_ + 1; }
  int ColLeft(int col) const;
  int RowTopInView(int row) const;  // -1 when the row is scrolled out
  int HeadingHeight() const { return fixedRows_ * RowExtent(); }
  SIZE ClientSize() const;
  int MaxTopRow() const;
  bool HasDataRows() const { return RowCount() > fixedRows_; }
  int SizingBorderAt(int x, int y) const;  // column whose right border is under the point
  void CheckCol(int col) const;
  void CheckCell(int col, int row) const;

  // Painting.
  void PaintCell(HDC dc, int col, int row, const RECT& cell);
  bool IsHighlighted(int col, int row) const;

  // Moving the current cell.
  bool UserMoveTo(int col, int row, bool extend);
  void MoveCurrent(int col, int row, bool keepAnchor);
  void ScrollIntoView(int row);
  void ClampCurrent();
  int NextShownCol(int from, int step) const;  // -1 when there is none
  void UpdateScrollBar();
  void Scroll(WORD request);

  // Keys.
  void KeyDown(WORD key);
  void ActOnKey(WORD key);
  void NavigateBy(WORD key);
  void MoveToNextCell(bool backwards);
  void CharTyped(WPARAM ch, LPARAM lParam);
  void ImeCharTyped(WPARAM ch, LPARAM lParam);
  LRESULT DialogCode(const MSG* message) const;

  // The editor.
  void OpenEditor(bool selectAll);
  void CancelEditor();
  void PlaceEditor();
  void EditorTextChanged();
  bool EditorKeyDown(WORD key);
  void EditorGotFocus(HWND from);
  void EditorLostFocus(HWND to);
  HWND EditorHandle() const;

  std::vector<std::vector<std::string>> cells_;  // by row, then column
  std::vector<int> colWidths_;
  int fixedRows_ = 1;
  int rowHeight_ = 24;
  GridOptions options_;
  int col_ = 0;
  int row_ = 1;
  int anchorCol_ = 0;
  int anchorRow_ = 1;
  int topRow_ = 1;

  std::unique_ptr<StringGridEditor> editor_;
  bool editing_ = false;
  bool loadingEditor_ = false;
  int editCol_ = 0;
  int editRow_ = 0;
  std::string textBeforeEdit_;

  int sizingCol_ = -1;          // column whose border is being dragged
  bool dragSelecting_ = false;  // a press in a cell extends the range while the mouse moves
  bool suppressClick_ = false;  // the press was not on a cell that became current
  bool updatingScrollBar_ = false;
  bool destroying_ = false;
};

}  // namespace ui
