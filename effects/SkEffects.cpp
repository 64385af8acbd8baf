// The transition effects. Sections:
//   1. opacity styles and the inversion wrapper
//   2. diagonal, row, cross and rectangle families
//   3. circle, diamond and rotate families
//   4. dissolves, stream and plasma
//   5. maps and manual effects
//   6. the registration table
//
// Notation: W, H the grid size (already swapped by the driver for a quarter-turn rotation),
// p the percentage, cx = W div 2, cy = H div 2, D = Round(sqrt(W^2 + H^2)). Every mask effect
// leaves the grid empty at 0 % except CircleSlideOut, CircleSlideIn, CircleSlide and Stream,
// whose shapes start with a mark at 0 %.
#include "effects/SkEffects.h"

#include "theme/SkPixelDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using i64 = std::int64_t;

// ---- 1. opacity styles -------------------------------------------------------------------

enum class TStyle { Solid, Uniform, Smooth };

i64 FlatValue(TStyle style, int p) { return style == TStyle::Solid ? 255 : SkMulDiv(p, 255, 100); }

// The smooth style over steps 0..n: the first steps are the most opaque, the front fades out.
struct TSmooth {
  int P;
  double Q;
  TSmooth(int p, i64 n) : P(p), Q(n == 0 ? 2.0 * p : 2.0 * p / double(n)) {}
  i64 Value(i64 s) const {
    if (P == 100) {
      return 255;
    }
    const i64 v = SkMulDiv(SkRound(2.0 * P - double(s) * Q), 255, 100);
    return v > 255 ? 255 : v < 0 ? 0 : v;
  }
};

struct TGridInfo {
  i64 W, H, Cx, Cy, D;
  explicit TGridInfo(const TskMaskGrid& g)
      : W(g.Width()), H(g.Height()), Cx(W / 2), Cy(H / 2), D(SkRound(std::sqrt(double(W * W + H * H)))) {}
};

// The scale of the rectangle, diamond and cross outlines: the longer side steps by one cell.
void Aspect(const TGridInfo& g, double& kx, double& ky) {
  if (g.H < g.W) {
    kx = 1.0;
    ky = double(g.H) / double(g.W);
  } else {
    kx = double(g.W) / double(g.H);
    ky = 1.0;
  }
}

// The In variants: the Out shape at 100 - p, inverted.
void Inverted(TskMaskGrid& g, int p, TskEffectState& st, TskMaskProc out, TStyle style) {
  if (p == 0) {
    return;
  }
  out(g, 100 - p, st);
  std::uint8_t* c = g.Cells();
  const std::size_t n = std::size_t(g.Width()) * std::size_t(g.Height());
  const std::uint8_t uniform = SkClampByte(SkMulDiv(p, 255, 100));
  for (std::size_t i = 0; i < n; ++i) {
    switch (style) {
    case TStyle::Solid: c[i] = c[i] == 0 ? 255 : 0; break;
    case TStyle::Uniform: c[i] = c[i] == 0 ? uniform : 0; break;
    case TStyle::Smooth: c[i] = std::uint8_t(255 - c[i]); break;
    }
  }
}

// ---- 2. diagonal, row, cross and rectangle families ---------------------------------------

void Diagonal(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 dx = SkMulDiv(d.W - 1, p, 100), dy = SkMulDiv(d.H - 1, p, 100);
  if (dy < dx) {
    i64 j = 0;
    for (i64 i = 0; i <= 2 * dx; ++i) {
      g.Line(0, j, i, 0, v);
      if (j < 2 * dy) {
        ++j;
      }
    }
  } else {
    i64 i = 0;
    for (i64 j = 0; j <= 2 * dy; ++j) {
      g.Line(0, j, i, 0, v);
      if (i < 2 * dx) {
        ++i;
      }
    }
  }
}

