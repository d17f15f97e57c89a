#pragma once
// Condition waits for everything that drives the program: poll a condition until it holds or a
// time limit passes, handling this thread's own messages in between (the probe's answers and
// sync marks arrive as messages). Never a fixed sleep.
#include <windows.h>

#include <functional>

inline constexpr DWORD kDefaultWaitMs = 10000;
// The first start of the program in a fresh Wine prefix also starts Wine's services.
inline constexpr DWORD kStartWaitMs = 60000;
// How long a menu, box or dialog of the program may take to appear or to go away.
inline constexpr DWORD kDialogWaitMs = 20000;

// True as soon as condition() is true; false when timeoutMs passed without that.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultWaitMs);

// Dispatches the messages waiting for this thread, then waits at most waitMs for more.
void PumpMessages(DWORD waitMs);
