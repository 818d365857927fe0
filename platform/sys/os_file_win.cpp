#include <windows.h>
#include <io.h>

#include <cstdio>

#include "core/os_file.h"

namespace os_file {

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

bool RenameOver(const std::string& source, const std::string& target) {
  // Plain rename refuses an existing target on Windows; MoveFileEx replaces it in one step.
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace os_file
