#include "theme/SkBarGeometry.h"

#include <algorithm>

namespace {

// part * span / whole for 0 <= part <= whole, in floating point so that no difference of two
// 64-bit positions can overflow.
std::int64_t Scaled(long double part, long double whole, std::int64_t span) {
  if (whole <= 0) {
    return 0;
  }
  const long double f = part / whole;
  return std::clamp<std::int64_t>(static_cast<std::int64_t>(f * static_cast<long double>(span)), 0, span);
}

} // namespace

TskRect SkProgressFillRect(const TskRect& client, std::int64_t position, std::int64_t max, bool vertical) {
  if (IsRectEmpty(client) || max <= 0) {
    return {client.Left, client.Top, client.Left, client.Top};
  }
  const std::int64_t pos = std::clamp<std::int64_t>(position, 0, max);
  TskRect r = client;
  if (vertical) {
    r.Top = std::int32_t(r.Bottom - Scaled(pos, max, RectHeight(client)));
  } else {
    r.Right = std::int32_t(r.Left + Scaled(pos, max, RectWidth(client)));
  }
  return r;
}

TskRect SkThumbRect(const TskRect& track, std::int32_t thumbSize, std::int64_t min, std::int64_t max,
                    std::int64_t position, bool vertical) {
  if (IsRectEmpty(track)) {
    return {track.Left, track.Top, track.Left, track.Top};
  }
  const std::int64_t length = vertical ? RectHeight(track) : RectWidth(track);
  const std::int64_t thumb = std::clamp<std::int64_t>(thumbSize, 0, length);
  if (max < min) {
    std::swap(min, max);
  }
  const std::int64_t pos = std::clamp(position, min, max);
  const std::int64_t at =
      Scaled(static_cast<long double>(pos) - min, static_cast<long double>(max) - min, length - thumb);
  TskRect r = track;
  if (vertical) {
    r.Top = std::int32_t(track.Top + at);
    r.Bottom = std::int32_t(r.Top + thumb);
  } else {
    r.Left = std::int32_t(track.Left + at);
    r.Right = std::int32_t(r.Left + thumb);
  }
  return r;
}
