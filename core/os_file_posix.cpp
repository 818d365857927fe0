#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/os_file.h"

namespace os_file {

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool RenameOver(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace os_file
