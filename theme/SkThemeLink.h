#pragma once
// TskCustomThemeLink: a component through which a client uses a theme other than the
// current one; and the lookups clients make before painting an element family themselves.
#include "framework/Component.h"
#include "theme/SkTheme.h"

class TskCustomThemeLink : public TComponent {
public:
  using TComponent::TComponent;
  // The theme the link supplies, or null.
  virtual TskTheme* GetTheme() = 0;
};

enum class TskThemeFamily {
  tfWindow,
  tfButton,
  tfCheck,
  tfScrollBar,
  tfStatusBar,
  tfEdit,
  tfMenu,
  tfTool,
  tfTabs
};

// The theme to paint with: the link's theme when it supplies one, else the current theme.
TskTheme* SkPaintingTheme(TskCustomThemeLink* link = nullptr);
// Whether the family is painted by the theme: the link's theme answers alone when there is
// one; otherwise the current theme is asked for the object name and then for "default".
// False without any theme.
bool SkFamilyAvailable(TskThemeFamily family, std::uint8_t kind, const std::string& objectName,
                       TskCustomThemeLink* link = nullptr);
