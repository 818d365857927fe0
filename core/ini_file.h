// An INI file on disk: read once when the object is made, every write saved at once (the whole
// file replaced atomically, so a crash or a full disk never leaves it truncated). Values are
// code page 936 bytes as they stand in the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_document.h"

class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& FileName() const { return path_; }
  // False when the file exists but could not be read; such a file is never written, since
  // writing would replace contents we never saw.
  bool Readable() const { return readable_; }

  bool SectionExists(std::string_view section) const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The default applies only when the key is absent; an empty value is the empty text.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Decimal with sign or hexadecimal ("0x", "0X", "$"); anything else gives the default.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  // Stored as an integer; any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Each write changes the key and saves the file; false when the key could not be stored or
  // the file not be saved (the file on disk then stays as it was before this write).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // Ends a batch of writes: true when everything written so far is on disk.
  bool UpdateFile();

 private:
  bool Save();

  std::string path_;
  IniDocument document_;
  bool readable_ = true;
  bool unsaved_ = false;
};
