#include "form/SkFrameDrag.h"

#include "theme/SkTheme.h"

#include <algorithm>

void TskFrameDrag::Begin(const TskDragStart& start) {
  FStart = start;
  FActive = StartsDrag(start.Code);
}

std::optional<TskRect> TskFrameDrag::Move(TskPoint pointer, const TSkGravitation* gravitation,
                                          const TskRect* area, std::int32_t shadowSize) {
  if (!FActive) {
    return std::nullopt;
  }
  const std::int32_t dx = pointer.X - FStart.Pointer.X, dy = pointer.Y - FStart.Pointer.Y;
  TskRect r = FStart.Bounds;
  const std::uint8_t code = FStart.Code;
  if (code == khtCaption) {
    if (!FStart.Moveable || FStart.State == kwsMaximized) {
      return std::nullopt;
    }
    r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    if (gravitation && area) {
      r = SkGravitate(r, *area, *gravitation, shadowSize);
    }
    return r;
  }
  if (!FStart.Sizeable || FStart.State != kwsNormal) {
    return std::nullopt;
  }
  const bool left = code == khtLeft || code == khtTopLeft || code == khtBottomLeft;
  const bool right = code == khtRight || code == khtTopRight || code == khtBottomRight;
  const bool top = code == khtTop || code == khtTopLeft || code == khtTopRight;
  const bool bottom = code == khtBottom || code == khtBottomLeft || code == khtBottomRight;
  const std::int32_t minW = FStart.MinTrack.X, minH = FStart.MinTrack.Y;
  const std::int32_t maxW = FStart.MaxTrack.X > 0 ? FStart.MaxTrack.X : INT32_MAX / 2;
  const std::int32_t maxH = FStart.MaxTrack.Y > 0 ? FStart.MaxTrack.Y : INT32_MAX / 2;
  if (left) {
    r.Left = std::clamp(r.Left + dx, r.Right - maxW, r.Right - minW);
  }
  if (right) {
    r.Right = std::clamp(r.Right + dx, r.Left + minW, r.Left + maxW);
  }
  if (top) {
    r.Top = std::clamp(r.Top + dy, r.Bottom - maxH, r.Bottom - minH);
  }
  if (bottom) {
    r.Bottom = std::clamp(r.Bottom + dy, r.Top + minH, r.Top + maxH);
  }
  return r;
}
