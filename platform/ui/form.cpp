#include "platform/ui/form.h"

#include <commctrl.h>

#include "platform/ui/application.h"

namespace ui {

Form::Form(const std::string& caption, int clientWidth, int clientHeight, BorderIcons icons)
    : WinControl(nullptr), caption_(caption), borderIcons_(icons) {
  SetVisible(false);
  SetFontFace("\xCB\xCE\xCC\xE5", -12);  // 宋体
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetBounds(work.left + ((work.right - work.left) - clientWidth) / 2,
            work.top + ((work.bottom - work.top) - clientHeight) / 2, clientWidth, clientHeight);
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  if (icons.systemMenu) style |= WS_SYSMENU;
  if (icons.minimize) style |= WS_MINIMIZEBOX;
  if (icons.maximize) style |= WS_MAXIMIZEBOX;
  CreateHandle(nullptr, style, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, caption);
}

Form::~Form() {
  if (Application::Instance().MainForm() == this) Application::Instance().SetMainForm(nullptr);
  if (toolTip_) DestroyWindow(toolTip_);
}

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  ApplyWindowText();
}

void Form::ApplyWindowText() {
  if (!Handle()) return;
  const bool isMain = Application::Instance().MainForm() == this;
  SetWindowTextA(Handle(), isMain ? Application::Instance().Title().c_str() : caption_.c_str());
}

void Form::SetFontFace(const std::string& face, int height) {
  font_.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  SetFont(font_.Get());
}

void Form::Show() {
  SetVisible(true);
  if (Handle()) {
    ShowWindow(Handle(), SW_SHOW);
    if (OnShow) OnShow();
  }
}

void Form::Hide() { SetVisible(false); }

void Form::VisibleChanged() {
  if (Handle()) ShowWindow(Handle(), Visible() ? SW_SHOW : SW_HIDE);
}

WindowState Form::GetWindowState() const {
  if (!Handle()) return WindowState::Normal;
  if (IsIconic(Handle())) return WindowState::Minimized;
  if (IsZoomed(Handle())) return WindowState::Maximized;
  return WindowState::Normal;
}

void Form::SetWindowState(WindowState state) {
  if (!Handle()) return;
  switch (state) {
    case WindowState::Minimized:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case WindowState::Maximized:
      ShowWindow(Handle(), SW_MAXIMIZE);
      break;
    case WindowState::Normal:
      ShowWindow(Handle(), SW_RESTORE);
      break;
  }
}

bool Form::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  return canClose;
}

void Form::Close() {
  if (!CloseQuery()) return;
  if (Application::Instance().MainForm() == this) {
    Application::Instance().Terminate();
  } else {
    Hide();
  }
}

void Form::DestroyForm() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) OnDestroy();
  if (toolTip_) {
    DestroyWindow(toolTip_);
    toolTip_ = nullptr;
  }
  DestroyHandle();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return WndProc(message, wParam, lParam);
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      // Shutting down or logging off asks the same question as closing the window.
      return CloseQuery() ? TRUE : FALSE;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      RECT current;
      GetWindowRect(Handle(), &current);
      if (!(pos->flags & SWP_NOSIZE) && OnCanResize && !IsIconic(Handle()) &&
          (pos->cx != current.right - current.left || pos->cy != current.bottom - current.top)) {
        int width = pos->cx;
        int height = pos->cy;
        bool resize = true;
        OnCanResize(width, height, resize);
        if (resize) {
          pos->cx = width;
          pos->cy = height;
        } else {
          pos->flags |= SWP_NOSIZE | SWP_NOMOVE;
        }
      }
      break;
    }
    case WM_GETMINMAXINFO: {
      // Without a border, a maximised window would cover the taskbar: keep it to the work area.
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      RECT work;
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      info->ptMaxPosition = {work.left, work.top};
      info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        Close();
        return 0;
      }
      break;
    default:
      break;
  }
  return WinControl::HandleMessage(message, wParam, lParam);
}

void Form::EnsureToolTip() {
  if (toolTip_ || !Handle()) return;
  toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

TOOLINFOA Form::ToolFor(Control* control) const {
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  auto* win = dynamic_cast<WinControl*>(control);
  if (win) {
    tool.uFlags |= TTF_IDISHWND;
    tool.hwnd = win->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(win->Handle());
  } else {
    tool.hwnd = control->Parent() ? control->Parent()->Handle() : Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.rect = control->BoundsRect();
  }
  return tool;
}

void Form::UpdateHint(Control* control) {
  EnsureToolTip();
  if (!toolTip_) return;
  TOOLINFOA tool = ToolFor(control);
  if (hinted_.count(control)) {
    SendMessageA(toolTip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    hinted_.erase(control);
  }
  if (control->Hint().empty()) return;
  tool.lpszText = const_cast<char*>(control->Hint().c_str());
  if (SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) hinted_.insert(control);
}

void Form::UpdateHintArea(Control* control) {
  if (!toolTip_ || !hinted_.count(control) || dynamic_cast<WinControl*>(control)) return;
  TOOLINFOA tool = ToolFor(control);
  SendMessageA(toolTip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::ForgetControl(Control* control) {
  if (!toolTip_ || !hinted_.count(control)) return;
  TOOLINFOA tool = ToolFor(control);
  SendMessageA(toolTip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  hinted_.erase(control);
}

std::string Form::ToolTipText(Control* control) const {
  if (!toolTip_ || !hinted_.count(control)) return {};
  char buffer[1024] = {};
  TOOLINFOA tool = ToolFor(control);
  tool.lpszText = buffer;
  SendMessageA(toolTip_, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

}  // namespace ui
