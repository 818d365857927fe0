// The push button of the window layer, on a plain form: clicks, Space, and Enter for the
// focused button or the form's default one. Keys go through the application's message loop,
// where the form's dialog keys are handled.
#include "platform/ui/button.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"

namespace {

void Pump() { ui::Application::Instance().ProcessMessages(); }

void PressKey(WORD key) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr) << "no window has the keyboard";
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  if (key == VK_SPACE) PostMessageA(focus, WM_CHAR, ' ', 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  Pump();
}

bool DrawnAsDefault(const ui::Button& button) {
  return (GetWindowLongPtrA(button.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

class ButtonTest : public testing::Test {
 protected:
  ButtonTest() {
    edit.SetBounds(10, 10, 120, 21);
    save.SetBounds(10, 40, 80, 25);
    close.SetBounds(100, 40, 80, 25);
    save.OnClick = [this] { ++saves; };
    close.OnClick = [this] { ++closes; };
    form.Show();
    Pump();
  }

  ui::Form form{"buttons", 300, 100, ui::BorderIcons{}};
  ui::Edit edit{&form};
  ui::Button save{&form, "保存(&S)"};
  ui::Button close{&form, "关闭"};
  int saves = 0;
  int closes = 0;
};

TEST_F(ButtonTest, ClickAndSpaceReportOnClick) {
  EXPECT_EQ(save.Caption(), "保存(&S)");
  SendMessageA(close.Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(closes, 1);
  close.SetFocus();
  PressKey(VK_SPACE);
  EXPECT_EQ(closes, 2);
  EXPECT_EQ(saves, 0);
}

TEST_F(ButtonTest, EnterPressesTheFocusedButtonOrElseTheDefaultOne) {
  edit.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(saves, 0) << "no default button yet";

  save.SetDefault(true);
  EXPECT_TRUE(DrawnAsDefault(save));
  edit.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(saves, 1);

  close.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(saves, 1);

  save.SetEnabled(false);
  edit.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(saves, 1) << "a disabled default button is not pressed";
}

TEST_F(ButtonTest, ANewDefaultButtonTakesThePartFromTheOldOne) {
  save.SetDefault(true);
  close.SetDefault(true);
  EXPECT_FALSE(save.Default());
  EXPECT_FALSE(DrawnAsDefault(save));
  EXPECT_TRUE(DrawnAsDefault(close));
  edit.SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(saves, 0);
}

}  // namespace
