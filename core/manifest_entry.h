// One file entry of an update manifest ("bin/app.ex_?exe"): the file's relative name and the
// extension it takes when installed.
#pragma once

#include <string>
#include <string_view>

struct FileEntry {
  std::string Name;              // relative path, "/" between folders
  std::string InstallExtension;  // "" when the entry has no "?"
};

// Split at the first "?", both sides trimmed: "tools/setup.da_ ? exe" -> "tools/setup.da_",
// "exe".
FileEntry SplitFileEntry(std::string_view value);

// Whether a name stays inside the folder it is placed below. A name that starts at a root
// ("/" or "\" first, so also "\\server\share"), names a drive ("C:"), or walks up with a
// ".." component (either separator) could write anywhere, so it is never transferred or
// installed. Windows drops trailing dots and blanks from a name component, so any component
// of only dots and blanks with two or more dots ("...", ".. ") counts as "..". A name whose
// last component is empty or only dots and blanks names a folder, not a file, and is refused
// too; so is the empty name.
bool IsSafeManifestName(std::string_view name);
