#include "effects/SkEffectMath.h"

#include <algorithm>
#include <cstring>

void TskMaskGrid::Row(std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t v) {
  if (y < 0 || y >= FHeight) {
    return;
  }
  if (x1 < x0) {
    std::swap(x0, x1);
  }
  x0 = std::max<std::int64_t>(x0, 0);
  x1 = std::min<std::int64_t>(x1, FWidth - 1);
  if (x0 > x1) {
    return;
  }
  std::memset(FCells + y * FWidth + x0, SkClampByte(v), std::size_t(x1 - x0 + 1));
}

void TskMaskGrid::Column(std::int64_t x, std::int64_t y0, std::int64_t y1, std::int64_t v) {
  if (x < 0 || x >= FWidth) {
    return;
  }
  if (y1 < y0) {
    std::swap(y0, y1);
  }
  y0 = std::max<std::int64_t>(y0, 0);
  y1 = std::min<std::int64_t>(y1, FHeight - 1);
  const std::uint8_t b = SkClampByte(v);
  for (std::int64_t y = y0; y <= y1; ++y) {
    FCells[y * FWidth + x] = b;
  }
}

void TskMaskGrid::FillAll(std::int64_t v) {
  std::memset(FCells, SkClampByte(v), std::size_t(FWidth) * std::size_t(FHeight));
}

void TskMaskGrid::LineFullWalk(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                               std::int64_t v) {
  const std::int64_t adx = x2 > x1 ? x2 - x1 : x1 - x2, ady = y2 > y1 ? y2 - y1 : y1 - y2;
  const std::int64_t sx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0, sy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
  const std::int64_t m = std::max(adx, ady);
  std::int64_t x = x1, y = y1, e1 = 0, e2 = 0;
  Set(x, y, v);
  for (std::int64_t k = 0; k <= m; ++k) {
    bool moved = false;
    e1 += adx;
    e2 += ady;
    if (e1 > m) {
      e1 -= m;
      x += sx;
      moved = true;
    }
    if (e2 > m) {
      e2 -= m;
      y += sy;
      moved = true;
    }
    if (moved) {
      Set(x, y, v);
    }
  }
}

// After k steps (k >= 1) an accumulator growing by a (a <= m) has moved its coordinate
// floor((k a - 1) / m) times, and holds k a - m * moves, which lies in 1..m once k a >= 1. No
// coordinate moves on the first step and the major one moves on every later step, so the walk
// sets the start cell and then one cell on each step 2 .. m + 1, at monotone positions: the
// steps inside the grid form one interval, found here in constant time.
void TskMaskGrid::Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t v) {
  Set(x1, y1, v);
  const std::int64_t adx = x2 > x1 ? x2 - x1 : x1 - x2, ady = y2 > y1 ? y2 - y1 : y1 - y2;
  const std::int64_t m = std::max(adx, ady);
  if (m == 0 || FWidth <= 0 || FHeight <= 0) {
    return;
  }
  const std::int64_t sx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0, sy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
  std::int64_t kLo = 2, kHi = m + 1;
  auto limit = [&](std::int64_t c, std::int64_t s, std::int64_t a, std::int64_t n) {
    if (a == 0) {
      if (c < 0 || c >= n) {
        kHi = 0;
      }
      return;
    }
    const std::int64_t tMin = s > 0 ? -c : c - (n - 1), tMax = s > 0 ? n - 1 - c : c;
    if (tMax < 0) {
      kHi = 0;
      return;
    }
    if (tMin > 0) {
      kLo = std::max(kLo, (tMin * m + 1 + a - 1) / a);
    }
    kHi = std::min(kHi, (tMax + 1) * m / a);
  };
  limit(x1, sx, adx, FWidth);
  limit(y1, sy, ady, FHeight);
  if (kLo > kHi) {
    return;
  }
  const std::int64_t tx = (kLo * adx - 1) / m, ty = ady == 0 ? 0 : (kLo * ady - 1) / m;
  std::int64_t e1 = kLo * adx - m * tx, e2 = ady == 0 ? 0 : kLo * ady - m * ty;
  std::int64_t x = x1 + sx * tx, y = y1 + sy * ty;
  const std::uint8_t b = SkClampByte(v);
  FCells[y * FWidth + x] = b;
  for (std::int64_t k = kLo + 1; k <= kHi; ++k) {
    e1 += adx;
    e2 += ady;
    if (e1 > m) {
      e1 -= m;
      x += sx;
    }
    if (e2 > m) {
      e2 -= m;
      y += sy;
    }
    FCells[y * FWidth + x] = b;
  }
}

