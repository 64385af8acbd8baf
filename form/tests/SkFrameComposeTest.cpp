// The drop shadow's taper and the translucent frame, composed over a known snapshot.
#include "form/SkFrameCompose.h"
#include "form/SkFormOptions.h"

#include <gtest/gtest.h>

namespace {

constexpr TskColor kBack = 0xFFFFFFFF, kFrame = 0xFF00FF00;

struct TCompose : ::testing::Test {
  TskPixels Target, Snapshot;
  void SetUp() override {
    ASSERT_TRUE(Target.SetSize(24, 20));
    ASSERT_TRUE(Snapshot.SetSize(24, 20));
    Snapshot.Fill(kBack);
    Target.Fill(kFrame);
  }
};

TEST(SkFrameCompose, BlendIsChannelWiseAndOpaque) {
  EXPECT_EQ(SkBlendPixel(0x000000, 0xFFFFFF, 128), 0xFF7F7F7Fu);
  EXPECT_EQ(SkBlendPixel(0x123456, 0xABCDEF, 255), 0xFF123456u);
  EXPECT_EQ(SkBlendPixel(0x123456, 0xABCDEF, 0), 0xFFABCDEFu);
  EXPECT_EQ(SkBlendPixel(0x123456, 0xABCDEF, 999), 0xFF123456u); // clamped
}

TEST_F(TCompose, ShadowStripOpacitiesFromTheFrameOutwards) {
  // A 20 x 16 frame with a 4-pixel shadow in a 24 x 20 window.
  SkComposeShadow(Target, Snapshot, 20, 16, 4);
  auto shade = [](std::int32_t opacity) { return SkBlendPixel(kSkShadowColor, kBack, opacity); };
  // Right strip at mid height, from the frame outwards: 128, 108, 58, 8.
  EXPECT_EQ(Target.GetPixel(20, 10), shade(128));
  EXPECT_EQ(Target.GetPixel(21, 10), shade(108));
  EXPECT_EQ(Target.GetPixel(22, 10), shade(58));
  EXPECT_EQ(Target.GetPixel(23, 10), shade(8));
  // Its top end tapers too; above it the window keeps what it had (the key-coloured corner).
  EXPECT_EQ(Target.GetPixel(20, 4), shade(8));
  EXPECT_EQ(Target.GetPixel(20, 8), shade(128));
  EXPECT_EQ(Target.GetPixel(21, 2), kFrame);
  // Bottom strip and its left end.
  EXPECT_EQ(Target.GetPixel(10, 16), shade(128));
  EXPECT_EQ(Target.GetPixel(10, 19), shade(8));
  EXPECT_EQ(Target.GetPixel(4, 17), shade(8));
  // Under the frame nothing changes.
  EXPECT_EQ(Target.GetPixel(19, 15), kFrame);
}

TEST_F(TCompose, EachTaperedCornerKeepsTheStepBeforeAlongItsDiagonal) {
  SkComposeShadow(Target, Snapshot, 20, 16, 4);
  auto shade = [](std::int32_t opacity) { return SkBlendPixel(kSkShadowColor, kBack, opacity); };
  // From each part's tapered corner inwards along the diagonal, up to the frame.
  struct TCorner {
    const char* Part;
    std::int32_t X, Y, StepX, StepY;
  } corners[] = {
      {"right part, top end", 23, 4, -1, 1},
      {"corner part", 23, 19, -1, -1},
      {"bottom part, left end", 4, 19, 1, -1},
  };
  const std::int32_t diagonal[] = {8, 8, 58, 108};
  for (const TCorner& c : corners) {
    for (std::int32_t i = 0; i < 4; ++i) {
      EXPECT_EQ(Target.GetPixel(c.X + i * c.StepX, c.Y + i * c.StepY), shade(diagonal[i]))
          << c.Part << " " << i;
    }
  }
  // Beside the diagonal the nearer edge decides.
  EXPECT_EQ(Target.GetPixel(22, 6), shade(58));
  EXPECT_EQ(Target.GetPixel(21, 5), shade(58));
  EXPECT_EQ(SkShadowOpacity(7, 7), 128);
}

TEST_F(TCompose, NoShadowOfNoSizeAndBlendStaysInsideItsRectangle) {
  SkComposeShadow(Target, Snapshot, 20, 16, 0);
  EXPECT_EQ(Target.GetPixel(22, 18), kFrame);
  SkBlendOverSnapshot(Target, Snapshot, {0, 0, 4, 30}, 150);
  EXPECT_EQ(Target.GetPixel(2, 5), SkBlendPixel(kFrame, kBack, 150));
  EXPECT_EQ(Target.GetPixel(4, 5), kFrame);
  SkBlendOverSnapshot(Target, Snapshot, {-10, -10, -1, -1}, 10); // outside: nothing
  EXPECT_EQ(Target.GetPixel(0, 0), SkBlendPixel(kFrame, kBack, 150));
}

TEST(SkFrameCompose, ClientBackgroundBlendsOnlyWhereTheSnapshotReaches) {
  // The window grew past its snapshot: the client (10 x 8 at (3, 4) in the window) reaches
  // beyond the 9 x 9 snapshot on the right and at the bottom.
  TskPixels client, snapshot;
  ASSERT_TRUE(client.SetSize(10, 8));
  ASSERT_TRUE(snapshot.SetSize(9, 9));
  client.Fill(kFrame);
  snapshot.Fill(kBack);
  SkBlendClientOverSnapshot(client, snapshot, {3, 4, 13, 12}, 100);
  const TskColor blended = SkBlendPixel(kFrame, kBack, 100);
  for (std::int32_t y = 0; y < 8; ++y) {
    for (std::int32_t x = 0; x < 10; ++x) {
      const bool covered = 3 + x < 9 && 4 + y < 9;
      EXPECT_EQ(client.GetPixel(x, y), covered ? blended : kFrame) << x << "," << y;
    }
  }
}

} // namespace
