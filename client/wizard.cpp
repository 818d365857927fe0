// The wizard: the step counter behind the pages and the buttons that move it.
#include "client/form1.h"
#include "platform/ui/application.h"

namespace {

// While the manifest fetch or the download runs, "上一步" and "下一步" wait for it: a click
// there would start another fetch under the running transfer. "取消" stays available.
class TransferScope {
 public:
  TransferScope(bool& running, ui::SpeedButton& prev) : running_(running), prev_(prev) {
    running_ = true;
    prevWasEnabled_ = prev_.Enabled();
    prev_.SetEnabled(false);
  }
  ~TransferScope() {
    running_ = false;
    prev_.SetEnabled(prevWasEnabled_);
  }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

 private:
  bool& running_;
  ui::SpeedButton& prev_;
  bool prevWasEnabled_ = false;
};

}  // namespace

void TForm1::HideActivePage() {
  if (ui::TabSheet* page = PageControl1.ActivePage()) page->SetTabVisible(false);
}

void TForm1::ShowPage(ui::TabSheet& page) {
  page.SetTabVisible(true);
  PageControl1.SetActivePage(&page);
}

void TForm1::cbNextClick() {
  if (transferRunning_) return;
  HideActivePage();
  cbNext.SetEnabled(true);
  cbPrev.SetEnabled(true);
  ++CurrentPage;
  switch (CurrentPage) {
    case 0:
      ShowPage(TabSheet1);
      break;
    case 1:
      ShowPage(InternetMode() ? TabSheet2 : TabSheet3);
      break;
    case 2: {
      stError.SetVisible(false);
      stInfo.SetVisible(false);
      ShowPage(TabSheet4);
      cbNext.SetEnabled(false);
      bool listed = false;
      {
        TransferScope scope(transferRunning_, cbPrev);
        if (!FetchManifest("")) break;
        listed = ParseManifest();
      }
      if (ui::Application::Instance().Terminated()) break;
      if (listed) {
        cbNext.SetEnabled(true);
        cbNextClick();
      } else {
        stInfo.SetVisible(true);
        UpdateFinished = true;
      }
      break;
    }
    case 3:
      ShowPage(TabSheet5);
      break;
    case 4: {
      cbNext.SetEnabled(false);
      ShowPage(TabSheet5);
      {
        TransferScope scope(transferRunning_, cbPrev);
        DownloadFiles();
      }
      if (!ui::Application::Instance().Terminated()) cbStart.SetEnabled(true);
      break;
    }
    default:
      break;
  }
}

void TForm1::cbPrevClick() {
  if (transferRunning_) return;
  HideActivePage();
  cbPrev.SetEnabled(true);
  cbNext.SetEnabled(true);
  // Going back undoes "nothing newer": a later fetch may find an update after all.
  UpdateFinished = false;
  --CurrentPage;
  switch (CurrentPage) {
    case 0:
      cbPrev.SetEnabled(false);
      ShowPage(TabSheet1);
      break;
    case 1:
      ShowPage(InternetMode() ? TabSheet2 : TabSheet3);
      break;
    case 2:
    case 3:
      ShowPage(InternetMode() ? TabSheet2 : TabSheet3);
      CurrentPage = 1;
      break;
    default:
      break;
  }
}

void TForm1::cbCancelClick() {
  ui::Application& app = ui::Application::Instance();
  if (!UpdateFinished) {
    const int answer = app.MessageBox(Handle(), "升级尚未完成，确认要退出吗？", GetCaptionText(),
                                      MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDOK) return;
  }
  // A transfer still running ends here, leaving no partial file.
  HTTP.Abort();
  app.Terminate();
}

void TForm1::cbSavedClick() {
  if (auto folder = ui::Application::Instance().BrowseForFolder(Handle(), "请选择下载文件保存路径", "")) {
    edSaved.SetText(*folder);
  }
}

void TForm1::cbNetPathClick() {
  if (auto folder = ui::Application::Instance().BrowseForFolder(Handle(), "请选择升级文件所在路径", "")) {
    edNetPath.SetText(*folder);
  }
}
