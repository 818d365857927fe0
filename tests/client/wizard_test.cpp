// The wizard's steps against the test HTTP server.
#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/os_file.h"
#include "platform/ui/application.h"
#include "platform/ui/timer.h"
#include "tests/client/update_fixture.h"

namespace {

class WizardTest : public UpdateTest {
 protected:
  struct State {
    int step;
    ui::TabSheet* page;
    bool prev, next, start;
  };
  static void ExpectState(const TForm1& form, const State& s) {
    EXPECT_EQ(form.CurrentPage, s.step);
    EXPECT_EQ(form.PageControl1.ActivePage(), s.page);
    EXPECT_EQ(form.PageControl1.TabCaptions().size(), 1u);
    EXPECT_EQ(form.cbPrev.Enabled(), s.prev);
    EXPECT_EQ(form.cbNext.Enabled(), s.next);
    EXPECT_EQ(form.cbStart.Enabled(), s.start);
  }
  std::unique_ptr<TForm1> StartWithRelease(bool lan = false) {
    ServeManifest({{"1.1", {"a.txt"}}});
    Serve("release/a.txt", "a");
    WriteSettings({ReleaseUrl()});
    auto form = StartClient();
    if (lan) form->rbIntranet.SetChecked(true);
    return form;
  }
};

TEST_F(WizardTest, TransitionsInInternetMode) {
  auto form = StartWithRelease();
  TForm1& f = *form;
  ExpectState(f, {0, &f.TabSheet1, false, true, false});
  f.cbNextClick();
  ExpectState(f, {1, &f.TabSheet2, true, true, false});
  f.cbPrevClick();
  ExpectState(f, {0, &f.TabSheet1, false, true, false});
  f.cbNextClick();
  f.cbNextClick();  // fetches, lists one file and moves on by itself
  ExpectState(f, {3, &f.TabSheet5, true, true, false});
  EXPECT_EQ(f.sgFile.Cell(1, 1), "a.txt");
  EXPECT_EQ(Requests(), (std::vector<std::string>{"GET /release/updates.ini", "HEAD /release//a.txt"}));
  f.cbPrevClick();
  ExpectState(f, {1, &f.TabSheet2, true, true, false});
  f.cbNextClick();
  f.cbNextClick();  // step 4: the download
  ExpectState(f, {4, &f.TabSheet5, true, false, true});
  EXPECT_EQ(f.sgFile.Cell(0, 1), "√");
  EXPECT_EQ(ReadFileBytes(Staged("a.txt")), "a");
  f.cbPrevClick();
  ExpectState(f, {1, &f.TabSheet2, true, true, true});  // "开始" keeps its state
  EXPECT_FALSE(f.UpdateFinished);
}

TEST_F(WizardTest, FailedFetchStopsOnTheManifestPage) {
  auto form = StartWithRelease();
  server_.AddRule("path /release/updates.ini\nstatus 404\n");
  form->cbNextClick();
  form->cbNextClick();
  ExpectState(*form, {2, &form->TabSheet4, true, false, false});
  EXPECT_TRUE(form->stError.Visible());
  EXPECT_FALSE(form->stInfo.Visible());
  form->cbPrevClick();
  ExpectState(*form, {1, &form->TabSheet2, true, true, false});
}

TEST_F(WizardTest, NothingNewerFinishesTheRunUntilTheUserGoesBack) {
  ServeManifest({{"1.0", {"a.txt"}}, {"1.2", {}}});  // 1.2 lists no file but is newer
  WriteSettings({ReleaseUrl()}, true, "1.0");
  auto form = StartClient();
  form->cbNextClick();
  form->cbNextClick();
  ExpectState(*form, {2, &form->TabSheet4, true, false, false});
  EXPECT_TRUE(form->stInfo.Visible());
  EXPECT_FALSE(form->stError.Visible());
  EXPECT_TRUE(form->UpdateFinished);
  EXPECT_EQ(form->NewVersion, "1.2");
  EXPECT_EQ(form->sgFile.RowCount(), 2);
  EXPECT_EQ(form->sgFile.Cell(1, 1), "");
  {
    DialogScript dialogs;  // finished: leaving asks nothing
    bool canClose = true;
    form->FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(dialogs.Calls().empty());
  }
  form->cbPrevClick();
  EXPECT_FALSE(form->UpdateFinished);
}

TEST_F(WizardTest, LanModeGoesBackToTheFolderPage) {
  auto form = StartWithRelease(/*lan=*/true);
  form->cbNextClick();
  ExpectState(*form, {1, &form->TabSheet3, true, true, false});
  form->cbNextClick();  // no LAN transfer in this program yet: the fetch fails visibly
  ExpectState(*form, {2, &form->TabSheet4, true, false, false});
  EXPECT_TRUE(form->stError.Visible());
  form->cbPrevClick();
  ExpectState(*form, {1, &form->TabSheet3, true, true, false});
}

TEST_F(WizardTest, CancelAsksAndCancelKeepsTheWizard) {
  auto form = StartWithRelease();
  DialogScript dialogs;
  dialogs.Answer(IDCANCEL);
  form->cbCancelClick();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Calls()[0].text, "升级尚未完成，确认要退出吗？");
  EXPECT_EQ(dialogs.Calls()[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_FALSE(ui::Application::Instance().Terminated());
  form->UpdateFinished = true;
  form->cbCancelClick();
  EXPECT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_TRUE(ui::Application::Instance().Terminated());
}

TEST_F(WizardTest, FolderBrowsers) {
  auto form = StartWithRelease();
  std::vector<ui::FolderBrowseCall> calls;
  std::optional<std::string> answer;
  ui::Application::Instance().SetFolderResponder([&](const ui::FolderBrowseCall& call) {
    calls.push_back(call);
    return answer;
  });
  const std::string before = form->edSaved.Text();
  form->cbSavedClick();
  EXPECT_EQ(form->edSaved.Text(), before);
  answer = "D:\\下载";
  form->cbSavedClick();
  EXPECT_EQ(form->edSaved.Text(), "D:\\下载");
  form->cbNetPathClick();
  EXPECT_EQ(form->edNetPath.Text(), "D:\\下载");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].title, "请选择下载文件保存路径");
  EXPECT_EQ(calls[2].title, "请选择升级文件所在路径");
  EXPECT_EQ(calls[0].owner, form->Handle());
  ui::Application::Instance().SetFolderResponder(nullptr);
}

