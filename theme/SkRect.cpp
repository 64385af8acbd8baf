#include "theme/SkRect.h"

#include <algorithm>

namespace {
std::int32_t Clamp32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}
} // namespace

bool RectContains(const TskRect& inner, const TskRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

TskRect IntersectRects(const TskRect& a, const TskRect& b) {
  TskRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
  return IsRectEmpty(r) ? TskRect{} : r;
}

TskRect OffsetRect(const TskRect& r, std::int32_t dx, std::int32_t dy) {
  return {Clamp32(std::int64_t(r.Left) + dx), Clamp32(std::int64_t(r.Top) + dy),
          Clamp32(std::int64_t(r.Right) + dx), Clamp32(std::int64_t(r.Bottom) + dy)};
}

TskRect InflateRect(const TskRect& r, std::int32_t dx, std::int32_t dy) {
  return {Clamp32(std::int64_t(r.Left) - dx), Clamp32(std::int64_t(r.Top) - dy),
          Clamp32(std::int64_t(r.Right) + dx), Clamp32(std::int64_t(r.Bottom) + dy)};
}

TskRect DeflateRect(const TskRect& r, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom) {
  return {Clamp32(std::int64_t(r.Left) + left), Clamp32(std::int64_t(r.Top) + top),
          Clamp32(std::int64_t(r.Right) - right), Clamp32(std::int64_t(r.Bottom) - bottom)};
}

TskRect CentreRect(const TskRect& inner, const TskRect& outer, TskCentreMode mode) {
  const std::int64_t w = RectWidth(inner), h = RectHeight(inner);
  // Integer division truncates toward zero, as the offsets must.
  const std::int64_t top = outer.Top + (RectHeight(outer) - h) / 2;
  std::int64_t left = inner.Left;
  if (mode == TskCentreMode::cmBoth) {
    left = outer.Left + (RectWidth(outer) - w) / 2;
  }
  return {Clamp32(left), Clamp32(top), Clamp32(left + w), Clamp32(top + h)};
}
