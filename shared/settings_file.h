// Where quillark.ini lies and how both programs resolve the folders it names.
#pragma once

#include <string>

namespace settings_file {

// The running program's folder, with its trailing "\".
std::string ProgramFolder();
// quillark.ini in that folder.
std::string Path();

bool DirectoryExists(const std::string& path);
// The staging folder: the setting when such a folder exists, else "Updates" in the program's
// folder (also for an empty setting).
std::string ResolveSavedPath(const std::string& savedPath);
// The installation folder: the setting when such a folder exists, else the program's folder.
std::string ResolveInstalledDir(const std::string& installedDir);

}  // namespace settings_file
