#pragma once
// Drawing one pixel image onto another: unscaled and nearest-neighbour scaled drawing in the
// three modes, tiling and MergeUnder. Source and destination may be the same image; overlapping
// areas are read before they are written.
#include "theme/SkPixels.h"

#include <cstdint>
#include <vector>

enum class TskDrawMode { dmCopy, dmTransparent, dmBlend };

// Per-pixel alpha wins over the colour key when an image asks for both.
constexpr TskDrawMode SkDrawModeOf(bool alphaBlend, bool transparent) {
  return alphaBlend ? TskDrawMode::dmBlend : transparent ? TskDrawMode::dmTransparent : TskDrawMode::dmCopy;
}

// Source index for destination index i (0-based within the destination extent) of a scaled
// copy: with destExtent below 2 the middle (srcStart + srcEnd - 1) div 2, else
// round(i * (srcExtent - 1) / (destExtent - 1) + srcStart), ties to even, in 64-bit integers.
std::int64_t SkScaleIndex(std::int64_t i, std::int64_t destExtent, std::int64_t srcStart,
                          std::int64_t srcExtent);

// Draws srcRect of src scaled into destRect of dst. Nothing is drawn when either rectangle is
// empty or inverted, when srcRect is not inside src, or when destRect misses dst (and `clip`,
// when given). Equal sizes copy row by row.
void SkDraw(TskPixels& dst, const TskRect& destRect, const TskPixels& src, const TskRect& srcRect,
            TskDrawMode mode, const TskRect* clip = nullptr);
// srcRect unscaled with its top-left corner at (x, y).
void SkDrawAt(TskPixels& dst, std::int32_t x, std::int32_t y, const TskPixels& src, const TskRect& srcRect,
              TskDrawMode mode, const TskRect* clip = nullptr);

// Repeats srcRect over destRect, tiles anchored at destRect's top-left corner. With a
// clipRect of positive size only the tiles that intersect it are drawn.
void SkTile(TskPixels& dst, const TskRect& destRect, const TskPixels& src, const TskRect& srcRect,
            const TskRect& clipRect, TskDrawMode mode);

// Puts srcRect of src behind dst's pixels, its top-left corner at (x, y): where dst's alpha is
// 0 the source pixel is taken, between 1 and 254 dst is blended over the source, at 255 dst
// stays. A srcRect reaching outside src is clipped (moving the target position accordingly).
void SkMergeUnder(TskPixels& dst, const TskPixels& src, std::int32_t x, std::int32_t y,
                  const TskRect& srcRect);
