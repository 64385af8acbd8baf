#pragma once
// Integer helpers, the effects' own pseudo-random generator and the clipped mask grid with its
// line and circle primitives, shared by every transition effect.
#include <cmath>
#include <cstdint>
#include <limits>

// a * b / c in 64 bits, rounded to the nearest integer with halves away from zero. A zero
// divisor answers 0.
constexpr std::int64_t SkMulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) {
    return 0;
  }
  const std::int64_t n = a * b;
  const bool negative = (n < 0) != (c < 0);
  const std::uint64_t un = n < 0 ? 0 - std::uint64_t(n) : std::uint64_t(n);
  const std::uint64_t uc = c < 0 ? 0 - std::uint64_t(c) : std::uint64_t(c);
  const std::uint64_t q = (un + uc / 2) / uc;
  return negative ? -std::int64_t(q) : std::int64_t(q);
}

// Nearest integer, halves to even; not-a-number and values beyond +-2^52 are pinned, so the
// conversion can never be undefined.
inline std::int64_t SkRound(double v) {
  constexpr double kLimit = 4503599627370496.0; // 2^52
  if (!(v == v)) {
    return 0;
  }
  if (v > kLimit) {
    return std::int64_t(kLimit);
  }
  if (v < -kLimit) {
    return -std::int64_t(kLimit);
  }
  return std::int64_t(std::nearbyint(v));
}

constexpr std::uint8_t SkClampByte(std::int64_t v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// A linear congruential generator (x := x * 134775813 + 1 mod 2^32), its range draws taking the
// high half of x * range. The transition effects own one per animation; the random choice of
// an effect uses another, so an effect that reseeds its generator never steers that choice.
class TskEffectRandom {
public:
  explicit TskEffectRandom(std::uint32_t seed = 0) : FState(seed) {}
  void Seed(std::uint32_t seed) { FState = seed; }
  std::uint32_t State() const { return FState; }
  // An integer in 0 .. range - 1 (0 when range is 0).
  std::uint32_t Next(std::uint32_t range) {
    FState = FState * 134775813u + 1u;
    return std::uint32_t((std::uint64_t(FState) * range) >> 32);
  }

private:
  std::uint32_t FState;
};

// A W x H opacity grid seen by the mask effects. Every write is clipped to the grid and its
// value clamped to 0..255.
class TskMaskGrid {
public:
  TskMaskGrid(std::uint8_t* cells, int width, int height) : FCells(cells), FWidth(width), FHeight(height) {}
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::uint8_t* Cells() const { return FCells; }
  std::uint8_t Get(std::int64_t x, std::int64_t y) const {
    return Inside(x, y) ? FCells[y * FWidth + x] : std::uint8_t(0);
  }
  bool Inside(std::int64_t x, std::int64_t y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
  void Set(std::int64_t x, std::int64_t y, std::int64_t v) {
    if (Inside(x, y)) {
      FCells[y * FWidth + x] = SkClampByte(v);
    }
  }
  // Row y from column x0 to x1 (inclusive, either order).
  void Row(std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t v);
  // The column x from row y0 to y1 (inclusive, either order).
  void Column(std::int64_t x, std::int64_t y0, std::int64_t y1, std::int64_t v);
  void FillAll(std::int64_t v);

  // The line walk: the start cell, then max(|dx|, |dy|) + 1 steps, each adding |dx| and |dy|
  // to two accumulators; an accumulator above max(|dx|, |dy|) is reduced by it and moves its
  // coordinate one cell towards the end; a cell is set on every step that moved. Only the part
  // of the walk inside the grid is visited (the cells set are the same as a full walk's).
  void Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t v);
  // The same walk, step by step over its whole length (the reference for Line).
  void LineFullWalk(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t v);
  // The thick midpoint circle of radius r around (ox, oy); radii 0..R drawn in turn give a
  // disc without holes. Steps whose sixteen cells all lie outside are only counted.
  void Circle(std::int64_t ox, std::int64_t oy, std::int64_t r, std::int64_t v);
  void CircleFullWalk(std::int64_t ox, std::int64_t oy, std::int64_t r, std::int64_t v);
  // Closed outline through n points.
  void Polyline(const std::int64_t (*points)[2], int n, std::int64_t v);

private:
  void CirclePlot(std::int64_t ox, std::int64_t oy, std::int64_t a, std::int64_t b, std::int64_t v);
  std::uint8_t* FCells;
  int FWidth;
  int FHeight;
};
