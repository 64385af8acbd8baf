#include "effects/SkEffectPlayer.h"

#include "theme/SkKernels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

TskGridGeometry SkGridGeometry(int imageWidth, int imageHeight, int resolution, int tileCount) {
  resolution = std::max(resolution, 1);
  tileCount = std::max(tileCount, 1);
  TskGridGeometry g;
  g.Width = imageWidth / resolution / tileCount + 1;
  g.Height = imageHeight / resolution / tileCount + 1;
  g.MaskTileWidth = resolution * g.Width;
  g.MaskTileHeight = resolution * g.Height;
  g.MapTileWidth = imageWidth / tileCount + 1;
  g.MapTileHeight = imageHeight / tileCount + 1;
  return g;
}

void SkRotatedGridSize(int width, int height, TskRotation rotation, int& rotatedWidth, int& rotatedHeight) {
  const bool swap = rotation == krRotate90 || rotation == krRotate270;
  rotatedWidth = swap ? height : width;
  rotatedHeight = swap ? width : height;
}

void SkRotatedCell(int width, int height, TskRotation rotation, int x, int y, int& rx, int& ry) {
  switch (rotation) {
  case krRotate90:
    rx = height - 1 - y;
    ry = x;
    break;
  case krRotate180:
    rx = width - 1 - x;
    ry = height - 1 - y;
    break;
  case krRotate270:
    rx = y;
    ry = width - 1 - x;
    break;
  default:
    rx = x;
    ry = y;
    break;
  }
}

void SkRotateMask(const std::uint8_t* rotated, std::uint8_t* mask, int width, int height,
                  TskRotation rotation) {
  const std::size_t w = std::size_t(width), h = std::size_t(height);
  for (std::size_t y = 0; y < h; ++y) {
    std::uint8_t* out = mask + y * w;
    switch (rotation) {
    case krRotate90: // rotated grid h wide: out[x] = rot(h - 1 - y, x)
      for (std::size_t x = 0; x < w; ++x) {
        out[x] = rotated[x * h + (h - 1 - y)];
      }
      break;
    case krRotate180:
      for (std::size_t x = 0; x < w; ++x) {
        out[x] = rotated[(h - 1 - y) * w + (w - 1 - x)];
      }
      break;
    case krRotate270: // out[x] = rot(y, w - 1 - x)
      for (std::size_t x = 0; x < w; ++x) {
        out[x] = rotated[(w - 1 - x) * h + y];
      }
      break;
    default: std::memcpy(out, rotated + y * w, w); break;
    }
  }
}

namespace {
// The source cell of a rotated map, seen from the unrotated grid: the inverse of SkRotatedCell.
void UnrotateCell(int width, int height, TskRotation rotation, std::int64_t rx, std::int64_t ry,
                  std::int64_t& x, std::int64_t& y) {
  switch (rotation) {
  case krRotate90:
    x = ry;
    y = height - 1 - rx;
    break;
  case krRotate180:
    x = width - 1 - rx;
    y = height - 1 - ry;
    break;
  case krRotate270:
    x = width - 1 - ry;
    y = rx;
    break;
  default:
    x = rx;
    y = ry;
    break;
  }
}

// A map cell's source as one word: X in the low half, Y in the high half.
std::uint64_t SourceWord(const TskMapCell& c) {
  return (std::uint64_t(std::uint32_t(c.Y)) << 32) | std::uint32_t(c.X);
}

std::int32_t Pin32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}
} // namespace

