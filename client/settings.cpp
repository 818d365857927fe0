// Loading the settings into the window at start and writing the wizard's choices back at exit.
#include <algorithm>

#include "client/folders.h"
#include "client/form1.h"
#include "core/client_settings.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/path_text.h"
#include "platform/ui/application.h"

namespace {

using client_folders::DirectoryExists;

std::string ExeFolder() {
  return path_text::ExtractFilePath(ui::Application::Instance().ExeName());
}

}  // namespace

std::string TForm1::SettingsFilePath() const { return ExeFolder() + kSettingsFileName; }

void TForm1::LoadSettings() {
  sgServer.SetCell(0, 0, "服务器名称");
  sgServer.SetCell(1, 0, "状态");

  const IniFile ini(SettingsFilePath());
  if (ini.SectionExists(kCommonSection)) {
    const ClientSettings s = ReadCommonSection(ini);
    edSaved.SetText(DirectoryExists(s.SavedPath) ? s.SavedPath : ExeFolder() + "Updates");
    edNetPath.SetText(s.NetPath);
    edFileName.SetText(s.RunExeFile);
    ckCreate.SetChecked(s.AutoCreateFolder);
    ckRunFile.SetChecked(s.RunExeFileChecked);
    if (s.InternetUpdate == 1) {
      rbInternet.SetChecked(true);
    } else {
      rbIntranet.SetChecked(true);
    }
    AutoUpdate = s.AutoUpdate;
    NoRunExeFile = s.NoRunExeFile;
    ServerUpdateFile = s.ServerUpdateFile;
    AutoStart = s.AutoStart;
    TimerCheckHours = s.TimerCheckHours;
    NetUsername = s.NetUsername;
    NetPassword = s.NetPassword;
    KillExeFiles = s.KillExeFiles;
    RunServiceChecked = s.RunServiceChecked;
    RunServices = s.RunServices;
    WindowCaption = s.WindowCaption;
    VendorName = s.VendorName;
    VendorURL = s.VendorURL;
    SoftSite = s.SoftSite;
    SoftSiteURL = s.SoftSiteURL;
    InstalledVersion = s.InstalledVersion;
    InstalledDir = DirectoryExists(s.InstalledDir) ? s.InstalledDir : ExeFolder();
    NewVersion = InstalledVersion;
  }

  const std::int32_t count = ini.ReadInteger(kServerListSection, kServerCountKey, kServerCountDefault);
  if (ini.SectionExists(kServerListSection) && count > 0) {
    sgServer.SetRowCount(std::min(count, static_cast<std::int32_t>(kMaxServers)) + 1);
    int accepted = 0;
    // Entries past the sixteenth accepted one are ignored: there are sixteen URL slots.
    for (const int i : ServerNameIndices(ini, count)) {
      if (accepted == kMaxServers) break;
      const std::string name = gbk::Trim(ini.ReadString(kServerListSection, ServerNameKey(i), ""));
      if (name.empty()) continue;
      sgServer.SetCell(0, accepted + 1, name);
      const std::string url = gbk::Trim(ini.ReadString(kServerListSection, ServerUrlKey(i), ""));
      if (url.empty()) continue;  // the next accepted name takes this row
      ServerUrls[static_cast<std::size_t>(accepted)] = url;
      sgServer.SetCell(1, accepted + 1, "没有测试");
      ++accepted;
    }
    sgServer.SetRowCount(accepted + 1);
    if (accepted > 0) edUrl.SetText(ServerUrls[0]);
  }
}

void TForm1::SaveSettings() {
  IniFile ini(SettingsFilePath());
  if (ini.SectionExists(kCommonSection)) {
    // A failed write ends the write-back there, silently; what was written stays.
    [&] {
      if (!ini.WriteString(kCommonSection, "SavedPath", gbk::Trim(edSaved.Text()))) return;
      if (!ini.WriteString(kCommonSection, "NetPath", gbk::Trim(edNetPath.Text()))) return;
      if (!ini.WriteString(kCommonSection, "RunExeFile", gbk::Trim(edFileName.Text()))) return;
      if (!ini.WriteBool(kCommonSection, "AutoCreateFolder", ckCreate.Checked())) return;
      if (!ini.WriteBool(kCommonSection, "RunExeFileChecked", ckRunFile.Checked())) return;
      if (!ini.WriteString(kCommonSection, "InstalledDir", InstalledDir)) return;
      if (!ini.WriteInteger(kCommonSection, "InternetUpdate", rbInternet.Checked() ? 1 : 0)) return;
      if (UpdateFinished && !DownloadFailed) {
        ini.WriteString(kCommonSection, "InstalledVersion", NewVersion);
      }
    }();
  }
  ini.UpdateFile();
}
