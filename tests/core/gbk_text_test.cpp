#include "core/gbk_text.h"

#include <gtest/gtest.h>

#include "core/path_text.h"

namespace {

// "\x81\x5C" and "\x95\x41" are double-byte characters whose trail bytes are "\" and "A".
constexpr char kTrailBackslash[] = "\x81\x5C";
constexpr char kTrailLetterA[] = "\x95\x41";

TEST(GbkText, CharacterBoundaries) {
  struct Case {
    std::string text;
    std::size_t pos;
    std::size_t length;
  } cases[] = {
      {"a", 0, 1},
      {kTrailBackslash, 0, 2},
      {"\x81", 0, 1},      // lead byte at the end stands alone
      {"\x81=", 0, 1},     // "=" is no trail byte
      {"\x81\x7F", 0, 1},  // nor is 0x7F
      {"\xFE\xFE", 0, 2},
      {"\xFF\x41", 0, 1},  // 0xFF is no lead byte
  };
  for (const Case& c : cases) EXPECT_EQ(gbk::CharLength(c.text, c.pos), c.length) << c.text;
}

TEST(GbkText, BackslashSearchNeverMatchesTrailByte) {
  const std::string path = std::string("C:\\dir\\") + kTrailBackslash;
  EXPECT_EQ(gbk::FindLast(path, '\\'), 6u);
  EXPECT_EQ(path_text::ExtractFilePath(path), "C:\\dir\\");
  EXPECT_EQ(path_text::ExtractFileName(path), kTrailBackslash);
  EXPECT_EQ(gbk::FindFirst(std::string(kTrailBackslash) + "\\x", '\\'), 2u);
  EXPECT_EQ(gbk::FindFirst(kTrailBackslash, '\\'), std::string::npos);
  // A start position on a trail byte is not a character start.
  EXPECT_EQ(gbk::FindFirst(std::string(kTrailBackslash) + "\\", '\\', 1), 2u);
  EXPECT_EQ(path_text::ExtractFilePath("name.exe"), "");
  EXPECT_EQ(path_text::IncludeTrailingBackslash(std::string("C:\\") + kTrailBackslash),
            std::string("C:\\") + kTrailBackslash + "\\");
  EXPECT_EQ(path_text::IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
}

TEST(GbkText, ReplaceAll) {
  struct Case {
    std::string text;
    char pattern;
    std::string replacement;
    std::string expected;
  } cases[] = {
      {"bin/app.ex_", '/', "\\", "bin\\app.ex_"},
      {"bin/app.ex_", '/', "//", "bin//app.ex_"},  // inserted "/" is not searched again
      {"//", '/', "//", "////"},
      {std::string("a\\") + kTrailBackslash, '\\', "/", std::string("a/") + kTrailBackslash},
      {"", '/', "x", ""},
      {"abc", '/', "x", "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gbk::ReplaceAll(c.text, c.pattern, c.replacement), c.expected) << c.text;
  }
}

TEST(GbkText, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(gbk::Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(gbk::Trim("\x01\x1F"), "");
  EXPECT_EQ(gbk::Trim(""), "");
  EXPECT_EQ(gbk::Trim(std::string(" ") + kTrailBackslash + " "), kTrailBackslash);
}

TEST(GbkText, CaseFoldFollowsCodePage) {
  struct Case {
    std::string lower;
    std::string upper;
  } cases[] = {
      {"abc-z", "ABC-Z"},
      {"\xA3\xE1\xA3\xFA", "\xA3\xC1\xA3\xDA"},  // full-width a, z
      {"\xA6\xC1\xA6\xD8", "\xA6\xA1\xA6\xB8"},  // Greek alpha, omega
      {"\xA7\xD1\xA7\xF1", "\xA7\xA1\xA7\xC1"},  // Cyrillic a, ya
      {"\xA7\xD7", "\xA7\xA7"},                  // Cyrillic io
      {"\xA2\xA1\xA2\xAA", "\xA2\xF1\xA2\xFA"},  // Roman numerals one, ten
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gbk::ToUpper(c.lower), c.upper);
    EXPECT_EQ(gbk::ToLower(c.upper), c.lower);
    EXPECT_TRUE(gbk::EqualsNoCase(c.lower, c.upper));
  }
  // Trail bytes that happen to be letters stay as they are.
  EXPECT_EQ(gbk::ToLower(kTrailLetterA), kTrailLetterA);
  EXPECT_EQ(gbk::ToUpper("\x95\x61"), "\x95\x61");
  EXPECT_FALSE(gbk::EqualsNoCase(kTrailLetterA, "\x95\x61"));
  EXPECT_FALSE(gbk::EqualsNoCase("abc", "abcd"));
  EXPECT_TRUE(gbk::EqualsNoCase("Setup.EXE", "setup.exe"));
}

}  // namespace
