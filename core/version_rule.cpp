#include "core/version_rule.h"

namespace version_rule {
namespace {

// Decimal with an optional sign, within the signed 32-bit range; no blanks, no other text.
std::optional<std::int32_t> StrictInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > INT64_C(2147483648)) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<VersionNumbers> SplitVersion(std::string_view text) {
  // A byte of a double-byte character is never "." (0x2E), so a byte scan is safe here.
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) {
    if (text.empty()) return VersionNumbers{};
    const auto major = StrictInteger(text);
    if (!major) return std::nullopt;
    return VersionNumbers{*major, 0};
  }
  const std::string_view rest = text.substr(point + 1);
  const auto major = StrictInteger(text.substr(0, point));
  const auto minor = StrictInteger(rest.substr(0, rest.find('.')));
  if (!major || !minor) return std::nullopt;
  return VersionNumbers{*major, *minor};
}

std::optional<bool> IsNewerVersion(std::string_view a, std::string_view b) {
  const auto first = SplitVersion(a);
  const auto second = SplitVersion(b);
  if (!first || !second) return std::nullopt;
  if (first->major != second->major) return first->major > second->major;
  return first->minor > second->minor;
}

}  // namespace version_rule
