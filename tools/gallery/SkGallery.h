#pragma once
// The theme gallery: every control family in each of its states, drawn by the default, flat
// and Office XP themes side by side into one picture (a column block per theme, a row per
// family). Platform-free: the window and the PNG file show the same pixels.
#include "theme/SkPixels.h"

// Draws the whole gallery into `out` (resized to fit). `sys` resolves system colours.
void SkDrawGallery(TskPixels& out, TskSysColorFunc sys);
