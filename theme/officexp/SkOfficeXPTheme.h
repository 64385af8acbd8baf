#pragma once
// TSkOfficeXPTheme: the built-in "OfficeXP" look. The flat drawing with a blue-grey palette,
// Tahoma fonts, popup menus with a wide image column, and no window frame of its own (skinned
// forms keep their native frame while menus and controls are themed).
#include "theme/flat/SkFlatTheme.h"

class TSkOfficeXPTheme : public TSkFlatTheme {
public:
  TSkOfficeXPTheme() { MenuGutter = 21; }

  std::string BuildingName() const override { return GetBuildingName(); }
  static std::string GetBuildingName() { return "OfficeXP"; }

  void SetDefaultColors() override;
  void SetDefaultFonts() override;

  bool WindowAvailable(std::uint8_t, TName) override { return false; }
  bool MenuTransparent(std::uint8_t, TName) override { return false; }
};