void SmoothDiagonal(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 n = SkMulDiv(p, SkRound(2.5 * double(d.D)), 100);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    i64 x, y;
    if (d.H < d.W) {
      x = s;
      y = SkRound(double(s) * double(d.H) / double(d.W));
    } else {
      x = SkRound(double(s) * double(d.W) / double(d.H));
      y = s;
    }
    g.Line(0, y, x, 0, sm.Value(s));
  }
}

// Two corner triangles (bottom-left and top-right) with legs a (horizontal) and b (vertical).
void DiagonalIn(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 a = SkRound(p / 100.0 * double(d.W - 1)), b = SkRound(p / 100.0 * double(d.H - 1));
  auto draw = [&](i64 h, i64 k) {
    g.Line(0, d.H - 1 - k, h, d.H - 1, v);
    g.Line(d.W - 1 - h, 0, d.W - 1, k, v);
  };
  if (a >= b) {
    for (i64 t = 0; t <= a; ++t) {
      draw(t, std::min(t, b));
    }
  } else {
    for (i64 t = 0; t <= b; ++t) {
      draw(std::min(t, a), t);
    }
  }
}

void DiagonalOut(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 a = SkRound(p / 100.0 * double(d.W - 1)), b = SkRound(p / 100.0 * double(d.H - 1));
  if (b < a) {
    i64 i = 0;
    for (i64 k = 0; k <= a; ++k) {
      g.Line(0, i, d.W - 1 - k, d.H - 1, v);
      if (i < b) {
        ++i;
      }
    }
    i64 k = 0;
    for (i = 0; i <= a; ++i) {
      g.Line(i, 0, d.W, d.H - k, v);
      if (k < b) {
        ++k;
      }
    }
  } else {
    i64 i = 0;
    for (i64 k = 0; k <= b; ++k) {
      g.Line(i, 0, d.W - 1, d.H - 1 - k, v);
      if (i < a) {
        ++i;
      }
    }
    i = 0;
    for (i64 j = 0; j <= b; ++j) {
      g.Line(0, j, d.W - 1 - i, d.H - 1, v);
      if (i < a) {
        ++i;
      }
    }
  }
}

// SmoothDiagonalIn and SmoothDiagonalOut: two lines per step, moved by two accumulators.
void SmoothDiagonalPair(TskMaskGrid& g, int p, bool out) {
  const TGridInfo d(g);
  const i64 b = SkMulDiv(d.D, p, 100);
  const double q = b == 0 ? 2.0 * p : 2.0 * p / double(b);
  const i64 longer = std::max(d.W, d.H);
  double gAcc = 0, fAcc = 0;
  for (i64 i = 0; i <= 2 * b && i < longer; ++i) {
    i64 v = SkMulDiv(SkRound(2.0 * p - double(i) * q / 2.0), 255, 100);
    if (v < 0) {
      v = 0;
    }
    if (p == 100 || v > 255) {
      v = 255;
    }
    const i64 rg = SkRound(gAcc), rf = SkRound(fAcc);
    if (out) {
      g.Line(0, d.H - rg - 1, d.W - rf, 0, v);
      g.Line(rf, d.H - 1, d.W - 1, rg, v);
    } else {
      g.Line(0, d.H - rg - 1, rf, d.H - 1, v);
      g.Line(d.W - rf, 0, d.W - 1, rg, v);
    }
    if (d.W < d.H) {
      gAcc += 1;
      fAcc += double(d.W) / double(d.H);
    } else {
      gAcc += double(d.H) / double(d.W);
      fAcc += 1;
    }
  }
}

void SmoothDiagonalIn(TskMaskGrid& g, int p, TskEffectState&) {
  if (p != 0) {
    SmoothDiagonalPair(g, p, false);
  }
}
void SmoothDiagonalOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p != 0) {
    SmoothDiagonalPair(g, p, true);
  }
}

void RowsDown(TskMaskGrid& g, int p, i64 v) {
  const i64 last = SkMulDiv(p, g.Height() - 1, 100);
  for (i64 y = 0; y <= last; ++y) {
    g.Row(y, 0, g.Width() - 1, v);
  }
}

