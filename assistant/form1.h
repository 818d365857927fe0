// The configuration assistant's main window: the page tree, the tips box, every field of
// [Common] on four pages, the server list grid, and whether anything changed since the last
// save. The fields are the only copy of the settings. Its operations are split over the files
// of this folder by concern.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/group_box.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "platform/ui/string_grid.h"
#include "platform/ui/tree_view.h"
#include "shared/neo_form.h"

class IniFile;

class TForm1 final : public TNeoForm {
 public:
  // How SaveServerList ended.
  enum class ServerListSave { Accepted, Rejected, NotWritten };
  static constexpr char kServerGridHint[] = "所有可用的升级服务器列表,可直接编辑进行修改";

  // Builds the window and runs FormCreate: tips, configuration, expanded tree.
  TForm1();
  ~TForm1() override;

  // --- controls, by their designer names -------------------------------------------------
  ui::TreeView tvMenu;
  ui::Memo mmTips;
  ui::PageControl PageControl1;

  ui::TabSheet tsCommon;
  ui::GroupBox GroupBox1;  // 本地应用程序信息
  ui::Label lbInstalledDir;
  ui::Edit edInstalledDir;
  ui::Label lbVersion;
  ui::Edit edVersion;
  ui::Label lbSaved;
  ui::Edit edSaved;
  ui::GroupBox GroupBox2;  // 升级相关程序操作
  ui::Label lbRunFile;
  ui::CheckBox ckRunFile;
  ui::Label lbKillFiles;
  ui::Edit edKillFiles;
  ui::Label lbFileName;
  ui::Edit edFileName;
  ui::GroupBox GroupBox3;  // 升级相关服务操作
  ui::Label lbRunSvcChecked;
  ui::CheckBox chkRunSvc;
  ui::Label lbRunSvc;
  ui::Edit edtRunSvc;
  ui::GroupBox GroupBox4;  // 自动升级设置
  ui::Label lbAutoUpdate;
  ui::CheckBox ckAutoUpdate;
  ui::Label lbNoRunFile;
  ui::Edit edNoRunFile;
  ui::GroupBox GroupBox5;  // 定时升级设置
  ui::Label lbAutoStart;
  ui::CheckBox ckAutoStart;
  ui::Label lbTimerHours;
  ui::Edit edTimerHours;
  ui::GroupBox GroupBox6;  // 升级模式设置
  ui::RadioButton rbInternet;
  ui::RadioButton rbIntranet;
  ui::Label lbUpdateFile;
  ui::Edit edtUpdateFile;
  ui::Label lbCreate;
  ui::CheckBox ckCreate;

  ui::TabSheet tsIntranet;
  ui::Label lbNetPath;
  ui::Edit edNetPath;
  ui::Label lbUsername;
  ui::Edit edUsername;
  ui::Label lbPassword;
  ui::Edit edPassword;

  ui::TabSheet tsInternet;
  ui::Label lbServerList;
  ui::StringGrid sgServer;
  ui::Button cbNew;
  ui::Button cbDel;

  ui::TabSheet tsCustom;
  ui::GroupBox GroupBox7;  // 界面定制
  ui::Label lbCaption;
  ui::Edit edtCaption;
  ui::Label lbVendor;
  ui::Edit edtVendor;
  ui::Label lbVendorURL;
  ui::Edit edtVendorURL;
  ui::Label lbSoftSite;
  ui::Edit edtSoftSite;
  ui::Label lbSiteURL;
  ui::Edit edtSiteURL;

  ui::Button cbSave;
  ui::Button cbClose;

  // --- state -----------------------------------------------------------------------------
  bool SettingsChanged = false;
  std::string DefaultTips;

  // --- window, page tree and tips (form1.cpp) ---------------------------------------------
  void FormCreate();
  void FormCloseQuery(bool& canClose);
  void tvMenuChange(int node);
  void cbSaveClick();
  void cbCloseClick();
  // Every control that shows a hint while it has the focus, with its hint.
  std::vector<std::pair<ui::WinControl*, const char*>> FieldHints();
  // The Enter and Exit handlers that all fields share.
  void FieldEnter(const char* hint);
  void FieldExit();
  // Makes the page's tab the only one shown and the page the active one.
  void ShowOnlyPage(ui::TabSheet& page);

  // --- configuration file (configuration.cpp) ---------------------------------------------
  std::string SettingsFilePath() const;
  void ReadConfiguration();
  bool WriteConfiguration();
  void DetectFieldEdits();

  // --- server list (server_list.cpp) ------------------------------------------------------
  void LoadServerList(const IniFile& ini);
  ServerListSave SaveServerList(IniFile& ini);
  void cbNewClick();
  void cbDelClick();
  void sgServerKeyDown(WORD key, bool& handled);
  void sgServerEnter();
  void sgServerExit();

 private:
  void BuildTree();
  void BuildCommonPage();
  void BuildIntranetPage();
  void BuildInternetPage();
  void BuildCustomPage();
  void BuildButtons();
  void BindEvents();
  // Message boxes of the assistant: its caption, owned by the window.
  int Say(const std::string& text, UINT flags);
  bool ReportNotSaved();
};
