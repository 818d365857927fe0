#include "platform/ui/label.h"

#include "platform/ui/gdi_handles.h"

namespace ui {

Label::Label(WinControl* parent, const std::string& caption)
    : GraphicControl(parent), caption_(caption) {}

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void Label::SetFontColor(Color color) {
  fontColor_ = color;
  Invalidate();
}

void Label::SetBackground(Color color) {
  background_ = color;
  Invalidate();
}

void Label::SetAlignment(TextAlign alignment) {
  alignment_ = alignment;
  Invalidate();
}

void Label::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  Invalidate();
}

void Label::Paint(HDC dc) {
  RECT r = BoundsRect();
  if (background_ != kDefaultColor) {
    ScopedBrush brush(CreateSolidBrush(background_));
    FillRect(dc, &r, brush.Get());
  }
  SetBkMode(dc, TRANSPARENT);
  const Color color = fontColor_ == kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT) : fontColor_;
  SetTextColor(dc, Enabled() ? color : GetSysColor(COLOR_GRAYTEXT));
  UINT format = DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == TextAlign::Center) format |= DT_CENTER;
  if (alignment_ == TextAlign::Right) format |= DT_RIGHT;
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
}

}  // namespace ui