void RowsIn(TskMaskGrid& g, int p, i64 v) {
  const i64 h = g.Height(), k = SkMulDiv(p, h / 2, 100);
  for (i64 y = h - 1; y >= h - 1 - k; --y) {
    g.Row(y, 0, g.Width() - 1, v);
  }
  for (i64 y = 0; y <= k; ++y) {
    g.Row(y, 0, g.Width() - 1, v);
  }
}

void RowsOut(TskMaskGrid& g, int p, i64 v) {
  const i64 cy = g.Height() / 2, n = SkMulDiv(p, g.Height() / 2, 100);
  for (i64 k = 0; k <= n; ++k) {
    g.Row(cy - k, 0, g.Width() - 1, v);
    g.Row(cy + k, 0, g.Width() - 1, v);
  }
}

void SmoothDown(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const i64 n = SkMulDiv(SkRound(1.5 * g.Height()), p, 100);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    g.Row(s, 0, g.Width() - 1, sm.Value(s));
  }
}

void SmoothIn(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const i64 h = g.Height(), n = SkMulDiv(SkRound(0.8 * double(h)), p, 100);
  const TSmooth sm(p, n);
  for (i64 i = 0; i <= n && i <= h / 2; ++i) {
    g.Row(h - 1 - i, 0, g.Width() - 1, sm.Value(i));
    g.Row(i, 0, g.Width() - 1, sm.Value(i));
  }
}

void SmoothOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const i64 h = g.Height(), cy = h / 2, n = SkMulDiv(SkRound(0.8 * double(h)), p, 100);
  const TSmooth sm(p, n);
  for (i64 i = 0; i <= n && i <= cy; ++i) {
    g.Row(cy - i, 0, g.Width() - 1, sm.Value(i));
    g.Row(cy + i, 0, g.Width() - 1, sm.Value(i));
  }
}

void CrossOut(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 a = SkMulDiv(p, 2 * d.W, 100), b = SkMulDiv(p, 2 * d.H, 100);
  for (i64 f = -(a / 4); f <= a / 4; ++f) {
    g.Column(d.Cx + f, d.Cy - b, d.Cy + b, v);
  }
  for (i64 k = -(b / 4); k <= b / 4; ++k) {
    g.Row(d.Cy + k, d.Cx - a, d.Cx + a, v);
  }
}

void SmoothCrossOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 m = SkMulDiv(p, SkRound(2.5 * double(std::max(d.W, d.H))), 100), n = m / 2;
  double kx, ky;
  Aspect(d, kx, ky);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    const i64 t = SkRound(double(s) * kx), v = SkRound(double(s) * ky), u = t / 2, e = v / 2;
    const i64 cx = d.Cx, cy = d.Cy;
    const i64 outline[12][2] = {{cx - u, cy - v}, {cx + u, cy - v}, {cx + u, cy - e}, {cx + t, cy - e},
                                {cx + t, cy + e}, {cx + u, cy + e}, {cx + u, cy + v}, {cx - u, cy + v},
                                {cx - u, cy + e}, {cx - t, cy + e}, {cx - t, cy - e}, {cx - u, cy - e}};
    g.Polyline(outline, 12, sm.Value(s));
  }
}

void RectOutline(TskMaskGrid& g, i64 x0, i64 y0, i64 x1, i64 y1, i64 v) {
  g.Row(y0, x0, x1, v);
  g.Row(y1, x0, x1, v);
  g.Column(x0, y0, y1, v);
  g.Column(x1, y0, y1, v);
}

void RectOut(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 m = d.H < d.W ? SkMulDiv(p, d.W, 100) : SkMulDiv(p, d.H, 100);
  double kx, ky;
  Aspect(d, kx, ky);
  for (i64 l = 0; l <= m / 2; ++l) {
    const i64 rx = SkRound(kx * double(l)), ry = SkRound(ky * double(l));
    RectOutline(g, d.Cx - rx, d.Cy - ry, d.Cx + rx, d.Cy + ry, v);
  }
}

void SmoothRectOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 m = SkMulDiv(p, SkRound(1.6 * double(std::max(d.W, d.H))), 100), n = m / 2;
  double kx, ky;
  Aspect(d, kx, ky);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    const i64 rx = SkRound(kx * double(s)), ry = SkRound(ky * double(s));
    RectOutline(g, d.Cx - rx, d.Cy - ry, d.Cx + rx, d.Cy + ry, sm.Value(s));
  }
}

// ---- 3. circle, diamond and rotate families -----------------------------------------------

void CircleOut(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 r = SkMulDiv(d.D, p, 100) / 2;
  for (i64 k = 0; k <= r; ++k) {
    g.Circle(d.Cx, d.Cy, k, v);
  }
}

void CircleIn(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 half = SkMulDiv(d.D, p, 100) / 2, outer = d.D / 2;
  for (i64 k = outer - half; k <= outer; ++k) {
    g.Circle(d.Cx, d.Cy, k, v);
  }
}

void CircleCorner(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 r = SkMulDiv(d.D, p, 100);
  for (i64 k = 0; k <= r; ++k) {
    g.Circle(0, d.H - 1, k, v);
  }
}

void CircleSmoothOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 n = SkMulDiv(SkRound(0.9 * double(d.D)), p, 100);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    g.Circle(d.Cx, d.Cy, s, sm.Value(s));
  }
}

void CircleSmooth(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 n = SkMulDiv(SkRound(1.5 * double(d.D)), p, 100);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    g.Circle(0, d.H - 1, s, sm.Value(s));
  }
}

void DiamondOutline(TskMaskGrid& g, const TGridInfo& d, i64 gx, i64 hy, i64 v) {
  const i64 pts[4][2] = {{d.Cx, d.Cy + hy}, {d.Cx - gx, d.Cy}, {d.Cx, d.Cy - hy}, {d.Cx + gx, d.Cy}};
  g.Polyline(pts, 4, v);
}

void DiamondOut(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 n = SkMulDiv(p, std::max(d.W, d.H), 100);
  double kx, ky;
  Aspect(d, kx, ky);
  for (i64 k = 0; k <= n; ++k) {
    DiamondOutline(g, d, SkRound(double(k) * kx), SkRound(double(k) * ky), v);
  }
}

void DiamondSmoothOut(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 n = SkMulDiv(p, SkRound(2.5 * double(std::max(d.W, d.H))), 100) / 2;
  double kx, ky;
  Aspect(d, kx, ky);
  const TSmooth sm(p, n);
  for (i64 s = 0; s <= n; ++s) {
    DiamondOutline(g, d, SkRound(double(s) * kx), SkRound(double(s) * ky), sm.Value(s));
  }
}

void Rotate(TskMaskGrid& g, int p, i64 v) {
  const TGridInfo d(g);
  const i64 e = SkMulDiv(d.W + d.H, p, 100);
  for (i64 i = 0; i <= e; ++i) {
    if (i < d.H) {
      g.Line(0, d.H - 1, d.W - 1, d.H - i, v);
    } else {
      g.Line(0, d.H - 1, d.W + i - e, 0, v);
    }
  }
}

void RotateSmooth(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  const TGridInfo d(g);
  const i64 n = SkMulDiv(2 * (d.W + d.H), p, 100);
  const TSmooth sm(p, n);
  for (i64 i = 0; i <= n; ++i) {
    if (i < d.H) {
      g.Line(0, d.H - 1, d.W - 1, d.H - i, sm.Value(i));
    } else {
      g.Line(0, d.H - 1, d.W + d.H - i, 0, sm.Value(i));
    }
  }
}

// ---- 4. dissolves, stream and plasma ------------------------------------------------------

i64 PickCount(const TskMaskGrid& g, int p) {
  return SkRound(double(g.Width()) * double(g.Height()) * p / 100.0);
}

