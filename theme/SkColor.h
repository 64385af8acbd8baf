#pragma once
// Colour values and their arithmetic.
//   TColor    0x00BBGGRR, or a system-colour reference 0xFF0000nn (index nn)
//   TskColor  a pixel 0xAARRGGBB (bytes blue, green, red, alpha in memory)
// The hue and brightness shifts work on resolved RGB values and always return plain RGB.
#include <cstdint>

using TColor = std::uint32_t;
using TskColor = std::uint32_t;

// The colour-key value (low 24 bits; alpha is ignored when tested) and the pixel that mask
// analysis ignores.
inline constexpr TskColor skKeyColor = 0x007F007F;
inline constexpr TskColor skIgnoreColor = 0x33333333;

// Looks up system colour `index` as 0x00BBGGRR. The platform layer supplies one; without one,
// every reference resolves to black.
using TskSysColorFunc = TColor (*)(int index);

inline bool IsSysColorRef(TColor c) { return (c >> 24) == 0xFF; }
// Resolves a reference through `sys` (black without a source); other values keep their low
// 24 bits.
TColor ResolveColor(TColor c, TskSysColorFunc sys = nullptr);

// Colour to pixel: resolve, swap red and blue, put exactly `alpha` in the top byte.
TskColor ColorToSkColor(TColor c, std::uint8_t alpha, TskSysColorFunc sys = nullptr);
// Pixel to colour: drop alpha, swap red and blue.
TColor SkColorToColor(TskColor p);

// Hue of an RGB colour in 1/255 of the colour circle, rounded ties-to-even (0..255).
int ColorHue255(TColor rgb);
// Wraps hue + delta into 0..255: above 255 steps down by 255 (256 -> 1), below 0 steps up by
// 255 (-7 -> 248); any delta, however large, lands in range.
int WrapHue255(std::int64_t hue);
// Shifts the hue by `delta` (1/255 of the circle), keeping saturation and lightness.
TColor ShiftHue(TColor c, std::int64_t delta, TskSysColorFunc sys = nullptr);
// Adds `delta` to red, green and blue, each clamped to 0..255.
TColor ShiftBrightness(TColor c, std::int64_t delta, TskSysColorFunc sys = nullptr);
