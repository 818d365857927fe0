#include "platform/ui/timer.h"

#include <stdexcept>

#include "platform/ui/application.h"

namespace ui {
namespace {

constexpr char kTimerClass[] = "QuillTimer";
constexpr UINT_PTR kTimerId = 1;

void RegisterTimerClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTimerClass;
    return RegisterClassExA(&wc) != 0;
  }();
  if (!registered) throw std::runtime_error("cannot register the timer window class");
}

}  // namespace

Timer::Timer() {
  RegisterTimerClass(&WindowProc);
  window_ = CreateWindowExA(0, kTimerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) throw std::runtime_error("cannot create the timer window");
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Timer::~Timer() {
  KillTimer(window_, kTimerId);
  DestroyWindow(window_);
}

void Timer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void Timer::Restart() {
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ > 0) SetTimer(window_, kTimerId, interval_, nullptr);
}

LRESULT CALLBACK Timer::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* timer = reinterpret_cast<Timer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (timer && timer->enabled_ && timer->OnTimer) {
      try {
        timer->OnTimer();
      } catch (const std::exception& error) {
        Application::Instance().HandleException(error.what());
      }
    }
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace ui
