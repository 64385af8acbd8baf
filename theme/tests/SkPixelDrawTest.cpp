// Scaled and unscaled drawing, tiling and MergeUnder against straightforward per-pixel
// references, including empty, inverted, clipped and out-of-range rectangles.
#include "theme/SkPixelDraw.h"
#include "theme/SkKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {
TskPixels Image(std::int32_t w, std::int32_t h, std::mt19937& rng) {
  TskPixels p;
  p.SetSize(w, h);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      TskColor c = TskColor(rng());
      if (rng() % 4 == 0) {
        c = skKeyColor | (c & 0xFF000000u);
      }
      if (rng() % 5 == 0) {
        c &= 0x00FFFFFF;
      }
      p.SetPixel(x, y, c);
    }
  }
  return p;
}

std::vector<TskColor> Pixels(const TskPixels& p) {
  std::vector<TskColor> v;
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      v.push_back(p.GetPixel(x, y));
    }
  }
  return v;
}

TskColor Apply(TskDrawMode mode, TskColor s, TskColor d) {
  switch (mode) {
  case TskDrawMode::dmCopy: return s;
  case TskDrawMode::dmTransparent: return (s & 0x00FFFFFF) == skKeyColor ? d : (s | 0xFF000000u);
  case TskDrawMode::dmBlend: return SkBlendPixel(s, d);
  }
  return d;
}

// Nearest source index from the definition, in floating point (exact for these small sizes).
std::int64_t NaiveIndex(std::int64_t i, std::int64_t destW, std::int64_t srcL, std::int64_t srcW) {
  if (destW < 2) {
    return (srcL + srcL + srcW - 1) / 2;
  }
  return std::int64_t(std::nearbyint(double(i * (srcW - 1)) / double(destW - 1) + double(srcL)));
}

void NaiveDraw(TskPixels& dst, const TskRect& dr, const TskPixels& src, const TskRect& sr, TskDrawMode mode,
               const TskRect* clip) {
  if (IsRectEmpty(dr) || IsRectEmpty(sr) || !RectContains(sr, src.Bounds())) {
    return;
  }
  const TskPixels from = src.Clone();
  for (std::int32_t y = dr.Top; y < dr.Bottom; ++y) {
    for (std::int32_t x = dr.Left; x < dr.Right; ++x) {
      if (x < 0 || y < 0 || x >= dst.Width() || y >= dst.Height()) {
        continue;
      }
      if (clip && !(x >= clip->Left && x < clip->Right && y >= clip->Top && y < clip->Bottom)) {
        continue;
      }
      const auto sx = NaiveIndex(x - dr.Left, RectWidth(dr), sr.Left, RectWidth(sr));
      const auto sy = NaiveIndex(y - dr.Top, RectHeight(dr), sr.Top, RectHeight(sr));
      dst.SetPixel(x, y, Apply(mode, from.GetPixel(std::int32_t(sx), std::int32_t(sy)), dst.GetPixel(x, y)));
    }
  }
}

TskRect RandomRect(std::mt19937& rng, int span) {
  auto v = [&] { return std::int32_t(rng() % (span + 6)) - 3; };
  return {v(), v(), v(), v()};
}

constexpr TskDrawMode kModes[] = {TskDrawMode::dmCopy, TskDrawMode::dmTransparent, TskDrawMode::dmBlend};
} // namespace

TEST(SkScaleIndex, RoundsTiesToEvenInSixtyFourBits) {
  // 3 source columns stretched to 5: exact positions 0, 0.5, 1, 1.5, 2.
  const std::int64_t want[] = {0, 0, 1, 2, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(SkScaleIndex(i, 5, 0, 3), want[i]) << i;
  }
  // The same map from source column 1: 1, 1.5, 2, 2.5, 3 -> 1, 2, 2, 2, 3.
  const std::int64_t shifted[] = {1, 2, 2, 2, 3};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(SkScaleIndex(i, 5, 1, 3), shifted[i]) << i;
  }
  // A destination narrower than 2 samples the middle column.
  EXPECT_EQ(SkScaleIndex(0, 1, 4, 5), 6);
  EXPECT_EQ(SkScaleIndex(0, 1, 4, 4), 5);
  // Products beyond 32 bits.
  EXPECT_EQ(SkScaleIndex(69999, 70000, 0, 70000), 69999);
  EXPECT_EQ(SkScaleIndex(100000, 200001, 0, 100001), 50000);
}

