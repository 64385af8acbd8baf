#pragma once
// The arithmetic behind the canvas routines (gradient bands, checker pattern) and the keyboard
// repeat timings; the platform layer only paints what these compute.
#include "theme/SkColor.h"
#include "theme/SkRect.h"

#include <array>
#include <cstdint>
#include <vector>

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0 or the result
// does not fit 32 bits (the platform's MulDiv contract).
std::int32_t SkMulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

struct TskGradientBand {
  TskRect Rect; // already clipped to the gradient rectangle; may be empty
  TColor Color; // plain RGB
  friend bool operator==(const TskGradientBand&, const TskGradientBand&) = default;
};

// The solid bands of a gradient from `from` to `to` (both resolved through `sys`) over rect:
// n = 255 steps when vertical or wider than 254 pixels, else the width; a vertical gradient
// lower than n uses its height. Band i of 0..n spans MulDiv(i, extent, n) to
// MulDiv(i + 1, extent, n); each channel is from + i * (to - from) / n rounded ties to even.
std::vector<TskGradientBand> SkGradientBands(const TskRect& rect, TColor from, bool vertical, TColor to,
                                             TskSysColorFunc sys = nullptr);

// The 8 x 8 checker pattern, row-major: `dot` where the column and row are both odd or both
// even, `color` elsewhere.
std::array<TColor, 64> SkCheckerPattern(TColor color, TColor dot);

// Keyboard repeat timings in milliseconds from the platform's settings (delay 0..3, speed
// 0..31; values outside are clamped): (delay + 1) * 200 and round(1000 / ((speed + 1) * 2.3)).
std::int32_t SkKeyRepeatDelay(std::int32_t delaySetting);
std::int32_t SkKeyRepeatInterval(std::int32_t speedSetting);
