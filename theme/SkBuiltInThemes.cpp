#include "theme/SkBuiltInThemes.h"

#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"

void SkRegisterBuiltInThemes(TskThemeManager& manager) {
  manager.RegisterThemeClass(SkThemeClassOf<TskTheme>());
  manager.RegisterThemeClass(SkThemeClassOf<TSkFlatTheme>());
}
