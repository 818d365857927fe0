#include "tests/client/client_fixture.h"

#include <windows.h>
#include <shellapi.h>

#include "core/os_file.h"
#include "platform/ui/application.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

void ClientTest::SetUp() {
  os_file::Remove(IniPath());
  DeleteRunValue();
  ui::Application& app = ui::Application::Instance();
  app.SetShowMainForm(true);
  app.ResetTerminated();
  app.SetTitle("岚舟智能升级");
}

void ClientTest::TearDown() {
  os_file::Remove(IniPath());
  DeleteRunValue();
  ui::Application::Instance().SetShowMainForm(true);
  ui::Application::Instance().ResetTerminated();
  PumpMessages(10);
}

void ClientTest::WriteIni(const std::string& text) const { WriteFileBytes(IniPath(), text); }

std::string ClientTest::ReadIni() const { return ReadFileBytes(IniPath()); }

bool ClientTest::IniExists() const { return os_file::FileExists(IniPath()); }

std::unique_ptr<TForm1> ClientTest::StartClient() {
  auto form = std::make_unique<TForm1>();
  if (ui::Application::Instance().ShowMainForm()) form->Show();
  PumpMessages(20);
  return form;
}

std::optional<std::string> ClientTest::RunValue() {
  char data[1024] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kRunKey, "quillark", RRF_RT_REG_SZ, &type, data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

void ClientTest::SetRunValue(const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "quillark", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
}

void ClientTest::DeleteRunValue() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, "quillark");
    RegCloseKey(key);
  }
}

bool ClientTest::TrayIconPresent(HWND owner) {
  // Modifying an icon succeeds only when the shell holds one for this window and id.
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 0;
  data.uFlags = NIF_TIP;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
