// Windows path texts in code page 936, split without ever taking a trail byte for "\".
#pragma once

#include <string>
#include <string_view>

namespace path_text {

// Folder part with its trailing "\" ("C:\App\quillark.exe" -> "C:\App\"); "" without a "\".
std::string ExtractFilePath(std::string_view path);
// Name after the last "\" (or the whole text).
std::string ExtractFileName(std::string_view path);
// The text with one "\" at the end (unchanged when it already ends in one, "" stays "").
std::string IncludeTrailingBackslash(std::string_view path);

}  // namespace path_text
