#include "platform/ui/application.h"

#include <commctrl.h>
#include <shlobj.h>

#include <exception>

#include "platform/ui/form.h"

namespace ui {
namespace {

// Opens the folder browser on the initial folder, when one is given.
int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data && *reinterpret_cast<const char*>(data)) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

}  // namespace

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::SetTitle(const std::string& title) {
  title_ = title;
  if (mainForm_) mainForm_->ApplyWindowText();
}

HICON Application::Icon() const {
  // The program's icon is resource 1 when it has one.
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

std::string Application::ExeName() const {
  char path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length);
}

void Application::SetMainForm(Form* form) {
  mainForm_ = form;
  if (mainForm_) mainForm_->ApplyWindowText();
}

bool Application::Dispatch(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  // Tab and the default button work between controls of a form as in a dialog.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  // Characters go that way only when they are ASCII: a double-byte character arrives as two
  // WM_CHAR messages, and the dialog code would convert each byte on its own.
  const bool navigationKey = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN ||
                             ((msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && msg.wParam < 0x80);
  if (root && (GetWindowLongPtrA(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && navigationKey &&
      IsDialogMessageA(root, &msg)) {
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

int Application::Execute(const std::string& title,
                         const std::function<std::unique_ptr<Form>()>& create) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    SetTitle(title);
    const std::unique_ptr<Form> form = create();
    Run();
  } catch (const std::exception& error) {
    HandleException(error.what());
    return 1;
  }
  return 0;
}

void Application::Run() {
  if (mainForm_ && showMainForm_) mainForm_->Show();
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
  if (mainForm_) mainForm_->DestroyForm();
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!Dispatch(msg)) break;
  }
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

HWND Application::TaskbarHandle() const { return mainForm_ ? mainForm_->Handle() : nullptr; }

void Application::Minimize() {
  if (HWND handle = TaskbarHandle()) ShowWindow(handle, SW_MINIMIZE);
}

void Application::Restore() {
  if (HWND handle = TaskbarHandle(); handle && IsIconic(handle)) ShowWindow(handle, SW_RESTORE);
}

int Application::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                            UINT flags) {
  if (messageBoxResponder_) return messageBoxResponder_(MessageBoxCall{owner, text, caption, flags});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

std::optional<std::string> Application::BrowseForFolder(HWND owner, const std::string& title,
                                                        const std::string& initialFolder) {
  if (folderResponder_) return folderResponder_(FolderBrowseCall{owner, title, initialFolder});
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  info.lpfn = &PreselectFolder;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!ok) return std::nullopt;
  return std::string(path);
}

void Application::HandleException(const std::string& what) {
  MessageBox(mainForm_ ? mainForm_->Handle() : nullptr, what, title_, MB_OK | MB_ICONERROR);
  Terminate();
}

}  // namespace ui
