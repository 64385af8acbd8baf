#include "theme/win32/SkGdiCanvas.h"

#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkCanvas.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace {

struct TGlyphSource {
  UINT Type;
  UINT State;
  bool Edged; // the platform draws a button edge around this glyph
};

TGlyphSource GlyphSource(TskMonoGlyph g) {
  switch (g) {
  case TskMonoGlyph::mgClose: return {DFC_CAPTION, DFCS_CAPTIONCLOSE, true};
  case TskMonoGlyph::mgHelp: return {DFC_CAPTION, DFCS_CAPTIONHELP, true};
  case TskMonoGlyph::mgMinimize: return {DFC_CAPTION, DFCS_CAPTIONMIN, true};
  case TskMonoGlyph::mgMaximize: return {DFC_CAPTION, DFCS_CAPTIONMAX, true};
  case TskMonoGlyph::mgRestore: return {DFC_CAPTION, DFCS_CAPTIONRESTORE, true};
  case TskMonoGlyph::mgScrollUp: return {DFC_SCROLL, DFCS_SCROLLUP, true};
  case TskMonoGlyph::mgScrollDown: return {DFC_SCROLL, DFCS_SCROLLDOWN, true};
  case TskMonoGlyph::mgScrollLeft: return {DFC_SCROLL, DFCS_SCROLLLEFT, true};
  case TskMonoGlyph::mgScrollRight: return {DFC_SCROLL, DFCS_SCROLLRIGHT, true};
  case TskMonoGlyph::mgMenuArrow: return {DFC_MENU, DFCS_MENUARROW, false};
  case TskMonoGlyph::mgMenuCheck: return {DFC_MENU, DFCS_MENUCHECK, false};
  case TskMonoGlyph::mgMenuBullet: return {DFC_MENU, DFCS_MENUBULLET, false};
  }
  return {DFC_MENU, DFCS_MENUARROW, false};
}

std::vector<POINT> ToPoints(std::span<const TskPoint> points) {
  std::vector<POINT> out;
  out.reserve(points.size());
  for (const TskPoint& p : points) {
    out.push_back({p.X, p.Y});
  }
  return out;
}

// A TskBitmap holding a copy of the pixels, drawn as the image asks.
bool CopyToBitmap(const TskPixels& pixels, TskBitmap& bitmap) {
  try {
    bitmap.SetSize(pixels.Width(), pixels.Height());
  } catch (const ESkBitmapError&) {
    return false;
  }
  SkDraw(bitmap.Pixels(), bitmap.Pixels().Bounds(), pixels, pixels.Bounds(), TskDrawMode::dmCopy);
  return true;
}

// Fonts by description, made once per process: a theme has a few dozen, and a font stays
// valid wherever a context still selects it.
HFONT CachedFont(HDC dc, const TskFontDesc& font) {
  static std::map<std::tuple<std::string, std::int32_t, std::int32_t, std::uint8_t, int>, TFontHandle> fonts;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  auto key = std::make_tuple(font.Name, font.Size, font.Charset, font.Style, dpi);
  auto it = fonts.find(key);
  if (it != fonts.end()) {
    return it->second.Get();
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.Size, dpi, 72);
  lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = BYTE(font.Charset);
  if (MultiByteToWideChar(CP_ACP, 0, font.Name.c_str(), -1, lf.lfFaceName, LF_FACESIZE) == 0) {
    lf.lfFaceName[0] = 0;
  }
  TFontHandle handle(CreateFontIndirectW(&lf));
  HFONT made = handle.Get();
  if (made) {
    fonts.emplace(std::move(key), std::move(handle));
  }
  return made;
}

// Recoloured platform glyphs by glyph, state, size and ink; a frame repaints the same few.
using TGlyphKey = std::tuple<int, bool, std::int32_t, std::int32_t, TskColor>;
std::map<TGlyphKey, std::unique_ptr<TskBitmap>>& GlyphCache() {
  static std::map<TGlyphKey, std::unique_ptr<TskBitmap>> cache;
  return cache;
}
constexpr std::size_t kMaxCachedGlyphs = 64;

} // namespace

void TskGdiCanvas::ClearGlyphCache() { GlyphCache().clear(); }

