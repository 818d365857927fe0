#include "core/atomic_file.h"

#include <utility>

#include "core/os_file.h"

AtomicFileWriter::AtomicFileWriter(std::string target)
    : target_(std::move(target)), temp_(TempPathFor(target_)) {
  file_ = std::fopen(temp_.c_str(), "wb");
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

std::string AtomicFileWriter::TempPathFor(const std::string& target) { return target + ".~tmp"; }

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (!file_ || failed_) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool AtomicFileWriter::Commit() {
  if (!file_ || failed_) {
    Discard();
    return false;
  }
  const bool flushed = os_file::FlushToDisk(file_);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed || !os_file::RenameOver(temp_, target_)) {
    os_file::Remove(temp_);
    return false;
  }
  return true;
}

void AtomicFileWriter::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  os_file::Remove(temp_);
}

bool WriteFileAtomically(const std::string& target, std::string_view bytes) {
  AtomicFileWriter writer(target);
  return writer.Write(bytes) && writer.Commit();
}
