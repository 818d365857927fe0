// The application object: an error escaping an event handler is shown in the standard error box
// and ends the program, whichever way the handler was reached.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/timer.h"
#include "tests/support/gui_support.h"

namespace {

class ApplicationTest : public testing::Test {
 protected:
  void TearDown() override { ui::Application::Instance().ResetTerminated(); }
};

TEST_F(ApplicationTest, EscapedErrorsAreShownAndEndTheProgram) {
  ui::Application& app = ui::Application::Instance();
  app.SetTitle("标题");
  ui::Form form("f", 300, 200, ui::BorderIcons{});
  ui::Panel panel(&form);
  panel.SetBounds(0, 0, 100, 100);
  ui::Timer timer;

  const struct {
    const char* what;
    std::function<void()> provoke;
  } cases[] = {
      {"window message", [&] {
         panel.OnResize = [] { throw std::runtime_error("坏了: resize"); };
         panel.SetBounds(0, 0, 120, 100);
       }},
      {"timer", [&] {
         timer.OnTimer = [] { throw std::runtime_error("坏了: timer"); };
         timer.SetInterval(10);
         timer.SetEnabled(true);
         PumpMessages(200);
         timer.SetEnabled(false);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    app.ResetTerminated();
    DialogScript dialogs;
    c.provoke();
    ASSERT_GE(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text.rfind("坏了: ", 0), 0u);
    EXPECT_EQ(dialogs.Calls()[0].caption, "标题");
    EXPECT_EQ(dialogs.Calls()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(app.Terminated());
  }
}

TEST_F(ApplicationTest, ExecuteReportsAnErrorDuringStartUp) {
  DialogScript dialogs;
  const int code = ui::Application::Instance().Execute("启动", []() -> std::unique_ptr<ui::Form> {
    throw std::runtime_error("no settings window");
  });
  EXPECT_EQ(code, 1);
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Calls()[0].text, "no settings window");
}

}  // namespace
