// The keys of quillark.ini, shared by the update client and the configuration assistant.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class IniFile;

inline constexpr char kSettingsFileName[] = "quillark.ini";
inline constexpr char kCommonSection[] = "Common";
inline constexpr char kServerListSection[] = "ServerList";

// The values of [Common], one field per key, named as the key, with the key's default.
struct ClientSettings {
  std::string SavedPath;
  std::string NetPath;
  std::string RunExeFile;
  bool AutoCreateFolder = false;
  bool RunExeFileChecked = false;
  std::int32_t InternetUpdate = 0;
  bool AutoUpdate = false;
  std::string NoRunExeFile;
  std::string ServerUpdateFile = "updates.ini";
  bool AutoStart = false;
  std::int32_t TimerCheckHours = 0;
  std::string NetUsername;
  std::string NetPassword;
  std::string KillExeFiles;
  bool RunServiceChecked = false;
  std::string RunServices;
  std::string WindowCaption;
  std::string VendorName;
  std::string VendorURL;
  std::string SoftSite;
  std::string SoftSiteURL;
  std::string InstalledVersion;
  std::string InstalledDir;
};

// One [Common] key: its name and the field that holds it (the field's type is the key's type:
// text, flag or integer).
struct CommonKey {
  const char* name;
  std::variant<std::string ClientSettings::*, bool ClientSettings::*,
               std::int32_t ClientSettings::*>
      field;
};

// Every [Common] key, in the file's order (the order of ClientSettings).
extern const std::array<CommonKey, 23> kCommonKeys;

// Reads every [Common] key with the rules of the file (defaults only for absent keys).
ClientSettings ReadCommonSection(const IniFile& file);
// Writes one [Common] key from the settings, as its type is stored; false when it could not
// be saved.
bool WriteCommonKey(IniFile& file, const CommonKey& key, const ClientSettings& settings);
// Writes every [Common] key in table order, flags as 0/1 and integers in decimal; stops at
// the first key that cannot be written and returns false.
bool WriteCommonSection(IniFile& file, const ClientSettings& settings);

// [ServerList]: ServerCount (-1 when absent), then ServerName<i> and ServerUrl<i> for
// i = 0 .. ServerCount-1, the index in plain decimal.
inline constexpr char kServerCountKey[] = "ServerCount";
inline constexpr std::int32_t kServerCountDefault = -1;
std::string ServerNameKey(int index);
std::string ServerUrlKey(int index);
// The indices i below count for which a ServerName<i> key exists, ascending. Reading these
// instead of every index up to ServerCount gives the same entries (a missing name is skipped
// anyway) and keeps a huge ServerCount from costing a huge loop.
std::vector<int> ServerNameIndices(const IniFile& file, std::int32_t count);

struct ServerEntry {
  std::string ServerName;
  std::string ServerUrl;
};

// The servers as the update client takes them, in order: the entries below ServerCount whose
// trimmed name and trimmed URL are both non-empty, at most limit of them. None when
// [ServerList] is absent or ServerCount is 0 or less.
std::vector<ServerEntry> ReadClientServers(const IniFile& file, std::size_t limit);
