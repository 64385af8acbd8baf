#include "theme/SkPixelCanvas.h"

#include "theme/SkPixelDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TskPixelCanvas::TskPixelCanvas(TskPixels& pixels, TskSysColorFunc sys) : FPixels(pixels), FSys(sys) {
  FClip.push_back(pixels.Bounds());
}

void TskPixelCanvas::PushClip(const TskRect& r) {
  const TskRect current = FClip.back();
  FClip.push_back(IsRectEmpty(r) ? TskRect{} : IntersectRects(current, r));
}

void TskPixelCanvas::PopClip() {
  if (FClip.size() > 1) {
    FClip.pop_back();
  }
}

void TskPixelCanvas::Plot(std::int32_t x, std::int32_t y, TskColor p) {
  const TskRect& c = FClip.back();
  if (x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom) {
    FPixels.SetPixel(x, y, p);
  }
}

void TskPixelCanvas::FillRect(const TskRect& r, TColor c) {
  if (IsRectEmpty(r)) {
    return;
  }
  const TskRect area = IntersectRects(r, FClip.back());
  if (!IsRectEmpty(area)) {
    FPixels.FillRect(area, Pixel(c));
  }
}

void TskPixelCanvas::FrameRect(const TskRect& r, TColor c) {
  if (IsRectEmpty(r)) {
    return;
  }
  FillRect({r.Left, r.Top, r.Right, r.Top + 1}, c);
  FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
  FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, c);
  FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, c);
}

void TskPixelCanvas::BevelFrame(const TskRect& r, TColor topLeft, TColor bottomRight) {
  if (IsRectEmpty(r)) {
    return;
  }
  FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
  FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
  FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
}

void TskPixelCanvas::Line(TskPoint a, TskPoint b, TskColor p, bool last) {
  std::int64_t x = a.X, y = a.Y;
  const std::int64_t dx = std::llabs(std::int64_t(b.X) - a.X), dy = -std::llabs(std::int64_t(b.Y) - a.Y);
  const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  std::int64_t err = dx + dy;
  // Long lines are cut to the clip box's reach; nothing beyond it could be plotted anyway.
  for (std::int64_t steps = 0; steps < 100000; ++steps) {
    const bool end = x == b.X && y == b.Y;
    if (end && !last) {
      break;
    }
    Plot(std::int32_t(x), std::int32_t(y), p);
    if (end) {
      break;
    }
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void TskPixelCanvas::Polyline(std::span<const TskPoint> points, TColor c) {
  for (std::size_t i = 1; i < points.size(); ++i) {
    Line(points[i - 1], points[i], Pixel(c), false);
  }
}

void TskPixelCanvas::FramePolygon(std::span<const TskPoint> points, TColor c) {
  if (points.size() < 2) {
    return;
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    Line(points[i], points[(i + 1) % points.size()], Pixel(c), false);
  }
}

void TskPixelCanvas::FillPolygon(std::span<const TskPoint> points, TColor c) {
  if (points.size() < 2) {
    return;
  }
  const TskRect& clip = FClip.back();
  std::int32_t top = INT32_MAX, bottom = INT32_MIN;
  for (const TskPoint& p : points) {
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  top = std::max(top, clip.Top);
  bottom = std::min(bottom, clip.Bottom - 1);
  const TskColor px = Pixel(c);
  std::vector<double> xs;
  for (std::int32_t y = top; y <= bottom; ++y) {
    // Even-odd rule with the crossings of the row's centre line.
    const double cy = y + 0.5;
    xs.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TskPoint a = points[i], b = points[(i + 1) % points.size()];
      if ((a.Y <= cy) == (b.Y <= cy)) {
        continue;
      }
      xs.push_back(a.X + (cy - a.Y) * double(b.X - a.X) / double(b.Y - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
      const double from = std::max<double>(xs[i], clip.Left), to = std::min<double>(xs[i + 1], clip.Right);
      for (std::int32_t x = std::int32_t(std::ceil(from - 0.5)); x + 0.5 < to; ++x) {
        Plot(x, y, px);
      }
    }
  }
  FramePolygon(points, c);
}

void TskPixelCanvas::FillRoundRect(const TskRect& r, std::int32_t radius, TColor c) {
  if (IsRectEmpty(r)) {
    return;
  }
  const TskColor px = Pixel(c);
  const double rad = std::max(radius, 0) / 2.0;
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    for (std::int32_t x = r.Left; x < r.Right; ++x) {
      // Distance of the pixel centre from the nearest corner circle's centre.
      const double cx = std::clamp(x + 0.5, r.Left + rad, r.Right - rad);
      const double cy = std::clamp(y + 0.5, r.Top + rad, r.Bottom - rad);
      const double ddx = x + 0.5 - cx, ddy = y + 0.5 - cy;
      if (ddx * ddx + ddy * ddy <= rad * rad) {
        Plot(x, y, px);
      }
    }
  }
}

void TskPixelCanvas::MonoGlyph(TskMonoGlyph glyph, bool pushed, const TskRect& r, TColor c) {
  if (IsRectEmpty(r)) {
    return;
  }
  FGlyphs.push_back({glyph, pushed, r, c});
  TskRect g = DeflateRect(r, std::int32_t(RectWidth(r) / 4), std::int32_t(RectHeight(r) / 4),
                          std::int32_t(RectWidth(r) / 4), std::int32_t(RectHeight(r) / 4));
  if (pushed) {
    g = OffsetRect(g, 1, 1);
  }
  if (IsRectEmpty(g)) {
    return;
  }
  Line({g.Left, g.Top}, {g.Right - 1, g.Bottom - 1}, Pixel(c), true);
  Line({g.Right - 1, g.Top}, {g.Left, g.Bottom - 1}, Pixel(c), true);
}

void TskPixelCanvas::DrawImage(const TskGlyphImage& image, const TskRect& dest) {
  if (image.Empty() || IsRectEmpty(dest)) {
    return;
  }
  const TskRect clip = FClip.back();
  SkDraw(FPixels, dest, *image.Pixels, image.Pixels->Bounds(), image.Mode, &clip);
}

void TskPixelCanvas::DrawImageShadow(const TskGlyphImage& image, std::int32_t x, std::int32_t y, TColor c) {
  if (image.Empty()) {
    return;
  }
  const TskColor ink = ColorToSkColor(c, 100, FSys);
  const TskPixels& p = *image.Pixels;
  for (std::int32_t row = 0; row < p.Height(); ++row) {
    for (std::int32_t col = 0; col < p.Width(); ++col) {
      if ((p.GetPixel(col, row) & 0x00FFFFFF) == (skKeyColor & 0x00FFFFFF)) {
        continue;
      }
      const TskRect one = IntersectRects({x + col, y + row, x + col + 1, y + row + 1}, FClip.back());
      if (!IsRectEmpty(one)) {
        FPixels.FillRect(one, ink, true);
      }
    }
  }
}

TskRect TskPixelCanvas::MeasureText(const std::wstring& text, const TskRect& r, std::uint32_t) {
  return {r.Left, r.Top, r.Left + std::int32_t(6 * std::min<std::size_t>(text.size(), 100000)), r.Top + 13};
}

void TskPixelCanvas::PaintText(const std::wstring& text, const TskRect& r, std::uint32_t bits) {
  FTexts.push_back({text, r, bits, 0, FFont});
}

void TskPixelCanvas::PaintRotatedText(const std::wstring& text, const TskRect& r, std::uint32_t bits,
                                      std::uint8_t rotation) {
  FTexts.push_back({text, r, bits, rotation, FFont});
}
