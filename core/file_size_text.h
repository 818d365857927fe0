// The size column of the file list. A probe yields a signed 32-bit byte count in which 0 or
// less means "unknown" (failed request, file not found, no usable announced length).
#pragma once

#include <cstdint>
#include <string>

namespace file_size_text {

// "999B", "1KB", "999KB", "1MB", "1GB": units are powers of 1000, the remainder dropped, no
// blank before the unit; "大小无效" for a size of 0 or less.
std::string FileSizeText(std::int32_t size);

// A file's length as the local probe reports it: its low 32 bits read as signed, so a file of
// 2 GiB or more can come out as 0 or negative ("大小无效").
std::int32_t SizeFromFileLength(std::uint64_t length);

// The length a HEAD answer announces; negative means none was announced. No announcement, or
// one beyond the signed 32-bit range, gives -1.
std::int32_t SizeFromContentLength(std::int64_t announced);

}  // namespace file_size_text
