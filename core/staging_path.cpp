#include "core/staging_path.h"

#include "core/gbk_text.h"
#include "core/manifest_entry.h"
#include "core/path_text.h"

namespace staging_path {

std::string NamePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += gbk::ReplaceAll(name, '/', "\\");
  return path;
}

std::string ManifestPath(std::string_view stagingFolder, std::string_view manifestName) {
  std::string path(stagingFolder);
  path += '\\';
  path += manifestName;
  return path;
}

std::optional<StagingTarget> StagingTargetFor(std::string_view stagingFolder,
                                              std::string_view name, bool keepFolders) {
  if (!IsSafeManifestName(name)) return std::nullopt;
  const std::string path = NamePath(stagingFolder, name);
  StagingTarget target;
  target.File = path_text::ExtractFileName(path);
  if (keepFolders) {
    target.Folder = path_text::ExtractFilePath(path);
  } else {
    target.Folder = std::string(stagingFolder) + '\\';
  }
  return target;
}

}  // namespace staging_path
