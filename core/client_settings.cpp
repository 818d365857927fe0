#include "core/client_settings.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

#include "core/gbk_text.h"
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

bool WriteCommonKey(IniFile& file, const CommonKey& key, const ClientSettings& settings) {
  return std::visit(
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
}

bool WriteCommonSection(IniFile& file, const ClientSettings& settings) {
  for (const CommonKey& key : kCommonKeys) {
    if (!WriteCommonKey(file, key, settings)) return false;
  }
  return true;
}

std::string ServerNameKey(int index) { return "ServerName" + std::to_string(index); }

std::string ServerUrlKey(int index) { return "ServerUrl" + std::to_string(index); }

std::vector<int> ServerNameIndices(const IniFile& file, std::int32_t count) {
  constexpr std::string_view kPrefix = "ServerName";
  std::vector<int> indices;
  for (const std::string& key : file.KeyNames(kServerListSection)) {
    if (key.size() <= kPrefix.size() || !gbk::EqualsNoCase(key.substr(0, kPrefix.size()), kPrefix)) {
      continue;
    }
    const std::string digits = key.substr(kPrefix.size());
    // Plain decimal as the keys are written: no sign, no leading zero, within int range.
    if (digits.size() > 9 || (digits.size() > 1 && digits[0] == '0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    const int index = std::stoi(digits);
    if (index < count) indices.push_back(index);
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

std::vector<ServerEntry> ReadClientServers(const IniFile& file, std::size_t limit) {
  std::vector<ServerEntry> servers;
  const std::int32_t count = file.ReadInteger(kServerListSection, kServerCountKey, kServerCountDefault);
  if (!file.SectionExists(kServerListSection) || count <= 0) return servers;
  for (const int i : ServerNameIndices(file, count)) {
    if (servers.size() == limit) break;
    ServerEntry entry{gbk::Trim(file.ReadString(kServerListSection, ServerNameKey(i), "")),
                      gbk::Trim(file.ReadString(kServerListSection, ServerUrlKey(i), ""))};
    if (!entry.ServerName.empty() && !entry.ServerUrl.empty()) servers.push_back(std::move(entry));
  }
  return servers;
}
