// An assistant window started the way the program starts it, on a quillark.ini written by the
// test beside the test program. Message boxes are answered by a script for the whole test, so
// none ever waits for a person.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assistant/form1.h"
#include "core/client_settings.h"
#include "tests/support/gui_support.h"

// quillark.ini as the update client reads it at start: the [Common] values and the servers
// it accepts, in grid order.
struct ClientView {
  bool hasCommon = false;
  ClientSettings settings;
  std::vector<ServerEntry> servers;
};

class AssistantTest : public testing::Test {
 public:
  static std::string IniPath() { return ExeFolder() + "quillark.ini"; }

 protected:
  void SetUp() override;
  void TearDown() override;

  static void WriteIni(const std::string& text);
  static std::string ReadIni();
  static bool IniExists();
  // A value as the file holds it, or "<absent>".
  static std::string IniValue(const std::string& section, const std::string& key);
  // The raw "key=value" lines of a section, in file order, without comments.
  static std::vector<std::string> SectionLines(const std::string& section);
  static ClientView ReadAsClient();

  // Construction (with FormCreate), then the window shown as the message loop shows it.
  std::unique_ptr<TForm1> StartAssistant();

  // What the user does.
  static void TypeInto(ui::Edit& edit, const std::string& text);
  static void ClickButton(ui::WinControl& button);
  static void PressKey(WORD key);
  static void Focus(ui::WinControl& control);

  // The captions of the tabs shown now.
  static std::vector<std::string> Tabs(const TForm1& form);

  // The message boxes shown since SetUp, and the answers for the next ones.
  const std::vector<ui::MessageBoxCall>& Boxes() const { return dialogs_->Calls(); }
  void Answer(int result) { dialogs_->Answer(result); }

 private:
  std::unique_ptr<DialogScript> dialogs_;
};

// Message box flags, for readable expectations.
inline constexpr UINT kInfoBox = MB_OK | MB_ICONINFORMATION;
inline constexpr char kTitle[] = "岚舟智能升级助手";
inline constexpr char kSavedMessage[] = "相关设置已保存成功!";