// About three quarters of a draw per cell and frame: over the twenty frames of a default
// transition the picks are complete before the last frame needs them.
i64 AheadDraws(const TskMaskGrid& g) { return i64(g.Width()) * g.Height() * 3 / 4; }

void PixelSet(TskMaskGrid& g, int p, TskEffectState& st, i64 v) {
  const i64 c = PickCount(g, p);
  SkEnsurePicks(st, g.Width(), g.Height(), c, AheadDraws(g));
  std::uint8_t* cells = g.Cells();
  const std::uint8_t b = SkClampByte(v);
  for (i64 i = 0; i < c; ++i) {
    cells[st.Picks[std::size_t(i)]] = b;
  }
}

void Pixel(TskMaskGrid& g, int p, TskEffectState& st) {
  if (p != 0) {
    PixelSet(g, p, st, 255);
  }
}
void PixelFade(TskMaskGrid& g, int p, TskEffectState& st) {
  if (p != 0) {
    PixelSet(g, p, st, SkRound(p / 100.0 * 255.0));
  }
}

// The picked cells of each column get a value that falls from left to right. At 0 % nothing
// is picked and nothing is computed (the ramp divides by p).
void PixelLine(TskMaskGrid& g, int p, TskEffectState& st) {
  if (p == 0) {
    return;
  }
  const i64 w = g.Width(), c = PickCount(g, p);
  SkEnsurePicks(st, g.Width(), g.Height(), c, AheadDraws(g));
  const i64 columns = std::min<i64>(w, SkRound(p / 100.0 * double(2 * w - 1)) + 1);
  std::vector<std::uint8_t> value(static_cast<std::size_t>(w)); // 0 for the columns the loop does not reach
  for (i64 i = 0; i < columns; ++i) {
    const i64 ramp = std::max<i64>(0, SkRound(2.0 * p - double(i) * double(w) * 0.1 / p));
    value[std::size_t(i)] = SkClampByte(SkRound(double(ramp) / 100.0 * 255.0));
  }
  // The chosen cells are marked, then each row takes its column's value where marked: a pass
  // over the grid in order instead of a division per chosen cell.
  std::uint8_t* cells = g.Cells();
  for (i64 k = 0; k < c; ++k) {
    cells[st.Picks[std::size_t(k)]] = 1;
  }
  const std::uint8_t* ramp = value.data();
  for (i64 y = 0, h = g.Height(); y < h; ++y) {
    std::uint8_t* row = cells + y * w;
    for (i64 x = 0; x < w; ++x) { // without a branch: about half the cells are marked
      row[x] = ramp[x] & std::uint8_t(0u - unsigned(row[x] != 0));
    }
  }
}

void Stream(TskMaskGrid& g, int p, TskEffectState& st) {
  const i64 w = g.Width(), h = g.Height();
  st.Random.Seed(std::uint32_t(w * h));
  std::vector<i64> s(static_cast<std::size_t>(w)), m(static_cast<std::size_t>(w), h - 1);
  for (i64 x = 0; x < w; ++x) {
    s[std::size_t(x)] = -i64(st.Random.Next(80));
  }
  for (i64 k = 1; k <= 8; ++k) {
    for (i64 x = k; x <= w - k - 1; ++x) {
      s[std::size_t(x)] = (s[std::size_t(x - 1)] + 2 * s[std::size_t(x)] + s[std::size_t(x + 1)]) / 4;
    }
  }
  const i64 steps = SkMulDiv(h + 79, p, 100) + 1;
  std::uint8_t* cells = g.Cells();
  for (i64 step = 0; step < steps; ++step) {
    for (i64 x = 0; x < w; ++x) {
      i64& sx = s[std::size_t(x)];
      i64& mx = m[std::size_t(x)];
      if (mx < sx) {
        sx = 0;
        mx -= 1;
      } else {
        if (sx >= 0 && sx < h) {
          cells[sx * w + x] = 255;
        }
        sx += 1;
      }
    }
  }
}

