#include "theme/win32/SkThemeServices.h"

#include "framework/win32/CallLater.h"
#include "framework/win32/UtilityWindow.h"
#include "framework/win32/WideText.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkPlatform.h"

#include <memory>
#include <string>

namespace {
std::unique_ptr<TUtilityWindow>& ServicesWindow() {
  static std::unique_ptr<TUtilityWindow> window;
  return window;
}

// The listening window is a top-level window, whose making costs the first paint some
// milliseconds: it is made once the message loop runs, or at once when asked for.
constexpr UINT kListenDelayMs = 200;

void EnsureServicesWindow() {
  std::unique_ptr<TUtilityWindow>& window = ServicesWindow();
  if (window) {
    return;
  }
  // A top-level window: broadcast notifications do not reach message-only windows.
  window = std::make_unique<TUtilityWindow>(
      [](UINT msg, WPARAM, LPARAM, LRESULT&) {
        switch (msg) {
        case WM_THEMECHANGED:
          TskPlatform::Get().UpdateVisualStylesActive();
          TskThemeManager::Instance().SystemSettingsChanged();
          break;
        case WM_SYSCOLORCHANGE:
        case WM_DISPLAYCHANGE: TskThemeManager::Instance().SystemSettingsChanged(); break;
        default: break;
        }
        return false; // every message goes on to the default handling
      },
      TUtilityWindow::TKind::TopLevel);
  // A visual style switched before the window could hear it is taken up now.
  TskPlatform& platform = TskPlatform::Get();
  const bool before = platform.VisualStylesActive();
  platform.UpdateVisualStylesActive();
  if (platform.VisualStylesActive() != before) {
    TskThemeManager::Instance().SystemSettingsChanged();
  }
}

bool& Started() {
  static bool started = false;
  return started;
}

} // namespace

HWND SkThemeServicesWindow() {
  if (!Started()) {
    return nullptr;
  }
  EnsureServicesWindow();
  return ServicesWindow() ? ServicesWindow()->Handle() : nullptr;
}

void SkStartThemeServices() {
  if (Started()) {
    return;
  }
  Started() = true;
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  TskThemeManager& manager = TskThemeManager::Instance();
  SkRegisterBuiltInThemes(manager);
  SkRegisterThemeComponents();
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string folder = TextFromWide(std::wstring(path, n < MAX_PATH ? n : 0));
  const std::size_t slash = folder.find_last_of("\\/");
  manager.SetProgramFolder(slash == std::string::npos ? std::string() : folder.substr(0, slash));
  if (!CallLater(kListenDelayMs, [] { EnsureServicesWindow(); })) {
    EnsureServicesWindow();
  }
}