TEST_F(WizardTest, WindowKeepsWorkingDuringAStalledDownloadAndCancelEndsIt) {
  auto form = StartWithRelease();
  Serve("release/a.txt", std::string(100000, 'a'));
  form->cbNextClick();
  form->cbNextClick();
  ASSERT_EQ(form->CurrentPage, 3);
  WriteFileBytes(Staged("a.txt"), "earlier");
  server_.AddRule("path /release//a.txt\nmethod GET\nstall-at 50000\nstall 30\n");

  // During the stall a timer fires, and clicks are handled: "下一步" and "上一步" wait,
  // "取消" (confirmed) ends the transfer and the program.
  DialogScript dialogs;
  dialogs.Answer(IDOK);
  int ticks = 0;
  ui::Timer timer;
  timer.SetInterval(50);
  timer.OnTimer = [&] {
    ++ticks;
    if (ticks == 3) {
      EXPECT_TRUE(form->TransferRunning());
      EXPECT_FALSE(form->cbPrev.Enabled());
      form->cbNextClick();  // refused while the download runs
      form->cbPrevClick();
      EXPECT_EQ(form->CurrentPage, 4);
      const int x = form->cbCancel.Left() + 10;
      const int y = form->cbCancel.Top() + 10;
      PostMessageA(form->Panel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      PostMessageA(form->Panel1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
  };
  timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  form->cbNextClick();
  timer.SetEnabled(false);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_TRUE(ui::Application::Instance().Terminated());
  EXPECT_EQ(form->sgFile.Cell(0, 1), "×");
  EXPECT_FALSE(form->cbStart.Enabled());
  EXPECT_EQ(ReadFileBytes(Staged("a.txt")), "earlier");
  EXPECT_FALSE(os_file::FileExists(AtomicFileWriter::TempPathFor(Staged("a.txt"))));
  EXPECT_FALSE(form->TransferRunning());
}

}  // namespace
