#include "platform/ui/group_box.h"

namespace ui {

GroupBox::GroupBox(WinControl* parent, const std::string& caption)
    : WinControl(parent), caption_(caption) {
  CreateHandle(nullptr, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, caption);
}

void GroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (Handle()) SetWindowTextA(Handle(), caption.c_str());
  Invalidate();
}

void GroupBox::Paint(HDC dc, const RECT& dirty) {
  WinControl::Paint(dc, dirty);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT frame{0, metrics.tmHeight / 2, Width(), Height()};
  if (frame.bottom - frame.top < 2) frame.top = frame.bottom - 2;  // a 7-pixel separator line
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption_.empty()) return;
  SIZE size{};
  GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
  RECT text{8, 0, 8 + size.cx + 4, metrics.tmHeight};
  FillRect(dc, &text, BackgroundBrush());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  TextOutA(dc, 10, 0, caption_.c_str(), static_cast<int>(caption_.size()));
}

}  // namespace ui
