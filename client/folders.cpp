#include "client/folders.h"

#include <windows.h>

#include "core/gbk_text.h"
#include "core/path_text.h"

namespace client_folders {

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