bool TskEffectPlayer::Start(const TskAnimationRec& rec, const TskPixels& next, const TskPixels& old,
                            TskEffectKind kind, const TskEffectDef& def) {
  if (next.Empty() || old.Empty()) {
    return false;
  }
  switch (kind) {
  case TskEffectKind::ekMask:
    if (!def.Mask) {
      return false;
    }
    break;
  case TskEffectKind::ekMap:
    if (!def.Map) {
      return false;
    }
    break;
  case TskEffectKind::ekManual:
    if (!def.Manual) {
      return false;
    }
    break;
  case TskEffectKind::ekBitmap: break;
  }
  FRec = rec;
  FKind = kind;
  FDef = def;
  FNext = next.Clone();
  FOld = old.Clone();
  FWork = old.Clone();
  FState = TskEffectState();
  const int w = FWork.Width(), h = FWork.Height();
  FGeometry = SkGridGeometry(w, h, FRec.Resolution(), FRec.TileCount());
  const std::size_t cells = std::size_t(FGeometry.Width) * std::size_t(FGeometry.Height);
  int rw, rh;
  SkRotatedGridSize(FGeometry.Width, FGeometry.Height, FRec.Rotation(), rw, rh);

  FMask.clear();
  FRotated.clear();
  FThreshold.clear();
  FMap.clear();
  FMapRotated.clear();
  if (kind == TskEffectKind::ekMask || kind == TskEffectKind::ekBitmap) {
    FMask.assign(cells, 0);
    if (FRec.Rotation() != krNone || kind == TskEffectKind::ekBitmap) {
      FRotated.assign(cells, 0);
    }
  }
  if (kind == TskEffectKind::ekMap) {
    FMap.assign(cells, TskMapCell{});
    if (FRec.Rotation() != krNone) {
      FMapRotated.assign(cells, TskMapCell{});
    }
  }
  if (kind == TskEffectKind::ekBitmap) {
    // The threshold picture stretched (nearest neighbour) over the rotated grid; its blue bytes.
    FThreshold.assign(cells, 0);
    const TskPixels& bmp = FRec.Bitmap();
    if (!bmp.Empty()) {
      for (int j = 0; j < rh; ++j) {
        const int by = int(std::int64_t(j) * bmp.Height() / rh);
        for (int i = 0; i < rw; ++i) {
          const int bx = int(std::int64_t(i) * bmp.Width() / rw);
          FThreshold[std::size_t(j) * std::size_t(rw) + std::size_t(i)] =
              std::uint8_t(bmp.GetPixel(bx, by) & 0xFF);
        }
      }
    }
  }
  if (kind == TskEffectKind::ekMask || kind == TskEffectKind::ekBitmap) {
    // Which mask cell each pixel shows: tiles of resolution x cells pixels, stretched in 16.16
    // fixed point with 64-bit steps.
    auto cellsOf = [](std::vector<std::int32_t>& out, int pixels, int cellCount, int tile) {
      out.resize(std::size_t(pixels));
      const std::int64_t step = std::int64_t(cellCount) * 65536 / tile;
      for (int p = 0; p < pixels; ++p) {
        const std::int64_t local = p % tile;
        out[std::size_t(p)] = std::int32_t(std::min<std::int64_t>((local * step) >> 16, cellCount - 1));
      }
    };
    cellsOf(FCellOfX, w, FGeometry.Width, FGeometry.MaskTileWidth);
    cellsOf(FCellOfY, h, FGeometry.Height, FGeometry.MaskTileHeight);
  }
  FAlpha.assign(std::size_t(w), 0);
  if (kind == TskEffectKind::ekManual) {
    // The new image's key-colour pixels are transparent for the effect's own drawing.
    for (int y = 0; y < FNext.Height(); ++y) {
      TskColor* row = FNext.ScanLine(y);
      for (int x = 0; x < FNext.Width(); ++x) {
        if ((row[x] & 0xFFFFFF) == skKeyColor) {
          row[x] &= 0xFFFFFF;
        }
      }
    }
  }
  return true;
}

void TskEffectPlayer::ComputeMask(int percent) {
  const int W = FGeometry.Width, H = FGeometry.Height;
  const TskRotation rotation = FRec.Rotation();
  int rw, rh;
  SkRotatedGridSize(W, H, rotation, rw, rh);
  if (FKind == TskEffectKind::ekBitmap) {
    // Every threshold byte lifted and clamped to 0..255: a saturating add or subtract, in a
    // form the compiler turns into vector code.
    const std::int64_t lift = SkMulDiv(510, percent, 100) - 255;
    std::uint8_t* out = rotation == krNone ? FMask.data() : FRotated.data();
    const std::uint8_t* threshold = FThreshold.data();
    const std::size_t cells = FThreshold.size();
    if (lift >= 0) {
      const unsigned up = unsigned(std::min<std::int64_t>(lift, 255));
      for (std::size_t i = 0; i < cells; ++i) {
        const unsigned v = threshold[i] + up;
        out[i] = std::uint8_t(v > 255 ? 255 : v);
      }
    } else {
      const unsigned down = unsigned(std::min<std::int64_t>(-lift, 255));
      for (std::size_t i = 0; i < cells; ++i) {
        const unsigned t = threshold[i];
        out[i] = std::uint8_t(t > down ? t - down : 0);
      }
    }
    if (rotation != krNone) {
      SkRotateMask(FRotated.data(), FMask.data(), W, H, rotation);
    }
    return;
  }
  if (rotation == krNone) {
    std::fill(FMask.begin(), FMask.end(), 0);
    TskMaskGrid grid(FMask.data(), W, H);
    FDef.Mask(grid, percent, FState);
    return;
  }
  std::fill(FRotated.begin(), FRotated.end(), 0);
  TskMaskGrid grid(FRotated.data(), rw, rh);
  FDef.Mask(grid, percent, FState);
  SkRotateMask(FRotated.data(), FMask.data(), W, H, rotation);
}

