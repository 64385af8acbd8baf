#include "visualstyles/win32/VsModule.h"

#include "framework/win32/WideText.h"
#include "theme/SkThemeManager.h"

#include <windows.h>

namespace {

// A string value of the platform's visual-style settings; empty when it is not there.
std::string ThemeManagerValue(const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", name,
                   RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return TextFromWide(value);
}

} // namespace

void VsRegisterThemeClass() {
  // Styles are read in the colour scheme and size the platform's own visual style uses.
  TSkThemeMsStyles::SetPlatformScheme(ThemeManagerValue(L"ColorName"), ThemeManagerValue(L"SizeName"));
  TskThemeManager::Instance().RegisterThemeClass(SkThemeClassOf<TSkThemeMsStyles>());
}

TvsLoadResult SkLoadVisualStyle(const std::string& fileName) { return VsLoadThemeFile(fileName); }
