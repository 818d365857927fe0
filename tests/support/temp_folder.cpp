#include "tests/support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "core/os_file.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path folder = fs::temp_directory_path() /
                          ("quilltest-" + std::to_string(stamp) + "-" + std::to_string(++counter));
  fs::create_directories(folder);
  path_ = folder.string();
  path_ += static_cast<char>(fs::path::preferred_separator);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(fs::path(path_), ignored);
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  if (os_file::ReadAll(path, bytes) != os_file::ReadResult::Ok) {
    throw std::runtime_error("cannot read " + path);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot create " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}
