#pragma once
// TskGdiCanvas: the themes' paint canvas over a device context. It selects what it needs and
// leaves the context as it found it (clip, font, text colour and background mode) when it is
// destroyed. Platform glyphs come from the frame-control rendering, recoloured.
#include "framework/win32/Handles.h"
#include "theme/SkPaintCanvas.h"

#include <windows.h>

class TskGdiCanvas : public ISkPaintCanvas {
public:
  explicit TskGdiCanvas(HDC dc);
  ~TskGdiCanvas() override;
  TskGdiCanvas(const TskGdiCanvas&) = delete;
  TskGdiCanvas& operator=(const TskGdiCanvas&) = delete;

  HDC DC() const { return FDC; }

  TColor Resolve(TColor c) const override;
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
  void SetFont(const TskFontDesc& font) override;
  const TskFontDesc& Font() const override { return FFont; }
  TskRect MeasureText(const std::wstring& text, const TskRect& r, std::uint32_t bits) override;
  void PaintText(const std::wstring& text, const TskRect& r, std::uint32_t bits) override;
  void PaintRotatedText(const std::wstring& text, const TskRect& r, std::uint32_t bits,
                        std::uint8_t rotation) override;
  void PushClip(const TskRect& r) override;
  void PopClip() override;

  static RECT ToRect(const TskRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
  // Forgets the rendered platform glyphs (after the platform's settings changed).
  static void ClearGlyphCache();

private:
  // Selects the font described last, if text is about to be drawn with it.
  void RealizeFont();

  HDC FDC;
  int FSavedState;
  TskFontDesc FFont;
  bool FFontPending = true;
  int FClipDepth = 0;
};
