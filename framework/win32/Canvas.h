#pragma once
// TCanvas: drawing on a device context with a font, a brush and a pen that the canvas owns.
// Whatever it selects is deselected again when it is replaced or the canvas ends, so the DC
// is handed back as it came.
#include "framework/Font.h"
#include "framework/win32/Handles.h"

#include <optional>
#include <string_view>
#include <vector>

class TCanvas {
public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FDC; }

  // Selects a font made from data and takes its colour as the text colour.
  void SetFont(const TFontData& data);
  // Selects an existing font that the caller keeps alive.
  void SetFontHandle(HFONT font, TColor color);
  void SetBrushColor(TColor color);
  TColor BrushColor() const { return FBrushColor; }
  void SetPenColor(TColor color);

  void FillRect(const RECT& rect);                 // with the brush
  void FillRect(const RECT& rect, TColor color);   // solid, brush unchanged
  void FrameRect(const RECT& rect, TColor color);  // one-pixel outline
  void Polyline(const std::vector<POINT>& points); // with the pen
  void Polygon(const std::vector<POINT>& points);  // pen outline, brush fill
  void DrawEdge(RECT& rect, UINT edge, UINT flags);
  // Transparent text in the font's colour.
  void DrawText(std::string_view text, RECT& rect, UINT format);
  SIZE TextExtent(std::string_view text);

private:
  HDC FDC;
  TSavedDC FSaved;
  TFontHandle FFont;
  TBrushHandle FBrush;
  TPenHandle FPen;
  std::optional<TSelectGuard> FFontGuard, FBrushGuard, FPenGuard;
  TColor FBrushColor = clWhite;
};
