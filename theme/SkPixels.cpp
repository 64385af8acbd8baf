#include "theme/SkPixels.h"

#include "theme/SkKernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

TskPixels TskPixels::View(TskColor* base, std::int32_t width, std::int32_t height, std::ptrdiff_t stride) {
  TskPixels p;
  if (!base || width <= 0 || height <= 0 || !ValidSize(width, height)) {
    return p;
  }
  if (stride < width && -stride < width) {
    return p;
  }
  p.Base = base;
  p.W = width;
  p.H = height;
  p.StridePx = stride;
  return p;
}

TskPixels TskPixels::Clone() const {
  TskPixels p;
  if (Empty()) {
    return p;
  }
  p.SetSize(W, H);
  for (std::int32_t y = 0; y < H; ++y) {
    std::memcpy(p.ScanLine(y), ScanLine(y), std::size_t(W) * sizeof(TskColor));
  }
  return p;
}

bool TskPixels::ValidSize(std::int64_t width, std::int64_t height) {
  auto ok = [](std::int64_t v) { return v != 0 && v >= -MaxSide && v <= MaxSide; };
  return ok(width) && ok(height);
}

bool TskPixels::SetSize(std::int32_t width, std::int32_t height) {
  if (!ValidSize(width, height)) {
    return false;
  }
  const std::int32_t w = width < 0 ? -width : width, h = height < 0 ? -height : height;
  if (w == W && h == H && Owned) {
    return false;
  }
  // MaxSide keeps w * h * 4 far below any size_t limit.
  Owned.reset(new TskColor[std::size_t(w) * std::size_t(h)]());
  Base = Owned.get();
  W = w;
  H = h;
  StridePx = w;
  return true;
}

void TskPixels::Clear() { *this = TskPixels(); }

TskColor TskPixels::GetPixel(std::int32_t x, std::int32_t y) const {
  if (Empty() || x < 0 || y < 0 || x >= W || y >= H) {
    return 0;
  }
  return *Pixel(x, y);
}

void TskPixels::SetPixel(std::int32_t x, std::int32_t y, TskColor value) {
  if (Empty() || x < 0 || y < 0 || x >= W || y >= H) {
    return;
  }
  *Pixel(x, y) = value;
}

void TskPixels::Fill(TskColor value) { FillRect(Bounds(), value, false); }

void TskPixels::FillRect(const TskRect& rect, TskColor value, bool blend) {
  if (Empty()) {
    return;
  }
  const TskRect r = IntersectRects(rect, Bounds());
  if (IsRectEmpty(r)) {
    return;
  }
  const TskKernels& k = SkActiveKernels();
  const std::size_t n = std::size_t(r.Right - r.Left);
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    if (blend) {
      k.BlendFillRow(value, Pixel(r.Left, y), n);
    } else {
      k.FillRow(value, Pixel(r.Left, y), n);
    }
  }
}

void TskPixels::SetAlpha(std::uint8_t alpha) { SetAlphaRect(alpha, Bounds()); }

void TskPixels::SetAlphaRect(std::uint8_t alpha, const TskRect& rect) {
  if (Empty()) {
    return;
  }
  const TskRect r = IntersectRects(rect, Bounds());
  if (IsRectEmpty(r)) {
    return;
  }
  const TskKernels& k = SkActiveKernels();
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    k.SetAlphaRow(alpha, Pixel(r.Left, y), std::size_t(r.Right - r.Left));
  }
}

bool TskPixels::CheckAlpha() const {
  for (std::int32_t y = 0; y < H; ++y) {
    const TskColor* row = ScanLine(y);
    for (std::int32_t x = 0; x < W; ++x) {
      const TskColor a = row[x] >> 24;
      if (a != 0 && a != 255) {
        return true;
      }
    }
  }
  return false;
}

bool TskPixels::SetTransparentColor(TskColor color) {
  bool any = false;
  auto near = [](TskColor p, TskColor c, int shift) {
    const int d = int((p >> shift) & 0xFF) - int((c >> shift) & 0xFF);
    return d > -6 && d < 6;
  };
  for (std::int32_t y = 0; y < H; ++y) {
    TskColor* row = ScanLine(y);
    for (std::int32_t x = 0; x < W; ++x) {
      if (near(row[x], color, 0) && near(row[x], color, 8) && near(row[x], color, 16)) {
        row[x] = skKeyColor;
        any = true;
      }
    }
  }
  return any;
}

void TskPixels::FlipVertical() {
  if (Empty()) {
    return;
  }
  std::vector<TskColor> tmp(static_cast<std::size_t>(W));
  const std::size_t bytes = std::size_t(W) * sizeof(TskColor);
  for (std::int32_t top = 0, bottom = H - 1; top < bottom; ++top, --bottom) {
    std::memcpy(tmp.data(), ScanLine(top), bytes);
    std::memcpy(ScanLine(top), ScanLine(bottom), bytes);
    std::memcpy(ScanLine(bottom), tmp.data(), bytes);
  }
}

void TskPixels::ChangeBrightness(std::int64_t delta) {
  if (delta == 0 || Empty()) {
    return;
  }
  const int d = int(std::clamp<std::int64_t>(delta, -255, 255));
  auto ch = [d](TskColor p, int shift) {
    return TskColor(std::clamp(int((p >> shift) & 0xFF) + d, 0, 255)) << shift;
  };
  for (std::int32_t y = 0; y < H; ++y) {
    TskColor* row = ScanLine(y);
    for (std::int32_t x = 0; x < W; ++x) {
      const TskColor p = row[x];
      if ((p >> 24) == 0) {
        continue;
      }
      row[x] = (p & 0xFF000000u) | ch(p, 16) | ch(p, 8) | ch(p, 0);
    }
  }
}

void TskPixels::ChangeHue(std::int64_t delta) {
  if (delta == 0 || Empty()) {
    return;
  }
  // Skin images hold few distinct colours and the colour-space round trip is slow, so results
  // are memoised in a small direct-mapped cache keyed by the colour.
  constexpr std::size_t cacheSize = 4096;
  std::vector<std::uint32_t> keys(cacheSize, 0xFFFFFFFFu), values(cacheSize);
  for (std::int32_t y = 0; y < H; ++y) {
    TskColor* row = ScanLine(y);
    for (std::int32_t x = 0; x < W; ++x) {
      const TskColor p = row[x];
      if ((p >> 24) == 0) {
        continue;
      }
      const std::uint32_t rgb = p & 0x00FFFFFF;
      const std::size_t slot = (rgb ^ (rgb >> 12)) & (cacheSize - 1);
      if (keys[slot] != rgb) {
        keys[slot] = rgb;
        values[slot] = ColorToSkColor(ShiftHue(SkColorToColor(rgb), delta), 0);
      }
      row[x] = (p & 0xFF000000u) | values[slot];
    }
  }
}
