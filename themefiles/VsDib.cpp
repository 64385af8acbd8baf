#include "themefiles/VsDib.h"

#include <bit>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;

// Scales the bits of `mask` in `value` to 0..255 (0 for an empty mask).
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const std::uint32_t m = mask >> shift;
  const std::uint32_t v = (value & mask) >> shift;
  return std::uint32_t((std::uint64_t(v) * 255 + m / 2) / m);
}

} // namespace

bool VsDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha) {
  hasAlpha = false;
  std::uint32_t headerSize = 0;
  if (!in.U32(headerSize)) {
    return false;
  }
  if (headerSize < 40 || headerSize > 1024) {
    return in.Fail("bitmap: unknown header size");
  }
  std::int32_t width = 0, height = 0;
  std::uint16_t planes = 0, bits = 0;
  std::uint32_t compression = 0, imageSize = 0, colorsUsed = 0, unused = 0;
  std::int32_t resolution = 0;
  if (!in.I32(width) || !in.I32(height) || !in.U16(planes) || !in.U16(bits) || !in.U32(compression) ||
      !in.U32(imageSize) || !in.I32(resolution) || !in.I32(resolution) || !in.U32(colorsUsed) ||
      !in.U32(unused)) {
    return false;
  }
  std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  const bool bitfields = compression == kBiBitfields || compression == kBiAlphaBitfields;
  if (bitfields) {
    // Masks follow a 40-byte header, or are part of a larger one.
    const int count = compression == kBiAlphaBitfields || headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      if (!in.U32(masks[i])) {
        return false;
      }
    }
    const std::size_t read = 40 + 4 * std::size_t(count);
    if (headerSize > read && !in.Skip(headerSize - read, "bitmap header")) {
      return false;
    }
  } else if (!in.Skip(headerSize - 40, "bitmap header")) {
    return false;
  }
  if (compression != kBiRgb && !bitfields) {
    return in.Fail("bitmap: compressed pixels are not supported");
  }
  if (bitfields ? bits != 16 && bits != 32
                : bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    return in.Fail("bitmap: unsupported bit depth");
  }
  const bool topDown = height < 0;
  const std::int64_t w = width, h = std::llabs(std::int64_t(height));
  if (w <= 0 || h <= 0 || !in.CheckBitmapSize(w, h, "bitmap")) {
    return in.Fail("bitmap: bad size");
  }
  std::vector<TskColor> palette;
  if (bits <= 8) {
    const std::uint32_t entries = colorsUsed == 0 ? 1u << bits : colorsUsed;
    if (entries > 256) {
      return in.Fail("bitmap: colour table too large");
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
      std::uint32_t quad = 0;
      if (!in.U32(quad)) {
        return false;
      }
      palette.push_back(0xFF000000 | (quad & 0x00FFFFFF));
    }
  } else if (colorsUsed != 0 && colorsUsed <= 256 && !in.Skip(std::size_t(colorsUsed) * 4, "colour table")) {
    return false;
  }
  const std::size_t rowBytes = std::size_t((w * bits + 31) / 32) * 4;
  std::span<const std::uint8_t> data;
  if (!in.Bytes(rowBytes * std::size_t(h), data, "bitmap pixels")) {
    return false;
  }
  TskPixels pixels;
  if (!pixels.SetSize(std::int32_t(w), std::int32_t(h))) {
    return in.Fail("bitmap: bad size");
  }
  bool anyAlpha = false;
  for (std::int64_t y = 0; y < h; ++y) {
    const std::uint8_t* row = data.data() + rowBytes * std::size_t(topDown ? y : h - 1 - y);
    TskColor* dst = pixels.ScanLine(std::int32_t(y));
    for (std::int64_t x = 0; x < w; ++x) {
      TskColor p = 0;
      switch (bits) {
      case 1:
      case 4:
      case 8: {
        const std::size_t bit = std::size_t(x) * bits;
        const std::uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        p = index < palette.size() ? palette[index] : 0xFF000000;
        break;
      }
      case 16:
      case 32: {
        std::uint32_t v = row[x * (bits / 8)] | (row[x * (bits / 8) + 1] << 8);
        if (bits == 32) {
          v |= std::uint32_t(row[x * 4 + 2]) << 16 | std::uint32_t(row[x * 4 + 3]) << 24;
        }
        if (!bitfields) {
          p = v;
        } else {
          p = Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]) |
              (masks[3] ? Channel(v, masks[3]) << 24 : 0xFF000000u);
        }
        break;
      }
      default: // 24
        p = 0xFF000000 | std::uint32_t(row[x * 3 + 2]) << 16 | std::uint32_t(row[x * 3 + 1]) << 8 |
            row[x * 3];
        break;
      }
      anyAlpha |= (p >> 24) != 0;
      dst[x] = p;
    }
  }
  if (bits == 32 && !anyAlpha) {
    pixels.SetAlpha(255);
  }
  hasAlpha = pixels.CheckAlpha();
  if (!hasAlpha) {
    // Fully transparent pixels also count as alpha.
    for (std::int32_t y = 0; y < pixels.Height() && !hasAlpha; ++y) {
      for (std::int32_t x = 0; x < pixels.Width(); ++x) {
        if ((pixels.GetPixel(x, y) >> 24) == 0) {
          hasAlpha = true;
          break;
        }
      }
    }
  }
  out = std::move(pixels);
  return true;
}
