// The portable half of os_file: plain C streams, which take ANSI paths on Windows too.
#include "core/os_file.h"

#include <cerrno>

namespace os_file {

ReadResult ReadAll(const std::string& path, std::string& bytes) {
  bytes.clear();
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? ReadResult::NotFound : ReadResult::Failed;
  char buffer[16384];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    bytes.clear();
    return ReadResult::Failed;
  }
  return ReadResult::Ok;
}

bool Remove(const std::string& path) { return std::remove(path.c_str()) == 0; }

}  // namespace os_file
