#include "themefiles/win32/VsModule.h"

#include "theme/SkThemeManager.h"

void VsRegisterThemeClass() {
  TskThemeManager::Instance().RegisterThemeClass(SkThemeClassOf<TSkThemeMsStyles>());
}

TvsLoadResult SkLoadVisualStyle(const std::string& fileName) { return VsLoadThemeFile(fileName); }
