// Mask analysis and region runs.
#include "theme/SkMasks.h"
#include "theme/SkKernels.h"

#include <gtest/gtest.h>

namespace {
TskPixels Opaque(std::int32_t w, std::int32_t h) {
  TskPixels p;
  p.SetSize(w, h);
  p.Fill(0xFF808080);
  return p;
}
} // namespace

TEST(SkCheckMasks, ClassifiesSeeThroughPixelsByBand) {
  struct Row {
    std::int32_t x, y; // inside the 20 x 10 link at (10, 0) of a 40 x 10 image
    TskColor pixel;
    TskRect margins;
    TskMaskFlags want;
  } const rows[] = {
      {19, 0, skKeyColor, {2, 2, 2, 2}, {false, true, false}},     // own top-right corner
      {0, 9, 0x80FFFFFF, {2, 2, 2, 2}, {false, true, false}},      // bottom-left corner
      {10, 0, 0x00000000, {2, 2, 2, 2}, {true, false, false}},     // top edge
      {19, 5, skKeyColor, {2, 2, 2, 2}, {true, false, false}},     // right edge
      {10, 5, skKeyColor, {2, 2, 2, 2}, {false, false, true}},     // centre
      {10, 5, skIgnoreColor, {2, 2, 2, 2}, {false, false, false}}, // ignored value
      {10, 5, 0xFF7F007F, {2, 2, 2, 2}, {false, false, true}},     // the key colour, opaque
      {10, 5, 0xFF7F007E, {2, 2, 2, 2}, {false, false, false}},    // opaque, next to the key
      {0, 0, 0x00000000, {0, 0, 0, 0}, {false, false, true}},      // no margins: any pixel
  };
  for (const Row& r : rows) {
    TskPixels p = Opaque(40, 10);
    p.SetPixel(10 + r.x, r.y, r.pixel);
    p.SetPixel(5, 5, skKeyColor); // outside the link: never counted
    EXPECT_EQ(SkCheckMasks(p, {10, 0, 30, 10}, r.margins), r.want) << r.x << "," << r.y;
  }
  EXPECT_EQ(SkCheckMasks(Opaque(4, 4), {0, 0, 4, 4}, {}), TskMaskFlags{});
  EXPECT_EQ(SkCheckMasks(TskPixels(), {0, 0, 4, 4}, {}), TskMaskFlags{});
}

TEST(SkCheckMasks, AgreesWithTheRegionAndTheTransparentKernelOnKeyPixels) {
  // A link that reports no see-through pixel must neither get holes in its window region nor
  // let the destination show through when drawn transparent.
  for (const TskColor pixel :
       {skKeyColor, TskColor{0x807F007F}, TskColor{0xFF7F007F}, TskColor{0xFF7F007E}}) {
    TskPixels p = Opaque(3, 1);
    p.SetPixel(1, 0, pixel);
    const bool masked = SkCheckMasks(p, {0, 0, 3, 1}, {}).Masked;
    const bool hole = SkRegionRuns(p, 0, 0).size() == 2;
    TskColor dst[3] = {1, 2, 3};
    SkActiveKernels().TransparentRow(p.ScanLine(0), dst, 3);
    const bool kept = dst[1] == 2;
    EXPECT_EQ(masked, hole) << std::hex << pixel;
    EXPECT_EQ(masked, kept) << std::hex << pixel;
  }
}

TEST(SkRegionRuns, OneRectanglePerRunMovedByTheOffset) {
  TskPixels p = Opaque(5, 2);
  p.SetPixel(0, 0, skKeyColor);
  p.SetPixel(3, 0, 0xFF7F007F); // the key colour at any alpha
  for (int x = 0; x < 5; ++x) {
    p.SetPixel(x, 1, skKeyColor);
  }
  const auto runs = SkRegionRuns(p, 10, 20);
  EXPECT_EQ(runs, (std::vector<TskRect>{{11, 20, 13, 21}, {14, 20, 15, 21}}));
  EXPECT_EQ(SkRunsBounds(runs), (TskRect{11, 20, 15, 21}));
}

TEST(SkRegionRuns, TakesAnyNumberOfRuns) {
  TskPixels p = Opaque(200, 100);
  for (int y = 0; y < 100; ++y) {
    for (int x = (y & 1); x < 200; x += 2) {
      p.SetPixel(x, y, skKeyColor);
    }
  }
  const auto runs = SkRegionRuns(p, -3, 4);
  ASSERT_EQ(runs.size(), 10000u);
  EXPECT_EQ(runs.back(), (TskRect{195, 103, 196, 104}));
  EXPECT_EQ(SkRunsBounds(runs), (TskRect{-3, 4, 197, 104}));
}
