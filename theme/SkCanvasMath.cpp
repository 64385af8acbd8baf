#include "theme/SkCanvasMath.h"

#include <algorithm>
#include <cmath>

std::int32_t SkMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) {
    return -1;
  }
  const std::int64_t p = std::int64_t(a) * b;
  const bool negative = (p < 0) != (c < 0);
  const std::uint64_t up = std::uint64_t(p < 0 ? -p : p), uc = std::uint64_t(c < 0 ? -std::int64_t(c) : c);
  const std::uint64_t q = (up + uc / 2) / uc;
  const std::int64_t r = negative ? -std::int64_t(q) : std::int64_t(q);
  if (r > INT32_MAX || r < INT32_MIN) {
    return -1;
  }
  return std::int32_t(r);
}

std::vector<TskGradientBand> SkGradientBands(const TskRect& rect, TColor from, bool vertical, TColor to,
                                             TskSysColorFunc sys) {
  std::vector<TskGradientBand> bands;
  if (IsRectEmpty(rect)) {
    return bands;
  }
  const std::int64_t width = RectWidth(rect), height = RectHeight(rect);
  std::int32_t n = (vertical || width > 254) ? 255 : std::int32_t(width);
  if (vertical && height < n) {
    n = std::int32_t(height);
  }
  const std::int32_t extent = std::int32_t(std::min<std::int64_t>(vertical ? height : width, INT32_MAX));
  const TColor f = ResolveColor(from, sys), t = ResolveColor(to, sys);
  auto channel = [n](std::int32_t i, int shift, TColor f, TColor t) {
    const double a = double((f >> shift) & 0xFF), b = double((t >> shift) & 0xFF);
    const double v = std::nearbyint((i * (b - a) * 255.0 / n + a * 255.0) / 255.0);
    return TColor(std::clamp(v, 0.0, 255.0)) << shift;
  };
  bands.reserve(std::size_t(n) + 1);
  for (std::int32_t i = 0; i <= n; ++i) {
    const std::int64_t start = SkMulDiv(i, extent, n), end = SkMulDiv(i + 1, extent, n);
    TskRect band = rect;
    if (vertical) {
      band.Top = std::int32_t(std::clamp<std::int64_t>(rect.Top + start, INT32_MIN, INT32_MAX));
      band.Bottom = std::int32_t(std::clamp<std::int64_t>(rect.Top + end, INT32_MIN, INT32_MAX));
    } else {
      band.Left = std::int32_t(std::clamp<std::int64_t>(rect.Left + start, INT32_MIN, INT32_MAX));
      band.Right = std::int32_t(std::clamp<std::int64_t>(rect.Left + end, INT32_MIN, INT32_MAX));
    }
    bands.push_back(
        {IntersectRects(band, rect), channel(i, 0, f, t) | channel(i, 8, f, t) | channel(i, 16, f, t)});
  }
  return bands;
}

std::array<TColor, 64> SkCheckerPattern(TColor color, TColor dot) {
  std::array<TColor, 64> p{};
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      p[std::size_t(j * 8 + i)] = ((i & 1) == (j & 1)) ? dot : color;
    }
  }
  return p;
}

std::int32_t SkKeyRepeatDelay(std::int32_t delaySetting) {
  return (std::clamp(delaySetting, 0, 3) + 1) * 200;
}

std::int32_t SkKeyRepeatInterval(std::int32_t speedSetting) {
  const std::int32_t s = std::clamp(speedSetting, 0, 31);
  return std::int32_t(std::nearbyint(1000.0 / ((s + 1) * 2.3)));
}
