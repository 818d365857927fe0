#include "core/client_settings.h"

#include <type_traits>

#include "core/ini_file.h"

using S = ClientSettings;

const std::array<CommonKey, 23> kCommonKeys{{
    {"SavedPath", &S::SavedPath},
    {"NetPath", &S::NetPath},
    {"RunExeFile", &S::RunExeFile},
    {"AutoCreateFolder", &S::AutoCreateFolder},
    {"RunExeFileChecked", &S::RunExeFileChecked},
    {"InternetUpdate", &S::InternetUpdate},
    {"AutoUpdate", &S::AutoUpdate},
    {"NoRunExeFile", &S::NoRunExeFile},
    {"ServerUpdateFile", &S::ServerUpdateFile},
    {"AutoStart", &S::AutoStart},
    {"TimerCheckHours", &S::TimerCheckHours},
    {"NetUsername", &S::NetUsername},
    {"NetPassword", &S::NetPassword},
    {"KillExeFiles", &S::KillExeFiles},
    {"RunServiceChecked", &S::RunServiceChecked},
    {"RunServices", &S::RunServices},
    {"WindowCaption", &S::WindowCaption},
    {"VendorName", &S::VendorName},
    {"VendorURL", &S::VendorURL},
    {"SoftSite", &S::SoftSite},
    {"SoftSiteURL", &S::SoftSiteURL},
    {"InstalledVersion", &S::InstalledVersion},
    {"InstalledDir", &S::InstalledDir},
}};

ClientSettings ReadCommonSection(const IniFile& file) {
  ClientSettings settings;
  for (const CommonKey& key : kCommonKeys) {
    std::visit(
        [&](auto member) {
          auto& value = settings.*member;
          using T = std::remove_reference_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>) {
            value = file.ReadString(kCommonSection, key.name, value);
          } else if constexpr (std::is_same_v<T, bool>) {
            value = file.ReadBool(kCommonSection, key.name, value);
          } else {
            value = file.ReadInteger(kCommonSection, key.name, value);
          }
        },
        key.field);
  }
  return settings;
}

bool WriteCommonSection(IniFile& file, const ClientSettings& settings) {
  for (const CommonKey& key : kCommonKeys) {
    const bool written = std::visit(
        [&](auto member) {
          const auto& value = settings.*member;
          using T = std::remove_cvref_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>) {
            return file.WriteString(kCommonSection, key.name, value);
          } else if constexpr (std::is_same_v<T, bool>) {
            return file.WriteBool(kCommonSection, key.name, value);
          } else {
            return file.WriteInteger(kCommonSection, key.name, value);
          }
        },
        key.field);
    if (!written) return false;
  }
  return true;
}

std::string ServerNameKey(int index) { return "ServerName" + std::to_string(index); }

std::string ServerUrlKey(int index) { return "ServerUrl" + std::to_string(index); }
