#include "platform/ui/win_control.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/form.h"

namespace ui {
namespace {

constexpr char kWindowClass[] = "QuillWindow";
constexpr char kControlProperty[] = "QuillControl";

MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}

bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN;
}
bool IsDoubleClick(UINT m) {
  return m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}
bool IsButtonUp(UINT m) { return m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP; }

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

void RegisterWindowClassOnce() {
  static const bool registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;  // replaced per window by CreateHandle
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = Application::Instance().Icon();
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc)) throw std::runtime_error("cannot register the window class");
    return true;
  }();
  (void)registered;
}

WinControl::WinControl(WinControl* parent) : Control(parent) {}

WinControl::~WinControl() { DestroyHandle(); }

WinControl* WinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<WinControl*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

void WinControl::CreateHandle(const char* className, DWORD style, DWORD exStyle,
                              const std::string& text) {
  RegisterWindowClassOnce();
  HWND parentHandle = Parent() ? Parent()->Handle() : nullptr;
  if (Parent()) style |= WS_CHILD;
  if (Visible()) style |= WS_VISIBLE;
  if (!Enabled()) style |= WS_DISABLED;
  const RECT b = BoundsRect();
  // Our own class gets its procedure before the first message; WM_NCCREATE's lpParam carries us.
  handle_ = CreateWindowExA(exStyle, className ? className : kWindowClass, text.c_str(), style,
                            b.left, b.top, b.right - b.left, b.bottom - b.top, parentHandle,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!handle_) throw std::runtime_error(std::string("cannot create a window of class ") +
                                         (className ? className : kWindowClass));
  SetPropA(handle_, kControlProperty, this);
  const auto ours = reinterpret_cast<LONG_PTR>(&WindowProc);
  const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(handle_, GWLP_WNDPROC, ours));
  systemProc_ = className ? previous : nullptr;
  if (HFONT font = Font()) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void WinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWindow(handle_);  // WM_NCDESTROY unhooks us and clears handle_
  handle_ = nullptr;
}

LRESULT WinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProc_) return CallWindowProcA(systemProc_, handle_, message, wParam, lParam);
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK WinControl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WinControl* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC system = self->systemProc_;
    RemovePropA(hwnd, kControlProperty);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(system ? system : DefWindowProcA));
    self->handle_ = nullptr;
    self->systemProc_ = nullptr;
    self->captured_ = nullptr;
    self->hovered_ = nullptr;
    return system ? CallWindowProcA(system, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
  }
  // No exception may cross the system's frames: it is shown and ends the program here.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    Application::Instance().HandleException(error.what());
  } catch (...) {
    Application::Instance().HandleException("unknown error");
  }
  return 0;
}

LRESULT WinControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (WinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (child->HandleCommand(HIWORD(wParam))) return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (WinControl* child = FromHandle(header->hwndFrom)) {
        if (child->HandleNotify(header, result)) return result;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (WinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->ControlColorBrush(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_ERASEBKGND:
      if (!systemProc_) return 1;
      break;
    case WM_PAINT:
      if (!systemProc_) {
        OnPaintMessage();
        return 0;
      }
      break;
    case WM_SIZE: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      if (wParam != SIZE_MINIMIZED) {
        Realign();
        KeepAnchorGaps();
        Resized();
        if (OnResize) OnResize();
      }
      return result;
    }
    case WM_SETCURSOR:
      if (!systemProc_ && reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(handle_, &p);
        const Control* under = captured_ ? captured_ : GraphicChildAt(p);
        ::SetCursor(LoadCursorA(nullptr, (under ? under : this)->Cursor()));
        return TRUE;
      }
      break;
    case WM_SETFOCUS: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      if (OnEnter && !FormDestroying()) OnEnter();
      return result;
    }
    case WM_KILLFOCUS: {
      // While the form is torn down, its handlers may find their controls gone.
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      if (OnExit && !FormDestroying()) OnExit();
      return result;
    }
    case WM_KEYDOWN:
      if (OnKeyDown) {
        bool handled = false;
        OnKeyDown(static_cast<WORD>(wParam), handled);
        if (handled) return 0;
      }
      break;
    case WM_MOUSELEAVE:
      UpdateHover(nullptr);
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != handle_) captured_ = nullptr;
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (!systemProc_ && RouteMouse(message, wParam, lParam)) return 0;
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE) || !(pos->flags & SWP_NOMOVE)) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (HWND parent = GetParent(handle_); parent && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD)) {
          MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        }
        bounds_ = r;
      }
      break;
    }
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

