#include "tests/support/gui_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "core/path_text.h"

namespace {

class CommonControlsEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

const testing::Environment* const kCommonControls =
    testing::AddGlobalTestEnvironment(new CommonControlsEnvironment);

}  // namespace

DialogScript::DialogScript() {
  ui::Application::Instance().SetMessageBoxResponder([this](const ui::MessageBoxCall& call) {
    calls_.push_back(call);
    if (answers_.empty()) return IDOK;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

DialogScript::~DialogScript() { ui::Application::Instance().SetMessageBoxResponder(nullptr); }

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    ui::Application::Instance().ProcessMessages();
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

std::string ExeFolder() {
  return path_text::ExtractFilePath(ui::Application::Instance().ExeName());
}
