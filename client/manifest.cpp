// Reading the fetched manifest into the file list, with each file's size probed.
#include <windows.h>

#include "client/form1.h"
#include "core/file_size_text.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/manifest_list.h"
#include "core/staging_path.h"
#include "core/url_text.h"

bool TForm1::ParseManifest() {
  const std::string path = staging_path::ManifestPath(StagingFolder(), ServerUpdateFile);
  sgFile.SetCell(1, 0, kFileNameHeading);
  sgFile.SetCell(2, 0, kFileSizeHeading);
  sgFile.SetRowCount(2);
  sgFile.SetCell(1, 1, "");
  sgFile.SetCell(2, 1, "");

  const ManifestList list = ReadManifestList(IniFile(path), InstalledVersion, NewVersion);
  NewVersion = list.NewVersion;
  int row = 0;
  for (const ManifestFile& file : list.Files) {
    ++row;
    sgFile.SetRowCount(row + 1);
    sgFile.SetCell(1, row, file.Name);
    sgFile.SetCell(2, row, file.SizeText.empty() ? FileSizeText(file.Name) : file.SizeText);
    sgFile.SetCell(3, row, file.InstallExtension);
  }
  return row > 0;
}

std::string TForm1::FileSizeText(const std::string& name) {
  std::int32_t size = 0;
  if (InternetMode()) {
    if (HTTP.Head(url_text::FileUrl(gbk::Trim(edUrl.Text()), name))) {
      size = file_size_text::SizeFromContentLength(HTTP.ContentLength());
    }
  } else {
    const std::string path = staging_path::NamePath(gbk::Trim(edNetPath.Text()), name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      LARGE_INTEGER length{};
      if (GetFileSizeEx(file, &length)) {
        size = file_size_text::SizeFromFileLength(static_cast<std::uint64_t>(length.QuadPart));
      }
      CloseHandle(file);
    }
  }
  return file_size_text::FileSizeText(size);
}
