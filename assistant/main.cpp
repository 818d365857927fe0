// quillset.exe: the configuration assistant. It edits quillark.ini beside itself and starts no
// other program.
#include <windows.h>

#include <memory>

#include "assistant/form1.h"
#include "platform/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return ui::Application::Instance().Execute("岚舟智能升级助手", [] { return std::make_unique<TForm1>(); });
}
