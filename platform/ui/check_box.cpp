#include "platform/ui/check_box.h"

#include "platform/ui/window_text.h"

namespace ui {

CheckBox::CheckBox(WinControl* parent, const std::string& caption)
    : CheckBox(parent, caption, BS_AUTOCHECKBOX) {}

CheckBox::CheckBox(WinControl* parent, const std::string& caption, DWORD kind) : WinControl(parent) {
  CreateHandle("BUTTON", WS_TABSTOP | WS_CLIPSIBLINGS | kind, 0, caption);
}

bool CheckBox::Checked() const {
  return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  if (Handle()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string CheckBox::Caption() const { return GetWindowTextString(Handle()); }

bool CheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

HBRUSH CheckBox::ControlColorBrush(HDC dc) {
  // The parent's colour shows through behind the box and its caption.
  SetBkColor(dc, GetColor());
  return BackgroundBrush();
}

RadioButton::RadioButton(WinControl* parent, const std::string& caption)
    : CheckBox(parent, caption, BS_RADIOBUTTON) {}

void RadioButton::SetChecked(bool checked) {
  CheckBox::SetChecked(checked);
  if (!checked || !Parent()) return;
  for (Control* sibling : Parent()->Children()) {
    auto* radio = dynamic_cast<RadioButton*>(sibling);
    if (radio && radio != this) radio->CheckBox::SetChecked(false);
  }
}

bool RadioButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  Click();
  return true;
}

}  // namespace ui
