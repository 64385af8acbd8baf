#pragma once
// Input and waiting for the Win32 tests: one message pump (the application's own, so Tab and
// Alt+letter behave as in the program), waits for a condition with a time limit, and input
// sent through the platform's input queue (SendInput) as a user's would arrive.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

// Handles the messages waiting now.
void PumpPending();
// Handles messages for ms milliseconds (at least once): for input that has no visible end,
// such as a key the field is expected to refuse.
void Pump(DWORD ms);
// Handles messages until done() holds or timeoutMs have passed; returns done(). On a thread
// without windows there is nothing to handle, and it only waits.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// A screen point in the absolute mouse coordinates of SendInput (0..65535 from the first to
// the last pixel), rounded to the nearest so that the platform maps it back to the point.
POINT AbsoluteMousePoint(POINT screen);
// Moves the pointer to screen (absolute) with the extra button flags and wheel data.
void SendMouse(DWORD flags, POINT screen, DWORD data = 0);
// Button flags alone, where the pointer is.
void SendMouseButtons(DWORD flags);
// One key going down or up.
void SendKey(WORD vk, bool up);
// A key pressed and released, with an optional modifier held around it.
void SendKeyPress(WORD vk, WORD modifier = 0);
// A character typed as text (not through a key), pressed and released.
void SendChar(char c);

// An edit window read back: its text (WM_GETTEXT) and its selection (EM_GETSEL) as start
// and end.
std::string WindowText(HWND h);
std::pair<int, int> EditSelection(HWND h);

// Live GDI and USER objects of this process. The platform's own count is used where it
// works; Wine answers 0 there, so then the handle tables are probed: a 16-bit handle value
// names a table slot whatever its generation.
struct TObjectCounts {
  DWORD Gdi = 0;
  DWORD User = 0;
  bool operator==(const TObjectCounts&) const = default;
};

TObjectCounts CountGuiObjects();
