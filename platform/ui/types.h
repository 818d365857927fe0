// Small value types shared by the controls.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// Colours as 0x00BBGGRR, like COLORREF.
using Color = COLORREF;
inline constexpr Color kDefaultColor = 0xFF000000;  // "use the parent's / the system's"

enum class Align { None, Top, Bottom, Left, Right, Client };

struct Anchors {
  bool left = true;
  bool top = true;
  bool right = false;
  bool bottom = false;
};

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
  MouseButton button = MouseButton::Left;
  int x = 0;  // in the receiving control's coordinates
  int y = 0;
  bool doubleClick = false;
};

enum class TextAlign { Left, Center, Right };

using Event = std::function<void()>;
using MouseHandler = std::function<void(const MouseEvent&)>;
// Key-down: the virtual key; set handled to keep the control from acting on it.
using KeyHandler = std::function<void(WORD key, bool& handled)>;

}  // namespace ui
