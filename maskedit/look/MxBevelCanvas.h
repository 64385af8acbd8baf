#pragma once
// What the bevel needs from a canvas. Rectangles have right and bottom exclusive. The edge
// and side flags have the values the platform's edge drawing uses, so a Win32 canvas passes
// them through unchanged.
#include "framework/Colors.h"

#include <vector>

struct TMxRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TMxRect&) const = default;
};

struct TMxPoint {
  int X = 0, Y = 0;
  bool operator==(const TMxPoint&) const = default;
};

namespace MxEdge {
constexpr unsigned RaisedOuter = 0x1, SunkenOuter = 0x2, RaisedInner = 0x4, SunkenInner = 0x8;
constexpr unsigned Raised = RaisedOuter | RaisedInner, Sunken = SunkenOuter | SunkenInner;
constexpr unsigned Etched = SunkenOuter | RaisedInner, Bump = RaisedOuter | SunkenInner;
} // namespace MxEdge

namespace MxSide {
constexpr unsigned Left = 0x1, Top = 0x2, Right = 0x4, Bottom = 0x8;
constexpr unsigned All = Left | Top | Right | Bottom;
constexpr unsigned Soft = 0x1000, Adjust = 0x2000;
} // namespace MxSide

class IMxBevelCanvas {
public:
  virtual ~IMxBevelCanvas() = default;
  // One-pixel outline of rect.
  virtual void FrameRect(const TMxRect& rect, TColor color) = 0;
  // Connected one-pixel lines; the last point is not drawn.
  virtual void Polyline(const std::vector<TMxPoint>& points, TColor color) = 0;
  // Filled polygon without an outline of another colour.
  virtual void Polygon(const std::vector<TMxPoint>& points, TColor color) = 0;
  virtual void FillRect(const TMxRect& rect, TColor color) = 0;
  // Fills with the canvas's current brush (its background).
  virtual void FillRectBackground(const TMxRect& rect) = 0;
  // The platform's edge drawing; moves rect in where it adjusts (MxSide::Adjust).
  virtual void DrawEdge(TMxRect& rect, unsigned edge, unsigned sides) = 0;
};
