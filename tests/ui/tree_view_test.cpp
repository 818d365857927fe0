// The tree view in a real form, over the system tree control: nodes added with double-byte
// labels, expanded, selected by the program, the mouse and the keys.
#include "platform/ui/tree_view.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"

namespace {

void Pump() { ui::Application::Instance().ProcessMessages(); }

class TreeViewTest : public ::testing::Test {
 protected:
  TreeViewTest() {
    tree.SetBounds(0, 0, 185, 300);
    form.Show();
    Pump();
  }

  // A root, one child and four pages below it, added in display order.
  void AddPageTree() {
    const int root = tree.AddNode(ui::TreeView::kNoNode, "岚舟智能升级助手");
    const int file = tree.AddNode(root, "本地配置文件");
    for (const char* page : {"常规设置", "局域网升级设置", "互联网升级设置", "界面定制"}) {
      tree.AddNode(file, page);
    }
  }

  // The item shown at a node's place, found by walking the control's visible items.
  HTREEITEM VisibleItem(int place) const {
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree.Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    for (int i = 0; item && i < place; ++i) {
      item = reinterpret_cast<HTREEITEM>(SendMessageA(tree.Handle(), TVM_GETNEXTITEM,
                                                      TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
    }
    return item;
  }

  int VisibleCount() const {
    int count = 0;
    while (VisibleItem(count)) ++count;
    return count;
  }

  ui::Form form{"tree", 400, 300, ui::BorderIcons{}};
  ui::TreeView tree{&form};
};

TEST_F(TreeViewTest, NodesKeepTheirDoubleByteLabelsAndFullExpandShowsThemAll) {
  AddPageTree();
  EXPECT_EQ(tree.NodeCount(), 6);
  EXPECT_EQ(tree.NodeText(0), "岚舟智能升级助手");
  EXPECT_EQ(tree.NodeText(4), "互联网升级设置");
  EXPECT_EQ(tree.NodeText(5), "界面定制");
  EXPECT_FALSE(tree.Expanded(0));
  EXPECT_EQ(VisibleCount(), 1);

  tree.FullExpand();
  EXPECT_TRUE(tree.Expanded(0));
  EXPECT_TRUE(tree.Expanded(1));
  EXPECT_EQ(VisibleCount(), 6);

  EXPECT_THROW(tree.NodeText(6), std::out_of_range);
  EXPECT_THROW(tree.AddNode(6, "x"), std::out_of_range);
}

TEST_F(TreeViewTest, NodesAreNumberedInDisplayOrder) {
  const int a = tree.AddNode(ui::TreeView::kNoNode, "A");
  const int b = tree.AddNode(ui::TreeView::kNoNode, "B");
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  // A child of A comes between A and B, which moves B on by one.
  EXPECT_EQ(tree.AddNode(a, "A1"), 1);
  EXPECT_EQ(tree.AddNode(2, "B1"), 3);
  EXPECT_EQ(tree.AddNode(0, "A2"), 2);
  const std::vector<std::string> want{"A", "A1", "A2", "B", "B1"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.NodeText(i), want[i]) << "node " << i;
}

TEST_F(TreeViewTest, SelectionChangesReportTheNodesPlace) {
  AddPageTree();
  tree.FullExpand();
  std::vector<int> changes;
  tree.OnChange = [&](int node) { changes.push_back(node); };

  tree.SelectNode(4);
  EXPECT_EQ(tree.SelectedIndex(), 4);
  EXPECT_EQ(changes, std::vector<int>{4});

  // A click on the third shown item.
  RECT item{};
  const HTREEITEM third = VisibleItem(2);
  std::memcpy(&item, &third, sizeof third);  // the message takes the item in the rectangle
  ASSERT_TRUE(SendMessageA(tree.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  // Posted together: on the press the control waits in a loop of its own for the release.
  PostMessageA(tree.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tree.Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(tree.SelectedIndex(), 2);
  EXPECT_EQ(changes, (std::vector<int>{4, 2}));

  // Down moves to the next shown node.
  tree.SetFocus();
  PostMessageA(tree.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(tree.Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
  Pump();
  EXPECT_EQ(tree.SelectedIndex(), 3);
  EXPECT_EQ(changes, (std::vector<int>{4, 2, 3}));
}

TEST_F(TreeViewTest, LabelsCannotBeEditedAndTheItemUnderTheMouseIsTracked) {
  AddPageTree();
  tree.FullExpand();
  const LONG_PTR style = GetWindowLongPtrA(tree.Handle(), GWL_STYLE);
  EXPECT_EQ(style & TVS_EDITLABELS, 0);
  EXPECT_NE(style & TVS_TRACKSELECT, 0);

  // Even with the style switched on from outside and the edit asked for directly, the
  // control does not start one.
  SetWindowLongPtrA(tree.Handle(), GWL_STYLE, style | TVS_EDITLABELS);
  tree.SetFocus();
  const auto edit = SendMessageA(tree.Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(VisibleItem(2)));
  Pump();
  EXPECT_EQ(edit, 0);
  EXPECT_EQ(SendMessageA(tree.Handle(), TVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_EQ(tree.NodeText(2), "常规设置");
}

}  // namespace
