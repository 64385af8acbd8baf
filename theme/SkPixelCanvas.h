#pragma once
// TskPixelCanvas: the paint canvas over a TskPixels image, for off-screen drawing without a
// device and for the themes' pixel tests. Shapes are drawn as the platform draws them (filled
// polygons sampled at pixel centres, lines without their last point). Platform glyphs are
// stand-ins (a cross over the middle half of their rectangle) and text is measured at a fixed
// 6 x 13 pixels per character and recorded, not drawn.
#include "theme/SkPaintCanvas.h"
#include "theme/SkPixels.h"

#include <vector>

class TskPixelCanvas : public ISkPaintCanvas {
public:
  struct TTextCall {
    std::wstring Text;
    TskRect Rect;
    std::uint32_t Bits = 0;
    std::uint8_t Rotation = 0;
    TskFontDesc Font;
  };
  struct TGlyphCall {
    TskMonoGlyph Glyph;
    bool Pushed = false;
    TskRect Rect;
    TColor Color = 0;
  };

  // Draws into `pixels` (not owned); system-colour references resolve through `sys`.
  explicit TskPixelCanvas(TskPixels& pixels, TskSysColorFunc sys = nullptr);

  TColor Resolve(TColor c) const override { return ResolveColor(c, FSys); }
  void FillRect(const TskRect& r, TColor c) override;
  void FrameRect(const TskRect& r, TColor c) override;
  void BevelFrame(const TskRect& r, TColor topLeft, TColor bottomRight) override;
  void FillPolygon(std::span<const TskPoint> points, TColor c) override;
  void FramePolygon(std::span<const TskPoint> points, TColor c) override;
  void Polyline(std::span<const TskPoint> points, TColor c) override;
  void FillRoundRect(const TskRect& r, std::int32_t radius, TColor c) override;
  void MonoGlyph(TskMonoGlyph glyph, bool pushed, const TskRect& r, TColor c) override;
  void DrawImage(const TskGlyphImage& image, const TskRect& dest) override;
  void DrawImageShadow(const TskGlyphImage& image, std::int32_t x, std::int32_t y, TColor c) override;
  void SetFont(const TskFontDesc& font) override { FFont = font; }
  const TskFontDesc& Font() const override { return FFont; }
  TskRect MeasureText(const std::wstring& text, const TskRect& r, std::uint32_t bits) override;
  void PaintText(const std::wstring& text, const TskRect& r, std::uint32_t bits) override;
  void PaintRotatedText(const std::wstring& text, const TskRect& r, std::uint32_t bits,
                        std::uint8_t rotation) override;
  void PushClip(const TskRect& r) override;
  void PopClip() override;

  const TskRect& Clip() const { return FClip.back(); }
  const std::vector<TTextCall>& TextCalls() const { return FTexts; }
  const std::vector<TGlyphCall>& GlyphCalls() const { return FGlyphs; }

private:
  void Plot(std::int32_t x, std::int32_t y, TskColor p);
  void Line(TskPoint a, TskPoint b, TskColor p, bool last);
  TskColor Pixel(TColor c) const { return ColorToSkColor(c, 255, FSys); }

  TskPixels& FPixels;
  TskSysColorFunc FSys;
  std::vector<TskRect> FClip;
  TskFontDesc FFont;
  std::vector<TTextCall> FTexts;
  std::vector<TGlyphCall> FGlyphs;
};
