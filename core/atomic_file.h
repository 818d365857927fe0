// Writing a file so that a reader sees either the old contents or the new, whole: the bytes go
// to a temporary file beside the target, which replaces the target only on Commit. A writer
// destroyed before Commit (an error, an abort, an exception) removes its temporary file and
// leaves the target untouched.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  static std::string TempPathFor(const std::string& target);

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& TempPath() const { return temp_; }

  bool Write(std::string_view bytes);
  // Flushes to disk and renames over the target. False (and the target as it was) when any
  // write failed or the replace was refused.
  bool Commit();
  void Discard();

 private:
  std::string target_;
  std::string temp_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

bool WriteFileAtomically(const std::string& target, std::string_view bytes);
