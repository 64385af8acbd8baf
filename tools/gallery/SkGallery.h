#pragma once
// The theme gallery: every control family in each of its states, drawn by the default, flat
// and Office XP themes side by side into one picture (a column block per theme, a row per
// family). Platform-free: the window and the PNG file show the same pixels.
#include "theme/SkPixels.h"

#include "theme/SkPaintCanvas.h"

#include <vector>

// The picture's size and every cell that holds an element.
struct TskGalleryLayout {
  std::int32_t Width = 0, Height = 0;
  std::vector<TskRect> Cells;
};
TskGalleryLayout SkGalleryLayout();

// Paints every cell's elements through `canvas` (the background is left as it is).
void SkPaintGallery(ISkPaintCanvas& canvas);

// Draws the whole gallery into `out` (resized to fit). `sys` resolves system colours.
void SkDrawGallery(TskPixels& out, TskSysColorFunc sys);
