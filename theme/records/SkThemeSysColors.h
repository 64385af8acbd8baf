#pragma once
// TskThemeSysColors: the theme's own RGB values for 26 system colours, row by row as in
// kSkSysColorRows; read from the platform at construction.
#include "theme/SkColor.h"
#include "theme/SkStream.h"
#include "theme/records/SkThemeLimits.h"

#include <array>
#include <string_view>

class TskTheme;

struct TskSysColorRow {
  std::string_view Name;
  TColor Value; // the colour reference (row 9: the default-colour value 0x20000000)
};

// 27 rows; the last ("clWindowText") takes part in nothing. Row 10 repeats row 1.
extern const std::array<TskSysColorRow, kSkThemeSysColorCount + 1> kSkSysColorRows;

// The value lookups answer for a colour that is not in the table.
inline constexpr TColor kSkNoColor = 0x1FFFFFFF;

class TskThemeSysColors {
public:
  explicit TskThemeSysColors(TskTheme* theme = nullptr, TskSysColorFunc sys = nullptr);

  TskTheme* Theme() const { return FTheme; }
  TColor Row(std::size_t row) const { return row < FColors.size() ? FColors[row] : kSkNoColor; }
  // Re-reads every row from the platform (references resolved to RGB).
  void LoadFromSystem(TskSysColorFunc sys);
  // The stored RGB of the first row whose value is `c`; kSkNoColor for other values.
  TColor Lookup(TColor c) const;
  // Stores into the first row whose value is `c`; other values are ignored.
  void Store(TColor c, TColor rgb);

  void Assign(const TskThemeSysColors& source) { FColors = source.FColors; }
  void ChangeHue(std::int64_t delta);
  void ChangeBrightness(std::int64_t delta);

  void SaveToStream(TskByteWriter& out) const;
  // As TskThemeColors::LoadFromStream, for a 32-bit count of at most 26 rows.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in);

private:
  TskTheme* FTheme;
  std::array<TColor, kSkThemeSysColorCount> FColors{};
};
