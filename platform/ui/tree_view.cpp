#include "platform/ui/tree_view.h"

#include <stdexcept>
#include <vector>

namespace ui {
namespace {

void RegisterTreeClassOnce() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TREEVIEW_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)registered;
}

}  // namespace

TreeView::TreeView(WinControl* parent) : WinControl(parent) {
  RegisterTreeClassOnce();
  // No TVS_EDITLABELS: the labels are read-only.
  CreateHandle(WC_TREEVIEWA,
               WS_TABSTOP | WS_CLIPSIBLINGS | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                   TVS_SHOWSELALWAYS | TVS_TRACKSELECT,
               WS_EX_CLIENTEDGE, "");
}

HTREEITEM TreeView::NextItem(HTREEITEM item, UINT relation) const {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(Handle(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::NextInOrder(HTREEITEM item) const {
  if (HTREEITEM child = NextItem(item, TVGN_CHILD)) return child;
  for (; item; item = NextItem(item, TVGN_PARENT)) {
    if (HTREEITEM sibling = NextItem(item, TVGN_NEXT)) return sibling;
  }
  return nullptr;
}

HTREEITEM TreeView::ItemAt(int node) const {
  HTREEITEM item = NextItem(nullptr, TVGN_ROOT);
  for (int n = 0; item && n < node; ++n) item = NextInOrder(item);
  if (node < 0 || !item) {
    throw std::out_of_range("tree node " + std::to_string(node) + " outside 0.." +
                            std::to_string(NodeCount() - 1));
  }
  return item;
}

int TreeView::NumberOf(HTREEITEM wanted) const {
  if (!wanted) return kNoNode;
  int n = 0;
  for (HTREEITEM item = NextItem(nullptr, TVGN_ROOT); item; item = NextInOrder(item), ++n) {
    if (item == wanted) return n;
  }
  return kNoNode;
}

int TreeView::AddNode(int parent, const std::string& text) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent == kNoNode ? TVI_ROOT : ItemAt(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text.c_str());
  const auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) throw std::runtime_error("cannot add the tree node \"" + text + "\"");
  return NumberOf(item);
}

int TreeView::NodeCount() const {
  return static_cast<int>(SendMessageA(Handle(), TVM_GETCOUNT, 0, 0));
}

std::string TreeView::NodeText(int node) const {
  std::vector<char> text(1024, '\0');
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = ItemAt(node);
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return std::string(text.data());
}

bool TreeView::Expanded(int node) const {
  const auto state = SendMessageA(Handle(), TVM_GETITEMSTATE,
                                  reinterpret_cast<WPARAM>(ItemAt(node)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void TreeView::FullExpand() {
  for (HTREEITEM item = NextItem(nullptr, TVGN_ROOT); item; item = NextInOrder(item)) {
    if (NextItem(item, TVGN_CHILD)) {
      SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
  }
}

int TreeView::SelectedIndex() const { return NumberOf(NextItem(nullptr, TVGN_CARET)); }

void TreeView::SelectNode(int node) {
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemAt(node)));
}

bool TreeView::HandleNotify(NMHDR* header, LRESULT& result) {
  switch (header->code) {
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      result = TRUE;  // refused: labels are read-only even when asked directly
      return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      // Both forms carry the new item at the same place; only the text pointers differ.
      const auto* change = reinterpret_cast<const NMTREEVIEWA*>(header);
      const int node = NumberOf(change->itemNew.hItem);
      if (node != kNoNode && OnChange) OnChange(node);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ui
