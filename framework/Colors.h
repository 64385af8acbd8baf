#pragma once
// Colour values: an RGB value in the low three bytes (red lowest), or, when the high byte is
// 0xFF, a reference to the platform system colour whose index is in the low byte.
#include <cstdint>
#include <optional>
#include <string_view>

using TColor = std::uint32_t;

constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
         (static_cast<TColor>(b & 0xFF) << 16);
}
constexpr bool IsSystemColor(TColor c) { return (c >> 24) == 0xFF; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFF); }

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = RGBColor(0, 0, 0);
constexpr TColor clWhite = RGBColor(255, 255, 255);
constexpr TColor clRed = RGBColor(255, 0, 0);
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;

// The colour a standard name gives ("clBtnFace", "clNavy", ...: the sixteen plain colours,
// clNone, clDefault and the system colours), compared without regard to case.
[[nodiscard]] std::optional<TColor> ColorFromIdent(std::string_view ident);
// The standard name of `c`; empty when the value has none.
[[nodiscard]] std::string_view ColorName(TColor c);
