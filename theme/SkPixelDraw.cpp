#include "theme/SkPixelDraw.h"

#include "theme/SkKernels.h"

#include <algorithm>
#include <cstring>

namespace {
// Copies of at least this many bytes bypass the caches.
constexpr std::uint64_t kStreamBytes = 16u << 20;

// True when the memory of the two images may overlap; the source is then copied first.
bool SharesMemory(const TskPixels& a, const TskPixels& b) {
  if (a.Empty() || b.Empty()) {
    return false;
  }
  auto span = [](const TskPixels& p, const TskColor*& lo, const TskColor*& hi) {
    const TskColor* first = p.ScanLine(0);
    const TskColor* last = p.ScanLine(p.Height() - 1);
    lo = std::min(first, last);
    hi = std::max(first, last) + p.Width();
  };
  const TskColor *alo, *ahi, *blo, *bhi;
  span(a, alo, ahi);
  span(b, blo, bhi);
  return alo < bhi && blo < ahi;
}

TskPixels CopyOf(const TskPixels& src, const TskRect& r) {
  TskPixels out;
  out.SetSize(r.Right - r.Left, r.Bottom - r.Top);
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    std::memcpy(out.ScanLine(y - r.Top), src.Pixel(r.Left, y),
                std::size_t(r.Right - r.Left) * sizeof(TskColor));
  }
  return out;
}

void RunRow(const TskKernels& k, TskDrawMode mode, const TskColor* s, TskColor* d, std::size_t n) {
  switch (mode) {
  case TskDrawMode::dmCopy: k.CopyRow(s, d, n); break;
  case TskDrawMode::dmTransparent: k.TransparentRow(s, d, n); break;
  case TskDrawMode::dmBlend: k.BlendRow(s, d, n); break;
  }
}

// Destination area after clipping; empty when nothing is to be drawn.
TskRect ClipDest(const TskPixels& dst, const TskRect& destRect, const TskRect* clip) {
  TskRect r = IntersectRects(destRect, dst.Bounds());
  if (clip) {
    r = IntersectRects(r, *clip);
  }
  return r;
}
} // namespace

std::int64_t SkScaleIndex(std::int64_t i, std::int64_t destExtent, std::int64_t srcStart,
                          std::int64_t srcExtent) {
  if (destExtent < 2) {
    // Truncating division, as everywhere in this layer; callers pass a source inside its image,
    // so the sum is never negative.
    return (srcStart + (srcStart + srcExtent) - 1) / 2;
  }
  const std::int64_t num = i * (srcExtent - 1), den = destExtent - 1;
  std::int64_t q = num / den;
  const std::int64_t twiceRem = 2 * (num % den);
  q += srcStart;
  if (twiceRem > den || (twiceRem == den && (q & 1))) {
    ++q;
  }
  return q;
}

