// Colour conversion and the hue and brightness shifts.
#include "theme/SkColor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
TColor FakeSysColor(int index) { return index == 0x0F ? 0x00D8E9EC : 0x00000000; }
} // namespace

TEST(SkColor, ConvertsColoursToPixelsAndBack) {
  EXPECT_EQ(ColorToSkColor(0x00332211, 0xFF), 0xFF112233u);
  EXPECT_EQ(ColorToSkColor(0x00332211, 0x00), 0x00112233u);
  EXPECT_EQ(ColorToSkColor(0xFF00000F, 0x7E, FakeSysColor), 0x7EECE9D8u);
  EXPECT_EQ(ColorToSkColor(0xFF00000F, 0x7E), 0x7E000000u); // no source: black
  EXPECT_EQ(SkColorToColor(0xAB112233), 0x00332211u);
}

TEST(SkColor, HueWrapsIntoRangeForAnyShift) {
  struct Row {
    std::int64_t in;
    int out;
  } const rows[] = {{260, 5},
                    {-7, 248},
                    {255, 255},
                    {256, 1},
                    {0, 0},
                    {-255, 0},
                    {510, 255},
                    {511, 1},
                    {600, 90},
                    {-300, 210},
                    {INT64_C(1) << 50, int(((INT64_C(1) << 50) - 1) % 255 + 1)}};
  for (const Row& r : rows) {
    EXPECT_EQ(WrapHue255(r.in), r.out) << r.in;
  }
  for (std::int64_t d : {std::int64_t(INT32_MAX), std::int64_t(INT32_MIN), INT64_MAX, INT64_MIN}) {
    const TColor c = ShiftHue(0x000080FF, d);
    EXPECT_EQ(c >> 24, 0u);
  }
}

TEST(SkColor, HueShiftTable) {
  struct Row {
    TColor in;
    std::int64_t d;
    TColor out;
  } const rows[] = {
      {0x000000FF, 85, 0x0000FF00},  // red -> green
      {0x000000FF, -85, 0x00FF0000}, // red -> blue (-85 + 255 = 170)
      {0x00C0C0C0, 40, 0x00C0C0C0},  // grey has no hue
      {0x000000FF, 255, 0x000000FF}, // a whole turn: hue 255 is hue 0
      {0x000000FF, 765, 0x000000FF},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ShiftHue(r.in, r.d), r.out) << std::hex << r.in << " " << std::dec << r.d;
  }
  EXPECT_EQ(ColorHue255(0x0000FF00), 85);
  EXPECT_EQ(ShiftHue(0xFF00000F, 0, FakeSysColor), 0x00D8E9ECu); // references become RGB
}

TEST(SkColor, BrightnessClampsEveryChannel) {
  EXPECT_EQ(ShiftBrightness(0x00C0C0C0, 100), 0x00FFFFFFu);
  EXPECT_EQ(ShiftBrightness(0x00202020, -100), 0x00000000u);
  EXPECT_EQ(ShiftBrightness(0x00000080, 100), 0x006464E4u);
  EXPECT_EQ(ShiftBrightness(0x00000080, INT64_MAX), 0x00FFFFFFu);
  EXPECT_EQ(ShiftBrightness(0x00FFFFFF, INT64_MIN), 0x00000000u);
}
