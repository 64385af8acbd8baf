#include "theme/SkThemeLink.h"

#include "theme/SkThemeManager.h"

namespace {
bool Ask(TskTheme& t, TskThemeFamily family, std::uint8_t kind, const std::string& name) {
  switch (family) {
  case TskThemeFamily::tfWindow: return t.WindowAvailable(kind, name);
  case TskThemeFamily::tfButton: return t.ButtonAvailable(kind, name);
  case TskThemeFamily::tfCheck: return t.CheckAvailable(kind, name);
  case TskThemeFamily::tfScrollBar: return t.ScrollAvailable(kind, name);
  case TskThemeFamily::tfStatusBar: return t.StatusAvailable(kind, name);
  case TskThemeFamily::tfEdit: return t.EditAvailable(kind, name);
  case TskThemeFamily::tfMenu: return t.MenuAvailable(kind, name);
  case TskThemeFamily::tfTool: return t.ToolAvailable(kind, name);
  case TskThemeFamily::tfTabs: return t.TabAvailable(kind, name);
  }
  return false;
}
} // namespace

TskTheme* SkPaintingTheme(TskCustomThemeLink* link) {
  if (link) {
    if (TskTheme* t = link->GetTheme()) {
      return t;
    }
  }
  return TskThemeManager::Instance().CurrentTheme();
}

bool SkFamilyAvailable(TskThemeFamily family, std::uint8_t kind, const std::string& objectName,
                       TskCustomThemeLink* link) {
  if (link) {
    if (TskTheme* t = link->GetTheme()) {
      return Ask(*t, family, kind, objectName);
    }
  }
  TskTheme* current = TskThemeManager::Instance().CurrentTheme();
  if (!current) {
    return false;
  }
  return Ask(*current, family, kind, objectName) || Ask(*current, family, kind, "default");
}