TEST(SkDraw, MatchesThePerPixelReferenceForRandomRectangles) {
  std::mt19937 rng(77);
  for (int round = 0; round < 400; ++round) {
    const TskPixels src = Image(1 + rng() % 9, 1 + rng() % 9, rng);
    TskPixels dst = Image(1 + rng() % 13, 1 + rng() % 13, rng);
    TskPixels want = dst.Clone();
    const TskRect sr = RandomRect(rng, 9), dr = RandomRect(rng, 13), clipRect = RandomRect(rng, 13);
    const TskRect* clip = rng() % 2 ? &clipRect : nullptr;
    const TskDrawMode mode = kModes[rng() % 3];
    NaiveDraw(want, dr, src, sr, mode, clip);
    SkDraw(dst, dr, src, sr, mode, clip);
    ASSERT_EQ(Pixels(dst), Pixels(want)) << "round " << round;
  }
}

TEST(SkDraw, DegenerateSourceRectanglesDrawNothing) {
  std::mt19937 rng(5);
  const TskPixels src = Image(6, 6, rng);
  const TskRect bad[] = {{0, 0, 0, 5},  {4, 0, 2, 5}, {0, 3, 6, 3}, {0, 5, 6, 1},
                         {-1, 0, 3, 3}, {0, 0, 7, 6}, {0, 0, 6, 7}};
  for (const TskRect& sr : bad) {
    for (TskDrawMode mode : kModes) {
      TskPixels dst;
      dst.SetSize(10, 10);
      dst.Fill(0x12345678);
      SkDraw(dst, {0, 0, 10, 10}, src, sr, mode);
      SkDrawAt(dst, 1, 1, src, sr, mode);
      EXPECT_EQ(Pixels(dst), std::vector<TskColor>(100, 0x12345678)) << sr.Left << "," << sr.Right;
    }
  }
}

TEST(SkDraw, OnePixelHighSourceRepeatsOnEveryRow) {
  TskPixels src, dst;
  src.SetSize(3, 1);
  for (int x = 0; x < 3; ++x) {
    src.SetPixel(x, 0, 0xFF000000u | TskColor(x + 1));
  }
  dst.SetSize(5, 10);
  SkDraw(dst, {0, 0, 5, 10}, src, src.Bounds(), TskDrawMode::dmCopy);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(dst.GetPixel(0, y), 0xFF000001u);
    EXPECT_EQ(dst.GetPixel(1, y), 0xFF000001u); // 0.5 rounds to even
    EXPECT_EQ(dst.GetPixel(2, y), 0xFF000002u);
    EXPECT_EQ(dst.GetPixel(3, y), 0xFF000003u); // 1.5 rounds to even
    EXPECT_EQ(dst.GetPixel(4, y), 0xFF000003u);
  }
}

TEST(SkDraw, OverlappingDrawWithinOneImageReadsTheOriginalPixels) {
  std::mt19937 rng(9);
  for (TskDrawMode mode : kModes) {
    TskPixels img = Image(8, 8, rng);
    TskPixels want = img.Clone();
    const TskPixels copy = img.Clone();
    SkDrawAt(want, 1, 2, copy, {0, 0, 7, 6}, mode);
    SkDrawAt(img, 1, 2, img, {0, 0, 7, 6}, mode);
    EXPECT_EQ(Pixels(img), Pixels(want));
  }
}

TEST(SkDraw, WritesThroughABottomUpView) {
  // A negative stride views bottom-up memory: image row 0 is the last row in memory.
  std::vector<TskColor> memory(4 * 3, 0);
  TskPixels view = TskPixels::View(memory.data() + 4 * 2, 4, 3, -4);
  TskPixels src;
  src.SetSize(1, 1);
  src.Fill(0xFFABCDEF);
  SkDrawAt(view, 2, 0, src, src.Bounds(), TskDrawMode::dmCopy);
  EXPECT_EQ(memory[4 * 2 + 2], 0xFFABCDEFu);
  EXPECT_EQ(memory[2], 0u);
}

