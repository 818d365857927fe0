#include "platform/ui/edit.h"

#include "platform/ui/window_text.h"

namespace ui {

Edit::Edit(WinControl* parent) : Edit(parent, ES_AUTOHSCROLL) {}

Edit::Edit(WinControl* parent, DWORD extraStyle) : WinControl(parent) {
  CreateHandle("EDIT", WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | extraStyle, WS_EX_CLIENTEDGE, "");
}

std::string Edit::Text() const { return GetWindowTextString(Handle()); }

void Edit::SetText(const std::string& text) {
  if (Handle()) SetWindowTextA(Handle(), text.c_str());
  SetModified(false);
}

void Edit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

bool Edit::Modified() const { return Handle() && SendMessageA(Handle(), EM_GETMODIFY, 0, 0); }

void Edit::SetModified(bool modified) {
  if (Handle()) SendMessageA(Handle(), EM_SETMODIFY, modified, 0);
}

bool Edit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (OnChange) OnChange();
  return true;
}

Memo::Memo(WinControl* parent)
    : Edit(parent, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL) {}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  const std::string text = Text();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

LRESULT Memo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A memo keeps Enter for itself instead of letting the form press its default button.
  if (message == WM_GETDLGCODE) return DefaultHandler(message, wParam, lParam) | DLGC_WANTALLKEYS;
  return Edit::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
