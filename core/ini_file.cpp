#include "core/ini_file.h"

#include <utility>

#include "core/atomic_file.h"
#include "core/integer_text.h"
#include "core/os_file.h"

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  std::string bytes;
  switch (os_file::ReadAll(path_, bytes)) {
    case os_file::ReadResult::Ok:
      document_ = IniDocument::Parse(bytes);
      break;
    case os_file::ReadResult::NotFound:
      break;
    case os_file::ReadResult::Failed:
      readable_ = false;
      break;
  }
}

bool IniFile::SectionExists(std::string_view section) const {
  return document_.SectionExists(section);
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  return document_.KeyNames(section);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  if (auto value = document_.Value(section, key)) return std::move(*value);
  return std::string(fallback);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const auto value = document_.Value(section, key);
  if (!value) return fallback;
  return integer_text::Parse(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
  if (!readable_) return false;
  if (!document_.SetValue(section, key, value)) return false;
  unsaved_ = true;
  return Save();
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return WriteString(section, key, integer_text::Format(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::UpdateFile() { return readable_ && (!unsaved_ || Save()); }

bool IniFile::Save() {
  if (!readable_) return false;
  if (WriteFileAtomically(path_, document_.Serialize())) unsaved_ = false;
  return !unsaved_;
}
