// Byte strings in code page 936 (GBK). A lead byte 0x81-0xFE followed by a trail byte
// 0x40-0xFE (not 0x7F) forms one character; trail bytes include "\" and ASCII letters, so every
// scan for an ASCII character and every case fold must step over such pairs. Everything in the
// programs that looks inside text does it through these functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gbk {

bool IsLeadByte(unsigned char c);
bool IsTrailByte(unsigned char c);

// Length in bytes (1 or 2) of the character that starts at pos; pos must be inside text.
std::size_t CharLength(std::string_view text, std::size_t pos);

// Position of the first or last character equal to the single-byte character c, never a
// trail byte; npos when there is none.
std::size_t FindFirst(std::string_view text, char c, std::size_t from = 0);
std::size_t FindLast(std::string_view text, char c);

// Every character equal to pattern replaced by replacement, left to right; the inserted text
// is never searched again.
std::string ReplaceAll(std::string_view text, char pattern, std::string_view replacement);

// Removes blanks and control characters (bytes up to 0x20) from both ends.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

// Case rules of code page 936: ASCII letters and the double-byte full-width Latin, Greek and
// Cyrillic letters and Roman numerals. Every other byte, trail bytes included, stays as it is.
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Key for ordered or hashed lookups that ignore case: equal keys <=> EqualsNoCase.
inline std::string FoldKey(std::string_view text) { return ToUpper(text); }

}  // namespace gbk
