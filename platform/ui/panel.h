// A plain container with a background colour.
#pragma once

#include "platform/ui/win_control.h"

namespace ui {

class Panel : public WinControl {
 public:
  explicit Panel(WinControl* parent);
};

}  // namespace ui
