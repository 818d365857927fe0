// The base of every control. A Control has a place inside its parent, may be hidden or
// disabled, may carry a hint and a cursor, and reports mouse events. Two kinds derive from it:
// GraphicControl, which has no window of its own and is painted by its parent (labels, images,
// flat buttons: so they can lie transparently over pictures), and WinControl, which owns a
// window and may hold children.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/types.h"

namespace ui {

class WinControl;
class Form;

class Control {
 public:
  explicit Control(WinControl* parent);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  WinControl* Parent() const { return parent_; }
  Form* ParentForm() const;

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  RECT BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible and every parent up to the form visible too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  Align GetAlign() const { return align_; }
  void SetAlign(Align align);
  Anchors GetAnchors() const { return anchors_; }
  void SetAnchors(Anchors anchors);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // A system cursor id (IDC_ARROW, IDC_SIZEWE, ...) shown over the control.
  LPCSTR Cursor() const { return cursor_; }
  void SetCursor(LPCSTR cursor);

  // Order among the parent's children: the front is painted last and hit first.
  void BringToFront();
  void SendToBack();

  virtual void Invalidate() = 0;

  Event OnClick;
  Event OnDblClick;
  MouseHandler OnMouseDown;
  MouseHandler OnMouseMove;
  MouseHandler OnMouseUp;

  // Mouse input as the parent routes it (also what tests call to act as the user).
  virtual void MouseDown(const MouseEvent& event);
  virtual void MouseMove(const MouseEvent& event);
  virtual void MouseUp(const MouseEvent& event);
  virtual void Click();
  virtual void DblClick();

 protected:
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  void RequestParentRealign();

 private:
  friend class WinControl;
  WinControl* parent_;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  Align align_ = Align::None;
  Anchors anchors_;
  // Distances kept for right/bottom anchors, taken from the parent's size when anchored.
  int anchorRightGap_ = 0;
  int anchorBottomGap_ = 0;
  std::string hint_;
  LPCSTR cursor_ = IDC_ARROW;
};

// A control without a window: its parent paints it and passes it mouse input.
class GraphicControl : public Control {
 public:
  explicit GraphicControl(WinControl* parent);

  // Paints into the parent's DC; bounds are in the parent's client coordinates.
  virtual void Paint(HDC dc) = 0;
  void Invalidate() override;
  // Paint the control at once (the parent's pending paint, for this area).
  void Repaint();

  // Mouse moved out of the control (for hover looks).
  virtual void MouseLeave() {}

 protected:
  void BoundsChanged() override;
  void VisibleChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }

 private:
  RECT paintedBounds_{0, 0, 0, 0};
};

}  // namespace ui
