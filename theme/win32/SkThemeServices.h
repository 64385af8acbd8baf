#pragma once
// The theme layer's start-up on Windows: system colours from the platform, the built-in
// theme classes and the layout component classes registered, and a hidden window that turns
// the platform's colour, display and theme changes into notification 5 (made once the
// message loop runs, so that it does not delay the first paint).
#include "theme/SkThemeClient.h"

#include <windows.h>

// Idempotent; call before the first window is created from a layout.
void SkStartThemeServices();
// The hidden window that receives the platform's change broadcasts, made now if it was not
// yet (null before start-up).
HWND SkThemeServicesWindow();

// Tells a window about theme changes with message kSkThemeMessage (WParam the code, LParam
// the parameter); colour changes reach it only while it is visible.
class TskWindowThemeClient : public ISkThemeClient {
public:
  explicit TskWindowThemeClient(HWND window) : FWindow(window) {}
  void ThemeNotify(std::uint32_t code, std::intptr_t param) override {
    SendMessageW(FWindow, kSkThemeMessage, WPARAM(code), LPARAM(param));
  }
  bool WantsColorChanges() const override { return IsWindowVisible(FWindow) != FALSE; }

private:
  HWND FWindow;
};
