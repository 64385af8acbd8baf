#pragma once
// The bevel's drawing calls carried out on a TCanvas.
#include "framework/win32/Canvas.h"
#include "maskedit/look/MxBevelCanvas.h"

class TMxGdiBevelCanvas : public IMxBevelCanvas {
public:
  explicit TMxGdiBevelCanvas(TCanvas& canvas) : FCanvas(canvas) {}

  void FrameRect(const TMxRect& rect, TColor color) override;
  void Polyline(const std::vector<TMxPoint>& points, TColor color) override;
  void Polygon(const std::vector<TMxPoint>& points, TColor color) override;
  void FillRect(const TMxRect& rect, TColor color) override;
  void FillRectBackground(const TMxRect& rect) override;
  void DrawEdge(TMxRect& rect, unsigned edge, unsigned sides) override;

  static RECT ToRect(const TMxRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
  static TMxRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

private:
  TCanvas& FCanvas;
};
