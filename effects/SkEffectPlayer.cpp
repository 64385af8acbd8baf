#include "effects/SkEffectPlayer.h"

#include "theme/SkKernels.h"

#include <algorithm>
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
  FRow.assign(std::size_t(w), 0);
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
    const std::int64_t lift = SkMulDiv(510, percent, 100) - 255;
    for (std::size_t i = 0; i < FThreshold.size(); ++i) {
      FRotated[i] = SkClampByte(FThreshold[i] + lift);
    }
    SkRotateMask(FRotated.data(), FMask.data(), W, H, rotation);
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

// One pass per row while the row is in the cache: the old row copied to the work bitmap, the
// new image's colour with the mask as alpha (key-colour pixels transparent) into a row buffer,
// and the blend kernel. At resolution 1 without tiles each pixel is its own cell.
void TskEffectPlayer::ComposeMask() {
  const TskKernels& k = SkActiveKernels();
  const int workW = FWork.Width(), workH = FWork.Height();
  const int w = std::min(workW, FNext.Width()), h = std::min(workH, FNext.Height());
  const int W = FGeometry.Width;
  const bool direct = FRec.Resolution() == 1 && FRec.TileCount() == 1;
  const std::int32_t* cellOfX = FCellOfX.data();
  TskColor* row = FRow.data();
  for (int y = 0; y < workH; ++y) {
    TskColor* out = FWork.ScanLine(y);
    k.CopyRow(FOld.ScanLine(y), out, std::size_t(workW));
    if (y >= h) {
      continue;
    }
    const std::uint8_t* maskRow = FMask.data() + std::size_t(FCellOfY[std::size_t(y)]) * std::size_t(W);
    const TskColor* src = FNext.ScanLine(y);
    if (direct) {
      for (int x = 0; x < w; ++x) {
        const TskColor colour = src[x] & 0xFFFFFF;
        const TskColor keep = TskColor(0) - TskColor(colour != skKeyColor); // all ones unless keyed
        row[x] = colour | ((TskColor(maskRow[x]) << 24) & keep);
      }
    } else {
      for (int x = 0; x < w; ++x) {
        const TskColor colour = src[x] & 0xFFFFFF;
        const TskColor keep = TskColor(0) - TskColor(colour != skKeyColor);
        row[x] = colour | ((TskColor(maskRow[cellOfX[x]]) << 24) & keep);
      }
    }
    k.BlendRow(row, out, std::size_t(w));
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
  // opacity, form runs; each run is one span of pixels, clipped once to the tile and both
  // images, then filled into the row buffer and blended by the kernel.
  const TskKernels& k = SkActiveKernels();
  const std::int64_t res = FRec.Resolution(), tiles = FRec.TileCount();
  const std::int64_t workW = FWork.Width(), workH = FWork.Height();
  const std::int64_t nextW = FNext.Width(), nextH = FNext.Height();
  TskColor* row = FRow.data();
  for (std::int64_t ty = 0; ty < tiles; ++ty) {
    const std::int64_t oy = ty * FGeometry.MapTileHeight;
    if (oy >= workH) {
      break;
    }
    const std::int64_t bottom = std::min(oy + FGeometry.MapTileHeight, workH);
    const std::int64_t srcBottom = std::min(bottom, nextH);
    for (std::int64_t tx = 0; tx < tiles; ++tx) {
      const std::int64_t ox = tx * FGeometry.MapTileWidth;
      if (ox >= workW) {
        break;
      }
      const std::int64_t right = std::min(ox + FGeometry.MapTileWidth, workW);
      const std::int64_t srcRight = std::min(right, nextW);
      for (std::int64_t j = 0; j < H; ++j) {
        if (oy + j * res >= bottom) {
          break;
        }
        const TskMapCell* cells = FMap.data() + j * W;
        for (std::int64_t v = 0; v < res; ++v) {
          const std::int64_t dy = oy + j * res + v;
          if (dy >= bottom) {
            break;
          }
          std::int64_t lo = right, hi = ox; // the span of the row buffer written
          for (std::int64_t i = 0; i < W;) {
            const TskMapCell& c = cells[i];
            std::int64_t end = i + 1;
            while (end < W && cells[end].Alpha == c.Alpha && cells[end].Y == c.Y &&
                   std::int64_t(cells[end].X) == std::int64_t(c.X) + (end - i)) {
              ++end;
            }
            const std::int64_t sy = oy + std::int64_t(c.Y) * res + v;
            if (c.Alpha != 0 && sy >= oy && sy < srcBottom) {
              const std::int64_t delta = (std::int64_t(c.X) - i) * res; // source x - destination x
              std::int64_t x0 = ox + i * res, x1 = ox + end * res;
              x0 = std::max({x0, ox, ox - delta});
              x1 = std::min({x1, right, srcRight - delta});
              if (x0 < x1) {
                const TskColor* src = FNext.ScanLine(std::int32_t(sy)) + delta;
                const TskColor alpha = TskColor(c.Alpha) << 24;
                for (std::int64_t x = x0; x < x1; ++x) {
                  const TskColor s = src[x];
                  row[x] = (s >> 24) == 0 ? 0 : (s & 0xFFFFFF) | alpha;
                }
                if (lo > hi) {
                  lo = x0;
                  hi = x1;
                } else {
                  // Pixels between the runs written so far stay transparent.
                  for (std::int64_t x = hi; x < x0; ++x) {
                    row[x] = 0;
                  }
                  for (std::int64_t x = x1; x < lo; ++x) {
                    row[x] = 0;
                  }
                  lo = std::min(lo, x0);
                  hi = std::max(hi, x1);
                }
              }
            }
            i = end;
          }
          if (lo < hi) {
            k.BlendRow(row + lo, FWork.ScanLine(std::int32_t(dy)) + lo, std::size_t(hi - lo));
          }
        }
      }
    }
  }
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
  const TskKernels& k = SkActiveKernels();
  for (int y = 0; y < FWork.Height(); ++y) {
    k.CopyRow(FOld.ScanLine(y), FWork.ScanLine(y), std::size_t(FWork.Width()));
  }
  switch (FKind) {
  case TskEffectKind::ekMask:
  case TskEffectKind::ekBitmap: break;
  case TskEffectKind::ekMap: ComposeMap(percent); break;
  case TskEffectKind::ekManual: FDef.Manual(FWork, FNext, FRec, percent); break;
  }
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