bool WinControl::RouteMouse(UINT message, WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  GraphicControl* hit = GraphicChildAt(p);
  if (message == WM_MOUSEMOVE) UpdateHover(hit);
  Control* target = captured_ ? static_cast<Control*>(captured_) : hit;
  if (!target) target = this;
  const RECT b = target == this ? RECT{0, 0, Width(), Height()} : target->BoundsRect();
  MouseEvent event;
  event.button = ButtonOf(message);
  event.x = p.x - (target == this ? 0 : b.left);
  event.y = p.y - (target == this ? 0 : b.top);
  event.doubleClick = IsDoubleClick(message);
  if (message == WM_MOUSEMOVE) {
    target->MouseMove(event);
  } else if (IsButtonDown(message) || IsDoubleClick(message)) {
    captured_ = target == this ? nullptr : static_cast<GraphicControl*>(target);
    SetCapture(handle_);
    clickPending_ = !event.doubleClick && event.button == MouseButton::Left;
    target->MouseDown(event);
    if (event.doubleClick && event.button == MouseButton::Left) target->DblClick();
  } else if (IsButtonUp(message)) {
    captured_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
    target->MouseUp(event);
    if (clickPending_ && event.button == MouseButton::Left && Contains(b, p) && target->Enabled()) {
      clickPending_ = false;
      target->Click();
    }
  }
  return true;
}

GraphicControl* WinControl::GraphicChildAt(POINT point) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    auto* graphic = dynamic_cast<GraphicControl*>(*it);
    if (graphic && graphic->Visible() && graphic->Enabled() && Contains(graphic->BoundsRect(), point)) {
      return graphic;
    }
  }
  return nullptr;
}

void WinControl::UpdateHover(GraphicControl* hovered) {
  if (hovered == hovered_) return;
  if (hovered_) hovered_->MouseLeave();
  hovered_ = hovered;
  if (hovered_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&track);
  }
}

void WinControl::OnPaintMessage() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  RECT client;
  GetClientRect(handle_, &client);
  // Paint into a bitmap first, so pictures and text over them appear without flicker.
  HDC memory = CreateCompatibleDC(dc);
  ScopedBitmap canvas(CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
  {
    SelectedObject selectCanvas(memory, canvas.Get());
    SelectedObject selectFont(memory, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(DEFAULT_GUI_FONT));
    Paint(memory, ps.rcPaint);
    for (Control* child : children_) {
      auto* graphic = dynamic_cast<GraphicControl*>(child);
      if (!graphic || !graphic->Visible()) continue;
      RECT overlap;
      const RECT b = graphic->BoundsRect();
      if (!IntersectRect(&overlap, &b, &ps.rcPaint)) continue;
      const int saved = SaveDC(memory);
      IntersectClipRect(memory, b.left, b.top, b.right, b.bottom);
      graphic->Paint(memory);
      RestoreDC(memory, saved);
    }
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  }
  DeleteDC(memory);
  EndPaint(handle_, &ps);
}

void WinControl::Paint(HDC dc, const RECT& dirty) { FillRect(dc, &dirty, BackgroundBrush()); }

