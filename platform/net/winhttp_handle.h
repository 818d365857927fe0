// Owns one WinHTTP handle (session, connection or request); closing it is the only cleanup.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <utility>

class WinHttpHandle {
 public:
  WinHttpHandle() = default;
  explicit WinHttpHandle(HINTERNET handle) : handle_(handle) {}
  ~WinHttpHandle() { Reset(); }
  WinHttpHandle(WinHttpHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  WinHttpHandle& operator=(WinHttpHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  WinHttpHandle(const WinHttpHandle&) = delete;
  WinHttpHandle& operator=(const WinHttpHandle&) = delete;

  HINTERNET Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  void Reset() {
    if (handle_) WinHttpCloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HINTERNET handle_ = nullptr;
};
