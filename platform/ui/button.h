// A push button over the system "BUTTON" class. OnClick reports every press: a mouse click,
// Space while it has the focus, Enter while it has the focus, and Enter anywhere in its form
// when it is the form's default button.
//
// The default button is found the way the dialog manager finds it: the form's message loop
// asks for the child with the id IDOK, and only direct children of the form are searched. A
// default button must therefore be placed directly on its form, not inside a panel or a page.
#pragma once

#include <string>

#include "platform/ui/win_control.h"

namespace ui {

class Button : public WinControl {
 public:
  Button(WinControl* parent, const std::string& caption);

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  bool Default() const { return default_; }
  // Making a button the default one takes the part from any other button of the same form.
  void SetDefault(bool isDefault);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  bool HandleCommand(WORD code) override;

 private:
  void ApplyDefaultStyle();

  bool default_ = false;
};

}  // namespace ui
