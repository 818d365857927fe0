// A tree of text nodes over the system tree view: lines and buttons, the node under the mouse
// highlighted, labels that the user cannot edit, no pictures.
//
// Nodes are numbered by their place in display order (a node, then its children, then its next
// sibling), counting every node as if all were expanded, so the numbers do not change when the
// user folds a branch. Adding a child under an earlier node moves the nodes after it one place
// on. A number outside 0 .. NodeCount() - 1 throws std::out_of_range.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "platform/ui/win_control.h"

namespace ui {

class TreeView : public WinControl {
 public:
  static constexpr int kNoNode = -1;

  explicit TreeView(WinControl* parent);

  // Adds a node as the last child of parent (kNoNode: as the last top-level node) and returns
  // its number.
  int AddNode(int parent, const std::string& text);
  int NodeCount() const;
  std::string NodeText(int node) const;
  bool Expanded(int node) const;
  void FullExpand();

  // The selected node, or kNoNode.
  int SelectedIndex() const;
  // Selects the node, which fires OnChange as a selection by the user does.
  void SelectNode(int node);

  // The selection moved to the node with this number.
  std::function<void(int node)> OnChange;

 protected:
  bool HandleNotify(NMHDR* header, LRESULT& result) override;

 private:
  HTREEITEM NextItem(HTREEITEM item, UINT relation) const;
  HTREEITEM NextInOrder(HTREEITEM item) const;
  HTREEITEM ItemAt(int node) const;
  int NumberOf(HTREEITEM item) const;
};

}  // namespace ui
