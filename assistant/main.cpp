// quillset.exe: the configuration assistant. It edits quillark.ini beside itself and starts no
// other program.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "assistant/form1.h"
#include "platform/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ui::Application& app = ui::Application::Instance();
  try {
    app.SetTitle("岚舟智能升级助手");
    TForm1 form;
    app.Run();
  } catch (const std::exception& error) {
    app.HandleException(error.what());
    return 1;
  }
  return 0;
}
