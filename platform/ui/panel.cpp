#include "platform/ui/panel.h"

namespace ui {

Panel::Panel(WinControl* parent) : WinControl(parent) {
  CreateHandle(nullptr, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, "");
}

}  // namespace ui
