// The window as it opens, the page tree, and the tips box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/assistant/assistant_fixture.h"

namespace {

using WindowTest = AssistantTest;

const std::vector<std::string> kDefaultTips = {
    "操作提示信息!", "本软件只是用于提供界面进行", "参数设置，不需要发布到用户", "端。", "",
    "岚舟软件",      "http://www.example.com/",
};

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

ui::TabSheet* PageOf(ui::Control* control) {
  for (ui::Control* c = control; c; c = c->Parent()) {
    if (auto* page = dynamic_cast<ui::TabSheet*>(c)) return page;
  }
  return nullptr;
}

int NodeOf(const TForm1& form, const ui::TabSheet* page) {
  if (page == &form.tsCommon) return 2;
  if (page == &form.tsIntranet) return 3;
  if (page == &form.tsInternet) return 4;
  return 5;
}

TEST_F(WindowTest, OpensWithItsTitleSizeTreeAndOnlyTheCommonPage) {
  auto form = StartAssistant();
  EXPECT_EQ(form->Caption(), kTitle);
  EXPECT_EQ(form->GetCaptionText(), kTitle);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 792);
  EXPECT_EQ(client.bottom, 573);
  EXPECT_TRUE(form->MinImage.Visible());
  EXPECT_FALSE(form->MaxImage.Visible());

  const std::vector<std::string> labels = {kTitle,          "本地配置文件",   "常规设置",
                                           "局域网升级设置", "互联网升级设置", "界面定制"};
  ASSERT_EQ(form->tvMenu.NodeCount(), 6);
  for (int node = 0; node < 6; ++node) {
    EXPECT_EQ(form->tvMenu.NodeText(node), labels[static_cast<std::size_t>(node)]);
  }
  EXPECT_TRUE(form->tvMenu.Expanded(0));
  EXPECT_TRUE(form->tvMenu.Expanded(1));

  EXPECT_EQ(Tabs(*form), std::vector<std::string>{"常规设置"});
  EXPECT_EQ(form->PageControl1.ActivePage(), &form->tsCommon);
  EXPECT_TRUE(form->tsCommon.Visible());
  EXPECT_FALSE(form->tsInternet.Visible());

  EXPECT_EQ(form->sgServer.RowCount(), 5);
  EXPECT_EQ(form->sgServer.ColCount(), 3);
  EXPECT_EQ(form->sgServer.Cell(0, 0), "服务器名称");
  EXPECT_EQ(form->sgServer.Cell(1, 0), "状态");
  EXPECT_EQ(form->sgServer.Cell(2, 0), "");
  EXPECT_FALSE(form->SettingsChanged);
}

TEST_F(WindowTest, TreeNodesShowTheirPagesAndTheUpperTwoChangeNothing) {
  auto form = StartAssistant();
  struct Step {
    int node;
    const char* tab;
  } steps[] = {
      {3, "局域网升级设置"}, {0, "局域网升级设置"}, {4, "互联网升级设置"}, {1, "互联网升级设置"},
      {5, "界面定制"},       {2, "常规设置"},       {0, "常规设置"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.node);
    form->tvMenu.SelectNode(step.node);
    PumpMessages(5);
    EXPECT_EQ(form->tvMenu.SelectedIndex(), step.node);
    EXPECT_EQ(Tabs(*form), std::vector<std::string>{step.tab});
    ASSERT_NE(form->PageControl1.ActivePage(), nullptr);
    EXPECT_EQ(form->PageControl1.ActivePage()->Caption(), step.tab);
  }
  EXPECT_FALSE(form->SettingsChanged);
}

TEST_F(WindowTest, TipsBoxIsMintGreenReadOnlyAndStartsWithTheDefaultTips) {
  auto form = StartAssistant();
  EXPECT_EQ(form->mmTips.Lines(), kDefaultTips);
  EXPECT_EQ(form->DefaultTips, form->mmTips.Text());
  EXPECT_TRUE(GetWindowLongPtrA(form->mmTips.Handle(), GWL_STYLE) & ES_READONLY);
  form->mmTips.Repaint();
  // Below the text, where only the background shows.
  EXPECT_EQ(PixelAt(form->mmTips.Handle(), 20, form->mmTips.Height() - 12), RGB(192, 220, 192));
}

// Each of the 25 fields shows its hint while it has the focus and puts the default tips back
// when it loses it; none shows its hint as a tool tip.
TEST_F(WindowTest, FocusOnAFieldShowsItsHintAndLeavingRestoresTheDefaultTips) {
  auto form = StartAssistant();
  const auto hints = form->FieldHints();
  ASSERT_EQ(hints.size(), 25u);
  for (auto [control, hint] : hints) {
    SCOPED_TRACE(hint);
    form->tvMenu.SelectNode(NodeOf(*form, PageOf(control)));
    Focus(*control);
    ASSERT_TRUE(control->Focused() || GetParent(GetFocus()) == control->Handle());
    EXPECT_EQ(form->mmTips.Text(), hint);
    Focus(form->tvMenu);
    EXPECT_EQ(form->mmTips.Text(), form->DefaultTips);
    EXPECT_EQ(form->ToolTipText(control), "");
  }
  // Two of the texts, spelled out.
  Focus(form->edTimerHours);
  EXPECT_EQ(form->mmTips.Text(), "定时升级时间间隔,以小时为单位,小于或等于0时不定时升级");
  form->tvMenu.SelectNode(4);
  Focus(form->sgServer);
  EXPECT_EQ(form->mmTips.Text(), "所有可用的升级服务器列表,可直接编辑进行修改");
  // Typing into a cell opens the grid's editor: still inside the grid, still its hint.
  PostMessageA(form->sgServer.Handle(), WM_CHAR, 'a', 1);
  PumpMessages(5);
  EXPECT_TRUE(form->sgServer.EditorMode());
  EXPECT_EQ(form->mmTips.Text(), "所有可用的升级服务器列表,可直接编辑进行修改");
  Focus(form->cbSave);
  EXPECT_EQ(form->mmTips.Text(), form->DefaultTips);
}

// Every control lies inside its parent and no two neighbours cover each other, on every page.
TEST_F(WindowTest, ControlsFitTheirParentsWithoutOverlapping) {
  auto form = StartAssistant();
  const auto check = [](const ui::WinControl& parent, const auto& self) -> void {
    const auto& children = parent.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
      const RECT a = children[i]->BoundsRect();
      EXPECT_GE(a.left, 0) << parent.Handle();
      EXPECT_GE(a.top, 0);
      EXPECT_LE(a.right, parent.Width()) << "a control sticks out of its parent";
      EXPECT_LE(a.bottom, parent.Height()) << "a control sticks out of its parent";
      for (std::size_t j = i + 1; j < children.size(); ++j) {
        const RECT b = children[j]->BoundsRect();
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &a, &b))
            << "children " << i << " and " << j << " overlap";
      }
      if (auto* container = dynamic_cast<const ui::WinControl*>(children[i])) {
        if (!container->Children().empty()) self(*container, self);
      }
    }
  };
  for (ui::TabSheet* page : {&form->tsCommon, &form->tsIntranet, &form->tsInternet, &form->tsCustom}) {
    check(*page, check);
  }
}

}  // namespace
