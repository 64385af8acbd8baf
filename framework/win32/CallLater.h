#pragma once
// CallLater: runs a piece of work once, a given time after the thread's message loop is
// running (a thread timer), under the callback guard. For start-up work that need not delay
// the first paint, such as making the hidden top-level windows that hear the platform's
// broadcasts: each of those costs the start some milliseconds.
#include <windows.h>

#include <functional>

// False when no timer could be set; the caller then does the work at once.
[[nodiscard]] bool CallLater(UINT delayMs, std::function<void()> work);
