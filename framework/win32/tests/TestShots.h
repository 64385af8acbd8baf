#pragma once
// Screenshots for the Win32 tests: pixels read back from the screen for probes, and BMP
// files written for a person to look at (into TABIRA_SHOT_DIR, else the working folder).
#include <windows.h>

#include <cstdint>
#include <vector>

// Screen pixels as COLORREF values, rows from top to bottom.
struct TScreenShot {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// A rectangle of the screen, copied in one step.
TScreenShot GrabScreen(const RECT& screen);
// The window's whole rectangle, or its client area, as it is on the screen.
TScreenShot GrabWindow(HWND hwnd);
TScreenShot GrabClient(HWND hwnd);

// Writes a BMP file named name; false when it cannot be written.
bool SaveShot(const char* name, const TScreenShot& shot);
// The same for 32-bit pixels (0x00RRGGBB), rows from top to bottom.
bool SaveShot(const char* name, int width, int height, const std::uint32_t* pixels);
