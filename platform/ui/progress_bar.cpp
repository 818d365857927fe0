#include "platform/ui/progress_bar.h"

#include <commctrl.h>

namespace ui {

ProgressBar::ProgressBar(WinControl* parent) : WinControl(parent) {
  CreateHandle(PROGRESS_CLASSA, WS_CLIPSIBLINGS, 0, "");
  SetRange(0, 100);
}

int ProgressBar::Position() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)) : 0;
}

void ProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (Handle()) SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void ProgressBar::SetPosition(int position) {
  if (Handle()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace ui
