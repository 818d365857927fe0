// Loading the settings into the window at start and writing the wizard's choices back at exit.
#include "client/form1.h"
#include "core/client_settings.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "shared/settings_file.h"


std::string TForm1::SettingsFilePath() const { return settings_file::Path(); }

void TForm1::LoadSettings() {
  sgServer.SetCell(0, 0, "服务器名称");
  sgServer.SetCell(1, 0, "状态");

  const IniFile ini(SettingsFilePath());
  if (ini.SectionExists(kCommonSection)) {
    const ClientSettings s = ReadCommonSection(ini);
    edSaved.SetText(settings_file::ResolveSavedPath(s.SavedPath));
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
    InstalledDir = settings_file::ResolveInstalledDir(s.InstalledDir);
    NewVersion = InstalledVersion;
  }

  // Entries past the sixteenth accepted one are ignored: there are sixteen URL slots. A name
  // without URL is no entry (its row goes to the next accepted name).
  const std::vector<ServerEntry> servers = ReadClientServers(ini, kMaxServers);
  const bool listed = ini.SectionExists(kServerListSection) &&
                      ini.ReadInteger(kServerListSection, kServerCountKey, kServerCountDefault) > 0;
  if (listed) {
    sgServer.SetRowCount(static_cast<int>(servers.size()) + 1);
    for (std::size_t k = 0; k < servers.size(); ++k) {
      const int row = static_cast<int>(k) + 1;
      sgServer.SetCell(0, row, servers[k].ServerName);
      sgServer.SetCell(1, row, "没有测试");
      ServerUrls[k] = servers[k].ServerUrl;
    }
    if (!servers.empty()) edUrl.SetText(ServerUrls[0]);
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
