#include "theme/SkColor.h"

#include <algorithm>
#include <cmath>

namespace {
int RedOf(TColor c) { return int(c & 0xFF); }
int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }

// Rounds half to even (the current rounding mode is never changed by this program).
int RoundChannel(double v01) {
  const double v = std::nearbyint(v01 * 255.0);
  return int(std::clamp(v, 0.0, 255.0));
}

TColor Rgb(int r, int g, int b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

struct Hsl {
  double H = 0, S = 0, L = 0;
};

Hsl ToHsl(TColor rgb) {
  const double r = RedOf(rgb) / 255.0, g = GreenOf(rgb) / 255.0, b = BlueOf(rgb) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Hsl out;
  out.L = (mx + mn) / 2;
  if (mx == mn) {
    return out; // grey: no hue, no saturation
  }
  const double d = mx - mn;
  out.S = out.L < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  double h;
  if (mx == r) {
    h = (g - b) / d;
  } else if (mx == g) {
    h = 2 + (b - r) / d;
  } else {
    h = 4 + (r - g) / d;
  }
  h /= 6;
  if (h < 0) {
    h += 1;
  }
  out.H = h;
  return out;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0) {
    t += 1;
  }
  if (t > 1) {
    t -= 1;
  }
  if (t < 1.0 / 6) {
    return p + (q - p) * 6 * t;
  }
  if (t < 0.5) {
    return q;
  }
  if (t < 2.0 / 3) {
    return p + (q - p) * (2.0 / 3 - t) * 6;
  }
  return p;
}
} // namespace

TColor ResolveColor(TColor c, TskSysColorFunc sys) {
  if (IsSysColorRef(c)) {
    return sys ? (sys(int(c & 0xFF)) & 0x00FFFFFF) : 0;
  }
  return c & 0x00FFFFFF;
}

TskColor ColorToSkColor(TColor c, std::uint8_t alpha, TskSysColorFunc sys) {
  const TColor rgb = ResolveColor(c, sys);
  return (TskColor(alpha) << 24) | (TskColor(RedOf(rgb)) << 16) | (TskColor(GreenOf(rgb)) << 8) |
         TskColor(BlueOf(rgb));
}

TColor SkColorToColor(TskColor p) { return Rgb(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)); }

int ColorHue255(TColor rgb) { return int(std::nearbyint(ToHsl(rgb).H * 255.0)); }

int WrapHue255(std::int64_t h) {
  if (h > 255) {
    return int((h - 1) % 255 + 1);
  }
  if (h < 0) {
    return int(((h % 255) + 255) % 255);
  }
  return int(h);
}

TColor ShiftHue(TColor c, std::int64_t delta, TskSysColorFunc sys) {
  const TColor rgb = ResolveColor(c, sys);
  const Hsl hsl = ToHsl(rgb);
  // The wrap is periodic in 255 on each side of the range, so a huge delta may be replaced by
  // one of the same residue and sign; that keeps the sum from overflowing.
  std::int64_t d = delta;
  if (d > (std::int64_t(1) << 40)) {
    d = d % 255 + 4 * 255;
  }
  if (d < -(std::int64_t(1) << 40)) {
    d = d % 255 - 4 * 255;
  }
  const int h = WrapHue255(std::int64_t(std::nearbyint(hsl.H * 255.0)) + d);
  if (hsl.S == 0) {
    const int v = RoundChannel(hsl.L);
    return Rgb(v, v, v);
  }
  const double hue = h / 255.0;
  const double q = hsl.L < 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
  const double p = 2 * hsl.L - q;
  return Rgb(RoundChannel(HueToChannel(p, q, hue + 1.0 / 3)), RoundChannel(HueToChannel(p, q, hue)),
             RoundChannel(HueToChannel(p, q, hue - 1.0 / 3)));
}

TColor ShiftBrightness(TColor c, std::int64_t delta, TskSysColorFunc sys) {
  const TColor rgb = ResolveColor(c, sys);
  const std::int64_t d = std::clamp<std::int64_t>(delta, -255, 255);
  auto ch = [d](int v) { return int(std::clamp<std::int64_t>(v + d, 0, 255)); };
  return Rgb(ch(RedOf(rgb)), ch(GreenOf(rgb)), ch(BlueOf(rgb)));
}
