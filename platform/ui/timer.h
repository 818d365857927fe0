// A timer that calls OnTimer on the message loop every Interval milliseconds while enabled.
#pragma once

#include <windows.h>

#include "platform/ui/types.h"

namespace ui {

class Timer {
 public:
  Timer();
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  UINT Interval() const { return interval_; }
  void SetInterval(UINT milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  Event OnTimer;

 private:
  void Restart();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;  // message-only window that receives WM_TIMER
  UINT interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace ui
