#include "framework/win32/Canvas.h"

#include "framework/win32/Graphics.h"

TCanvas::TCanvas(HDC dc) : FDC(dc), FSaved(dc) { SetBkMode(dc, TRANSPARENT); }

TCanvas::~TCanvas() {
  // Deselect before the handles are freed.
  FFontGuard.reset();
  FBrushGuard.reset();
  FPenGuard.reset();
}

void TCanvas::SetFont(const TFontData& data) {
  FFontGuard.reset();
  FFont = MakeFont(data);
  FFontGuard.emplace(FDC, FFont.Get());
  SetTextColor(FDC, ColorToRGB(data.Color));
}

void TCanvas::SetFontHandle(HFONT font, TColor color) {
  FFontGuard.reset();
  FFont.Reset();
  FFontGuard.emplace(FDC, font);
  SetTextColor(FDC, ColorToRGB(color));
}

void TCanvas::SetBrushColor(TColor color) {
  FBrushGuard.reset();
  FBrush.Reset(CreateSolidBrush(ColorToRGB(color)));
  FBrushGuard.emplace(FDC, FBrush.Get());
  FBrushColor = color;
}

void TCanvas::SetPenColor(TColor color) {
  FPenGuard.reset();
  FPen.Reset(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  FPenGuard.emplace(FDC, FPen.Get());
}

void TCanvas::FillRect(const RECT& rect) {
  if (!FBrush) {
    SetBrushColor(FBrushColor);
  }
  ::FillRect(FDC, &rect, FBrush.Get());
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  ::FillRect(FDC, &rect, brush.Get());
}

void TCanvas::FrameRect(const RECT& rect, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  ::FrameRect(FDC, &rect, brush.Get());
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  if (!points.empty()) {
    ::Polyline(FDC, points.data(), static_cast<int>(points.size()));
  }
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  if (!points.empty()) {
    ::Polygon(FDC, points.data(), static_cast<int>(points.size()));
  }
}

void TCanvas::DrawEdge(RECT& rect, UINT edge, UINT flags) { ::DrawEdge(FDC, &rect, edge, flags); }

void TCanvas::DrawText(std::string_view text, RECT& rect, UINT format) {
  ::DrawTextA(FDC, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE TCanvas::TextExtent(std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(FDC, text.data(), static_cast<int>(text.size()), &size);
  return size;
}
