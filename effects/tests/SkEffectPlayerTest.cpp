// Composition of frames: grid and tile geometry, the rotation mapping, the mask, map, manual
// and bitmap compositions on small images, and every effect with rotations and tiles.
#include "effects/SkEffectPlayer.h"
#include "effects/SkEffectRegistry.h"

#include <gtest/gtest.h>

namespace {

TskPixels Solid(int w, int h, TskColor c) {
  TskPixels p;
  EXPECT_TRUE(p.SetSize(w, h));
  p.Fill(c);
  return p;
}

TskAnimationRec Rec(const char* effect, int resolution = 1, int tiles = 1, TskRotation r = krNone) {
  TskAnimationRec rec;
  rec.SetEffect(effect);
  rec.SetResolution(resolution);
  rec.SetTileCount(tiles);
  rec.SetRotation(r);
  return rec;
}

bool Play(TskEffectPlayer& player, const TskAnimationRec& rec, const TskPixels& next, const TskPixels& old) {
  if (rec.Effect() == skBitmapEffectName) {
    return player.Start(rec, next, old, TskEffectKind::ekBitmap, {});
  }
  const TskProcItem* item = FindEffect(rec.Effect());
  EXPECT_NE(item, nullptr) << rec.Effect();
  const TskEffectKind kind = item->Category() == TskEffectCategory::ecMap      ? TskEffectKind::ekMap
                             : item->Category() == TskEffectCategory::ecManual ? TskEffectKind::ekManual
                                                                               : TskEffectKind::ekMask;
  return player.Start(rec, next, old, kind, item->Def());
}

TEST(SkEffectPlayer, GridAndTileGeometry) {
  struct Case {
    int w, h, res, tiles, gw, gh, maskTileW, maskTileH, mapTileW, mapTileH;
  } cases[] = {{200, 100, 3, 1, 67, 34, 201, 102, 201, 101},
               {200, 100, 1, 3, 67, 34, 67, 34, 67, 34},
               {1, 1, 10, 20, 1, 1, 10, 10, 1, 1}};
  for (const Case& c : cases) {
    const TskGridGeometry g = SkGridGeometry(c.w, c.h, c.res, c.tiles);
    EXPECT_EQ(g.Width, c.gw);
    EXPECT_EQ(g.Height, c.gh);
    EXPECT_EQ(g.MaskTileWidth, c.maskTileW);
    EXPECT_EQ(g.MaskTileHeight, c.maskTileH);
    EXPECT_EQ(g.MapTileWidth, c.mapTileW);
    EXPECT_EQ(g.MapTileHeight, c.mapTileH);
  }
}

// SlideDown at 50 % on a 10 x 4 mask: quarter turns sweep across, the half turn upwards.
TEST(SkEffectPlayer, RotationMapping) {
  struct Case {
    TskRotation r;
    bool (*opaque)(int x, int y);
  } cases[] = {{krNone, [](int, int y) { return y <= 2; }},
               {krRotate90, [](int x, int) { return x <= 5; }},
               {krRotate180, [](int, int y) { return y >= 1; }},
               {krRotate270, [](int x, int) { return x >= 4; }}};
  for (const Case& c : cases) {
    TskEffectPlayer player;
    ASSERT_TRUE(Play(player, Rec("SlideDown", 1, 1, c.r), Solid(9, 3, 0xFFFFFFFF), Solid(9, 3, 0xFF000000)));
    ASSERT_EQ(player.Geometry().Width, 10);
    ASSERT_EQ(player.Geometry().Height, 4);
    player.Frame(50);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(player.Mask()[std::size_t(y * 10 + x)], c.opaque(x, y) ? 255 : 0)
            << int(c.r) << ": " << x << "," << y;
      }
    }
  }
}

