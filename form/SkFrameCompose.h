#pragma once
// Composing a translucent frame and a drop shadow over a snapshot of what lies behind the
// window. Pixels are 0xAARRGGBB; the snapshot covers the same area as the target (the window),
// pixel for pixel.
#include "theme/SkPixels.h"
#include "theme/SkRect.h"

#include <cstdint>

// The shadow's colour and its full opacity.
inline constexpr TskColor kSkShadowColor = 0x3F3F3F;
inline constexpr std::int32_t kSkShadowOpacity = 128;

// Draws the drop shadow of a frame of frameWidth x frameHeight whose shadow is `size` pixels
// wide: the right part, the bottom part and the corner, each tapered on its outer edges, over
// the snapshot. Pixels of the target outside the shadow are left alone.
void SkComposeShadow(TskPixels& target, const TskPixels& snapshot, std::int32_t frameWidth,
                     std::int32_t frameHeight, std::int32_t size);

// target = target at `opacity` over snapshot, inside r (clipped to both).
void SkBlendOverSnapshot(TskPixels& target, const TskPixels& snapshot, const TskRect& r,
                         std::int32_t opacity);

// client = the client background (clientArea's size) at `opacity` over the part of the snapshot
// under clientArea (window coordinates). Pixels the snapshot does not cover (it may be smaller
// than the window while a size change is under way) are left as they are.
void SkBlendClientOverSnapshot(TskPixels& client, const TskPixels& snapshot, const TskRect& clientArea,
                               std::int32_t opacity);

// One channel-wise blend of `top` at opacity (0..255) over `bottom`; the result is opaque.
TskColor SkBlendPixel(TskColor top, TskColor bottom, std::int32_t opacity);
