// The version rule: a version text is a major and a minor number, compared as two signed 32-bit
// integers, major first. "2.55" is minor 55 (newer than "2.7"), not a decimal fraction; parts
// after a second "." do not count, so "1.2", "1.02" and "1.2.9" are the same version.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace version_rule {

struct VersionNumbers {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  friend bool operator==(const VersionNumbers&, const VersionNumbers&) = default;
};

// Nothing when a part is not a whole decimal number ("1.x", "1.", ".5", "1..2", "1. 2").
// A text without "." is all major with minor 0 ("3" is 3.0); the empty text is 0.0, which
// stands for "nothing installed yet".
std::optional<VersionNumbers> SplitVersion(std::string_view text);

// True when a is strictly newer than b; nothing when either text is not a version, which
// ends a manifest parse at once.
std::optional<bool> IsNewerVersion(std::string_view a, std::string_view b);

}  // namespace version_rule