// One pass per row while the row is in the cache: the old row copied to the work bitmap, then
// the new row blended over it by the mask kernel, which takes the mask's bytes as alpha and
// leaves key-colour pixels out. At resolution 1 without tiles each pixel is its own cell and
// the mask row is the alpha row; otherwise the mask row is stretched into an alpha row once
// for all the pixel rows that show the same row of cells.
void TskEffectPlayer::ComposeMask() {
  const TskKernels& k = SkActiveKernels();
  const int workW = FWork.Width(), workH = FWork.Height();
  const int w = std::min(workW, FNext.Width()), h = std::min(workH, FNext.Height());
  const int W = FGeometry.Width;
  const bool direct = FRec.Resolution() == 1 && FRec.TileCount() == 1;
  const std::int32_t* cellOfX = FCellOfX.data();
  std::uint8_t* stretched = FAlpha.data();
  std::int32_t stretchedRow = -1;
  for (int y = 0; y < workH; ++y) {
    TskColor* out = FWork.ScanLine(y);
    k.CopyRow(FOld.ScanLine(y), out, std::size_t(workW));
    if (y >= h) {
      continue;
    }
    const std::int32_t cellRow = FCellOfY[std::size_t(y)];
    const std::uint8_t* maskRow = FMask.data() + std::size_t(cellRow) * std::size_t(W);
    const std::uint8_t* alpha = maskRow;
    if (!direct) {
      if (cellRow != stretchedRow) {
        for (int x = 0; x < w; ++x) {
          stretched[x] = maskRow[cellOfX[x]];
        }
        stretchedRow = cellRow;
      }
      alpha = stretched;
    }
    k.BlendMaskRow(FNext.ScanLine(y), alpha, out, std::size_t(w));
  }
}

