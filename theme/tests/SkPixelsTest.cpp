// Operations of the pixel image: sizing, pixel access, fills, alpha, key colour, flip and the
// colour shifts.
#include "theme/SkPixels.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SkPixels, SetSizeIgnoresZeroNegativeCountsByMagnitudeAndRejectsHostileSizes) {
  TskPixels p;
  EXPECT_TRUE(p.SetSize(5, 5));
  p.SetPixel(4, 4, 0xAABBCCDD);
  struct Row {
    std::int32_t w, h;
  } const unchanged[] = {{0, 10},    {10, 0},     {5, 5},         {-5, 5},
                         {16385, 1}, {1, -16385}, {INT32_MIN, 5}, {5, INT32_MIN}};
  for (const Row& r : unchanged) {
    EXPECT_FALSE(p.SetSize(r.w, r.h)) << r.w << "x" << r.h;
    EXPECT_EQ(p.Width(), 5);
    EXPECT_EQ(p.Height(), 5);
    EXPECT_EQ(p.GetPixel(4, 4), 0xAABBCCDDu);
  }
  EXPECT_TRUE(p.SetSize(-3, -16384));
  EXPECT_EQ(p.Width(), 3);
  EXPECT_EQ(p.Height(), 16384);
}

TEST(SkPixels, PixelAccessOutsideTheImageIsIgnored) {
  TskPixels p;
  EXPECT_EQ(p.GetPixel(0, 0), 0u);
  p.SetPixel(0, 0, 1); // empty: nothing happens
  p.SetSize(2, 2);
  p.SetPixel(2, 0, 7);
  p.SetPixel(-1, 0, 7);
  p.SetPixel(0, 2, 7);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p.GetPixel(i % 2, i / 2), 0u);
  }
  EXPECT_EQ(p.GetPixel(2, 0), 0u);
}

TEST(SkPixels, FillRectClipsAndBlendsWhenAsked) {
  TskPixels p;
  p.SetSize(4, 3);
  p.Fill(0xFFFFFFFF);
  p.FillRect({-5, 1, 2, 99}, 0xFF000000);
  p.FillRect({3, 0, 9, 1}, 0x80000000u, true);
  p.FillRect({2, 2, 2, 3}, 0x12345678); // zero width: nothing
  EXPECT_EQ(p.GetPixel(0, 1), 0xFF000000u);
  EXPECT_EQ(p.GetPixel(1, 2), 0xFF000000u);
  EXPECT_EQ(p.GetPixel(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(p.GetPixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p.GetPixel(3, 0), 0xBF7F7F7Fu);
}

TEST(SkPixels, AlphaOperations) {
  TskPixels p;
  p.SetSize(1, 1);
  p.Fill(0x00123456);
  p.SetAlpha(0x80);
  EXPECT_EQ(p.GetPixel(0, 0), 0x80123456u);
  EXPECT_TRUE(p.CheckAlpha());
  p.SetAlphaRect(0xFF, {0, 0, 1, 1});
  EXPECT_FALSE(p.CheckAlpha());
  p.SetAlphaRect(0x10, {0, 0, 0, 1}); // zero width
  EXPECT_EQ(p.GetPixel(0, 0), 0xFF123456u);
  p.SetAlpha(0);
  EXPECT_FALSE(p.CheckAlpha());
}

TEST(SkPixels, SetTransparentColorTakesNearColoursToTheKey) {
  TskPixels p;
  p.SetSize(4, 1);
  p.SetPixel(0, 0, 0xFF7F0282); // differences 0, 2, 3
  p.SetPixel(1, 0, 0xFF7F0585); // differences 0, 5, 6: blue too far
  p.SetPixel(2, 0, 0x10840079); // differences 5, 0, 6 -> too far
  p.SetPixel(3, 0, 0x10837B7A); // green differs by 123
  EXPECT_TRUE(p.SetTransparentColor(0xFF7F007F));
  EXPECT_EQ(p.GetPixel(0, 0), skKeyColor);
  EXPECT_EQ(p.GetPixel(1, 0), 0xFF7F0585u);
  EXPECT_EQ(p.GetPixel(2, 0), 0x10840079u);
  EXPECT_FALSE(p.SetTransparentColor(0x00000000));
}

TEST(SkPixels, FlipVerticalExchangesRows) {
  TskPixels p;
  p.SetSize(2, 3);
  for (int y = 0; y < 3; ++y) {
    p.FillRect({0, y, 2, y + 1}, TskColor(y));
  }
  p.FlipVertical();
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(p.GetPixel(1, y), TskColor(2 - y));
  }
}

TEST(SkPixels, ShiftsApplyToPixelsWithAlphaAndKeepTheAlpha) {
  TskPixels p;
  p.SetSize(3, 1);
  p.SetPixel(0, 0, 0x80C0C0C0);
  p.SetPixel(1, 0, 0x00C0C0C0); // alpha 0: untouched
  p.SetPixel(2, 0, 0xFF202020);
  p.ChangeBrightness(100);
  EXPECT_EQ(p.GetPixel(0, 0), 0x80FFFFFFu);
  EXPECT_EQ(p.GetPixel(1, 0), 0x00C0C0C0u);
  EXPECT_EQ(p.GetPixel(2, 0), 0xFF848484u);
  p.ChangeBrightness(INT64_MIN);
  EXPECT_EQ(p.GetPixel(2, 0), 0xFF000000u);

  p.SetPixel(0, 0, 0x40FF0000); // pure red
  p.SetPixel(1, 0, 0x4000FF00);
  p.ChangeHue(85); // a third of the circle: red -> green -> blue
  EXPECT_EQ(p.GetPixel(0, 0), 0x4000FF00u);
  EXPECT_EQ(p.GetPixel(1, 0), 0x400000FFu);
}
