#include "maskedit/win32/MxGdiBevelCanvas.h"

namespace {
std::vector<POINT> ToPoints(const std::vector<TMxPoint>& points) {
  std::vector<POINT> out;
  out.reserve(points.size());
  for (const TMxPoint& p : points) {
    out.push_back({p.X, p.Y});
  }
  return out;
}
} // namespace

void TMxGdiBevelCanvas::FrameRect(const TMxRect& rect, TColor color) {
  FCanvas.FrameRect(ToRect(rect), color);
}

void TMxGdiBevelCanvas::Polyline(const std::vector<TMxPoint>& points, TColor color) {
  FCanvas.SetPenColor(color);
  FCanvas.Polyline(ToPoints(points));
}

void TMxGdiBevelCanvas::Polygon(const std::vector<TMxPoint>& points, TColor color) {
  TColor brush = FCanvas.BrushColor();
  FCanvas.SetPenColor(color);
  FCanvas.SetBrushColor(color);
  FCanvas.Polygon(ToPoints(points));
  FCanvas.SetBrushColor(brush);
}

void TMxGdiBevelCanvas::FillRect(const TMxRect& rect, TColor color) { FCanvas.FillRect(ToRect(rect), color); }

void TMxGdiBevelCanvas::FillRectBackground(const TMxRect& rect) { FCanvas.FillRect(ToRect(rect)); }

void TMxGdiBevelCanvas::DrawEdge(TMxRect& rect, unsigned edge, unsigned sides) {
  RECT r = ToRect(rect);
  FCanvas.DrawEdge(r, edge, sides);
  rect = FromRect(r);
}
