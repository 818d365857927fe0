// Integers as the configuration file stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace integer_text {

// A 32-bit signed integer: decimal with an optional sign ("-3", "+12"), or hexadecimal after
// "0x", "0X" or "$" (also signed; up to eight digits, the bit pattern taken as signed, so
// "$FFFFFFFF" is -1). Nothing else is accepted: no blanks, no trailing text, no overflow.
std::optional<std::int32_t> Parse(std::string_view text);

std::string Format(std::int32_t value);

}  // namespace integer_text
