// Where fetched update files are stored. A manifest name uses "/" between folders; on disk it
// sits below a folder with "\" in their place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace staging_path {

// folder, "\", and the name with every "/" turned into "\". The same rule places a name below
// the staging folder and below the LAN folder it is copied from.
std::string NamePath(std::string_view folder, std::string_view name);

// The fetched manifest: folder, "\", manifest name.
std::string ManifestPath(std::string_view stagingFolder, std::string_view manifestName);

struct StagingTarget {
  std::string Folder;  // ends in "\"; when keepFolders, the caller creates it if missing
  std::string File;    // the name in that folder
  std::string Path() const { return Folder + File; }
};

// The staged place of a listed file. keepFolders (the "create folders" choice) keeps the
// name's folders: "bin/app.ex_" -> <staging>\bin\ + app.ex_. Without it only the last part of
// the name is kept, flat in the staging folder, so "sub/a.txt" and "other/a.txt" both land on
// <staging>\a.txt. Nothing for a name that is not safe (see IsSafeManifestName): such a file
// is never stored.
std::optional<StagingTarget> StagingTargetFor(std::string_view stagingFolder,
                                              std::string_view name, bool keepFolders);

}  // namespace staging_path
