// Waiting without freezing the windows: the calling thread dispatches its window messages
// (paint, input, timers) while it waits for an event, so a transfer that blocks the program's
// flow leaves its window alive.
#pragma once

#include <windows.h>

enum class PumpResult { Woken, TimedOut, Quit };

// Waits up to timeoutMs for event, dispatching the messages that arrive meanwhile; returns
// after the first batch of messages too, so the caller can look at its state again. Quit:
// WM_QUIT was taken from the queue, its exit code is in quitCode, and the caller must post it
// again once it has unwound.
PumpResult WaitDispatchingMessages(HANDLE event, DWORD timeoutMs, int& quitCode);
