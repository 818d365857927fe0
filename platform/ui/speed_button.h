// A flat button painted by its parent: a glyph and a caption, a raised edge while the mouse is
// over it and a sunken one while pressed; greyed when disabled.
#pragma once

#include <string>

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace ui {

class SpeedButton : public GraphicControl {
 public:
  // Pixels of this colour in a glyph are transparent.
  static constexpr COLORREF kGlyphKey = RGB(255, 0, 255);

  SpeedButton(WinControl* parent, const std::string& caption);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  void SetGlyph(PicturePtr glyph);

  void Paint(HDC dc) override;
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(const MouseEvent& event) override;
  void MouseUp(const MouseEvent& event) override;
  void MouseLeave() override;

 private:
  std::string caption_;
  PicturePtr glyph_;
  bool hot_ = false;
  bool pressed_ = false;
};

}  // namespace ui
