// The numeric helpers and the grid primitives: rounding rules, and the clipped line and circle
// walks against their full-length references.
#include "effects/SkEffectMath.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SkEffectMath, MulDivRoundsHalvesAwayFromZeroAndRoundHalvesToEven) {
  struct Case {
    std::int64_t a, b, c, expected;
  } cases[] = {{30, 255, 100, 77},
               {50, 9, 100, 5},
               {15, 50, 100, 8},
               {-15, 50, 100, -8},
               {1, 1, 0, 0},
               {510, 50, 100, 255},
               {100000, 65536, 3, 2184533333}};
  for (const Case& c : cases) {
    EXPECT_EQ(SkMulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
  }
  EXPECT_EQ(SkRound(76.5), 76);
  EXPECT_EQ(SkRound(62.5), 62);
  EXPECT_EQ(SkRound(-0.5), 0);
  EXPECT_EQ(SkRound(std::nan("")), 0);
  EXPECT_EQ(SkRound(1e300), std::int64_t(1) << 52);
}

TEST(SkEffectMath, LineSetsTheWalkedCells) {
  std::vector<std::uint8_t> cells(4 * 2, 0);
  TskMaskGrid g(cells.data(), 4, 2);
  g.Line(0, 0, 3, 1, 255);
  const std::vector<std::uint8_t> expected = {255, 255, 255, 0, 0, 0, 0, 255};
  EXPECT_EQ(cells, expected);
}

TEST(SkEffectMath, ClippedLineSetsTheSameCellsAsTheFullWalk) {
  TskEffectRandom rnd(7);
  for (int n = 0; n < 4000; ++n) {
    const int w = 1 + int(rnd.Next(13)), h = 1 + int(rnd.Next(11));
    auto coord = [&](int extent) {
      return std::int64_t(rnd.Next(std::uint32_t(6 * extent + 7))) - 3 * extent - 3;
    };
    const std::int64_t x1 = coord(w), y1 = coord(h), x2 = coord(w), y2 = coord(h);
    std::vector<std::uint8_t> a(std::size_t(w * h), 0), b(a);
    TskMaskGrid ga(a.data(), w, h), gb(b.data(), w, h);
    ga.Line(x1, y1, x2, y2, 200);
    gb.LineFullWalk(x1, y1, x2, y2, 200);
    ASSERT_EQ(a, b) << w << "x" << h << " (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
  }
}

TEST(SkEffectMath, CircleOfRadiusZeroIsAThreeCellMarkAndRadiiFillADisc) {
  std::vector<std::uint8_t> cells(5 * 5, 0);
  TskMaskGrid g(cells.data(), 5, 5);
  g.Circle(2, 2, 0, 255);
  int set = 0;
  for (auto c : cells) {
    set += c != 0;
  }
  EXPECT_EQ(set, 3);
  EXPECT_EQ(g.Get(1, 2) & g.Get(2, 2) & g.Get(3, 2), 255);

  const int n = 41, r = 15;
  std::vector<std::uint8_t> disc(n * n, 0);
  TskMaskGrid d(disc.data(), n, n);
  for (int k = 0; k <= r; ++k) {
    d.Circle(20, 20, k, 255);
  }
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const int dx = x - 20, dy = y - 20;
      if (dx * dx + dy * dy <= (r - 1) * (r - 1)) {
        EXPECT_EQ(d.Get(x, y), 255) << x << "," << y;
      }
    }
  }
}

TEST(SkEffectMath, ClippedCircleSetsTheSameCellsAsTheFullWalk) {
  const int w = 9, h = 6;
  for (int ox : {0, 4, 8}) {
    for (int oy : {0, 3, 5}) {
      for (int r = 0; r < 20; ++r) {
        std::vector<std::uint8_t> a(w * h, 0), b(a);
        TskMaskGrid ga(a.data(), w, h), gb(b.data(), w, h);
        ga.Circle(ox, oy, r, 99);
        gb.CircleFullWalk(ox, oy, r, 99);
        ASSERT_EQ(a, b) << ox << "," << oy << " r " << r;
      }
    }
  }
}

TEST(SkEffectMath, GridWritesAreClippedAndClamped) {
  std::vector<std::uint8_t> cells(3 * 2, 0);
  TskMaskGrid g(cells.data(), 3, 2);
  g.Set(-1, 0, 255);
  g.Set(3, 1, 255);
  g.Set(0, 0, 300);
  g.Set(1, 0, -5);
  g.Row(1, -10, 10, 128);
  EXPECT_EQ(cells, (std::vector<std::uint8_t>{255, 0, 0, 128, 128, 128}));
}

} // namespace
