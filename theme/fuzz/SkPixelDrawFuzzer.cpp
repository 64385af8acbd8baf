// Drawing, tiling and MergeUnder with arbitrary rectangles (empty, inverted, huge, far
// outside): nothing may touch memory outside the images, and for moderate rectangles the
// scaled draw must match a per-pixel reference.
#include "theme/SkKernels.h"
#include "theme/SkPixelDraw.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {
class Input {
public:
  Input(const std::uint8_t* data, std::size_t size) : Data(data), Size(size) {}
  std::uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
  // Mostly small coordinates, sometimes extreme ones.
  std::int32_t Coord() {
    const std::uint8_t kind = Byte();
    if (kind < 200) {
      return std::int32_t(std::int8_t(Byte())) / 4;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      v = (v << 8) | Byte();
    }
    return std::int32_t(v);
  }
  TskRect Rect() { return {Coord(), Coord(), Coord(), Coord()}; }

private:
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos = 0;
};

TskPixels Image(Input& in) {
  TskPixels p;
  p.SetSize(1 + in.Byte() % 16, 1 + in.Byte() % 16);
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      p.SetPixel(x, y, TskColor(x * 0x01030507u + y * 0x0B0D1113u));
    }
  }
  return p;
}

bool Moderate(const TskRect& r) {
  auto ok = [](std::int32_t v) { return v >= -64 && v <= 64; };
  return ok(r.Left) && ok(r.Top) && ok(r.Right) && ok(r.Bottom);
}

TskColor Apply(TskDrawMode mode, TskColor s, TskColor d) {
  if (mode == TskDrawMode::dmCopy) {
    return s;
  }
  if (mode == TskDrawMode::dmTransparent) {
    return (s & 0x00FFFFFF) == skKeyColor ? d : (s | 0xFF000000u);
  }
  return SkBlendPixel(s, d);
}

std::int64_t Index(std::int64_t i, std::int64_t dw, std::int64_t sl, std::int64_t sw) {
  if (dw < 2) {
    return (sl + sl + sw - 1) / 2;
  }
  return std::int64_t(std::nearbyint(double(i * (sw - 1)) / double(dw - 1) + double(sl)));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const TskPixels src = Image(in);
  TskPixels dst = Image(in);
  const TskDrawMode mode = TskDrawMode(in.Byte() % 3);
  const TskRect dr = in.Rect(), sr = in.Rect(), clip = in.Rect();

  TskPixels before = dst.Clone();
  SkDraw(dst, dr, src, sr, mode, &clip);
  if (Moderate(dr) && Moderate(sr) && Moderate(clip)) {
    TskPixels want = before.Clone();
    if (!IsRectEmpty(dr) && !IsRectEmpty(sr) && RectContains(sr, src.Bounds())) {
      for (std::int32_t y = dr.Top; y < dr.Bottom; ++y) {
        for (std::int32_t x = dr.Left; x < dr.Right; ++x) {
          if (x < 0 || y < 0 || x >= want.Width() || y >= want.Height()) {
            continue;
          }
          if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) {
            continue;
          }
          const auto sx = Index(x - dr.Left, RectWidth(dr), sr.Left, RectWidth(sr));
          const auto sy = Index(y - dr.Top, RectHeight(dr), sr.Top, RectHeight(sr));
          want.SetPixel(x, y,
                        Apply(mode, src.GetPixel(std::int32_t(sx), std::int32_t(sy)), want.GetPixel(x, y)));
        }
      }
    }
    for (std::int32_t y = 0; y < dst.Height(); ++y) {
      if (std::memcmp(dst.ScanLine(y), want.ScanLine(y), std::size_t(dst.Width()) * 4)) {
        std::abort();
      }
    }
  }
  SkTile(dst, dr, src, sr, clip, mode);
  SkMergeUnder(dst, src, in.Coord(), in.Coord(), in.Rect());
  SkDraw(dst, dr, dst, sr, mode); // drawing an image onto itself
  return 0;
}
