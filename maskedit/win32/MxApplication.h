#pragma once
// TMxApplication: the process-wide settings of the edit family's controls: whether visual
// styles may be used, the application-wide theme mode, and a shared 50 ms timer that
// controls can listen to instead of owning timers of their own.
#include "framework/win32/Timer.h"
#include "maskedit/MxThemeTest.h"

#include <functional>
#include <map>
#include <memory>

class TMxApplication {
public:
  static TMxApplication& Instance();

  bool UseXPThemes = true;
  TMxThemeMode ThemeMode = TMxThemeMode::ttmPlatform;
  // When set, a platform theme change reaches only the controls' own notification, not the
  // forms' WM_THEMECHANGED.
  bool NotifyOnlyControls = false;

  static constexpr unsigned kTimerInterval = 50;
  // Calls tick every kTimerInterval ms until RemoveTimerClient(id); returns id.
  int AddTimerClient(std::function<void()> tick);
  void RemoveTimerClient(int id);

private:
  TMxApplication() = default;
  std::map<int, std::function<void()>> FTimerClients;
  int FNextClient = 1;
  std::unique_ptr<TTimer> FTimer;
};
