#pragma once
// TskThemeColors: the 22 element colours of a theme, indexed by TskColorIndex; a new record
// holds 0 everywhere.
#include "theme/SkColor.h"
#include "theme/SkStream.h"
#include "theme/records/SkThemeLimits.h"

#include <array>
#include <cstdint>
#include <string_view>

class TskTheme;

enum TskColorIndex : std::uint8_t {
  kcCaptionNormal,
  kcCaptionInactive,
  kcWindowBorder,
  kcWindow,
  kcBorder,
  kcPanelNormal,
  kcPanelDisabled,
  kcButtonNormal,
  kcButtonHot,
  kcButtonPressed,
  kcButtonFocused,
  kcButtonDisabled,
  kcEditNormal,
  kcEditHot,
  kcEditFocused,
  kcEditDisabled,
  kcEditSelection,
  kcHint,
  kcList,
  kcTree,
  kcGrid,
  kcBarDock
};

// The stored names of the element colours, in index order.
extern const std::array<std::string_view, kSkThemeColorCount> kSkThemeColorNames;

class TskThemeColors {
public:
  explicit TskThemeColors(TskTheme* theme = nullptr) : FTheme(theme) {}

  TColor Color(std::size_t index) const { return index < FColors.size() ? FColors[index] : 0; }
  void SetColor(std::size_t index, TColor c) {
    if (index < FColors.size()) {
      FColors[index] = c;
    }
  }
  TColor operator[](TskColorIndex i) const { return FColors[i]; }
  TskTheme* Theme() const { return FTheme; }

  void Assign(const TskThemeColors& source) { FColors = source.FColors; }
  // Both do nothing for a shift of 0; otherwise every entry becomes plain RGB.
  void ChangeHue(std::int64_t delta, TskSysColorFunc sys);
  void ChangeBrightness(std::int64_t delta, TskSysColorFunc sys);

  void SaveToStream(TskByteWriter& out) const;
  // Reads the stored table; fails (record unchanged, reader position unspecified) on a count
  // above the table, a string that does not fit the bytes left or a malformed colour text.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in);

private:
  TskTheme* FTheme;
  std::array<TColor, kSkThemeColorCount> FColors{};
};
