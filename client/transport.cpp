// Moving the update into the staging folder: the manifest, the file passes, the server test,
// and the progress shown while a transfer runs.
#include <algorithm>
#include <limits>

#include "client/folders.h"
#include "client/form1.h"
#include "core/gbk_text.h"
#include "core/manifest_entry.h"
#include "core/staging_path.h"
#include "core/url_text.h"
#include "platform/ui/application.h"

namespace {

constexpr char kMarkDone[] = "√";
constexpr char kMarkFailed[] = "×";

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

std::string TForm1::StagingFolder() const { return gbk::Trim(edSaved.Text()); }

bool TForm1::FetchManifest(const std::string& url) {
  const std::string staging = StagingFolder();
  // Without a staging folder there is nowhere to put the manifest.
  if (staging.empty() || !client_folders::ForceDirectories(staging)) {
    stError.SetVisible(true);
    return false;
  }
  const std::string target = staging_path::ManifestPath(staging, ServerUpdateFile);
  if (!InternetMode()) {
    // Copying from a LAN folder is not part of this program yet: the fetch fails visibly and
    // leaves the staging folder as it was.
    stError.SetVisible(true);
    return false;
  }
  const std::string server = url.empty() ? gbk::Trim(edUrl.Text()) : url;
  // The body replaces an earlier manifest only once it arrived whole.
  if (!HTTP.GetToFile(url_text::ManifestUrl(server, ServerUpdateFile), target)) {
    stError.SetVisible(true);
    return false;
  }
  return true;
}

bool TForm1::ConnectToServer() {
  if (!InternetMode()) return FetchManifest("");
  for (int row = 1; row < sgServer.RowCount() && row <= kMaxServers; ++row) {
    const std::string& url = ServerUrls[static_cast<std::size_t>(row - 1)];
    if (url.empty()) continue;
    if (FetchManifest(url)) {
      edUrl.SetText(url);
      return true;
    }
    if (ui::Application::Instance().Terminated()) break;
  }
  return false;
}

bool TForm1::TransferRow(int row, int rowCount, const std::string& staging,
                         const std::string& baseUrl) {
  sgFile.SetRow(row);
  const std::string name = sgFile.Cell(1, row);
  if (PageControl1.ActivePage() == &TabSheet6) {
    stCounter.SetCaption(std::to_string(row) + "/" + std::to_string(rowCount));
    stDownFile.SetCaption(name);
  }
  ui::Application::Instance().ProcessMessages();

  bool done = false;
  // A name that would reach outside the staging folder is never fetched.
  if (const auto target = staging_path::StagingTargetFor(staging, name, ckCreate.Checked())) {
    const bool folderReady = !ckCreate.Checked() || client_folders::ForceDirectories(target->Folder);
    done = folderReady && InternetMode() &&
           HTTP.GetToFile(url_text::FileUrl(baseUrl, name), target->Path());
  }
  sgFile.SetCell(0, row, done ? kMarkDone : kMarkFailed);
  if (!done) DownloadFailed = true;
  return done;
}

void TForm1::DownloadFiles() {
  const std::string staging = StagingFolder();
  const std::string baseUrl = gbk::Trim(edUrl.Text());
  const int rowCount = sgFile.RowCount() - 1;
  for (int row = 1; row <= rowCount; ++row) {
    TransferRow(row, rowCount, staging, baseUrl);
    if (ui::Application::Instance().Terminated()) return;
  }
}

void TForm1::RetryFailedFiles() {
  if (!DownloadFailed) return;
  DownloadFailed = false;
  FailedFiles.clear();
  const std::string staging = StagingFolder();
  const std::string baseUrl = gbk::Trim(edUrl.Text());
  const int rowCount = sgFile.RowCount() - 1;
  for (int row = 1; row <= rowCount; ++row) {
    if (sgFile.Cell(0, row) == kMarkDone) continue;
    if (!TransferRow(row, rowCount, staging, baseUrl)) {
      if (!FailedFiles.empty()) FailedFiles += "; ";
      FailedFiles += sgFile.Cell(1, row);
    }
    if (ui::Application::Instance().Terminated()) return;
  }
}

void TForm1::cbTestClick() {
  const bool answered = HTTP.Head(url_text::ManifestUrl(edUrl.Text(), ServerUpdateFile));
  const int row = sgServer.Row();
  if (row < sgServer.FixedRows() || row >= sgServer.RowCount()) return;
  sgServer.SetCell(1, row, answered && HTTP.ResponseCode() == 200 ? "正常" : "无效");
}

void TForm1::sgServerClick() {
  const int row = sgServer.Row();
  const bool hasSlot = row >= 1 && row <= kMaxServers;
  edUrl.SetText(hasSlot ? ServerUrls[static_cast<std::size_t>(row - 1)] : std::string());
}

ui::ProgressBar* TForm1::ProgressBarOfActivePage() {
  const ui::TabSheet* page = PageControl1.ActivePage();
  if (page == &TabSheet4) return &ProgressBar1;
  if (page == &TabSheet5) return &ProgressBar2;
  if (page == &TabSheet6) return &ProgressBar3;
  return nullptr;
}

void TForm1::HTTPWorkBegin(std::int64_t total) {
  if (ui::ProgressBar* bar = ProgressBarOfActivePage()) bar->SetRange(0, ClampToInt(total));
}

void TForm1::HTTPWork(std::int64_t count) {
  if (ui::ProgressBar* bar = ProgressBarOfActivePage()) bar->SetPosition(ClampToInt(count));
}

void TForm1::HTTPWorkEnd() {}
