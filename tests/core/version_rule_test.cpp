#include "core/version_rule.h"

#include <gtest/gtest.h>

namespace {

using version_rule::IsNewerVersion;
using version_rule::SplitVersion;
using version_rule::VersionNumbers;

TEST(VersionRule, SplitsMajorAndMinor) {
  struct Case {
    const char* text;
    std::optional<VersionNumbers> expected;
  } cases[] = {
      {"2.55", VersionNumbers{2, 55}},
      {"2.55.3", VersionNumbers{2, 55}},
      {"1.02", VersionNumbers{1, 2}},
      {"1.2.", VersionNumbers{1, 2}},        // the part after the second point never counts
      {"1.2.x", VersionNumbers{1, 2}},
      {"3", VersionNumbers{3, 0}},           // no point: all major
      {"", VersionNumbers{0, 0}},            // nothing installed
      {"-1.+2", VersionNumbers{-1, 2}},
      {"-2147483648.2147483647", VersionNumbers{INT32_MIN, INT32_MAX}},
      {"1.x", std::nullopt},
      {"1.", std::nullopt},                  // empty minor
      {".5", std::nullopt},                  // empty major
      {"1..2", std::nullopt},
      {"1. 2", std::nullopt},
      {" 1.2", std::nullopt},
      {"1.2x", std::nullopt},
      {"1,2", std::nullopt},
      {"x", std::nullopt},
      {"-", std::nullopt},
      {"1.2147483648", std::nullopt},        // beyond 32 bits
      {"1.0x10", std::nullopt},              // decimal only
      {"１.２", std::nullopt},               // full-width digits are no digits
  };
  for (const Case& c : cases) EXPECT_EQ(SplitVersion(c.text), c.expected) << c.text;
}

TEST(VersionRule, NewerComparesMajorThenMinorAsIntegers) {
  struct Case {
    const char* a;
    const char* b;
    std::optional<bool> aIsNewer;
  } cases[] = {
      {"2.55", "2.6", true},   // 55 > 6: minor is a number, not a fraction
      {"2.7", "2.6", true},
      {"2.55", "2.7", true},
      {"2.7", "2.55", false},
      {"1.10", "1.9", true},
      {"2.0", "1.99", true},
      {"1.99", "2.0", false},
      {"1.2", "1.2", false},   // equal is not newer
      {"1.02", "1.2", false},
      {"1.2.9", "1.2", false},
      {"1.2", "1.2.9", false},
      {"1.3", "1.03", false},
      {"3", "2.9", true},
      {"2", "2.0", false},
      {"0.1", "", true},       // everything is newer than nothing installed
      {"0.0", "", false},
      {"", "0.1", false},
      {"-1.0", "", false},
      {"1.x", "1.0", std::nullopt},
      {"1.0", "1.x", std::nullopt},
      {"1.", "0.1", std::nullopt},
      {"abc", "", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsNewerVersion(c.a, c.b), c.aIsNewer) << c.a << " vs " << c.b;
  }
}

}  // namespace
