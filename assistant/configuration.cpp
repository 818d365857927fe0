// The [Common] fields and quillark.ini: loading them, saving them, and noticing edits.
#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>

#include "assistant/form1.h"
#include "core/client_settings.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/integer_text.h"
#include "core/path_text.h"
#include "shared/settings_file.h"
#include "platform/ui/application.h"

namespace {

// Each text field with the setting it holds. The hours field is not among them: it holds an
// integer.
using TextField = std::pair<ui::Edit TForm1::*, std::string ClientSettings::*>;
constexpr TextField kTextFields[] = {
    {&TForm1::edInstalledDir, &ClientSettings::InstalledDir},
    {&TForm1::edVersion, &ClientSettings::InstalledVersion},
    {&TForm1::edSaved, &ClientSettings::SavedPath},
    {&TForm1::edKillFiles, &ClientSettings::KillExeFiles},
    {&TForm1::edFileName, &ClientSettings::RunExeFile},
    {&TForm1::edtRunSvc, &ClientSettings::RunServices},
    {&TForm1::edNoRunFile, &ClientSettings::NoRunExeFile},
    {&TForm1::edtUpdateFile, &ClientSettings::ServerUpdateFile},
    {&TForm1::edNetPath, &ClientSettings::NetPath},
    {&TForm1::edUsername, &ClientSettings::NetUsername},
    {&TForm1::edPassword, &ClientSettings::NetPassword},
    {&TForm1::edtCaption, &ClientSettings::WindowCaption},
    {&TForm1::edtVendor, &ClientSettings::VendorName},
    {&TForm1::edtVendorURL, &ClientSettings::VendorURL},
    {&TForm1::edtSoftSite, &ClientSettings::SoftSite},
    {&TForm1::edtSiteURL, &ClientSettings::SoftSiteURL},
};

using FlagField = std::pair<ui::CheckBox TForm1::*, bool ClientSettings::*>;
constexpr FlagField kFlagFields[] = {
    {&TForm1::ckRunFile, &ClientSettings::RunExeFileChecked},
    {&TForm1::chkRunSvc, &ClientSettings::RunServiceChecked},
    {&TForm1::ckAutoUpdate, &ClientSettings::AutoUpdate},
    {&TForm1::ckAutoStart, &ClientSettings::AutoStart},
    {&TForm1::ckCreate, &ClientSettings::AutoCreateFolder},
};

// The order in which a save writes the keys; keys that the file does not hold yet are appended
// to [Common] in this order.
constexpr std::array<std::string_view, 23> kSaveOrder = {
    "AutoUpdate",        "NoRunExeFile",   "ServerUpdateFile", "AutoStart",
    "TimerCheckHours",   "NetUsername",    "NetPassword",      "KillExeFiles",
    "SavedPath",         "NetPath",        "RunExeFile",       "AutoCreateFolder",
    "RunExeFileChecked", "InstalledDir",   "InstalledVersion", "RunServiceChecked",
    "RunServices",       "WindowCaption",  "VendorName",       "VendorURL",
    "SoftSite",          "SoftSiteURL",    "InternetUpdate",
};
static_assert(kSaveOrder.size() == std::tuple_size_v<decltype(kCommonKeys)>,
              "a save writes every key of [Common]");

const CommonKey& KeyNamed(std::string_view name) {
  for (const CommonKey& key : kCommonKeys) {
    if (name == key.name) return key;
  }
  throw std::logic_error("no [Common] key " + std::string(name));
}

}  // namespace

std::string TForm1::SettingsFilePath() const { return settings_file::Path(); }

void TForm1::ReadConfiguration() {
  try {
    const IniFile ini(SettingsFilePath());
    sgServer.SetCell(0, 0, "服务器名称");
    sgServer.SetCell(1, 0, "状态");
    if (ini.SectionExists(kCommonSection)) {
      ClientSettings s = ReadCommonSection(ini);
      s.SavedPath = settings_file::ResolveSavedPath(s.SavedPath);
      s.InstalledDir = settings_file::ResolveInstalledDir(s.InstalledDir);
      for (auto [edit, value] : kTextFields) (this->*edit).SetText(s.*value);
      for (auto [check, value] : kFlagFields) (this->*check).SetChecked(s.*value);
      edTimerHours.SetText(integer_text::Format(s.TimerCheckHours));
      if (s.InternetUpdate == 1) {
        rbInternet.SetChecked(true);
      } else {
        rbIntranet.SetChecked(true);
      }
    }
    LoadServerList(ini);
  } catch (const std::exception&) {
    // The fields keep what they received before the failure.
  }
}

bool TForm1::WriteConfiguration() {
  IniFile ini(SettingsFilePath());
  if (ini.SectionExists(kCommonSection)) {
    // Checked before anything is written, so a refused save leaves the file as it was.
    const std::optional<std::int32_t> hours = integer_text::Parse(gbk::Trim(edTimerHours.Text()));
    if (!hours) {
      Say("升级间隔(小时)必须是整数,请修改后再试!", MB_OK | MB_ICONINFORMATION);
      ShowOnlyPage(tsCommon);
      edTimerHours.SetFocus();
      return false;
    }
    ClientSettings s;
    for (auto [edit, value] : kTextFields) {
      const std::string text = (this->*edit).Text();
      // Service names are stored as typed: leading blanks may be part of what the publisher
      // means.
      s.*value = value == &ClientSettings::RunServices ? text : gbk::Trim(text);
    }
    for (auto [check, value] : kFlagFields) s.*value = (this->*check).Checked();
    s.TimerCheckHours = *hours;
    s.InternetUpdate = rbInternet.Checked() ? 1 : 0;
    for (std::string_view name : kSaveOrder) {
      if (!WriteCommonKey(ini, KeyNamed(name), s)) return ReportNotSaved();
    }
  }
  switch (SaveServerList(ini)) {
    case ServerListSave::Rejected: return false;
    case ServerListSave::NotWritten: return ReportNotSaved();
    case ServerListSave::Accepted: break;
  }
  if (!ini.UpdateFile()) return ReportNotSaved();
  Say("相关设置已保存成功!", MB_OK | MB_ICONINFORMATION);
  SettingsChanged = false;
  return true;
}

bool TForm1::ReportNotSaved() {
  Say("配置文件 " + SettingsFilePath() + " 无法写入,相关设置没有保存!", MB_OK | MB_ICONERROR);
  return false;
}

void TForm1::DetectFieldEdits() {
  const bool edited =
      edTimerHours.Modified() ||
      std::any_of(std::begin(kTextFields), std::end(kTextFields),
                  [this](const TextField& field) { return (this->*field.first).Modified(); });
  if (edited) SettingsChanged = true;
}