namespace {
// Tiling as a sequence of unscaled piece draws, each piece clipped to the destination
// rectangle and kept only when it meets the clip rectangle.
void NaiveTile(TskPixels& dst, const TskRect& dr, const TskPixels& src, const TskRect& sr,
               const TskRect& clip, TskDrawMode mode) {
  const std::int64_t tw = RectWidth(sr), th = RectHeight(sr);
  if (tw <= 0 || th <= 0 || IsRectEmpty(dr)) {
    return;
  }
  const std::int64_t cols = RectWidth(dr) / tw + (RectWidth(dr) % tw ? 1 : 0);
  const std::int64_t rows = RectHeight(dr) / th + (RectHeight(dr) % th ? 1 : 0);
  for (std::int64_t c = 0; c < cols; ++c) {
    for (std::int64_t r = 0; r < rows; ++r) {
      const std::int32_t l = std::int32_t(dr.Left + c * tw), t = std::int32_t(dr.Top + r * th);
      const TskRect piece = IntersectRects({l, t, std::int32_t(l + tw), std::int32_t(t + th)}, dr);
      if (IsRectEmpty(piece)) {
        break;
      }
      if (!IsRectEmpty(clip) && IsRectEmpty(IntersectRects(piece, clip))) {
        continue;
      }
      const TskRect part{sr.Left, sr.Top, sr.Left + (piece.Right - piece.Left),
                         sr.Top + (piece.Bottom - piece.Top)};
      NaiveDraw(dst, piece, src, part, mode, nullptr);
    }
  }
}
} // namespace

TEST(SkTile, MatchesPieceByPieceTiling) {
  std::mt19937 rng(31);
  for (int round = 0; round < 300; ++round) {
    const TskPixels src = Image(1 + rng() % 7, 1 + rng() % 7, rng);
    TskPixels dst = Image(1 + rng() % 20, 1 + rng() % 20, rng);
    TskPixels want = dst.Clone();
    const TskRect sr = RandomRect(rng, 7), dr = RandomRect(rng, 20);
    const TskRect clip = rng() % 2 ? RandomRect(rng, 20) : TskRect{};
    const TskDrawMode mode = kModes[rng() % 3];
    if (RectContains(sr, src.Bounds())) {
      NaiveTile(want, dr, src, sr, clip, mode);
    }
    SkTile(dst, dr, src, sr, clip, mode);
    ASSERT_EQ(Pixels(dst), Pixels(want)) << "round " << round;
  }
}

TEST(SkMergeUnder, TakesBlendsOrKeepsByTheTargetAlpha) {
  TskPixels target, source;
  target.SetSize(4, 1);
  target.SetPixel(0, 0, 0x00112233); // alpha 0: replaced by the source
  target.SetPixel(1, 0, 0x80000000); // alpha 128: blended over the source
  target.SetPixel(2, 0, 0xFF445566); // alpha 255: kept
  target.SetPixel(3, 0, 0x01FFFFFF);
  source.SetSize(4, 1);
  source.Fill(0xFFFFFFFF);
  SkMergeUnder(target, source, 0, 0, source.Bounds());
  EXPECT_EQ(target.GetPixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(target.GetPixel(1, 0), 0xBF7F7F7Fu);
  EXPECT_EQ(target.GetPixel(2, 0), 0xFF445566u);
  EXPECT_EQ(target.GetPixel(3, 0), SkBlendPixel(0x01FFFFFF, 0xFFFFFFFF));
}

TEST(SkMergeUnder, ClipsTheSourceAndTheTarget) {
  TskPixels target, source;
  target.SetSize(3, 3);
  source.SetSize(3, 3);
  for (int i = 0; i < 9; ++i) {
    source.SetPixel(i % 3, i / 3, 0xFF000000u | TskColor(i));
  }
  // A source rectangle starting at (-1, -1) moves the target position by one pixel.
  SkMergeUnder(target, source, 0, 0, {-1, -1, 5, 5});
  EXPECT_EQ(target.GetPixel(0, 0), 0u);
  EXPECT_EQ(target.GetPixel(1, 1), 0xFF000000u);
  EXPECT_EQ(target.GetPixel(2, 2), 0xFF000004u);
  EXPECT_EQ(target.GetPixel(2, 1), 0xFF000001u);
  // Targets far outside change nothing and read nothing.
  TskPixels before = target.Clone();
  SkMergeUnder(target, source, 100, -100, source.Bounds());
  SkMergeUnder(target, source, INT32_MAX - 1, INT32_MIN + 1, source.Bounds());
  EXPECT_EQ(Pixels(target), Pixels(before));
}