struct TPlasmaTables {
  std::array<int, 512> S{}, C{}, Palette{};
  TPlasmaTables() {
    for (int k = 0; k < 512; ++k) {
      const double angle = 2.0 * std::numbers::pi * k / 512.0;
      S[std::size_t(k)] = (int(std::trunc(256.0 * std::sin(angle))) + 256) & 511;
      C[std::size_t(k)] = (int(std::trunc(256.0 * std::cos(angle))) + 256) & 511;
    }
    // Thirteen control values at 0, 511/12, 2 * 511/12, ..., 511; linear in between.
    static constexpr int kControl[13] = {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    for (int i = 0; i < 512; ++i) {
      const double t = i * 12.0 / 511.0;
      const int j = std::min(11, int(t));
      const double f = t - j;
      Palette[std::size_t(i)] = int(SkRound(kControl[j] + (kControl[j + 1] - kControl[j]) * f));
    }
  }
};

void Plasma(TskMaskGrid& g, int p, TskEffectState&) {
  if (p == 0) {
    return;
  }
  static const TPlasmaTables t;
  const i64 w = g.Width(), h = g.Height(), top = SkMulDiv(2 * p, 255, 100);
  std::uint8_t* cells = g.Cells();
  for (i64 y = 0; y < h; ++y) {
    const int a = t.S[std::size_t(y & 511)], b = t.C[std::size_t(y & 511)];
    std::uint8_t* row = cells + y * w;
    for (i64 x = 0; x < w; ++x) {
      row[x] = SkClampByte(top - t.Palette[std::size_t((t.S[std::size_t((x + a) & 511)] + b) & 511)]);
    }
  }
}

// ---- 5. maps and manual effects -----------------------------------------------------------

void Interlace(TskMapCell* map, int w, int h, int p) {
  const i64 off = SkMulDiv(100 - p, w, 100);
  for (i64 j = 0; j < h; ++j) {
    for (i64 i = 0; i < w; ++i) {
      TskMapCell& c = map[j * w + i];
      c.Alpha = 255;
      c.Y = std::int32_t(j);
      c.X = std::int32_t(j % 2 == 0 ? i + off : i - off);
    }
  }
}

void Corner(TskMapCell* map, int w, int h, int p) {
  const i64 a = SkMulDiv(w - 1, p, 100), b = SkMulDiv(h - 1, p, 100);
  for (i64 j = 0; j <= b && j < h; ++j) {
    for (i64 i = 0; i <= a && i < w; ++i) {
      TskMapCell& c = map[j * w + i];
      c.Alpha = 255;
      c.X = std::int32_t(w - 1 - a + i);
      c.Y = std::int32_t(h - 1 - b + j);
    }
  }
}

// Where the new image's top-left corner lies at this percentage (from the left, bottom, right
// or top by rotation), and the matching shift of the old image.
void SlideOffset(const TskPixels& next, TskRotation r, int p, i64& x, i64& y, i64& pushX, i64& pushY) {
  const i64 w = next.Width(), h = next.Height();
  const bool vertical = r == krRotate90 || r == krRotate270;
  const i64 a = vertical ? SkMulDiv(h, p, 100) : SkMulDiv(w, p, 100);
  x = y = pushX = pushY = 0;
  switch (r) {
  case krRotate90:
    y = h - a;
    pushY = -a;
    break;
  case krRotate180:
    x = w - a;
    pushX = -a;
    break;
  case krRotate270:
    y = a - h;
    pushY = a;
    break;
  default:
    x = a - w;
    pushX = a;
    break;
  }
}

void Slide(TskPixels& work, const TskPixels& next, const TskAnimationRec& rec, int p) {
  i64 x, y, px, py;
  SlideOffset(next, rec.Rotation(), p, x, y, px, py);
  SkDrawAt(work, std::int32_t(x), std::int32_t(y), next, next.Bounds(), TskDrawMode::dmBlend);
}

// The old image is moved within the work bitmap first; the drawing layer reads overlapping
// areas before writing them.
void Push(TskPixels& work, const TskPixels& next, const TskAnimationRec& rec, int p) {
  i64 x, y, px, py;
  SlideOffset(next, rec.Rotation(), p, x, y, px, py);
  if (px != 0 || py != 0) {
    SkDrawAt(work, std::int32_t(px), std::int32_t(py), work, work.Bounds(), TskDrawMode::dmCopy);
  }
  SkDrawAt(work, std::int32_t(x), std::int32_t(y), next, next.Bounds(), TskDrawMode::dmBlend);
}

// ---- 6. the registration table ------------------------------------------------------------

template <void (*Shape)(TskMaskGrid&, int, i64), TStyle Style>
void Flat(TskMaskGrid& g, int p, TskEffectState&) {
  if (p != 0) {
    Shape(g, p, FlatValue(Style, p));
  }
}

// The four shapes that already show a mark at 0 %.
template <void (*Shape)(TskMaskGrid&, int, i64)>
void SolidFromZero(TskMaskGrid& g, int p, TskEffectState&) {
  Shape(g, p, 255);
}
template <void (*Shape)(TskMaskGrid&, int, i64)>
void UniformCircle(TskMaskGrid& g, int p, TskEffectState&) {
  Shape(g, p, SkMulDiv(p, 255, 100));
}

template <TskMaskProc Out, TStyle Style>
void In(TskMaskGrid& g, int p, TskEffectState& st) {
  Inverted(g, p, st, Out, Style);
}

void Fade(TskMaskGrid& g, int p, TskEffectState&) {
  if (p != 0) {
    g.FillAll(SkRound(p / 100.0 * 255.0));
  }
}

constexpr TskEffectDef M(const char* name, TskMaskProc proc) {
  return {name, TskEffectCategory::ecMask, proc, nullptr, nullptr};
}

constexpr TStyle kSolid = TStyle::Solid, kUniform = TStyle::Uniform, kSmooth = TStyle::Smooth;

const std::array<TskEffectDef, skEffectCount> kTable = {{
    M("SmoothDiagonal", SmoothDiagonal),
    M("SmoothDiagonalIn", SmoothDiagonalIn),
    M("SmoothDiagonalOut", SmoothDiagonalOut),
    M("SmoothDown", SmoothDown),
    M("SmoothIn", SmoothIn),
    M("SmoothOut", SmoothOut),
    M("SmoothCrossOut", SmoothCrossOut),
    M("SmoothCrossIn", In<SmoothCrossOut, kSmooth>),
    M("SmoothRectIn", In<SmoothRectOut, kSmooth>),
    M("SmoothRectOut", SmoothRectOut),
    M("SlideDiagonal", Flat<Diagonal, kSolid>),
    M("SlideDiagonalIn", Flat<DiagonalIn, kSolid>),
    M("SlideDiagonalOut", Flat<DiagonalOut, kSolid>),
    M("SlideDown", Flat<RowsDown, kSolid>),
    M("SlideIn", Flat<RowsIn, kSolid>),
    M("SlideOut", Flat<RowsOut, kSolid>),
    M("SlideCrossOut", Flat<CrossOut, kSolid>),
    M("SlideCrossIn", In<Flat<CrossOut, kSolid>, kSolid>),
    M("SlideRectOut", Flat<RectOut, kSolid>),
    M("SlideRectIn", In<Flat<RectOut, kSolid>, kSolid>),
    M("Fade", Fade),
    M("FadeDiagonal", Flat<Diagonal, kUniform>),
    M("FadeDiagonalIn", Flat<DiagonalIn, kUniform>),
    M("FadeDiagonalOut", Flat<DiagonalOut, kUniform>),
    M("FadeDown", Flat<RowsDown, kUniform>),
    M("FadeIn", Flat<RowsIn, kUniform>),
    M("FadeOut", Flat<RowsOut, kUniform>),
    M("FadeCrossOut", Flat<CrossOut, kUniform>),
    M("FadeCrossIn", In<Flat<CrossOut, kUniform>, kUniform>),
    M("FadeRectOut", Flat<RectOut, kUniform>),
    M("FadeRectIn", In<Flat<RectOut, kUniform>, kUniform>),
    M("Pixel", Pixel),
    M("Pixel fade", PixelFade),
    M("Pixel line", PixelLine),
    M("CircleSlideOut", SolidFromZero<CircleOut>),
    M("CircleFadeOut", UniformCircle<CircleOut>),
    M("CircleSmoothOut", CircleSmoothOut),
    M("CircleSlideIn", SolidFromZero<CircleIn>),
    M("CircleFadeIn", UniformCircle<CircleIn>),
    M("CircleSmoothIn", In<CircleSmoothOut, kSmooth>),
    M("CircleSlide", SolidFromZero<CircleCorner>),
    M("CircleFade", UniformCircle<CircleCorner>),
    M("CircleSmooth", CircleSmooth),
    M("DiamondSlideIn", In<Flat<DiamondOut, kSolid>, kSolid>),
    M("DiamondFadeIn", In<Flat<DiamondOut, kUniform>, kUniform>),
    M("DiamondSmoothIn", In<DiamondSmoothOut, kSmooth>),
    M("DiamondSlideOut", Flat<DiamondOut, kSolid>),
    M("DiamondFadeOut", Flat<DiamondOut, kUniform>),
    M("DiamondSmoothOut", DiamondSmoothOut),
    M("RotateSlide", Flat<Rotate, kSolid>),
    M("RotateFade", Flat<Rotate, kUniform>),
    M("RotateSmooth", RotateSmooth),
    M("Stream", Stream),
    M("Plasma", Plasma),
    {"Interlace", TskEffectCategory::ecMap, nullptr, Interlace, nullptr},
    {"Corner", TskEffectCategory::ecMap, nullptr, Corner, nullptr},
    {"Slide", TskEffectCategory::ecManual, nullptr, nullptr, Slide},
    {"Push", TskEffectCategory::ecManual, nullptr, nullptr, Push},
}};

} // namespace

