#include "client/folders.h"

#include <windows.h>

#include "core/gbk_text.h"
#include "core/path_text.h"
#include "shared/settings_file.h"

namespace client_folders {

using settings_file::DirectoryExists;

bool ForceDirectories(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && gbk::FindLast(folder, '\\') == folder.size() - 1) folder.pop_back();
  if (folder.empty()) return false;
  if (DirectoryExists(folder)) return true;
  const std::string parent = path_text::ExtractFilePath(folder);
  // Stop at a drive ("C:\") or a share root, which cannot be created.
  if (!parent.empty() && parent != folder && parent.size() > 3 && !ForceDirectories(parent)) {
    return false;
  }
  return CreateDirectoryA(folder.c_str(), nullptr) || DirectoryExists(folder);
}

}  // namespace client_folders
