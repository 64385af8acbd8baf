#include "theme/SkMasks.h"

#include "theme/SkKernels.h"

#include <algorithm>

namespace {
bool Inside(std::int64_t x, std::int64_t y, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  return x >= l && x < r && y >= t && y < b;
}
} // namespace

TskMaskFlags SkCheckMasks(const TskPixels& image, const TskRect& rect, const TskRect& margins) {
  TskMaskFlags f;
  const TskRect area = IntersectRects(rect, image.Bounds());
  if (image.Empty() || IsRectEmpty(area)) {
    return f;
  }
  const bool noMargins = margins.Left == 0 && margins.Top == 0 && margins.Right == 0 && margins.Bottom == 0;
  const std::int64_t W = RectWidth(rect), H = RectHeight(rect);
  const std::int64_t ml = margins.Left, mt = margins.Top, mr = margins.Right, mb = margins.Bottom;
  for (std::int32_t py = area.Top; py < area.Bottom; ++py) {
    const TskColor* row = image.ScanLine(py);
    for (std::int32_t px = area.Left; px < area.Right; ++px) {
      if (!SkIsSeeThrough(row[px])) {
        continue;
      }
      if (noMargins) {
        f.Masked = true;
        return f;
      }
      const std::int64_t x = px - std::int64_t(rect.Left), y = py - std::int64_t(rect.Top);
      if (Inside(x, y, 0, 0, ml, mt) || Inside(x, y, W - mr, 0, W, mt) ||
          Inside(x, y, W - mr, H - mb, W, H) || Inside(x, y, 0, H - mb, ml, H)) {
        f.MaskedAngles = true;
      }
      if (Inside(x, y, ml, 0, W - mr, mt) || Inside(x, y, ml, H - mb, W - mr, H) ||
          Inside(x, y, 0, mt, ml, H - mb) || Inside(x, y, W - mr, mt, W, H - mb)) {
        f.MaskedBorder = true;
      }
      if (Inside(x, y, ml, mt, W - mr, H - mb)) {
        f.Masked = true;
      }
    }
  }
  return f;
}

std::vector<TskRect> SkRegionRuns(const TskPixels& image, std::int32_t dx, std::int32_t dy) {
  std::vector<TskRect> runs;
  const TskKernels& k = SkActiveKernels();
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    const TskColor* row = image.ScanLine(y);
    const std::size_t w = std::size_t(image.Width());
    std::size_t x = 0;
    while (x < w) {
      x = k.KeyRunEnd(row, x, w);
      if (x == w) {
        break;
      }
      const std::size_t start = x;
      x = k.OpaqueRunEnd(row, x, w);
      runs.push_back(OffsetRect(TskRect{std::int32_t(start), y, std::int32_t(x), y + 1}, dx, dy));
    }
  }
  return runs;
}

TskRect SkRunsBounds(const std::vector<TskRect>& runs) {
  if (runs.empty()) {
    return {};
  }
  TskRect b = runs.front();
  for (const TskRect& r : runs) {
    b.Left = std::min(b.Left, r.Left);
    b.Top = std::min(b.Top, r.Top);
    b.Right = std::max(b.Right, r.Right);
    b.Bottom = std::max(b.Bottom, r.Bottom);
  }
  return b;
}
