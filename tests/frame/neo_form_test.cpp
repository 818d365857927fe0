#include "shared/neo_form.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/application.h"
#include "tests/support/gui_support.h"

namespace {

constexpr ui::BorderIcons kMinimizeOnly{true, true, false};
constexpr ui::BorderIcons kAllIcons{true, true, true};

// Sends a mouse message to a window at a point in its client area.
void Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0) {
  SendMessageA(hwnd, message, keys, MAKELPARAM(x, y));
}

POINT ScreenPointOf(const ui::WinControl& parent, int x, int y) {
  POINT p{x, y};
  ClientToScreen(parent.Handle(), &p);
  return p;
}

class NeoFormTest : public testing::Test {
 protected:
  std::unique_ptr<TNeoForm> MakeForm(ui::BorderIcons icons = kMinimizeOnly) {
    auto form = std::make_unique<TNeoForm>("Frame", 545, 395, icons);
    form->Show();
    PumpMessages();
    return form;
  }
  void TearDown() override {
    ui::Application::Instance().SetShowMainForm(true);
    ui::Application::Instance().ResetTerminated();
  }
};

TEST_F(NeoFormTest, ConstructionSetsFrameStateAndHints) {
  auto form = MakeForm();
  EXPECT_FALSE(form->FSizeable);
  EXPECT_FALSE(form->FHideOnMinimize);
  EXPECT_EQ(form->GetColor(), 13619151u);
  EXPECT_EQ(form->GetCaptionText(), "Frame");
  EXPECT_EQ(form->TopPanel.Height(), 40);
  EXPECT_EQ(form->BottomPanel.Height(), 12);
  EXPECT_EQ(form->CaptionLabel.Left(), 82);
  EXPECT_EQ(form->CaptionLabel.Width(), 545 - 175);
  EXPECT_EQ(form->CloseImage.Left(), form->TopPanel.Width() - 21);
  EXPECT_EQ(form->MinImage.Left(), form->TopPanel.Width() - 55);
  EXPECT_EQ(form->TopRightImage.Left(), form->TopPanel.Width() - 94);
  EXPECT_EQ(form->ToolTipText(&form->MinImage), "最小化");
  EXPECT_EQ(form->ToolTipText(&form->MaxImage), "最大化");
  EXPECT_EQ(form->ToolTipText(&form->RestoreImage), "还原");
  EXPECT_EQ(form->ToolTipText(&form->CloseImage), "关闭");
  EXPECT_EQ(form->LeftImage.Cursor(), IDC_ARROW);
  form->SetCaptionText("新的标题");
  EXPECT_EQ(form->GetCaptionText(), "新的标题");
}

TEST_F(NeoFormTest, ActivationGivesTheTitleBarItsPictures) {
  auto form = MakeForm();
  SendMessageA(form->Handle(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  SendMessageA(form->Handle(), WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0);
  EXPECT_EQ(form->TopLeftImage.GetPicture(), form->GetFTopLeftImage.GetPicture());
  EXPECT_EQ(form->TopCenterImage.GetPicture(), form->GetFTopCenterImage.GetPicture());
  EXPECT_EQ(form->TopRightImage.GetPicture(), form->GetFTopRightImage.GetPicture());
  ASSERT_TRUE(form->TopLeftImage.GetPicture());
  EXPECT_EQ(form->TopLeftImage.GetPicture()->Width(), 81);
}

TEST_F(NeoFormTest, CaptionDragKeepsTheGrabbedPointUnderTheCursor) {
  auto form = MakeForm();
  form->SetBounds(100, 100, 545, 395);
  const HWND panel = form->TopPanel.Handle();
  const int grabX = form->CaptionLabel.Left() + 30;
  const int grabY = form->CaptionLabel.Top() + 5;
  const POINT start = ScreenPointOf(form->TopPanel, grabX, grabY);
  SetCursorPos(start.x, start.y);
  Mouse(panel, WM_LBUTTONDOWN, grabX, grabY, MK_LBUTTON);
  EXPECT_TRUE(form->FCaptionDragging);
  ASSERT_TRUE(SetCursorPos(start.x + 57, start.y + 33));
  POINT cursor;
  GetCursorPos(&cursor);
  Mouse(panel, WM_MOUSEMOVE, grabX, grabY, MK_LBUTTON);
  EXPECT_EQ(form->Left(), cursor.x - grabX);
  EXPECT_EQ(form->Top(), cursor.y - grabY);
  EXPECT_EQ(ScreenPointOf(form->TopPanel, grabX, grabY).x, cursor.x);
  Mouse(panel, WM_LBUTTONUP, grabX, grabY);
  EXPECT_FALSE(form->FCaptionDragging);

  // Outside the label (the mark at the left end of the title bar) nothing moves.
  const RECT before = form->BoundsRect();
  Mouse(panel, WM_LBUTTONDOWN, 60, 30, MK_LBUTTON);
  SetCursorPos(cursor.x + 40, cursor.y + 40);
  Mouse(panel, WM_MOUSEMOVE, 60, 30, MK_LBUTTON);
  Mouse(panel, WM_LBUTTONUP, 60, 30);
  EXPECT_EQ(form->Left(), before.left);
  EXPECT_EQ(form->Top(), before.top);
}

TEST_F(NeoFormTest, SizeLimits) {
  auto form = MakeForm();
  form->SetBounds(50, 50, 400, 300);
  ASSERT_EQ(form->Width(), 400);
  form->SetBounds(50, 50, 199, 300);
  EXPECT_EQ(form->Width(), 400);
  form->SetBounds(50, 50, 400, 59);
  EXPECT_EQ(form->Height(), 300);
  form->SetBounds(50, 50, 200, 60);
  EXPECT_EQ(form->Width(), 200);
  EXPECT_EQ(form->Height(), 60);

  // 792 x 573 on a work area of 800 x 570: each dimension on its own.
  RECT saved;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved, 0);
  RECT small{0, 0, 800, 570};
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &small, 0));
  form->SetBounds(0, 0, 792, 573);
  EXPECT_EQ(form->Width(), 792);
  EXPECT_EQ(form->Height(), 570);
  SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved, 0);
}

