// Background mode: the start-with-Windows value and the notification-area icon.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "client/form1.h"
#include "platform/ui/application.h"

namespace {

constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = "quillark";

}  // namespace

void TForm1::AddAutostart() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) ==
      ERROR_SUCCESS) {
    // An existing value stays as it is, even when it names another path.
    if (RegQueryValueExA(key, kRunValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return;
    }
  } else {
    key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (!key) return;
  }
  const std::string exe = ui::Application::Instance().ExeName();
  // The stored text includes its terminating zero, as the registry expects of REG_SZ data.
  RegSetValueExA(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(exe.c_str()),
                 static_cast<DWORD>(exe.size() + 1));
  RegCloseKey(key);
}

void TForm1::RemoveAutostart() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, kRunValueName);
  RegCloseKey(key);
}

bool TForm1::AddTrayIcon() {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = 0;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayIconMessage;
  data.hIcon = ui::Application::Instance().Icon();
  const char tip[] = "岚舟智能升级后台运行中";
  static_assert(sizeof tip <= sizeof data.szTip);
  std::memcpy(data.szTip, tip, sizeof tip);
  return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void TForm1::RemoveTrayIcon() {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = 0;
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void TForm1::OnTrayIconMessage(LPARAM mouseMessage) {
  if (mouseMessage != WM_LBUTTONDBLCLK && mouseMessage != WM_RBUTTONDBLCLK) return;
  ui::Application& app = ui::Application::Instance();
  ShowWindow(app.TaskbarHandle(), SW_SHOW);
  app.SetShowMainForm(true);
  Show();
  app.Restore();
}

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayIconMessage) {
    OnTrayIconMessage(lParam);
    return 0;
  }
  return TNeoForm::WndProc(message, wParam, lParam);
}
