#pragma once
// TskRect: an integer rectangle, right and bottom exclusive, plus the small rectangle
// routines every drawing layer uses. Platform-free; the Win32 side converts to RECT.
#include <array>
#include <cstdint>

struct TskRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  friend bool operator==(const TskRect&, const TskRect&) = default;
};

struct TskPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TskPoint&, const TskPoint&) = default;
};

// Widths and heights are computed in 64 bits so that extreme coordinates cannot overflow.
inline std::int64_t RectWidth(const TskRect& r) { return std::int64_t(r.Right) - r.Left; }
inline std::int64_t RectHeight(const TskRect& r) { return std::int64_t(r.Bottom) - r.Top; }
// Empty: width or height not positive (inverted rectangles are empty).
inline bool IsRectEmpty(const TskRect& r) { return RectWidth(r) <= 0 || RectHeight(r) <= 0; }
// A lies inside B (edges may touch).
bool RectContains(const TskRect& inner, const TskRect& outer);
inline bool RectEqual(const TskRect& a, const TskRect& b) { return a == b; }
// The intersection; an empty result is normalised to (0, 0, 0, 0).
TskRect IntersectRects(const TskRect& a, const TskRect& b);
TskRect OffsetRect(const TskRect& r, std::int32_t dx, std::int32_t dy);
// A new rectangle grown by dx on the left and right and dy on the top and bottom.
TskRect InflateRect(const TskRect& r, std::int32_t dx, std::int32_t dy);
// A new rectangle shrunk by four margins.
TskRect DeflateRect(const TskRect& r, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom);

enum class TskCentreMode { cmBoth, cmVertical };
// Moves inner so that it is centred in outer (offsets truncated toward zero); with cmVertical
// only the vertical position changes.
TskRect CentreRect(const TskRect& inner, const TskRect& outer, TskCentreMode mode = TskCentreMode::cmBoth);

// The four bands of outer around hole: above, below, left and right of it (left and right
// as tall as the hole). Bands may be empty; a hole outside outer gives inverted ones.
inline std::array<TskRect, 4> BandsAround(const TskRect& outer, const TskRect& hole) {
  return {{{outer.Left, outer.Top, outer.Right, hole.Top},
           {outer.Left, hole.Bottom, outer.Right, outer.Bottom},
           {outer.Left, hole.Top, hole.Left, hole.Bottom},
           {hole.Right, hole.Top, outer.Right, hole.Bottom}}};
}
