#include "tests/assistant/assistant_fixture.h"

#include <windows.h>

#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/os_file.h"
#include "platform/ui/application.h"
#include "tests/support/temp_folder.h"

namespace {

// Besides the file itself: the folder a test may have put where a save writes its temporary
// copy, to make the save fail.
void RemoveIniAndLeftovers() {
  os_file::Remove(AssistantTest::IniPath());
  RemoveDirectoryA((AssistantTest::IniPath() + ".~tmp").c_str());
}

}  // namespace

void AssistantTest::SetUp() {
  RemoveIniAndLeftovers();
  // The old script first: its end clears the responder that a new one installs.
  dialogs_.reset();
  dialogs_ = std::make_unique<DialogScript>();
  ui::Application& app = ui::Application::Instance();
  app.SetShowMainForm(true);
  app.ResetTerminated();
  app.SetTitle(kTitle);
}

void AssistantTest::TearDown() {
  RemoveIniAndLeftovers();
  ui::Application::Instance().ResetTerminated();
  PumpMessages(10);
}

void AssistantTest::WriteIni(const std::string& text) { WriteFileBytes(IniPath(), text); }

std::string AssistantTest::ReadIni() { return ReadFileBytes(IniPath()); }

bool AssistantTest::IniExists() { return os_file::FileExists(IniPath()); }

std::string AssistantTest::IniValue(const std::string& section, const std::string& key) {
  return IniFile(IniPath()).ReadString(section, key, "<absent>");
}

std::vector<std::string> AssistantTest::SectionLines(const std::string& section) {
  std::vector<std::string> lines;
  const std::string text = ReadIni();
  bool inside = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      inside = gbk::EqualsNoCase(line, "[" + section + "]");
    } else if (inside && !line.empty() && line.front() != ';') {
      lines.push_back(line);
    }
  }
  return lines;
}

// The reading the update client does at start: [Common] with its defaults, then every entry
// below ServerCount whose trimmed name and URL are both there.
ClientView AssistantTest::ReadAsClient() {
  const IniFile ini(IniPath());
  ClientView view;
  view.hasCommon = ini.SectionExists(kCommonSection);
  if (view.hasCommon) view.settings = ReadCommonSection(ini);
  view.servers = ReadClientServers(ini, 16);
  return view;
}

std::unique_ptr<TForm1> AssistantTest::StartAssistant() {
  auto form = std::make_unique<TForm1>();
  form->Show();
  PumpMessages(20);
  return form;
}

void AssistantTest::TypeInto(ui::Edit& edit, const std::string& text) {
  // Replacing the selection is what typing and pasting do: the edit marks itself modified.
  SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
  SendMessageA(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void AssistantTest::ClickButton(ui::WinControl& button) {
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  PumpMessages(10);
}

void AssistantTest::PressKey(WORD key) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr) << "no window has the keyboard";
  // Through the message loop, so the form's dialog keys see it first, as they see the user's.
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  ui::Application::Instance().ProcessMessages();
}

void AssistantTest::Focus(ui::WinControl& control) {
  control.SetFocus();
  ui::Application::Instance().ProcessMessages();
}

std::vector<std::string> AssistantTest::Tabs(const TForm1& form) { return form.PageControl1.TabCaptions(); }
