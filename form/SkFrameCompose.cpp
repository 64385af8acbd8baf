#include "form/SkFrameCompose.h"

#include "form/SkFormOptions.h"

#include <algorithm>

TskColor SkBlendPixel(TskColor top, TskColor bottom, std::int32_t opacity) {
  opacity = std::clamp<std::int32_t>(opacity, 0, 255);
  TskColor out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t t = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
    const std::uint32_t c = (t * std::uint32_t(opacity) + b * std::uint32_t(255 - opacity) + 127) / 255;
    out |= c << shift;
  }
  return out;
}

void SkBlendOverSnapshot(TskPixels& target, const TskPixels& snapshot, const TskRect& r,
                         std::int32_t opacity) {
  const std::int32_t left = std::max(r.Left, 0), top = std::max(r.Top, 0);
  const std::int32_t right = std::min({r.Right, target.Width(), snapshot.Width()});
  const std::int32_t bottom = std::min({r.Bottom, target.Height(), snapshot.Height()});
  for (std::int32_t y = top; y < bottom; ++y) {
    TskColor* t = target.ScanLine(y);
    const TskColor* s = snapshot.ScanLine(y);
    for (std::int32_t x = left; x < right; ++x) {
      t[x] = SkBlendPixel(t[x], s[x], opacity);
    }
  }
}

void SkBlendClientOverSnapshot(TskPixels& client, const TskPixels& snapshot, const TskRect& clientArea,
                               std::int32_t opacity) {
  // The client's pixels that have a snapshot pixel under them, in client coordinates.
  const std::int32_t left = std::max(0, -clientArea.Left);
  const std::int32_t top = std::max(0, -clientArea.Top);
  const std::int32_t right =
      std::min({client.Width(), clientArea.Right - clientArea.Left, snapshot.Width() - clientArea.Left});
  const std::int32_t bottom =
      std::min({client.Height(), clientArea.Bottom - clientArea.Top, snapshot.Height() - clientArea.Top});
  for (std::int32_t y = top; y < bottom; ++y) {
    TskColor* c = client.ScanLine(y);
    const TskColor* s = snapshot.ScanLine(clientArea.Top + y);
    for (std::int32_t x = left; x < right; ++x) {
      c[x] = SkBlendPixel(c[x], s[clientArea.Left + x], opacity);
    }
  }
}

void SkComposeShadow(TskPixels& target, const TskPixels& snapshot, std::int32_t frameWidth,
                     std::int32_t frameHeight, std::int32_t size) {
  if (size <= 0) {
    return;
  }
  const std::int32_t width = std::min({frameWidth + size, target.Width(), snapshot.Width()});
  const std::int32_t height = std::min({frameHeight + size, target.Height(), snapshot.Height()});
  for (std::int32_t y = size; y < height; ++y) {
    TskColor* t = target.ScanLine(y);
    const TskColor* s = snapshot.ScanLine(y);
    for (std::int32_t x = size; x < width; ++x) {
      const bool right = x >= frameWidth, below = y >= frameHeight;
      if (!right && !below) {
        continue; // under the frame
      }
      // Distances to the two tapered edges of the part the pixel belongs to: the right part
      // tapers at its outer edge and its top end, the bottom part at its outer edge and its
      // left end, the corner at both outer edges.
      constexpr std::int32_t kFar = 1 << 20;
      const std::int32_t toRight = frameWidth + size - 1 - x, toBottom = frameHeight + size - 1 - y;
      const std::int32_t a = right ? toRight : toBottom;
      const std::int32_t b = right && below ? toBottom : right ? y - size : below ? x - size : kFar;
      t[x] = SkBlendPixel(kSkShadowColor, s[x], SkShadowOpacity(a, b));
    }
  }
}
