// A client window started the way the program starts it, on a quillark.ini written by the
// test beside the test program; the Run value and the file are cleaned up around each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "client/form1.h"
#include "tests/support/gui_support.h"

class ClientTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string IniPath() const { return ExeFolder() + "quillark.ini"; }
  void WriteIni(const std::string& text) const;
  std::string ReadIni() const;
  bool IniExists() const;

  // Construction (with FormCreate), then what the message loop does first: show the main
  // window unless the start-up switched that off.
  std::unique_ptr<TForm1> StartClient();

  static std::optional<std::string> RunValue();
  static void SetRunValue(const std::string& data);
  static void DeleteRunValue();
  static bool TrayIconPresent(HWND owner);
};
