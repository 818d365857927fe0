#include "platform/ui/window_text.h"

namespace ui {

std::string GetWindowTextString(HWND hwnd) {
  if (!hwnd) return {};
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace ui
