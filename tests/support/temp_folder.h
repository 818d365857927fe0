// A fresh folder for one test, removed with everything in it at the end. Its path is ASCII, so
// std::filesystem can handle it on both systems; names below it may be GBK.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path with the system's separator at the end.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
