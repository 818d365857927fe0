// A control with a window of its own. It holds child controls, lays out the aligned and
// anchored ones, paints its graphic children, routes mouse input to them, and forwards the
// notifications that Windows sends to a parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) to the
// child they concern, so simple controls need no handling in their parents.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/gdi_handles.h"

namespace ui {

class WinControl : public Control {
 public:
  explicit WinControl(WinControl* parent);
  ~WinControl() override;

  HWND Handle() const { return handle_; }
  const std::vector<Control*>& Children() const { return children_; }

  // Background colour; kDefaultColor takes the parent's.
  Color GetColor() const;
  void SetColor(Color color);
  HFONT Font() const;
  void SetFont(HFONT font);  // not owned

  void Invalidate() override;
  void Repaint();
  void Realign();
  void SetFocus();
  bool Focused() const;
  bool TabStop() const;
  void SetTabStop(bool tabStop);

  Event OnResize;
  Event OnEnter;
  Event OnExit;
  KeyHandler OnKeyDown;

  static WinControl* FromHandle(HWND hwnd);

  // The window procedure of every control: our handling first, then the default.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Makes the window: our own class ("QuillWindow") when className is null, otherwise a
  // system class, which is then subclassed so that messages pass HandleMessage first.
  void CreateHandle(const char* className, DWORD style, DWORD exStyle, const std::string& text);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // Undoes CreateHandle: unsubclass, destroy; children first.
  void DestroyHandle();

  // What WM_COMMAND / WM_NOTIFY from Windows mean for this control, when it is the sender.
  virtual bool HandleCommand(WORD /*code*/) { return false; }
  virtual bool HandleNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  // Brush for WM_CTLCOLOR* when this control asks its parent; null for the default.
  virtual HBRUSH ControlColorBrush(HDC dc);
  // Paints what lies under the graphic children (the background by default); they are
  // painted over it afterwards.
  virtual void Paint(HDC dc, const RECT& dirty);
  // The area children are aligned in (the client area by default).
  virtual RECT AlignArea() const;
  // After the window changed size and the children were realigned.
  virtual void Resized() {}

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;

  HBRUSH BackgroundBrush();

 private:
  friend class Control;
  friend class GraphicControl;
  void AddChild(Control* child);
  void RemoveChild(Control* child);
  void MoveChild(Control* child, bool toFront);
  GraphicControl* GraphicChildAt(POINT point) const;
  bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateHover(GraphicControl* hovered);
  void KeepAnchorGaps();
  bool FormDestroying() const;
  void OnPaintMessage();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // set for subclassed system controls
  std::vector<Control*> children_;
  Color color_ = kDefaultColor;
  ScopedBrush brush_;
  Color brushColor_ = kDefaultColor;
  HFONT font_ = nullptr;
  GraphicControl* captured_ = nullptr;
  GraphicControl* hovered_ = nullptr;
  bool clickPending_ = false;
  bool realigning_ = false;
};

// Registers the window class of our own controls (once per process).
void RegisterWindowClassOnce();

}  // namespace ui
