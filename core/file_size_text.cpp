#include "core/file_size_text.h"

namespace file_size_text {

std::string FileSizeText(std::int32_t size) {
  if (size <= 0) return "大小无效";
  if (size < 1000) return std::to_string(size) + "B";
  if (size < 1000000) return std::to_string(size / 1000) + "KB";
  if (size < 1000000000) return std::to_string(size / 1000000) + "MB";
  return std::to_string(size / 1000000000) + "GB";
}

std::int32_t SizeFromFileLength(std::uint64_t length) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(length & 0xFFFFFFFFu));
}

std::int32_t SizeFromContentLength(std::int64_t announced) {
  if (announced < 0 || announced > INT32_MAX) return -1;
  return static_cast<std::int32_t>(announced);
}

}  // namespace file_size_text
