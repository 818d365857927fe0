// Text painted by its parent, transparent over whatever lies beneath unless given a colour.
#pragma once

#include <string>

#include "platform/ui/control.h"

namespace ui {

class Label : public GraphicControl {
 public:
  Label(WinControl* parent, const std::string& caption);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  Color FontColor() const { return fontColor_; }
  void SetFontColor(Color color);
  // kDefaultColor: transparent.
  void SetBackground(Color color);
  void SetAlignment(TextAlign alignment);
  TextAlign Alignment() const { return alignment_; }
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return wordWrap_; }

  void Paint(HDC dc) override;

 private:
  std::string caption_;
  Color fontColor_ = kDefaultColor;
  Color background_ = kDefaultColor;
  TextAlign alignment_ = TextAlign::Left;
  bool wordWrap_ = false;
};

}  // namespace ui
