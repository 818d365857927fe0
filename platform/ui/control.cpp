#include "platform/ui/control.h"

#include "platform/ui/form.h"
#include "platform/ui/win_control.h"

namespace ui {

Control::Control(WinControl* parent) : parent_(parent) {
  if (parent_) parent_->AddChild(this);
}

Control::~Control() {
  if (Form* form = ParentForm()) form->ForgetControl(this);
  if (parent_) parent_->RemoveChild(this);
}

Form* Control::ParentForm() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (auto* form = dynamic_cast<const Form*>(c)) return const_cast<Form*>(form);
  }
  return nullptr;
}

void Control::SetBounds(int left, int top, int width, int height) {
  const RECT next{left, top, left + (width < 0 ? 0 : width), top + (height < 0 ? 0 : height)};
  const bool resized = next.right - next.left != Width() || next.bottom - next.top != Height();
  const bool moved = next.left != bounds_.left || next.top != bounds_.top;
  if (!resized && !moved) return;
  bounds_ = next;
  if (parent_ && !parent_->realigning_) {
    const RECT area = parent_->AlignArea();
    anchorRightGap_ = (area.right - area.left) - bounds_.right;
    anchorBottomGap_ = (area.bottom - area.top) - bounds_.bottom;
  }
  BoundsChanged();
  if (Form* form = ParentForm()) form->UpdateHintArea(this);
  if (align_ != Align::None) RequestParentRealign();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  VisibleChanged();
  if (align_ != Align::None) RequestParentRealign();
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
}

void Control::SetAlign(Align align) {
  align_ = align;
  RequestParentRealign();
}

void Control::SetAnchors(Anchors anchors) {
  anchors_ = anchors;
  if (parent_) {
    const RECT area = parent_->AlignArea();
    anchorRightGap_ = (area.right - area.left) - bounds_.right;
    anchorBottomGap_ = (area.bottom - area.top) - bounds_.bottom;
  }
}

void Control::SetHint(const std::string& hint) {
  hint_ = hint;
  if (Form* form = ParentForm()) form->UpdateHint(this);
}

void Control::SetCursor(LPCSTR cursor) { cursor_ = cursor; }

void Control::BringToFront() {
  if (parent_) parent_->MoveChild(this, true);
}

void Control::SendToBack() {
  if (parent_) parent_->MoveChild(this, false);
}

void Control::RequestParentRealign() {
  if (parent_) parent_->Realign();
}

void Control::MouseDown(const MouseEvent& event) {
  if (OnMouseDown) OnMouseDown(event);
}

void Control::MouseMove(const MouseEvent& event) {
  if (OnMouseMove) OnMouseMove(event);
}

void Control::MouseUp(const MouseEvent& event) {
  if (OnMouseUp) OnMouseUp(event);
}

void Control::Click() {
  if (OnClick) OnClick();
}

void Control::DblClick() {
  if (OnDblClick) OnDblClick();
}

GraphicControl::GraphicControl(WinControl* parent) : Control(parent) {}

void GraphicControl::Invalidate() {
  WinControl* parent = Parent();
  if (!parent || !parent->Handle()) return;
  const RECT bounds = BoundsRect();
  InvalidateRect(parent->Handle(), &bounds, FALSE);
}

void GraphicControl::Repaint() {
  Invalidate();
  if (Parent() && Parent()->Handle()) UpdateWindow(Parent()->Handle());
}

void GraphicControl::BoundsChanged() {
  WinControl* parent = Parent();
  if (!parent || !parent->Handle()) return;
  InvalidateRect(parent->Handle(), &paintedBounds_, FALSE);
  paintedBounds_ = BoundsRect();
  InvalidateRect(parent->Handle(), &paintedBounds_, FALSE);
}

}  // namespace ui
