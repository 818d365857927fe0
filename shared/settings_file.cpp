#include "shared/settings_file.h"

#include <windows.h>

#include "core/client_settings.h"
#include "core/path_text.h"
#include "platform/ui/application.h"

namespace settings_file {

std::string ProgramFolder() {
  return path_text::ExtractFilePath(ui::Application::Instance().ExeName());
}

std::string Path() { return ProgramFolder() + kSettingsFileName; }

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ResolveSavedPath(const std::string& savedPath) {
  return DirectoryExists(savedPath) ? savedPath : ProgramFolder() + "Updates";
}

std::string ResolveInstalledDir(const std::string& installedDir) {
  return DirectoryExists(installedDir) ? installedDir : ProgramFolder();
}

}  // namespace settings_file
