#include "theme/win32/SkThemeServices.h"

#include "framework/win32/UtilityWindow.h"
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
} // namespace

HWND SkThemeServicesWindow() { return ServicesWindow() ? ServicesWindow()->Handle() : nullptr; }

void SkStartThemeServices() {
  std::unique_ptr<TUtilityWindow>& window = ServicesWindow();
  if (window) {
    return;
  }
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  TskThemeManager& manager = TskThemeManager::Instance();
  SkRegisterBuiltInThemes(manager);
  SkRegisterThemeComponents();
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  const std::size_t slash = folder.find_last_of("\\/");
  manager.SetProgramFolder(slash == std::string::npos ? std::string() : folder.substr(0, slash));
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
}
