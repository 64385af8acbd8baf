#pragma once
// TskCanvas: the drawing routines the themes paint with, over a device context. Each routine
// selects the brush or pen it needs and restores the previous selection. Colours are TColor
// values (system-colour references resolved through GetSysColor).
#include "theme/SkColor.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class TskCanvas {
public:
  // GetSysColor as a TskSysColorFunc.
  static TColor SysColor(int index);
  static COLORREF ToColorRef(TColor c);

  static void FillRectColor(HDC dc, const RECT& r, TColor color);
  // One-pixel outline with a clear interior.
  static void FrameRectColor(HDC dc, const RECT& r, TColor color);
  // Top and left edges in the first colour, right and bottom edges in the second.
  static void BevelFrameColors(HDC dc, const RECT& r, TColor topLeft, TColor bottomRight);
  static void FocusRectColor(HDC dc, const RECT& r, TColor color);
  static void RoundFrameColor(HDC dc, const RECT& r, int radius, TColor color);
  static void RoundFillColor(HDC dc, const RECT& r, int radius, TColor color);
  static void PolygonFrameColor(HDC dc, const std::vector<POINT>& points, TColor color);
  static void PolygonFillColor(HDC dc, const std::vector<POINT>& points, TColor color);
  static void LineToColor(HDC dc, int x1, int y1, int x2, int y2, TColor color);
  // Solid bands from `from` to `to`, vertical or horizontal.
  static void GradientFill(HDC dc, const RECT& r, TColor from, bool vertical, TColor to);
  // An 8 x 8 checker of `color` and `dot`; a rectangle starting left of or above 0 starts at 0.
  static void CheckerFill(HDC dc, const RECT& r, TColor color, TColor dot);
  // The icon at the small-icon size, centred in the rectangle.
  static void DrawSmallIcon(HDC dc, const RECT& r, HICON icon);
};