void TskEffectPlayer::ComposeMap(int percent) {
  const int W = FGeometry.Width, H = FGeometry.Height;
  const TskRotation rotation = FRec.Rotation();
  std::memset(static_cast<void*>(FMap.data()), 0, FMap.size() * sizeof(TskMapCell));
  if (rotation == krNone) {
    FDef.Map(FMap.data(), W, H, percent);
  } else {
    int rw, rh;
    SkRotatedGridSize(W, H, rotation, rw, rh);
    std::memset(static_cast<void*>(FMapRotated.data()), 0, FMapRotated.size() * sizeof(TskMapCell));
    FDef.Map(FMapRotated.data(), rw, rh, percent);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        int rx, ry;
        SkRotatedCell(W, H, rotation, x, y, rx, ry);
        const TskMapCell& c = FMapRotated[std::size_t(ry) * std::size_t(rw) + std::size_t(rx)];
        std::int64_t sx, sy;
        UnrotateCell(W, H, rotation, c.X, c.Y, sx, sy);
        FMap[std::size_t(y) * std::size_t(W) + std::size_t(x)] = {Pin32(sx), Pin32(sy), c.Alpha};
      }
    }
  }

  // Cells next to each other whose sources are next to each other in one row, with the same
  // opacity, form runs, found once per row of cells. Each run is one span of pixels, clipped
  // to the tile and both images, and blended by the kernel with the run's opacity (transparent
  // source pixels leave the work bitmap); the runs of one row never share a pixel. The rows
  // are visited top to bottom, each pixel row for every tile at once, so that the old image is
  // copied into a row just before its runs are blended onto it.
  const TskKernels& k = SkActiveKernels();
  const std::int64_t res = FRec.Resolution(), tiles = FRec.TileCount();
  const std::int64_t workW = FWork.Width(), workH = FWork.Height();
  const std::int64_t nextW = FNext.Width(), nextH = FNext.Height();
  std::int64_t copied = 0; // rows of the work bitmap that hold the old image
  auto copyOldTo = [&](std::int64_t end) {
    for (; copied < end; ++copied) {
      k.CopyRow(FOld.ScanLine(std::int32_t(copied)), FWork.ScanLine(std::int32_t(copied)),
                std::size_t(workW));
    }
  };
  for (std::int64_t ty = 0; ty < tiles; ++ty) {
    const std::int64_t oy = ty * FGeometry.MapTileHeight;
    if (oy >= workH) {
      break;
    }
    const std::int64_t bottom = std::min(oy + FGeometry.MapTileHeight, workH);
    const std::int64_t srcBottom = std::min(bottom, nextH);
    for (std::int64_t j = 0; j < H; ++j) {
      if (oy + j * res >= bottom) {
        break;
      }
      const TskMapCell* cells = FMap.data() + j * W;
      FRuns.clear();
      for (std::int64_t i = 0; i < W;) {
        const TskMapCell& c = cells[i];
        // A cell continues the run when its source is the next one: (X, Y) compared as one
        // 64-bit word against (c.X + k, c.Y), with k kept where c.X + k fits 32 bits.
        const std::int64_t limit = std::min<std::int64_t>(W, i + (std::int64_t(INT32_MAX) - c.X) + 1);
        const std::uint64_t y = std::uint64_t(std::uint32_t(c.Y)) << 32;
        std::uint32_t x = std::uint32_t(c.X);
        std::int64_t end = i + 1;
        while (end < limit && cells[end].Alpha == c.Alpha && SourceWord(cells[end]) == (y | ++x)) {
          ++end;
        }
        if (c.Alpha != 0) {
          FRuns.push_back({std::int32_t(i), std::int32_t(end), c});
        }
        i = end;
      }
      for (std::int64_t v = 0; v < res; ++v) {
        const std::int64_t dy = oy + j * res + v;
        if (dy >= bottom) {
          break;
        }
        copyOldTo(dy + 1);
        TskColor* out = FWork.ScanLine(std::int32_t(dy));
        for (const TMapRun& run : FRuns) {
          const std::int64_t sy = oy + std::int64_t(run.Cell.Y) * res + v;
          if (sy < oy || sy >= srcBottom) {
            continue;
          }
          const TskColor* src = FNext.ScanLine(std::int32_t(sy));
          const std::int64_t delta = (std::int64_t(run.Cell.X) - run.Begin) * res; // source x - destination x
          for (std::int64_t tx = 0; tx < tiles; ++tx) {
            const std::int64_t ox = tx * FGeometry.MapTileWidth;
            if (ox >= workW) {
              break;
            }
            const std::int64_t right = std::min(ox + FGeometry.MapTileWidth, workW);
            const std::int64_t srcRight = std::min(right, nextW);
            const std::int64_t x0 = std::max({ox + run.Begin * res, ox, ox - delta});
            const std::int64_t x1 = std::min({ox + run.End * res, right, srcRight - delta});
            if (x0 < x1) {
              k.BlendAlphaRow(src + delta + x0, run.Cell.Alpha, out + x0, std::size_t(x1 - x0));
            }
          }
        }
      }
    }
  }
  copyOldTo(workH);
}

void TskEffectPlayer::Frame(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (FWork.Empty()) {
    return;
  }
  if (FKind == TskEffectKind::ekMask || FKind == TskEffectKind::ekBitmap) {
    ComputeMask(percent);
    ComposeMask(); // copies the old image row by row itself
    return;
  }
  if (FKind == TskEffectKind::ekMap) {
    ComposeMap(percent); // copies the old image row by row itself
    return;
  }
  const TskKernels& k = SkActiveKernels();
  for (int y = 0; y < FWork.Height(); ++y) {
    k.CopyRow(FOld.ScanLine(y), FWork.ScanLine(y), std::size_t(FWork.Width()));
  }
  FDef.Manual(FWork, FNext, FRec, percent);
}

void TskEffectPlayer::Final() {
  if (FWork.Empty()) {
    return;
  }
  const TskKernels& k = SkActiveKernels();
  const int w = std::min(FWork.Width(), FNext.Width()), h = std::min(FWork.Height(), FNext.Height());
  for (int y = 0; y < h; ++y) {
    k.BlendRow(FNext.ScanLine(y), FWork.ScanLine(y), std::size_t(w));
  }
}
