#include "platform/net/message_pump.h"

namespace {

// A handler that posts a message to itself on every call must not keep us from our own work.
constexpr int kMessagesPerRound = 64;

}  // namespace

PumpResult WaitDispatchingMessages(HANDLE event, DWORD timeoutMs, int& quitCode) {
  const DWORD woke =
      MsgWaitForMultipleObjectsEx(1, &event, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (woke == WAIT_TIMEOUT) return PumpResult::TimedOut;
  if (woke == WAIT_FAILED) {
    Sleep(1);  // never spin on a broken handle; the caller's time limits still run
    return PumpResult::Woken;
  }
  MSG message;
  for (int i = 0; i < kMessagesPerRound && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (message.message == WM_QUIT) {
      quitCode = static_cast<int>(message.wParam);
      return PumpResult::Quit;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return PumpResult::Woken;
}
