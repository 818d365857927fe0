#include "platform/ui/button.h"

#include "platform/ui/form.h"
#include "platform/ui/window_text.h"

namespace ui {
namespace {

// Every button of the form, at any depth, so that a new default button can retire the old one.
template <typename Visit>
void ForEachButton(WinControl& parent, const Visit& visit) {
  for (Control* child : parent.Children()) {
    auto* container = dynamic_cast<WinControl*>(child);
    if (!container) continue;
    if (auto* button = dynamic_cast<Button*>(container)) visit(*button);
    ForEachButton(*container, visit);
  }
}

}  // namespace

Button::Button(WinControl* parent, const std::string& caption) : WinControl(parent) {
  CreateHandle("BUTTON", WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, caption);
}

std::string Button::Caption() const { return GetWindowTextString(Handle()); }

void Button::SetCaption(const std::string& caption) {
  if (Handle()) SetWindowTextA(Handle(), caption.c_str());
}

void Button::SetDefault(bool isDefault) {
  if (isDefault && !default_) {
    if (Form* form = ParentForm()) {
      ForEachButton(*form, [this](Button& other) {
        if (&other != this && other.default_) other.SetDefault(false);
      });
    }
  }
  default_ = isDefault;
  ApplyDefaultStyle();
}

void Button::ApplyDefaultStyle() {
  if (!Handle()) return;
  SendMessageA(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  // The id the dialog manager looks for when Enter is pressed outside any button.
  SetWindowLongPtrA(Handle(), GWLP_ID, default_ ? IDOK : 0);
}

LRESULT Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = DefaultHandler(message, wParam, lParam);
    // A button that has the focus answers Enter itself, as in a dialog, instead of passing it
    // to the form's default button.
    if (Focused()) code = (code & ~DLGC_UNDEFPUSHBUTTON) | DLGC_DEFPUSHBUTTON;
    return code;
  }
  return WinControl::HandleMessage(message, wParam, lParam);
}

bool Button::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  // Enter pressed elsewhere in the form reaches a disabled default button too: ignore it.
  if (Enabled()) Click();
  return true;
}

}  // namespace ui