TskGdiCanvas::TskGdiCanvas(HDC dc) : FDC(dc), FSavedState(SaveDC(dc)) { SetBkMode(dc, TRANSPARENT); }

TskGdiCanvas::~TskGdiCanvas() {
  if (FSavedState) {
    RestoreDC(FDC, FSavedState);
  }
}

TColor TskGdiCanvas::Resolve(TColor c) const { return ResolveColor(c, &TskCanvas::SysColor); }

void TskGdiCanvas::FillRect(const TskRect& r, TColor c) {
  if (!IsRectEmpty(r)) {
    TskCanvas::FillRectColor(FDC, ToRect(r), c);
  }
}

void TskGdiCanvas::FrameRect(const TskRect& r, TColor c) {
  if (!IsRectEmpty(r)) {
    TskCanvas::FrameRectColor(FDC, ToRect(r), c);
  }
}

void TskGdiCanvas::BevelFrame(const TskRect& r, TColor topLeft, TColor bottomRight) {
  if (!IsRectEmpty(r)) {
    TskCanvas::BevelFrameColors(FDC, ToRect(r), topLeft, bottomRight);
  }
}

void TskGdiCanvas::FillPolygon(std::span<const TskPoint> points, TColor c) {
  TskCanvas::PolygonFillColor(FDC, ToPoints(points), c);
}

void TskGdiCanvas::FramePolygon(std::span<const TskPoint> points, TColor c) {
  TskCanvas::PolygonFrameColor(FDC, ToPoints(points), c);
}

void TskGdiCanvas::Polyline(std::span<const TskPoint> points, TColor c) {
  if (points.size() < 2) {
    return;
  }
  TPenHandle pen(CreatePen(PS_SOLID, 1, TskCanvas::ToColorRef(c)));
  TSelectGuard select(FDC, pen.Get());
  const std::vector<POINT> p = ToPoints(points);
  ::Polyline(FDC, p.data(), int(p.size()));
}

void TskGdiCanvas::FillRoundRect(const TskRect& r, std::int32_t radius, TColor c) {
  if (!IsRectEmpty(r)) {
    TskCanvas::RoundFillColor(FDC, ToRect(r), radius, c);
  }
}

void TskGdiCanvas::MonoGlyph(TskMonoGlyph glyph, bool pushed, const TskRect& r, TColor c) {
  if (IsRectEmpty(r)) {
    return;
  }
  const TskColor ink = ColorToSkColor(c, 255, &TskCanvas::SysColor);
  const TGlyphKey key{int(glyph), pushed, r.Right - r.Left, r.Bottom - r.Top, ink};
  auto& cache = GlyphCache();
  auto it = cache.find(key);
  if (it == cache.end()) {
    const TGlyphSource source = GlyphSource(glyph);
    auto bitmap = std::make_unique<TskBitmap>();
    try {
      bitmap->SetSize(r.Right - r.Left, r.Bottom - r.Top);
    } catch (const ESkBitmapError&) {
      return;
    }
    bitmap->Fill(0x00FFFFFF);
    RECT area{0, 0, bitmap->Width(), bitmap->Height()};
    DrawFrameControl(bitmap->DC(), &area, source.Type, source.State | (pushed ? DFCS_PUSHED : 0));
    // Only the glyph turns into ink: the button edge the platform draws around caption and
    // scroll glyphs (two pixels, its darkest shade may be black too) stays see-through.
    const std::int32_t ring = source.Edged ? 2 : 0;
    TskPixels& p = bitmap->Pixels();
    for (std::int32_t y = 0; y < p.Height(); ++y) {
      TskColor* row = p.ScanLine(y);
      for (std::int32_t x = 0; x < p.Width(); ++x) {
        const bool edge = x < ring || y < ring || x >= p.Width() - ring || y >= p.Height() - ring;
        row[x] = !edge && (row[x] & 0x00FFFFFF) == 0 ? ink : skKeyColor;
      }
    }
    bitmap->Transparent = true;
    if (cache.size() >= kMaxCachedGlyphs) {
      cache.clear();
    }
    it = cache.emplace(key, std::move(bitmap)).first;
  }
  it->second->Draw(FDC, r.Left, r.Top);
}

