#include "core/manifest_entry.h"

#include "core/gbk_text.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool OnlyDotsAndBlanks(std::string_view component) {
  return component.find_first_not_of(". ") == std::string_view::npos;
}

bool WalksUp(std::string_view component) {
  return OnlyDotsAndBlanks(component) && component.find('.') != component.rfind('.');
}

}  // namespace

FileEntry SplitFileEntry(std::string_view value) {
  const std::string_view trimmed = gbk::TrimView(value);
  const std::size_t mark = gbk::FindFirst(trimmed, '?');
  if (mark == std::string_view::npos) return {std::string(trimmed), {}};
  return {gbk::Trim(trimmed.substr(0, mark)), gbk::Trim(trimmed.substr(mark + 1))};
}

bool IsSafeManifestName(std::string_view name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
  if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':') return false;
  // After this, "/" is the only separator; no byte of a double-byte character is "/" or ".".
  const std::string path = gbk::ReplaceAll(name, '\\', "/");
  std::string_view rest = path;
  while (true) {
    const std::size_t slash = rest.find('/');
    const std::string_view component = rest.substr(0, slash);
    if (WalksUp(component)) return false;
    if (slash == std::string_view::npos) return !OnlyDotsAndBlanks(component);
    rest.remove_prefix(slash + 1);
  }
}
