#include "platform/ui/speed_button.h"

namespace ui {

SpeedButton::SpeedButton(WinControl* parent, const std::string& caption)
    : GraphicControl(parent), caption_(caption) {}

void SpeedButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void SpeedButton::SetGlyph(PicturePtr glyph) {
  glyph_ = std::move(glyph);
  Invalidate();
}

void SpeedButton::Paint(HDC dc) {
  RECT r = BoundsRect();
  if (Enabled() && (hot_ || pressed_)) {
    DrawEdge(dc, &r, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = pressed_ ? 1 : 0;
  SIZE text{};
  GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
  const int glyphWidth = glyph_ ? glyph_->Width() + 4 : 0;
  int x = r.left + ((r.right - r.left) - (glyphWidth + text.cx)) / 2 + shift;
  if (glyph_) {
    glyph_->DrawTransparent(dc, x, r.top + ((r.bottom - r.top) - glyph_->Height()) / 2 + shift, kGlyphKey);
    x += glyphWidth;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  TextOutA(dc, x, r.top + ((r.bottom - r.top) - text.cy) / 2 + shift, caption_.c_str(),
           static_cast<int>(caption_.size()));
}

void SpeedButton::MouseDown(const MouseEvent& event) {
  if (event.button == MouseButton::Left) {
    pressed_ = true;
    Invalidate();
  }
  GraphicControl::MouseDown(event);
}

void SpeedButton::MouseMove(const MouseEvent& event) {
  const bool inside = event.x >= 0 && event.y >= 0 && event.x < Width() && event.y < Height();
  if (inside != hot_) {
    hot_ = inside;
    Invalidate();
  }
  GraphicControl::MouseMove(event);
}

void SpeedButton::MouseUp(const MouseEvent& event) {
  pressed_ = false;
  Invalidate();
  GraphicControl::MouseUp(event);
}

void SpeedButton::MouseLeave() {
  hot_ = false;
  Invalidate();
}

}  // namespace ui
