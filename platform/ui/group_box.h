// A container drawn as an etched frame with its caption in the top border.
#pragma once

#include <string>

#include "platform/ui/win_control.h"

namespace ui {

class GroupBox : public WinControl {
 public:
  GroupBox(WinControl* parent, const std::string& caption);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 protected:
  void Paint(HDC dc, const RECT& dirty) override;

 private:
  std::string caption_;
};

}  // namespace ui