// Both row passes: each pixel its own cell, and cells stretched over tiles.
TEST(SkEffectPlayer, MaskCompositionBlendsAndHonoursTheKeyColour) {
  TskPixels next = Solid(6, 4, 0xFFFFFFFF);
  next.SetPixel(2, 1, 0xFF7F007F);
  for (auto [resolution, tiles] : {std::pair{1, 1}, {2, 1}, {1, 2}}) {
    TskEffectPlayer player;
    ASSERT_TRUE(Play(player, Rec("Fade", resolution, tiles), next, Solid(6, 4, 0xFF000000)));
    player.Frame(50); // mask 128: (255 * 128) >> 8 = 127
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(player.Work().GetPixel(x, y) & 0xFFFFFF, x == 2 && y == 1 ? 0u : 0x7F7F7Fu)
            << resolution << "/" << tiles << ": " << x << "," << y;
      }
    }
    player.Frame(100);
    EXPECT_EQ(player.Work().GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(player.Work().GetPixel(2, 1) & 0xFFFFFF, 0u);
  }
}

TEST(SkEffectPlayer, TilesRepeatTheMask) {
  TskEffectPlayer player; // 67 x 34 grid over 3 x 3 tiles of 67 x 34 pixels
  ASSERT_TRUE(Play(player, Rec("SlideDown", 1, 3), Solid(200, 100, 0xFFFFFFFF), Solid(200, 100, 0xFF000000)));
  player.Frame(50); // rows 0..MulDiv(50, 33, 100) = 17 of each tile
  for (int ty = 0; ty < 3; ++ty) {
    EXPECT_EQ(player.Work().GetPixel(150, ty * 34 + 17), 0xFFFFFFFFu) << ty;
    if (ty * 34 + 18 < 100) {
      EXPECT_EQ(player.Work().GetPixel(150, ty * 34 + 18), 0xFF000000u) << ty;
    }
  }
}

TEST(SkEffectPlayer, BitmapEffectComposesFromItsThresholds) {
  TskAnimationRec rec = Rec(skBitmapEffectName);
  rec.SetBitmap(Solid(3, 3, 0xFF000064)); // blue 100
  TskEffectPlayer player;
  ASSERT_TRUE(Play(player, rec, Solid(8, 8, 0xFFFFFFFF), Solid(8, 8, 0xFF000000)));
  EXPECT_EQ(player.Kind(), TskEffectKind::ekBitmap);
  for (auto [p, v] : {std::pair{30, 0}, {50, 100}, {100, 255}}) {
    player.Frame(p);
    EXPECT_EQ(player.Mask()[0], v) << p;
  }
}

