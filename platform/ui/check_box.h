// Check boxes and radio buttons. OnClick reports the user's clicks; setting Checked from the
// program does not call it.
#pragma once

#include <string>

#include "platform/ui/win_control.h"

namespace ui {

class CheckBox : public WinControl {
 public:
  CheckBox(WinControl* parent, const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);
  std::string Caption() const;

 protected:
  CheckBox(WinControl* parent, const std::string& caption, DWORD kind);
  bool HandleCommand(WORD code) override;
  HBRUSH ControlColorBrush(HDC dc) override;
};

// Checking a radio button clears the other radio buttons of the same parent.
class RadioButton : public CheckBox {
 public:
  RadioButton(WinControl* parent, const std::string& caption);
  void SetChecked(bool checked);

 protected:
  bool HandleCommand(WORD code) override;
};

}  // namespace ui
