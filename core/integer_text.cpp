#include "core/integer_text.h"

namespace integer_text {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(d);
  }
  return value;
}

// Magnitude up to 2^31, enough for both signs; larger values are refused.
std::optional<std::uint32_t> ParseDecimal(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > 0x80000000ull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::int32_t> Parse(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::optional<std::uint32_t> magnitude;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    magnitude = ParseHex(text.substr(2));
  } else if (text.starts_with('$')) {
    magnitude = ParseHex(text.substr(1));
  } else {
    magnitude = ParseDecimal(text);
    if (magnitude && *magnitude == 0x80000000u && !negative) return std::nullopt;
  }
  if (!magnitude) return std::nullopt;
  // Two's complement wrap: the hexadecimal bit pattern, or the negated decimal.
  const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
  return static_cast<std::int32_t>(bits);
}

std::string Format(std::int32_t value) { return std::to_string(value); }

}  // namespace integer_text
