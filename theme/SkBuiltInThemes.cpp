#include "theme/SkBuiltInThemes.h"

#include "framework/ComponentRegistry.h"
#include "theme/SkThemeEngine.h"
#include "theme/SkThemeList.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/officexp/SkOfficeXPTheme.h"

void SkRegisterBuiltInThemes(TskThemeManager& manager) {
  manager.RegisterThemeClass(SkThemeClassOf<TskTheme>());
  manager.RegisterThemeClass(SkThemeClassOf<TSkFlatTheme>());
  manager.RegisterThemeClass(SkThemeClassOf<TSkOfficeXPTheme>());
}

void SkRegisterThemeComponents() {
  RegisterComponentClass("TSkThemeEngine", [](TComponent&) { return std::make_unique<TSkThemeEngine>(); });
  RegisterComponentClass("TSkThemeList", [](TComponent&) { return std::make_unique<TSkThemeList>(); });
}
