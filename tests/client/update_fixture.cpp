#include "tests/client/update_fixture.h"

#include <windows.h>

#include "core/gbk_text.h"

void UpdateTest::Serve(const std::string& relative, const std::string& bytes) {
  const std::string path = served_.Path() + gbk::ReplaceAll(relative, '/', "\\");
  for (std::size_t i = gbk::FindFirst(path, '\\', served_.Path().size()); i != std::string::npos;
       i = gbk::FindFirst(path, '\\', i + 1)) {
    CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  WriteFileBytes(path, bytes);
}

void UpdateTest::ServeManifest(
    const std::vector<std::pair<std::string, std::vector<std::string>>>& versions) {
  std::string text = "[Version]\r\nVersionCount=" + std::to_string(versions.size()) + "\r\n";
  for (std::size_t i = 0; i < versions.size(); ++i) {
    text += "Version" + std::to_string(i) + "=" + versions[i].first + "\r\n";
  }
  for (const auto& [version, files] : versions) {
    text += "[" + version + "]\r\nFileCount=" + std::to_string(files.size()) + "\r\n";
    for (std::size_t j = 0; j < files.size(); ++j) {
      text += "FileName" + std::to_string(j) + "=" + files[j] + "\r\n";
    }
  }
  Serve("release/updates.ini", text);
}

void UpdateTest::WriteSettings(const std::vector<std::string>& serverUrls, bool createFolders,
                               const std::string& installed) {
  std::string text = "[Common]\r\nSavedPath=" + staging_.Path() +
                     "\r\nInternetUpdate=1\r\nAutoCreateFolder=" + (createFolders ? "1" : "0") +
                     "\r\nInstalledVersion=" + installed + "\r\n[ServerList]\r\nServerCount=" +
                     std::to_string(serverUrls.size()) + "\r\n";
  for (std::size_t i = 0; i < serverUrls.size(); ++i) {
    text += "ServerName" + std::to_string(i) + "=server " + std::to_string(i) + "\r\n";
    text += "ServerUrl" + std::to_string(i) + "=" + serverUrls[i] + "\r\n";
  }
  WriteIni(text);
}

std::vector<std::string> UpdateTest::Requests() {
  std::vector<std::string> lines;
  for (const RecordedRequest& r : server_.Requests()) lines.push_back(r.method + " " + r.target);
  return lines;
}

std::string UpdateTest::Staged(const std::string& relative) const {
  std::string folder = staging_.Path();
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\" + relative;
}
