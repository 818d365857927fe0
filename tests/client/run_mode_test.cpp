// Start-up: run modes, the Run value, the notification-area icon, the close query.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "tests/client/client_fixture.h"

namespace {

using RunModeTest = ClientTest;

const std::string kPage1 = "请选择智能升级模式";
const std::string kPage6 = "智能自动升级";

TEST_F(RunModeTest, SettingsChooseTheRunMode) {
  struct Case {
    const char* what;
    int autoUpdate, autoStart, hours;
    std::string tab;
    bool windowShown;
    bool runValue;
    UINT checkInterval;  // 0: TimerCheck off
  } cases[] = {
      {"wizard", 0, 0, 0, kPage1, true, false, 0},
      {"unattended, daily check", 1, 0, 24, kPage6, true, false, 86400000u},
      {"background, hourly check", 0, 1, 1, kPage1, false, true, 3600000u},
      {"unattended in the background, huge interval", 1, 1, 5000, kPage6, false, true,
       1193u * 3600000u},
      {"negative hours", 0, 0, -5, kPage1, true, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    SetRunValue("C:\\Program Files\\App\\quillark.exe");  // left by an earlier start
    WriteIni("[Common]\r\nAutoUpdate=" + std::to_string(c.autoUpdate) +
             "\r\nAutoStart=" + std::to_string(c.autoStart) +
             "\r\nTimerCheckHours=" + std::to_string(c.hours) + "\r\n");
    auto form = StartClient();
    ui::Application& app = ui::Application::Instance();

    EXPECT_EQ(form->PageControl1.TabCaptions(), std::vector<std::string>{c.tab});
    EXPECT_EQ(form->PageControl1.ActivePage(), c.autoUpdate ? &form->TabSheet6 : &form->TabSheet1);
    EXPECT_FALSE(form->cbPrev.Enabled());
    EXPECT_EQ(form->cbNext.Enabled(), !c.autoUpdate);
    EXPECT_FALSE(form->cbStart.Enabled());
    EXPECT_TRUE(form->cbCancel.Enabled());
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, c.windowShown);
    EXPECT_EQ(IsWindowVisible(app.TaskbarHandle()) != FALSE, c.windowShown);
    EXPECT_EQ(app.ShowMainForm(), c.windowShown);
    EXPECT_EQ(RunValue().has_value(), c.runValue);
    EXPECT_EQ(TrayIconPresent(form->Handle()), c.autoStart == 1);
    EXPECT_EQ(form->FHideOnMinimize, c.autoStart == 1);
    EXPECT_EQ(form->Timer1.Enabled(), c.autoUpdate == 1);
    EXPECT_EQ(form->Timer1.Interval(), 2000u);
    EXPECT_EQ(form->TimerCheck.Enabled(), c.checkInterval != 0);
    if (c.checkInterval) {
      EXPECT_EQ(form->TimerCheck.Interval(), c.checkInterval);
    }
    const HWND handle = form->Handle();
    form.reset();
    EXPECT_FALSE(TrayIconPresent(handle));  // removed at the end, whatever the mode
    TearDown();
  }
}

TEST_F(RunModeTest, AutostartKeepsAnotherPathAndAddsItsOwnWhenMissing) {
  WriteIni("[Common]\r\nAutoStart=1\r\n");
  SetRunValue("D:\\Elsewhere\\quillark.exe");
  StartClient().reset();
  EXPECT_EQ(RunValue(), "D:\\Elsewhere\\quillark.exe");

  DeleteRunValue();
  StartClient().reset();
  EXPECT_EQ(RunValue(), ui::Application::Instance().ExeName());

  WriteIni("[Common]\r\nAutoStart=0\r\n");
  StartClient().reset();
  EXPECT_FALSE(RunValue().has_value());
}

TEST_F(RunModeTest, TrayIconDoubleClickWithEitherButtonShowsTheWindow) {
  WriteIni("[Common]\r\nAutoStart=1\r\n");
  auto form = StartClient();
  ui::Application& app = ui::Application::Instance();
  ASSERT_FALSE(IsWindowVisible(form->Handle()));
  SendMessageA(form->Handle(), TForm1::kTrayIconMessage, 0, WM_LBUTTONUP);
  SendMessageA(form->Handle(), TForm1::kTrayIconMessage, 0, WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  SendMessageA(form->Handle(), TForm1::kTrayIconMessage, 0, WM_RBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(app.ShowMainForm());

  // Minimising hides it again, icon still there; the left button brings it back.
  form->MinImageClick();
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(app.TaskbarHandle()));
  EXPECT_TRUE(TrayIconPresent(form->Handle()));
  SendMessageA(form->Handle(), TForm1::kTrayIconMessage, 0, WM_LBUTTONDBLCLK);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_NE(form->GetWindowState(), ui::WindowState::Minimized);
  const HWND handle = form->Handle();
  form.reset();
  EXPECT_FALSE(TrayIconPresent(handle));
}

TEST_F(RunModeTest, CloseQueryAsksUnlessTheUpdateFinished) {
  WriteIni("[Common]\r\nWindowCaption=示例软件升级\r\n");
  auto form = StartClient();
  DialogScript dialogs;
  dialogs.Answer(IDCANCEL);
  form->CloseImageClick();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  const ui::MessageBoxCall& call = dialogs.Calls()[0];
  EXPECT_EQ(call.text, "升级尚未完成，确认要退出吗？");
  EXPECT_EQ(call.caption, "示例软件升级");
  EXPECT_EQ(call.flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(call.owner, form->Handle());
  EXPECT_FALSE(ui::Application::Instance().Terminated());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  dialogs.Answer(IDOK);
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialogs.Calls().size(), 2u);
  EXPECT_TRUE(ui::Application::Instance().Terminated());

  ui::Application::Instance().ResetTerminated();
  form->UpdateFinished = true;
  bool canClose = true;
  form->FormCloseQuery(canClose);
  EXPECT_TRUE(canClose);
  EXPECT_EQ(dialogs.Calls().size(), 2u);
  // Logging off asks the same question.
  form->UpdateFinished = false;
  dialogs.Answer(IDCANCEL);
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(dialogs.Calls().size(), 3u);
}

TEST_F(RunModeTest, BrandingTextsIncludingEmptyOnes) {
  WriteIni("[Common]\r\nWindowCaption=\r\nVendorName=岚舟软件\r\nSoftSite=产品网站\r\n");
  auto form = StartClient();
  EXPECT_EQ(form->GetCaptionText(), "");
  EXPECT_EQ(ui::Application::Instance().Title(), "");
  EXPECT_EQ(form->txtVendor.Caption(), "岚舟软件");
  EXPECT_EQ(form->txtSoftSite.Caption(), "产品网站");
  char title[64] = "x";
  GetWindowTextA(ui::Application::Instance().TaskbarHandle(), title, sizeof title);
  EXPECT_STREQ(title, "");
}

}  // namespace