void TskGdiCanvas::DrawImage(const TskGlyphImage& image, const TskRect& dest) {
  if (image.Empty() || IsRectEmpty(dest)) {
    return;
  }
  TskBitmap bitmap;
  if (!CopyToBitmap(*image.Pixels, bitmap)) {
    return;
  }
  bitmap.AlphaBlend = image.Mode == TskDrawMode::dmBlend;
  bitmap.Transparent = image.Mode == TskDrawMode::dmTransparent;
  bitmap.Draw(FDC, ToRect(dest), RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

void TskGdiCanvas::DrawImageShadow(const TskGlyphImage& image, std::int32_t x, std::int32_t y, TColor c) {
  if (image.Empty()) {
    return;
  }
  TskBitmap bitmap;
  if (!CopyToBitmap(*image.Pixels, bitmap)) {
    return;
  }
  // Every pixel but the key colour casts the shadow, whatever its alpha.
  bitmap.SetAlpha(255);
  TskBitmap::DrawDisabledGlyph(FDC, x, y, c, bitmap);
}

void TskGdiCanvas::SetFont(const TskFontDesc& font) {
  FFont = font;
  FFontPending = true;
}

void TskGdiCanvas::RealizeFont() {
  if (!FFontPending) {
    return;
  }
  FFontPending = false;
  if (HFONT font = CachedFont(FDC, FFont)) {
    SelectObject(FDC, font);
  }
  SetTextColor(FDC, TskCanvas::ToColorRef(FFont.Color));
}

TskRect TskGdiCanvas::MeasureText(const std::wstring& text, const TskRect& r, std::uint32_t bits) {
  RealizeFont();
  RECT m = ToRect(r);
  ::DrawTextW(FDC, text.c_str(), int(text.size()), &m, bits | DT_CALCRECT);
  return {m.left, m.top, m.right, m.bottom};
}

void TskGdiCanvas::PaintText(const std::wstring& text, const TskRect& r, std::uint32_t bits) {
  RealizeFont();
  RECT area = ToRect(r);
  ::DrawTextW(FDC, text.c_str(), int(text.size()), &area, bits);
}

void TskGdiCanvas::PaintRotatedText(const std::wstring& text, const TskRect& r, std::uint32_t bits,
                                    std::uint8_t rotation) {
  const std::int32_t w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (w <= 0 || h <= 0 || (rotation != 1 && rotation != 2)) {
    return;
  }
  // The text is drawn level into a bitmap as wide as the target is high, then turned.
  TskBitmap level, turned;
  try {
    level.SetSize(h, w);
    turned.SetSize(w, h);
  } catch (const ESkBitmapError&) {
    return;
  }
  level.Fill(skKeyColor);
  {
    TskGdiCanvas inner(level.DC());
    inner.SetFont(FFont);
    inner.PaintText(text, {0, 0, h, w}, bits);
  }
  turned.Fill(skKeyColor);
  const TskPixels& src = level.Pixels();
  TskPixels& dst = turned.Pixels();
  for (std::int32_t y = 0; y < src.Height(); ++y) {
    for (std::int32_t x = 0; x < src.Width(); ++x) {
      const TskColor p = src.GetPixel(x, y);
      if ((p & 0x00FFFFFF) == (skKeyColor & 0x00FFFFFF)) {
        continue;
      }
      // Clockwise: the level row y becomes column w - 1 - y; counter-clockwise: column y.
      if (rotation == 1) {
        dst.SetPixel(w - 1 - y, x, p | 0xFF000000);
      } else {
        dst.SetPixel(y, h - 1 - x, p | 0xFF000000);
      }
    }
  }
  turned.Transparent = true;
  turned.Draw(FDC, r.Left, r.Top);
}

void TskGdiCanvas::PushClip(const TskRect& r) {
  SaveDC(FDC);
  ++FClipDepth;
  if (IsRectEmpty(r)) {
    IntersectClipRect(FDC, 0, 0, 0, 0);
  } else {
    IntersectClipRect(FDC, r.Left, r.Top, r.Right, r.Bottom);
  }
}

void TskGdiCanvas::PopClip() {
  if (FClipDepth == 0) {
    return;
  }
  --FClipDepth;
  // The restored context may hold an earlier font: select the described one again when text
  // is next drawn.
  RestoreDC(FDC, -1);
  FFontPending = true;
}