HBRUSH WinControl::BackgroundBrush() {
  const Color color = GetColor();
  if (!brush_ || brushColor_ != color) {
    brush_.Reset(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return brush_.Get();
}

HBRUSH WinControl::ControlColorBrush(HDC dc) {
  if (color_ == kDefaultColor) return nullptr;
  SetBkColor(dc, color_);
  return BackgroundBrush();
}

Color WinControl::GetColor() const {
  if (color_ != kDefaultColor) return color_;
  return Parent() ? Parent()->GetColor() : GetSysColor(COLOR_BTNFACE);
}

void WinControl::SetColor(Color color) {
  color_ = color;
  Invalidate();
}

HFONT WinControl::Font() const {
  if (font_) return font_;
  return Parent() ? Parent()->Font() : nullptr;
}

void WinControl::SetFont(HFONT font) {
  font_ = font;
  if (handle_ && systemProc_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  Invalidate();
}

void WinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void WinControl::Repaint() {
  if (!handle_) return;
  InvalidateRect(handle_, nullptr, FALSE);
  UpdateWindow(handle_);
}

RECT WinControl::AlignArea() const { return RECT{0, 0, Width(), Height()}; }

void WinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  RECT area = AlignArea();
  const auto place = [&](Align which) {
    for (Control* child : children_) {
      if (child->GetAlign() != which || !child->Visible()) continue;
      switch (which) {
        case Align::Top:
          child->SetBounds(area.left, area.top, area.right - area.left, child->Height());
          area.top += child->Height();
          break;
        case Align::Bottom:
          area.bottom -= child->Height();
          child->SetBounds(area.left, area.bottom, area.right - area.left, child->Height());
          break;
        case Align::Left:
          child->SetBounds(area.left, area.top, child->Width(), area.bottom - area.top);
          area.left += child->Width();
          break;
        case Align::Right:
          area.right -= child->Width();
          child->SetBounds(area.right, area.top, child->Width(), area.bottom - area.top);
          break;
        case Align::Client:
          child->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
          break;
        case Align::None:
          break;
      }
    }
  };
  for (Align which : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) place(which);
  realigning_ = false;
}

void WinControl::KeepAnchorGaps() {
  realigning_ = true;
  const RECT area = AlignArea();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  for (Control* child : children_) {
    if (child->GetAlign() != Align::None) continue;
    const Anchors a = child->GetAnchors();
    RECT b = child->BoundsRect();
    if (a.right) {
      const int right = width - child->anchorRightGap_;
      if (a.left) {
        b.right = right;
      } else {
        b.left = right - (b.right - b.left);
        b.right = right;
      }
    }
    if (a.bottom) {
      const int bottom = height - child->anchorBottomGap_;
      if (a.top) {
        b.bottom = bottom;
      } else {
        b.top = bottom - (b.bottom - b.top);
        b.bottom = bottom;
      }
    }
    child->SetBounds(b.left, b.top, b.right - b.left, b.bottom - b.top);
  }
  realigning_ = false;
}

bool WinControl::FormDestroying() const {
  const Form* form = ParentForm();
  return form && form->Destroying();
}

void WinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool WinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool WinControl::TabStop() const {
  return handle_ && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_TABSTOP);
}

void WinControl::SetTabStop(bool tabStop) {
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrA(handle_, GWL_STYLE, style);
}

void WinControl::BoundsChanged() {
  if (!handle_) return;
  const RECT b = BoundsRect();
  SetWindowPos(handle_, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The window may have refused or adjusted the change (a form's size limits): keep what it
  // really has.
  RECT actual;
  GetWindowRect(handle_, &actual);
  if (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&actual), 2);
  }
  bounds_ = actual;
}

void WinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void WinControl::AddChild(Control* child) { children_.push_back(child); }

void WinControl::RemoveChild(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
  if (captured_ == child) captured_ = nullptr;
  if (hovered_ == child) hovered_ = nullptr;
}

void WinControl::MoveChild(Control* child, bool toFront) {
  RemoveChild(child);
  if (toFront) {
    children_.push_back(child);
  } else {
    children_.insert(children_.begin(), child);
  }
  if (auto* win = dynamic_cast<WinControl*>(child); win && win->Handle()) {
    SetWindowPos(win->Handle(), toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    child->Invalidate();
  }
}

}  // namespace ui