void SkDraw(TskPixels& dst, const TskRect& destRect, const TskPixels& src, const TskRect& srcRect,
            TskDrawMode mode, const TskRect* clip) {
  if (dst.Empty() || src.Empty() || IsRectEmpty(destRect) || IsRectEmpty(srcRect)) {
    return;
  }
  if (!RectContains(srcRect, src.Bounds())) {
    return;
  }
  const TskRect area = ClipDest(dst, destRect, clip);
  if (IsRectEmpty(area)) {
    return;
  }

  if (SharesMemory(dst, src)) {
    const TskPixels copy = CopyOf(src, srcRect);
    SkDraw(dst, destRect, copy, copy.Bounds(), mode, clip);
    return;
  }

  const TskKernels& k = SkActiveKernels();
  const std::int64_t destW = RectWidth(destRect), destH = RectHeight(destRect);
  const std::int64_t srcW = RectWidth(srcRect), srcH = RectHeight(srcRect);
  const std::size_t n = std::size_t(area.Right - area.Left);

  if (destW == srcW && destH == srcH) {
    const std::int32_t sx = std::int32_t(srcRect.Left + (area.Left - std::int64_t(destRect.Left)));
    const std::int32_t sy0 = std::int32_t(srcRect.Top + (area.Top - std::int64_t(destRect.Top)));
    // A copy much larger than the caches streams its stores: the destination is not read
    // into the cache only to be overwritten.
    const bool stream =
        mode == TskDrawMode::dmCopy &&
        std::uint64_t(n) * std::uint64_t(area.Bottom - area.Top) * sizeof(TskColor) >= kStreamBytes;
    for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
      const TskColor* s = src.Pixel(sx, sy0 + (y - area.Top));
      TskColor* d = dst.Pixel(area.Left, y);
      if (stream) {
        k.StreamCopyRow(s, d, n);
      } else {
        RunRow(k, mode, s, d, n);
      }
    }
    return;
  }

  // Nearest-neighbour: the column map is computed once for the clipped columns.
  std::vector<std::int32_t> columns(n);
  for (std::size_t i = 0; i < n; ++i) {
    columns[i] =
        std::int32_t(SkScaleIndex(area.Left + std::int64_t(i) - destRect.Left, destW, srcRect.Left, srcW));
  }
  std::vector<TskColor> gathered(mode == TskDrawMode::dmCopy ? 0 : n);
  std::int64_t previousRow = -1;
  for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
    const std::int64_t sy = SkScaleIndex(y - std::int64_t(destRect.Top), destH, srcRect.Top, srcH);
    TskColor* d = dst.Pixel(area.Left, y);
    if (mode == TskDrawMode::dmCopy) {
      if (sy == previousRow) {
        k.CopyRow(dst.Pixel(area.Left, y - 1), d, n);
      } else {
        const TskColor* s = src.ScanLine(std::int32_t(sy));
        for (std::size_t i = 0; i < n; ++i) {
          d[i] = s[columns[i]];
        }
      }
      previousRow = sy;
      continue;
    }
    const TskColor* s = src.ScanLine(std::int32_t(sy));
    if (sy != previousRow) {
      for (std::size_t i = 0; i < n; ++i) {
        gathered[i] = s[columns[i]];
      }
    }
    previousRow = sy;
    RunRow(k, mode, gathered.data(), d, n);
  }
}

void SkDrawAt(TskPixels& dst, std::int32_t x, std::int32_t y, const TskPixels& src, const TskRect& srcRect,
              TskDrawMode mode, const TskRect* clip) {
  if (IsRectEmpty(srcRect)) {
    return;
  }
  const std::int64_t right = std::int64_t(x) + RectWidth(srcRect),
                     bottom = std::int64_t(y) + RectHeight(srcRect);
  if (right > INT32_MAX || bottom > INT32_MAX) {
    return;
  }
  SkDraw(dst, TskRect{x, y, std::int32_t(right), std::int32_t(bottom)}, src, srcRect, mode, clip);
}

