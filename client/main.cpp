// quillark.exe: the update client.
#include <windows.h>

#include <memory>

#include "client/form1.h"
#include "platform/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return ui::Application::Instance().Execute("岚舟智能升级", [] { return std::make_unique<TForm1>(); });
}
