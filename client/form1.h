// The update client's main window: every control of the wizard, the settings it loaded and the
// state of the current run. Its operations are split over the files of this folder by concern.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/net/http_client.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/group_box.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/string_grid.h"
#include "platform/ui/timer.h"
#include "shared/neo_form.h"

class TForm1 final : public TNeoForm {
 public:
  static constexpr int kMaxServers = 16;
  // The notification-area icon reports its mouse messages with this message.
  static constexpr UINT kTrayIconMessage = WM_USER + 1001;  // 2025

  // Builds the window and runs FormCreate: settings, branding, run mode, timers.
  TForm1();
  ~TForm1() override;

  // --- controls, by their designer names -------------------------------------------------
  ui::Panel Panel1;
  ui::PageControl PageControl1;

  ui::TabSheet TabSheet1;
  ui::Image Image1;
  ui::Memo Memo1;
  ui::GroupBox GroupBox1;
  ui::RadioButton rbInternet;
  ui::RadioButton rbIntranet;
  ui::Label Label1;
  ui::Edit edSaved;
  ui::SpeedButton cbSaved;
  ui::CheckBox ckCreate;
  ui::CheckBox ckRunFile;
  ui::Edit edFileName;

  ui::TabSheet TabSheet2;
  ui::Image Image2;
  ui::StringGrid sgServer;
  ui::GroupBox GroupBox2;
  ui::Label Label2;
  ui::Edit edUrl;
  ui::SpeedButton cbTest;

  ui::TabSheet TabSheet3;
  ui::Image Image3;
  ui::Label Label3;
  ui::Edit edNetPath;
  ui::SpeedButton cbNetPath;
  ui::Memo Memo2;

  ui::TabSheet TabSheet4;
  ui::Image Image4;
  ui::GroupBox GroupBox3;
  ui::Label Label4;
  ui::ProgressBar ProgressBar1;
  ui::Label stError;
  ui::Label stInfo;

  ui::TabSheet TabSheet5;
  ui::Image Image5;
  ui::Label Label5;
  ui::StringGrid sgFile;
  ui::Label Label6;
  ui::ProgressBar ProgressBar2;

  ui::TabSheet TabSheet6;
  ui::Image Image6;
  ui::Label stConn;
  ui::Label stIni;
  ui::Label stDown;
  ui::Label stCounter;
  ui::Label stDownFile;
  ui::ProgressBar ProgressBar3;
  ui::Label stUpdate;
  ui::Label stOver;
  ui::Image Image7;

  ui::GroupBox GroupBox4;
  ui::Label txtVendor;
  ui::Label txtSoftSite;
  ui::SpeedButton cbPrev;
  ui::SpeedButton cbNext;
  ui::SpeedButton cbStart;
  ui::SpeedButton cbCancel;

  ui::Timer Timer1;
  ui::Timer TimerCheck;
  HttpClient HTTP;

  // --- state -----------------------------------------------------------------------------
  int CurrentPage = 0;
  std::int32_t TimerCheckHours = 0;
  std::array<std::string, kMaxServers> ServerUrls;
  std::string InstalledVersion;
  std::string InstalledDir;
  std::string NewVersion;
  std::string NoRunExeFile;
  std::string ServerUpdateFile = "updates.ini";
  std::string NetUsername;
  std::string NetPassword;
  std::string KillExeFiles;
  std::string FailedFiles;
  std::string WindowCaption;
  bool UpdateFinished = false;
  bool ConfigReplaced = false;
  bool AutoUpdate = false;
  bool AutoStart = false;
  bool DownloadFailed = false;
  bool RunServiceChecked = false;
  std::string VendorName;
  std::string VendorURL;
  std::string SoftSite;
  std::string SoftSiteURL;
  std::string RunServices;

  // --- start-up and lifecycle (form1.cpp) -------------------------------------------------
  void FormCreate();
  void FormCloseQuery(bool& canClose);
  void FormDestroy();
  void txtVendorClick();
  void txtSoftSiteClick();
  void Timer1Timer();

  // --- settings (settings.cpp) ------------------------------------------------------------
  std::string SettingsFilePath() const;
  void LoadSettings();
  void SaveSettings();

  // --- background mode (background.cpp) ---------------------------------------------------
  void AddAutostart();
  void RemoveAutostart();
  bool AddTrayIcon();
  void RemoveTrayIcon();
  void OnTrayIconMessage(LPARAM mouseMessage);
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // --- the update manifest (manifest.cpp) ------------------------------------------------
  bool ParseManifest();
  // The size column's text for a listed name: probed on the server (HEAD) or in the LAN folder.
  std::string FileSizeText(const std::string& name);

  // --- transfers (transport.cpp) ----------------------------------------------------------
  bool FetchManifest(const std::string& url);
  bool ConnectToServer();
  void DownloadFiles();
  void RetryFailedFiles();
  void cbTestClick();
  void sgServerClick();
  void HTTPWorkBegin(std::int64_t total);
  void HTTPWork(std::int64_t count);
  void HTTPWorkEnd();

  // --- the wizard (wizard.cpp) ------------------------------------------------------------
  void cbNextClick();
  void cbPrevClick();
  void cbCancelClick();
  void cbSavedClick();
  void cbNetPathClick();
  // True while the manifest fetch or the download runs (the wizard's buttons wait for it).
  bool TransferRunning() const { return transferRunning_; }

  // The timer interval for a number of hours: whole hours in 32-bit milliseconds, at most
  // 1193 hours (the largest that fits), nothing for 0 or less.
  static UINT TimerCheckInterval(std::int32_t hours);

 private:
  void BuildPage1();
  void BuildPage2();
  void BuildPage3();
  void BuildPage4();
  void BuildPage5();
  void BuildPage6();
  void BuildButtonRow();
  void BindEvents();
  bool InternetMode() const { return rbInternet.Checked(); }
  std::string StagingFolder() const;
  // One row of a transfer pass: select it, show it, transfer it, mark it. True when it worked.
  bool TransferRow(int row, int rowCount, const std::string& staging, const std::string& baseUrl);
  ui::ProgressBar* ProgressBarOfActivePage();
  void ShowPage(ui::TabSheet& page);
  void HideActivePage();

  bool transferRunning_ = false;
};
