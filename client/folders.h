// Folder helpers of the client's transfer steps.
#pragma once

#include <string>

namespace client_folders {

// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

}  // namespace client_folders