// The sixteen cells of one step: rows oy +- b at columns ox +- a and ox +- (a + 1), rows
// oy +- a at columns ox +- b and ox +- (b + 1). Each row is checked once, then its columns.
void TskMaskGrid::CirclePlot(std::int64_t ox, std::int64_t oy, std::int64_t a, std::int64_t b,
                             std::int64_t v) {
  const std::uint8_t value = SkClampByte(v);
  const std::uint64_t w = std::uint64_t(FWidth), h = std::uint64_t(FHeight);
  auto rowSet = [&](std::int64_t y, std::int64_t k) {
    if (std::uint64_t(y) >= h) {
      return;
    }
    std::uint8_t* row = FCells + y * FWidth;
    const std::int64_t cols[4] = {ox + k, ox - k, ox + k + 1, ox - k - 1};
    for (std::int64_t x : cols) {
      if (std::uint64_t(x) < w) {
        row[x] = value;
      }
    }
  };
  rowSet(oy + b, a);
  rowSet(oy - b, a);
  rowSet(oy + a, b);
  rowSet(oy - a, b);
}

void TskMaskGrid::CircleFullWalk(std::int64_t ox, std::int64_t oy, std::int64_t r, std::int64_t v) {
  auto plot = [&](std::int64_t a, std::int64_t b) {
    for (std::int64_t k = a; k <= a + 1; ++k) {
      Set(ox + k, oy + b, v);
      Set(ox - k, oy + b, v);
      Set(ox + k, oy - b, v);
      Set(ox - k, oy - b, v);
    }
    for (std::int64_t k = b; k <= b + 1; ++k) {
      Set(ox + k, oy + a, v);
      Set(ox - k, oy + a, v);
      Set(ox + k, oy - a, v);
      Set(ox - k, oy - a, v);
    }
  };
  std::int64_t x = 0, y = r, e = 3 - 2 * r;
  while (x < y) {
    plot(x, y);
    if (e < 0) {
      e += 4 * x + 6;
    } else {
      e += 4 * (x - y) + 10;
      y -= 1;
    }
    x += 1;
  }
  if (x == y) {
    plot(x, y);
  }
}

// With the centre inside the grid, a step's cells lie in rows oy +- y or columns ox +- y (and
// ox +- (y + 1)), and in columns ox +- x (and +1) or rows oy +- x: none is inside while y, or
// from some point on x, exceeds the centre's largest distance to an edge. Those steps only
// advance the walk.
void TskMaskGrid::Circle(std::int64_t ox, std::int64_t oy, std::int64_t r, std::int64_t v) {
  if (!Inside(ox, oy)) {
    CircleFullWalk(ox, oy, r, v);
    return;
  }
  const std::int64_t reach =
      std::max({ox, std::int64_t(FWidth) - 1 - ox, oy, std::int64_t(FHeight) - 1 - oy});
  std::int64_t x = 0, y = r, e = 3 - 2 * r;
  while (x < y) {
    if (x > reach) {
      return;
    }
    if (y <= reach) {
      CirclePlot(ox, oy, x, y, v);
    }
    if (e < 0) {
      e += 4 * x + 6;
    } else {
      e += 4 * (x - y) + 10;
      y -= 1;
    }
    x += 1;
  }
  if (x == y && x <= reach) {
    CirclePlot(ox, oy, x, y, v);
  }
}

void TskMaskGrid::Polyline(const std::int64_t (*points)[2], int n, std::int64_t v) {
  for (int i = 0; i < n; ++i) {
    const auto& a = points[i];
    const auto& b = points[(i + 1) % n];
    Line(a[0], a[1], b[0], b[1], v);
  }
}