TEST_F(NeoFormTest, EdgesResizeOnlyWhenSizeable) {
  auto form = MakeForm();
  form->SetBounds(100, 100, 545, 395);
  const HWND host = form->Handle();  // the right edge lies on the form itself
  const int x = form->RightImage.Left() + 5;
  const int y = form->RightImage.Top() + 100;
  const POINT start = ScreenPointOf(*form, x, y);

  auto dragRight = [&](int by) {
    SetCursorPos(start.x, start.y);
    Mouse(host, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SetCursorPos(start.x + by, start.y);
    Mouse(host, WM_MOUSEMOVE, x, y, MK_LBUTTON);
    Mouse(host, WM_LBUTTONUP, x, y);
  };
  dragRight(30);
  EXPECT_EQ(form->Width(), 545);

  form->SetSizeable(true);
  EXPECT_EQ(form->RightImage.Cursor(), IDC_SIZEWE);
  EXPECT_EQ(form->BottomRightImage.Cursor(), IDC_SIZENWSE);
  dragRight(30);
  EXPECT_EQ(form->Width(), 575);
  dragRight(-500);  // would leave less than 200 pixels: refused
  EXPECT_EQ(form->Width(), 575);
}

TEST_F(NeoFormTest, WithoutMaximiseIconThereIsNoMaximiseButtonAndNoCaptionDoubleClick) {
  auto form = MakeForm(kMinimizeOnly);
  EXPECT_TRUE(form->MinImage.Visible());
  EXPECT_FALSE(form->MaxImage.Visible());
  EXPECT_FALSE(form->RestoreImage.Visible());
  const int x = form->CaptionLabel.Left() + 20;
  Mouse(form->TopPanel.Handle(), WM_LBUTTONDBLCLK, x, 15, MK_LBUTTON);
  Mouse(form->TopPanel.Handle(), WM_LBUTTONUP, x, 15);
  EXPECT_EQ(form->GetWindowState(), ui::WindowState::Normal);
}

TEST_F(NeoFormTest, WithMaximiseIconCaptionDoubleClickTogglesAndSwapsButtons) {
  auto form = MakeForm(kAllIcons);
  EXPECT_TRUE(form->MaxImage.Visible());
  form->CaptionLabelDblClick();
  PumpMessages();
  EXPECT_EQ(form->GetWindowState(), ui::WindowState::Maximized);
  EXPECT_FALSE(form->MaxImage.Visible());
  EXPECT_TRUE(form->RestoreImage.Visible());
  form->CaptionLabelDblClick();
  PumpMessages();
  EXPECT_EQ(form->GetWindowState(), ui::WindowState::Normal);
  EXPECT_TRUE(form->MaxImage.Visible());
}

TEST_F(NeoFormTest, MinimiseWithHideOnMinimizeLeavesNoTaskbarWindow) {
  auto form = MakeForm();
  ui::Application& app = ui::Application::Instance();
  app.SetMainForm(form.get());
  EXPECT_TRUE(IsWindowVisible(app.TaskbarHandle()));
  form->SetHideOnMinimize(true);
  form->MinImageClick();
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(app.TaskbarHandle()));
  EXPECT_FALSE(app.ShowMainForm());
  app.SetMainForm(nullptr);
}

TEST_F(NeoFormTest, ControlBoxDoubleClickAndCloseButtonRunTheCloseQuery) {
  auto form = MakeForm();
  int asked = 0;
  form->OnCloseQuery = [&](bool& canClose) {
    ++asked;
    canClose = false;
  };
  const HWND panel = form->TopPanel.Handle();
  Mouse(panel, WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
  Mouse(panel, WM_LBUTTONUP, 20, 15);
  EXPECT_EQ(asked, 0);  // a single click does nothing
  Mouse(panel, WM_LBUTTONDBLCLK, 20, 15, MK_LBUTTON);
  Mouse(panel, WM_LBUTTONUP, 20, 15);
  EXPECT_EQ(asked, 1);
  const int cx = form->CloseImage.Left() + 8;
  Mouse(panel, WM_LBUTTONDOWN, cx, 12, MK_LBUTTON);
  Mouse(panel, WM_LBUTTONUP, cx, 12);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

}  // namespace
