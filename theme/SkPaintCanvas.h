#pragma once
// ISkPaintCanvas: what a theme paints with. The themes describe every element as these
// primitives; the platform layer draws them on a device context, TskPixelCanvas into pixels.
// Colours are TColor values (system-colour references are resolved by the canvas). Every
// primitive draws nothing for an empty or inverted rectangle and stays inside the current clip.
#include "theme/SkColor.h"
#include "theme/SkRect.h"
#include "theme/records/SkFontDesc.h"
#include "theme/records/SkThemeInfo.h"

#include <cstdint>
#include <span>
#include <string>

// Platform glyphs the themes recolour (caption buttons, scroll arrows, menu glyphs).
enum class TskMonoGlyph : std::uint8_t {
  mgClose,
  mgHelp,
  mgMinimize,
  mgMaximize,
  mgRestore,
  mgScrollUp,
  mgScrollDown,
  mgScrollLeft,
  mgScrollRight,
  mgMenuArrow,
  mgMenuCheck,
  mgMenuBullet
};

// Draw-text format bits understood by PaintText and MeasureText.
enum TskDrawTextBits : std::uint32_t {
  dtCenter = 0x1,
  dtRight = 0x2,
  dtVCenter = 0x4,
  dtBottom = 0x8,
  dtWordBreak = 0x10,
  dtSingleLine = 0x20,
  dtCalcRect = 0x400,
  dtNoPrefix = 0x800,
  dtRtlReading = 0x20000
};

class ISkPaintCanvas {
public:
  virtual ~ISkPaintCanvas() = default;

  virtual TColor Resolve(TColor c) const = 0;

  virtual void FillRect(const TskRect& r, TColor c) = 0;
  // One-pixel outline.
  virtual void FrameRect(const TskRect& r, TColor c) = 0;
  // One-pixel outline: top and left edges topLeft, right and bottom edges bottomRight.
  virtual void BevelFrame(const TskRect& r, TColor topLeft, TColor bottomRight) = 0;
  // A filled polygon, outlined in the same colour.
  virtual void FillPolygon(std::span<const TskPoint> points, TColor c) = 0;
  virtual void FramePolygon(std::span<const TskPoint> points, TColor c) = 0;
  // Connected one-pixel lines; the last point is not drawn.
  virtual void Polyline(std::span<const TskPoint> points, TColor c) = 0;
  virtual void FillRoundRect(const TskRect& r, std::int32_t radius, TColor c) = 0;
  // The platform glyph in colour c over r (pushed: its pressed rendering).
  virtual void MonoGlyph(TskMonoGlyph glyph, bool pushed, const TskRect& r, TColor c) = 0;
  // The image scaled into dest.
  virtual void DrawImage(const TskGlyphImage& image, const TskRect& dest) = 0;
  // The image's silhouette in colour c at (x, y), as a shadow or a disabled glyph.
  virtual void DrawImageShadow(const TskGlyphImage& image, std::int32_t x, std::int32_t y, TColor c) = 0;

  virtual void SetFont(const TskFontDesc& font) = 0;
  virtual const TskFontDesc& Font() const = 0;
  // The rectangle the text takes when drawn into r with these bits (dtCalcRect implied).
  virtual TskRect MeasureText(const std::wstring& text, const TskRect& r, std::uint32_t bits) = 0;
  // Text in the canvas font, background left as it is.
  virtual void PaintText(const std::wstring& text, const TskRect& r, std::uint32_t bits) = 0;
  // Text turned a quarter (rotation 1 clockwise, 2 counter-clockwise) into r.
  virtual void PaintRotatedText(const std::wstring& text, const TskRect& r, std::uint32_t bits,
                                std::uint8_t rotation) = 0;

  // Narrows the clip to r (intersected with the current clip) until the matching PopClip.
  virtual void PushClip(const TskRect& r) = 0;
  virtual void PopClip() = 0;
};

// Keeps a canvas clipped to a rectangle for the guard's lifetime.
class TskClipGuard {
public:
  TskClipGuard(ISkPaintCanvas& canvas, const TskRect& r) : FCanvas(canvas) { FCanvas.PushClip(r); }
  ~TskClipGuard() { FCanvas.PopClip(); }
  TskClipGuard(const TskClipGuard&) = delete;
  TskClipGuard& operator=(const TskClipGuard&) = delete;

private:
  ISkPaintCanvas& FCanvas;
};
