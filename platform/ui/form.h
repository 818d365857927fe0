// A top-level window without a system border (the programs draw their own frame). It owns
// the font its controls use and the tool tips that show their hints, asks before it closes,
// and lets derived windows see every message first through WndProc.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>

#include "platform/ui/gdi_handles.h"
#include "platform/ui/win_control.h"

namespace ui {

struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;
};

enum class WindowState { Normal, Minimized, Maximized };

class Form : public WinControl {
 public:
  // A hidden window whose client area is clientWidth x clientHeight, centred on the screen.
  Form(const std::string& caption, int clientWidth, int clientHeight, BorderIcons icons);
  ~Form() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  BorderIcons GetBorderIcons() const { return borderIcons_; }

  void Show();
  void Hide();
  WindowState GetWindowState() const;
  void SetWindowState(WindowState state);

  // Asks OnCloseQuery; when allowed, ends the program (main form) or hides the window.
  void Close();
  bool CloseQuery();
  // Runs OnDestroy once and destroys the window. The most derived form calls it from its
  // destructor at the latest; the application calls it when its loop ends.
  void DestroyForm();
  // True from the start of DestroyForm: controls then report no focus changes.
  bool Destroying() const { return destroyed_; }

  // The font of the form's controls: face and height in pixels (negative: character height).
  void SetFontFace(const std::string& face, int height);

  std::function<void(bool& canClose)> OnCloseQuery;
  Event OnDestroy;
  Event OnShow;
  // Every size change, with the requested size; set resize false to refuse it, or change
  // width and height to adjust it.
  std::function<void(int& width, int& height, bool& resize)> OnCanResize;

  // Tool tips (used by the controls).
  void UpdateHint(Control* control);
  void UpdateHintArea(Control* control);
  void ForgetControl(Control* control);
  // The text the form's tool tip holds for the control ("" when none).
  std::string ToolTipText(Control* control) const;

  // Derived forms override this to see messages first; call the base for the rest.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;

  // The taskbar text of the main form is the application title.
  void ApplyWindowText();

 protected:
  void VisibleChanged() override;

 private:
  TOOLINFOA ToolFor(Control* control) const;
  void EnsureToolTip();

  std::string caption_;
  BorderIcons borderIcons_;
  ScopedFont font_;
  HWND toolTip_ = nullptr;
  std::set<Control*> hinted_;
  bool destroyed_ = false;
};

}  // namespace ui
