#include "core/file_size_text.h"

#include <gtest/gtest.h>

namespace {

using file_size_text::FileSizeText;
using file_size_text::SizeFromContentLength;
using file_size_text::SizeFromFileLength;

constexpr char kUnknown[] = "大小无效";

TEST(FileSizeText, ThousandsWithoutRemainder) {
  struct Case {
    std::int32_t size;
    const char* text;
  } cases[] = {
      {1, "1B"},
      {999, "999B"},
      {1000, "1KB"},
      {1999, "1KB"},
      {999999, "999KB"},
      {1000000, "1MB"},
      {999999999, "999MB"},
      {1000000000, "1GB"},
      {1500000000, "1GB"},
      {INT32_MAX, "2GB"},
      {0, kUnknown},   // failed probe
      {-1, kUnknown},  // no usable announced length
      {INT32_MIN, kUnknown},
  };
  for (const Case& c : cases) EXPECT_EQ(FileSizeText(c.size), c.text) << c.size;
}

// The probe forms: a local file's length keeps its low 32 bits as a signed number; an
// announced length beyond the signed range, or none, is unknown.
TEST(FileSizeText, ProbedLengths) {
  struct Case {
    std::uint64_t length;
    const char* fromFile;
    const char* fromAnswer;
  } cases[] = {
      {999, "999B", "999B"},
      {1500000000, "1GB", "1GB"},
      {2147483647, "2GB", "2GB"},
      {2147483648u, kUnknown, kUnknown},
      {4294967295u, kUnknown, kUnknown},
      {4294967296u + 1000, "1KB", kUnknown},
      {0, kUnknown, kUnknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileSizeText(SizeFromFileLength(c.length)), c.fromFile) << c.length;
    EXPECT_EQ(FileSizeText(SizeFromContentLength(static_cast<std::int64_t>(c.length))),
              c.fromAnswer)
        << c.length;
  }
  EXPECT_EQ(SizeFromContentLength(-1), -1);  // no Content-Length at all
  EXPECT_EQ(SizeFromContentLength(2147483648), -1);
}

}  // namespace
