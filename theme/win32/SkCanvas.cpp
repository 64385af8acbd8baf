#include "theme/win32/SkCanvas.h"

#include "framework/win32/Handles.h"
#include "theme/SkCanvasMath.h"

#include <algorithm>

TColor TskCanvas::SysColor(int index) { return TColor(GetSysColor(index)); }

COLORREF TskCanvas::ToColorRef(TColor c) { return COLORREF(ResolveColor(c, &TskCanvas::SysColor)); }

void TskCanvas::FillRectColor(HDC dc, const RECT& r, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ToColorRef(color)));
  if (brush) {
    ::FillRect(dc, &r, brush.Get());
  }
}

void TskCanvas::FrameRectColor(HDC dc, const RECT& r, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ToColorRef(color)));
  if (brush) {
    ::FrameRect(dc, &r, brush.Get());
  }
}

void TskCanvas::BevelFrameColors(HDC dc, const RECT& r, TColor topLeft, TColor bottomRight) {
  {
    TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(topLeft)));
    TSelectGuard select(dc, pen.Get());
    MoveToEx(dc, r.left, r.bottom - 2, nullptr);
    ::LineTo(dc, r.left, r.top);
    ::LineTo(dc, r.right - 1, r.top);
  }
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(bottomRight)));
  TSelectGuard select(dc, pen.Get());
  MoveToEx(dc, r.right - 1, r.top, nullptr);
  ::LineTo(dc, r.right - 1, r.bottom - 1);
  ::LineTo(dc, r.left - 1, r.bottom - 1);
}

void TskCanvas::FocusRectColor(HDC dc, const RECT& r, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ToColorRef(color)));
  TSelectGuard select(dc, brush.Get());
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &r);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void TskCanvas::RoundFrameColor(HDC dc, const RECT& r, int radius, TColor color) {
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  TSelectGuard penGuard(dc, pen.Get());
  TSelectGuard brushGuard(dc, GetStockObject(NULL_BRUSH));
  ::RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

void TskCanvas::RoundFillColor(HDC dc, const RECT& r, int radius, TColor color) {
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  TBrushHandle brush(CreateSolidBrush(ToColorRef(color)));
  TSelectGuard penGuard(dc, pen.Get());
  TSelectGuard brushGuard(dc, brush.Get());
  ::RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

void TskCanvas::PolygonFrameColor(HDC dc, const std::vector<POINT>& points, TColor color) {
  if (points.size() < 2) {
    return;
  }
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  TSelectGuard penGuard(dc, pen.Get());
  TSelectGuard brushGuard(dc, GetStockObject(NULL_BRUSH));
  ::Polygon(dc, points.data(), int(points.size()));
}

void TskCanvas::PolygonFillColor(HDC dc, const std::vector<POINT>& points, TColor color) {
  if (points.size() < 2) {
    return;
  }
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  TBrushHandle brush(CreateSolidBrush(ToColorRef(color)));
  TSelectGuard penGuard(dc, pen.Get());
  TSelectGuard brushGuard(dc, brush.Get());
  ::Polygon(dc, points.data(), int(points.size()));
}

void TskCanvas::LineToColor(HDC dc, int x1, int y1, int x2, int y2, TColor color) {
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  TSelectGuard select(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

void TskCanvas::GradientFill(HDC dc, const RECT& r, TColor from, bool vertical, TColor to) {
  for (const TskGradientBand& band :
       SkGradientBands({r.left, r.top, r.right, r.bottom}, from, vertical, to, &TskCanvas::SysColor)) {
    if (IsRectEmpty(band.Rect)) {
      continue;
    }
    const RECT b{band.Rect.Left, band.Rect.Top, band.Rect.Right, band.Rect.Bottom};
    FillRectColor(dc, b, band.Color);
  }
}

void TskCanvas::CheckerFill(HDC dc, const RECT& rect, TColor color, TColor dot) {
  RECT r = rect;
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  if (r.right <= r.left || r.bottom <= r.top) {
    return;
  }
  const auto pattern = SkCheckerPattern(ToColorRef(color), ToColorRef(dot));
  // A 32-bit top-down DIB pattern brush: bytes blue, green, red, unused.
  struct {
    BITMAPINFOHEADER Header;
    DWORD Pixels[64];
  } packed{};
  packed.Header.biSize = sizeof(BITMAPINFOHEADER);
  packed.Header.biWidth = 8;
  packed.Header.biHeight = -8;
  packed.Header.biPlanes = 1;
  packed.Header.biBitCount = 32;
  packed.Header.biCompression = BI_RGB;
  for (std::size_t i = 0; i < 64; ++i) {
    packed.Pixels[i] = ColorToSkColor(pattern[i], 0);
  }
  TBrushHandle brush(CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS));
  if (brush) {
    ::FillRect(dc, &r, brush.Get());
  }
}

void TskCanvas::DrawSmallIcon(HDC dc, const RECT& r, HICON icon) {
  if (!icon) {
    return;
  }
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  const int x = r.left + (r.right - r.left - w) / 2, y = r.top + (r.bottom - r.top - h) / 2;
  DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
}