TEST(SkEffectPlayer, MapEffects) {
  TskPixels next = Solid(101, 57, 0xFF00FF00);
  next.SetPixel(100, 56, 0xFF0000FF);
  next.SetPixel(50, 28, 0xFFFF0000);
  const TskPixels old = Solid(101, 57, 0xFF808080);
  TskEffectPlayer interlace, corner;
  ASSERT_TRUE(Play(interlace, Rec("Interlace"), next, old));
  interlace.Frame(0);
  EXPECT_EQ(interlace.Work().GetPixel(50, 20), 0xFF808080u);
  interlace.Frame(100);
  EXPECT_EQ(interlace.Work().GetPixel(50, 20), 0xFF00FF00u);
  ASSERT_TRUE(Play(corner, Rec("Corner"), next, old));
  corner.Frame(0); // the source cell (101, 56) lies outside the image (the grid has one more cell)
  EXPECT_EQ(corner.Work().GetPixel(0, 0), 0xFF808080u);
  corner.Frame(50); // a = 51, b = 29: cell (0, 0) shows source (50, 28)
  EXPECT_EQ(corner.Work().GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(corner.Work().GetPixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(corner.Work().GetPixel(52, 0), 0xFF808080u);
  corner.Frame(100);
  EXPECT_EQ(corner.Work().GetPixel(100, 56), 0xFF0000FFu);
  EXPECT_EQ(corner.Work().GetPixel(3, 3), 0xFF00FF00u);
}

TEST(SkEffectPlayer, SlideAndPushMoveTheImages) {
  // Slide turned by 180 degrees at 25 % on a 400-pixel-wide image: the new image at x = 300.
  TskEffectPlayer slide;
  ASSERT_TRUE(
      Play(slide, Rec("Slide", 1, 1, krRotate180), Solid(400, 2, 0xFFFFFFFF), Solid(400, 2, 0xFF000000)));
  slide.Frame(25);
  EXPECT_EQ(slide.Work().GetPixel(299, 0), 0xFF000000u);
  EXPECT_EQ(slide.Work().GetPixel(300, 0), 0xFFFFFFFFu);

  // Push at 25 % on 4 x 1: the old row moves right by one over itself, n4 enters on the left.
  TskPixels old, next;
  ASSERT_TRUE(old.SetSize(4, 1));
  ASSERT_TRUE(next.SetSize(4, 1));
  for (int x = 0; x < 4; ++x) {
    old.SetPixel(x, 0, 0xFF000001u + TskColor(x));
    next.SetPixel(x, 0, 0xFF0000A1u + TskColor(x));
  }
  struct Case {
    TskRotation r;
    int p;
    TskColor expected[4];
  } cases[] = {{krNone, 25, {0xFF0000A4, 0xFF000001, 0xFF000002, 0xFF000003}},
               {krRotate180, 25, {0xFF000002, 0xFF000003, 0xFF000004, 0xFF0000A1}},
               {krNone, 100, {0xFF0000A1, 0xFF0000A2, 0xFF0000A3, 0xFF0000A4}}};
  for (const Case& c : cases) {
    TskEffectPlayer push;
    ASSERT_TRUE(Play(push, Rec("Push", 1, 1, c.r), next, old));
    push.Frame(c.p);
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(push.Work().GetPixel(x, 0), c.expected[x]) << int(c.r) << " x " << x;
    }
  }
}

// Push on a 1 x 4 column: a quarter turn pushes up (entering from the bottom), three quarters
// down; the old column is moved over itself.
TEST(SkEffectPlayer, PushMovesColumnsOverThemselves) {
  TskPixels old, next;
  ASSERT_TRUE(old.SetSize(1, 4));
  ASSERT_TRUE(next.SetSize(1, 4));
  for (int y = 0; y < 4; ++y) {
    old.SetPixel(0, y, 0xFF000001u + TskColor(y));
    next.SetPixel(0, y, 0xFF0000A1u + TskColor(y));
  }
  struct Case {
    TskRotation r;
    TskColor expected[4];
  } cases[] = {{krRotate90, {0xFF000002, 0xFF000003, 0xFF000004, 0xFF0000A1}},
               {krRotate270, {0xFF0000A4, 0xFF000001, 0xFF000002, 0xFF000003}}};
  for (const Case& c : cases) {
    TskEffectPlayer push;
    ASSERT_TRUE(Play(push, Rec("Push", 1, 1, c.r), next, old));
    push.Frame(25);
    for (int y = 0; y < 4; ++y) {
      EXPECT_EQ(push.Work().GetPixel(0, y), c.expected[y]) << int(c.r) << " y " << y;
    }
  }
}

// Every effect, each rotation, resolutions and tiles on odd image sizes, at many percentages:
// under the sanitizers, and the frame at 100 % followed by the final blend shows the new image.
TEST(SkEffectPlayer, EveryEffectWithRotationsTilesAndResolutions) {
  const int sizes[][2] = {{1, 1}, {3, 2}, {17, 5}, {41, 29}};
  const int layouts[][2] = {{1, 1}, {3, 1}, {1, 2}, {10, 20}};
  const TskProcList& list = SkProcList();
  for (std::size_t e = 0; e < list.Count(); ++e) {
    for (const auto& s : sizes) {
      const TskPixels next = Solid(s[0], s[1], 0xFF3060A0), old = Solid(s[0] + 2, s[1] + 1, 0xFF102030);
      for (const auto& l : layouts) {
        for (TskRotation r : {krNone, krRotate90, krRotate180, krRotate270}) {
          TskEffectPlayer player;
          ASSERT_TRUE(Play(player, Rec(list.Item(e).DisplayName().c_str(), l[0], l[1], r), next, old));
          for (int p : {0, 1, 37, 50, 99, 100}) {
            player.Frame(p);
          }
          player.Final();
          EXPECT_EQ(player.Work().GetPixel(s[0] - 1, s[1] - 1), 0xFF3060A0u) << list.Item(e).DisplayName();
        }
      }
    }
  }
}

} // namespace
