// Helpers for tests that create real windows: common controls set up once, modal dialogs
// answered by a script instead of a person, and a way to let queued messages run.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/ui/application.h"

// Answers message boxes from a queue (IDOK when it runs dry) and records every call, for as
// long as it lives.
class DialogScript {
 public:
  DialogScript();
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  void Answer(int result) { answers_.push_back(result); }
  const std::vector<ui::MessageBoxCall>& Calls() const { return calls_; }

 private:
  std::deque<int> answers_;
  std::vector<ui::MessageBoxCall> calls_;
};

// Dispatches the messages that arrive within the given time.
void PumpMessages(DWORD milliseconds = 50);

// The folder of the running test program, with its trailing backslash.
std::string ExeFolder();