const std::array<TskEffectDef, skEffectCount>& SkEffectTable() { return kTable; }

void SkEnsurePicks(TskEffectState& st, int width, int height, std::int64_t count, std::int64_t aheadDraws) {
  const std::uint64_t cells = std::uint64_t(width) * std::uint64_t(height);
  if (st.PickWidth != width || st.PickHeight != height) {
    st.PickWidth = width;
    st.PickHeight = height;
    st.PickRandom.Seed(std::uint32_t(cells));
    st.Picks.assign(std::size_t(cells), 0);
    st.PickCount = 0;
    st.Picked.assign(std::size_t((cells + 63) / 64), 0);
  }
  if (count > std::int64_t(cells)) {
    count = std::int64_t(cells);
  }
  // Draws in batches without a branch on whether a cell was taken: each draw marks its cell
  // and writes it after the picks so far, which only grow when the cell was new. A batch adds
  // at most one pick a draw, so it never writes past the list; drawing a little more than
  // asked only picks ahead, as the sequence of draws is the same.
  std::uint64_t* picked = st.Picked.data();
  std::uint32_t* picks = st.Picks.data();
  TskEffectRandom random = st.PickRandom;
  std::uint64_t n = st.PickCount;
  std::int64_t draws = 0;
  while (n < cells && (std::int64_t(n) < count || draws < aheadDraws)) {
    const std::uint64_t batch = std::min<std::uint64_t>(cells - n, 256);
    for (std::uint64_t b = 0; b < batch; ++b) {
      const std::uint32_t cell = random.Next(std::uint32_t(cells));
      std::uint64_t& word = picked[cell >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (cell & 63);
      const std::uint64_t fresh = (word & bit) == 0 ? 1 : 0;
      word |= bit;
      picks[n] = cell;
      n += fresh;
    }
    draws += std::int64_t(batch);
  }
  st.PickRandom = random;
  st.PickCount = std::size_t(n);
}
