#pragma once
// Mask analysis of a rectangle of an image and the run extraction behind window regions.
#include "theme/SkPixels.h"

#include <vector>

struct TskMaskFlags {
  bool MaskedBorder = false;
  bool MaskedAngles = false;
  bool Masked = false;
  friend bool operator==(const TskMaskFlags&, const TskMaskFlags&) = default;
};

// A pixel is see-through when it is not the ignore value 0x33333333 and either has the key
// colour in its low 24 bits (at any alpha: the region runs and the transparent kernel leave
// such a pixel out too) or has an alpha other than 255.
constexpr bool SkIsSeeThrough(TskColor p) {
  return p != skIgnoreColor && ((p & 0xFFFFFFu) == (skKeyColor & 0xFFFFFFu) || (p >> 24) != 255);
}

// Classifies the see-through pixels of `rect` (clipped to the image). `margins` holds the
// widths of the left, top, right and bottom border bands; all zero sets only Masked (any
// see-through pixel). Otherwise corner bands set MaskedAngles, edge bands MaskedBorder and the
// centre Masked.
TskMaskFlags SkCheckMasks(const TskPixels& image, const TskRect& rect, const TskRect& margins);

// One-pixel-high rectangles covering every run of pixels whose low 24 bits are not the key
// colour, row by row, left to right, moved by (dx, dy). Any number of runs.
std::vector<TskRect> SkRegionRuns(const TskPixels& image, std::int32_t dx, std::int32_t dy);
// The bounding box of a run list ((0, 0, 0, 0) for none).
TskRect SkRunsBounds(const std::vector<TskRect>& runs);
