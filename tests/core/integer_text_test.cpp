#include "core/integer_text.h"

#include <gtest/gtest.h>

namespace {

TEST(IntegerText, AcceptsDecimalAndHexadecimalOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> expected;
  } cases[] = {
      {"0", 0},
      {"12", 12},
      {"-3", -3},
      {"+7", 7},
      {"0x1", 1},
      {"0X1f", 31},
      {"$1F", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"yes", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(integer_text::Parse(c.text), c.expected) << c.text;
}

}  // namespace
