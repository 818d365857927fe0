// Reading and writing the text of a window as a code page 936 byte string.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

std::string GetWindowTextString(HWND hwnd);

}  // namespace ui
