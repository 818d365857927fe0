// A one-line text edit. Its modified mark is set only by the user's typing.
#pragma once

#include <string>

#include "platform/ui/win_control.h"

namespace ui {

class Edit : public WinControl {
 public:
  explicit Edit(WinControl* parent);

  std::string Text() const;
  void SetText(const std::string& text);  // clears the modified mark
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool Modified() const;
  void SetModified(bool modified);

  Event OnChange;

 protected:
  Edit(WinControl* parent, DWORD extraStyle);
  bool HandleCommand(WORD code) override;

 private:
  bool readOnly_ = false;
};

// A multi-line edit whose text is a list of lines.
class Memo : public Edit {
 public:
  explicit Memo(WinControl* parent);
  void SetLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ui
