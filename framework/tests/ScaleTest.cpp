#include "framework/Scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Scale, LengthsRoundToTheNearestPixelWithHalvesAwayFromZero) {
  struct {
    int From, To, Value, Scaled;
  } cases[] = {
      {96, 96, 13, 13},    {96, 144, 13, 20},   {96, 144, 1, 2},    {96, 144, -1, -2},
      {96, 120, 2, 3},     {96, 120, 6, 8},     {96, 120, -6, -8},  {96, 192, 377, 754},
      {144, 96, 20, 13},   {120, 96, 3, 2},     {96, 144, 0, 0},    {96, 120, 11, 14},
      {96, 144, -11, -17}, {96, 192, -11, -22}, {144, 192, 15, 20}, {96, 144, 32767, 49151},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TScale(c.From, c.To).Apply(c.Value), c.Scaled) << c.From << "->" << c.To << " " << c.Value;
  }
}

TEST(Scale, ScalingUpAndBackGivesTheSamePixels) {
  for (const int to : {120, 144, 168, 192, 240}) {
    const TScale up(96, to);
    for (int v = -600; v <= 600; ++v) {
      ASSERT_EQ(up.Inverse().Apply(up.Apply(v)), v) << to << " " << v;
    }
    const TScaledBounds b{8, 240, 361, 105};
    EXPECT_EQ(up.Inverse().Bounds(up.Bounds(b)), b) << to;
  }
}

TEST(Scale, NeighbouringRectanglesStayAdjacent) {
  // Three boxes side by side, each starting where the previous ends.
  const TScaledBounds row[] = {{0, 0, 7, 7}, {7, 0, 13, 7}, {20, 0, 3, 7}};
  for (const int to : {120, 144, 192}) {
    const TScale s(96, to);
    for (std::size_t i = 1; i < std::size(row); ++i) {
      const TScaledBounds a = s.Bounds(row[i - 1]), b = s.Bounds(row[i]);
      EXPECT_EQ(a.Left + a.Width, b.Left) << to << " box " << i;
    }
    // Each size is within one pixel of the exact scaled size.
    for (const TScaledBounds& r : row) {
      EXPECT_LE(std::abs(s.Bounds(r).Width * 96 - r.Width * to), 96) << to;
    }
  }
}

TEST(Scale, FontHeightsKeepTheirSignAndNeverVanish) {
  EXPECT_EQ(TScale(96, 144).FontHeight(-11), -17);
  EXPECT_EQ(TScale(96, 144).FontHeight(13), 20);
  EXPECT_EQ(TScale(192, 48).FontHeight(-1), -1);
  EXPECT_EQ(TScale(192, 48).FontHeight(1), 1);
  EXPECT_EQ(TScale(96, 144).FontHeight(0), 0);
}

TEST(Scale, TheIdentityAndBadDensities) {
  EXPECT_TRUE(TScale().Identity());
  EXPECT_TRUE(TScale(144, 144).Identity());
  EXPECT_FALSE(TScale(96, 144).Identity());
  EXPECT_TRUE(TScale(0, 144).Identity());
  EXPECT_TRUE(TScale(96, -1).Identity());
  EXPECT_EQ(TScale(96, 144).Inverse().From(), 144);
}
