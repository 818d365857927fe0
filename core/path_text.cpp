#include "core/path_text.h"

#include "core/gbk_text.h"

namespace path_text {

std::string ExtractFilePath(std::string_view path) {
  const std::size_t slash = gbk::FindLast(path, '\\');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
  const std::size_t slash = gbk::FindLast(path, '\\');
  if (slash == std::string_view::npos) return std::string(path);
  return std::string(path.substr(slash + 1));
}

std::string IncludeTrailingBackslash(std::string_view path) {
  if (path.empty()) return {};
  const std::size_t slash = gbk::FindLast(path, '\\');
  if (slash != std::string_view::npos && slash + 1 == path.size()) return std::string(path);
  return std::string(path) + '\\';
}

}  // namespace path_text