void SkTile(TskPixels& dst, const TskRect& destRect, const TskPixels& src, const TskRect& srcRect,
            const TskRect& clipRect, TskDrawMode mode) {
  if (dst.Empty() || src.Empty() || IsRectEmpty(destRect) || IsRectEmpty(srcRect)) {
    return;
  }
  if (!RectContains(srcRect, src.Bounds())) {
    return;
  }
  const std::int64_t tileW = RectWidth(srcRect), tileH = RectHeight(srcRect);

  // A tile is drawn when it meets the clip rectangle; tiles form a grid, so the tiles drawn
  // cover one band of whole columns and one band of whole rows.
  std::int64_t x0 = destRect.Left, x1 = destRect.Right, y0 = destRect.Top, y1 = destRect.Bottom;
  if (!IsRectEmpty(clipRect)) {
    auto band = [](std::int64_t start, std::int64_t end, std::int64_t tile, std::int64_t c0, std::int64_t c1,
                   std::int64_t& lo, std::int64_t& hi) {
      if (c1 <= start || c0 >= end) {
        lo = hi = start;
        return;
      }
      const std::int64_t first = c0 <= start ? 0 : (c0 - start) / tile;
      const std::int64_t last = (std::min(c1, end) - 1 - start) / tile;
      lo = start + first * tile;
      hi = std::min(end, start + (last + 1) * tile);
    };
    band(destRect.Left, destRect.Right, tileW, clipRect.Left, clipRect.Right, x0, x1);
    band(destRect.Top, destRect.Bottom, tileH, clipRect.Top, clipRect.Bottom, y0, y1);
  }
  TskRect area = IntersectRects(
      TskRect{std::int32_t(x0), std::int32_t(y0), std::int32_t(x1), std::int32_t(y1)}, dst.Bounds());
  if (IsRectEmpty(area)) {
    return;
  }

  if (SharesMemory(dst, src)) {
    const TskPixels copy = CopyOf(src, srcRect);
    SkTile(dst, destRect, copy, copy.Bounds(), clipRect, mode);
    return;
  }

  // One pattern row per source row: the source row repeated from the column phase of the
  // clipped area. Copy mode writes the pattern; the other modes run their row kernel on it.
  const TskKernels& k = SkActiveKernels();
  const std::size_t n = std::size_t(area.Right - area.Left);
  const std::int64_t phase = (area.Left - std::int64_t(destRect.Left)) % tileW;
  std::vector<TskColor> pattern(n);
  std::int64_t patternRow = -1;
  for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
    const std::int64_t sy = srcRect.Top + (y - std::int64_t(destRect.Top)) % tileH;
    if (sy != patternRow) {
      const TskColor* s = src.Pixel(srcRect.Left, std::int32_t(sy));
      std::size_t filled = 0;
      std::int64_t offset = phase;
      while (filled < n) {
        const std::size_t take = std::min<std::size_t>(n - filled, std::size_t(tileW - offset));
        std::memcpy(pattern.data() + filled, s + offset, take * sizeof(TskColor));
        filled += take;
        offset = 0;
      }
      patternRow = sy;
    }
    RunRow(k, mode, pattern.data(), dst.Pixel(area.Left, y), n);
  }
}

void SkMergeUnder(TskPixels& dst, const TskPixels& src, std::int32_t x, std::int32_t y,
                  const TskRect& srcRect) {
  if (dst.Empty() || src.Empty()) {
    return;
  }
  std::int64_t sl = srcRect.Left, st = srcRect.Top, tx = x, ty = y;
  if (sl < 0) {
    tx -= sl;
    sl = 0;
  }
  if (st < 0) {
    ty -= st;
    st = 0;
  }
  const std::int64_t sr = std::min<std::int64_t>(srcRect.Right, src.Width());
  const std::int64_t sb = std::min<std::int64_t>(srcRect.Bottom, src.Height());
  if (sr <= sl || sb <= st) {
    return;
  }
  const TskPixels copy = SharesMemory(dst, src) ? CopyOf(src, src.Bounds()) : TskPixels();
  const TskPixels& from = copy.Empty() ? src : copy;
  // Only the part whose target lies inside dst is visited.
  const std::int64_t x0 = std::max(sl, sl + (0 - tx)), x1 = std::min(sr, sl + (dst.Width() - tx));
  const std::int64_t y0 = std::max(st, st + (0 - ty)), y1 = std::min(sb, st + (dst.Height() - ty));
  for (std::int64_t sy = y0; sy < y1; ++sy) {
    const TskColor* s = from.ScanLine(std::int32_t(sy));
    TskColor* d = dst.ScanLine(std::int32_t(ty + (sy - st)));
    for (std::int64_t sx = x0; sx < x1; ++sx) {
      TskColor& t = d[tx + (sx - sl)];
      const TskColor a = t >> 24;
      if (a == 0) {
        t = s[sx];
      } else if (a != 255) {
        t = SkBlendPixel(t, s[sx]);
      }
    }
  }
}
