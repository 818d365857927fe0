// The few file operations whose Windows and POSIX forms differ. Paths are code page 936 byte
// strings (the ANSI functions on Windows). The Windows forms live in platform/sys.
#pragma once

#include <cstdio>
#include <string>

namespace os_file {

enum class ReadResult { Ok, NotFound, Failed };

// The whole file into bytes. NotFound only when no such file exists; a file that exists but
// cannot be read (locked, a folder, no permission) is Failed.
ReadResult ReadAll(const std::string& path, std::string& bytes);

// Pushes what was written to the stream down to the disk.
bool FlushToDisk(std::FILE* file);

// Moves source over target in one step, replacing an existing target.
bool RenameOver(const std::string& source, const std::string& target);

bool Remove(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace os_file
