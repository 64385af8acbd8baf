#include "fileread/SfDib.h"

#include <bit>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

// What the information header, the masks and the colour table say.
struct THeader {
  std::int64_t Width = 0, Height = 0;
  bool TopDown = false;
  std::uint16_t Bits = 0;
  std::uint32_t Compression = 0, ImageSize = 0;
  bool Bitfields = false;
  std::uint32_t Masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  std::vector<TskColor> Palette;
};

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

bool ReadHeader(TSfReader& in, THeader& h) {
  std::uint32_t headerSize = 0;
  if (!in.U32(headerSize)) {
    return false;
  }
  if (headerSize < 40 || headerSize > kSfDibMaxHeaderBytes) {
    return in.Fail("bitmap: unknown header size " + std::to_string(headerSize));
  }
  std::int32_t width = 0, height = 0, resolution = 0;
  std::uint16_t planes = 0;
  std::uint32_t colorsUsed = 0, important = 0;
  if (!in.I32(width) || !in.I32(height) || !in.U16(planes) || !in.U16(h.Bits) || !in.U32(h.Compression) ||
      !in.U32(h.ImageSize) || !in.I32(resolution) || !in.I32(resolution) || !in.U32(colorsUsed) ||
      !in.U32(important)) {
    return false;
  }
  h.Bitfields = h.Compression == kBiBitfields || h.Compression == kBiAlphaBitfields;
  std::size_t read = 40;
  if (h.Bitfields) {
    // Masks follow a 40-byte header, or are part of a larger one.
    const int count = h.Compression == kBiAlphaBitfields || headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      if (!in.U32(h.Masks[i])) {
        return false;
      }
    }
    read += 4 * std::size_t(count);
  } else if (h.Bits == 16) {
    h.Masks[0] = 0x7C00;
    h.Masks[1] = 0x03E0;
    h.Masks[2] = 0x001F;
  }
  if (headerSize > read && !in.Skip(headerSize - read, "bitmap header")) {
    return false;
  }
  const bool supported =
      (h.Compression == kBiRgb &&
       (h.Bits == 1 || h.Bits == 4 || h.Bits == 8 || h.Bits == 16 || h.Bits == 24 || h.Bits == 32)) ||
      (h.Compression == kBiRle8 && h.Bits == 8) || (h.Compression == kBiRle4 && h.Bits == 4) ||
      (h.Bitfields && (h.Bits == 16 || h.Bits == 32));
  if (!supported) {
    return in.Fail("bitmap: " + std::to_string(h.Bits) + " bits per pixel with compression " +
                   std::to_string(h.Compression) + " are not supported");
  }
  if (height == INT32_MIN) {
    return in.Fail("bitmap: bad height");
  }
  h.TopDown = height < 0;
  h.Width = width;
  h.Height = std::llabs(std::int64_t(height));
  if (h.Width <= 0 || h.Height <= 0 || !in.CheckBitmapSize(h.Width, h.Height, "bitmap")) {
    return in.Fail("bitmap: bad size");
  }
  if (h.TopDown && (h.Compression == kBiRle8 || h.Compression == kBiRle4)) {
    return in.Fail("bitmap: run-length rows must be stored bottom-up");
  }
  if (h.Bits <= 8) {
    const std::uint32_t entries = colorsUsed == 0 ? 1u << h.Bits : colorsUsed;
    if (entries > kSfDibMaxColors) {
      return in.Fail("bitmap: colour table of more than " + std::to_string(kSfDibMaxColors) + " entries");
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
      std::uint32_t quad = 0;
      if (!in.U32(quad)) {
        return false;
      }
      h.Palette.push_back(0xFF000000 | (quad & 0x00FFFFFF));
    }
  } else if (colorsUsed != 0) {
    // A colour table beside true-colour pixels is only a hint for palette devices.
    if (colorsUsed > kSfDibMaxColors) {
      return in.Fail("bitmap: colour table of more than " + std::to_string(kSfDibMaxColors) + " entries");
    }
    if (!in.Skip(std::size_t(colorsUsed) * 4, "colour table")) {
      return false;
    }
  }
  return true;
}

TskColor PaletteColor(const THeader& h, std::uint32_t index) {
  return index < h.Palette.size() ? h.Palette[index] : 0xFF000000;
}

bool DecodeRows(TSfReader& in, const THeader& h, TskPixels& pixels) {
  const std::size_t rowBytes = std::size_t((h.Width * h.Bits + 31) / 32) * 4;
  std::span<const std::uint8_t> data;
  if (!in.Bytes(rowBytes * std::size_t(h.Height), data, "bitmap pixels")) {
    return false;
  }
  for (std::int64_t y = 0; y < h.Height; ++y) {
    const std::uint8_t* row = data.data() + rowBytes * std::size_t(h.TopDown ? y : h.Height - 1 - y);
    TskColor* dst = pixels.ScanLine(std::int32_t(y));
    for (std::int64_t x = 0; x < h.Width; ++x) {
      TskColor p = 0;
      switch (h.Bits) {
      case 1:
      case 4:
      case 8: {
        const std::size_t bit = std::size_t(x) * h.Bits;
        p = PaletteColor(h, (row[bit / 8] >> (8 - h.Bits - bit % 8)) & ((1u << h.Bits) - 1));
        break;
      }
      case 16: {
        const std::uint32_t v = row[x * 2] | (row[x * 2 + 1] << 8);
        p = Channel(v, h.Masks[0]) << 16 | Channel(v, h.Masks[1]) << 8 | Channel(v, h.Masks[2]) |
            (h.Masks[3] ? Channel(v, h.Masks[3]) << 24 : 0xFF000000u);
        break;
      }
      case 32: {
        const std::uint32_t v = std::uint32_t(row[x * 4]) | std::uint32_t(row[x * 4 + 1]) << 8 |
                                std::uint32_t(row[x * 4 + 2]) << 16 | std::uint32_t(row[x * 4 + 3]) << 24;
        p = !h.Bitfields
                ? v
                : Channel(v, h.Masks[0]) << 16 | Channel(v, h.Masks[1]) << 8 | Channel(v, h.Masks[2]) |
                      (h.Masks[3] ? Channel(v, h.Masks[3]) << 24 : 0xFF000000u);
        break;
      }
      default: // 24
        p = 0xFF000000 | std::uint32_t(row[x * 3 + 2]) << 16 | std::uint32_t(row[x * 3 + 1]) << 8 |
            row[x * 3];
        break;
      }
      dst[x] = p;
    }
  }
  return true;
}

// Run-length data (8 or 4 bits): pairs of a count and a colour index (4 bits: two indexes
// taken in turn), or an escape: 0 0 line end, 0 1 image end, 0 2 dx dy move, 0 n n absolute
// indexes padded to a 16-bit boundary. Each step reads at least two bytes, so the work is
// bounded by the data; pixels outside the image are not written.
bool DecodeRunLength(TSfReader& in, const THeader& h, TskPixels& pixels) {
  std::size_t size = h.ImageSize != 0 ? h.ImageSize : in.Remaining();
  if (size > in.Remaining()) {
    return in.Fail("bitmap: run-length data larger than the bytes left");
  }
  TSfReader rle(std::span<const std::uint8_t>(), in.Limits());
  if (!in.Sub(size, rle, "bitmap run-length data")) {
    return false;
  }
  pixels.Fill(PaletteColor(h, 0));
  const bool four = h.Compression == kBiRle4;
  std::int64_t x = 0, y = 0; // y counts rows from the bottom
  auto put = [&](std::uint32_t index) {
    if (x < h.Width && y < h.Height) {
      pixels.SetPixel(std::int32_t(x), std::int32_t(h.Height - 1 - y), PaletteColor(h, index));
    }
    ++x;
  };
  for (;;) {
    std::uint8_t count = 0, value = 0;
    if (rle.Remaining() < 2) {
      return in.Fail("bitmap: run-length data ends before its end code");
    }
    (void)rle.U8(count);
    (void)rle.U8(value);
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      }
      continue;
    }
    switch (value) {
    case 0:
      x = 0;
      ++y;
      break;
    case 1: return true;
    case 2: {
      std::uint8_t dx = 0, dy = 0;
      if (rle.Remaining() < 2) {
        return in.Fail("bitmap: run-length move cut short");
      }
      (void)rle.U8(dx);
      (void)rle.U8(dy);
      x += dx;
      y += dy;
      break;
    }
    default: {
      const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : value;
      std::span<const std::uint8_t> run;
      if (rle.Remaining() < bytes + (bytes & 1)) {
        return in.Fail("bitmap: run-length indexes cut short");
      }
      (void)rle.Bytes(bytes + (bytes & 1), run, "bitmap run-length indexes");
      for (int i = 0; i < value; ++i) {
        put(four ? (i % 2 == 0 ? run[std::size_t(i) / 2] >> 4 : run[std::size_t(i) / 2] & 15)
                 : run[std::size_t(i)]);
      }
      break;
    }
    }
  }
}

bool DecodePixels(TSfReader& in, const THeader& h, TskPixels& out, bool& hasAlpha) {
  TskPixels pixels;
  if (!pixels.SetSize(std::int32_t(h.Width), std::int32_t(h.Height))) {
    return in.Fail("bitmap: bad size");
  }
  const bool rle = h.Compression == kBiRle8 || h.Compression == kBiRle4;
  if (!(rle ? DecodeRunLength(in, h, pixels) : DecodeRows(in, h, pixels))) {
    return false;
  }
  if (h.Bits == 32 && !h.Bitfields) {
    bool anyAlpha = false;
    for (std::int32_t y = 0; y < pixels.Height() && !anyAlpha; ++y) {
      const TskColor* row = pixels.ScanLine(y);
      for (std::int32_t x = 0; x < pixels.Width(); ++x) {
        if (row[x] >> 24) {
          anyAlpha = true;
          break;
        }
      }
    }
    if (!anyAlpha) {
      pixels.SetAlpha(255);
    }
  }
  hasAlpha = false;
  for (std::int32_t y = 0; y < pixels.Height() && !hasAlpha; ++y) {
    const TskColor* row = pixels.ScanLine(y);
    for (std::int32_t x = 0; x < pixels.Width(); ++x) {
      if ((row[x] >> 24) != 0xFF) {
        hasAlpha = true;
        break;
      }
    }
  }
  out = std::move(pixels);
  return true;
}

} // namespace

bool SfDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha) {
  hasAlpha = false;
  THeader h;
  return ReadHeader(in, h) && DecodePixels(in, h, out, hasAlpha);
}

bool SfDecodeDibFile(TSfReader& in, TskPixels& out, bool& hasAlpha) {
  hasAlpha = false;
  std::span<const std::uint8_t> file, magic;
  if (!in.Bytes(in.Remaining(), file, "bitmap file")) {
    return false;
  }
  TSfReader head = in.Derived(file);
  std::uint32_t fileSize = 0, reserved = 0, offset = 0;
  if (!head.Bytes(2, magic, "bitmap file header") || !head.U32(fileSize) || !head.U32(reserved) ||
      !head.U32(offset)) {
    return false;
  }
  if (magic[0] != 'B' || magic[1] != 'M') {
    return in.Fail("bitmap: file does not start with BM");
  }
  THeader h;
  if (!ReadHeader(head, h)) {
    return false;
  }
  // The pixels start at the offset the file header gives, past the headers and the table.
  if (offset < head.Position() || offset > file.size()) {
    return in.Fail("bitmap: pixel offset " + std::to_string(offset) + " outside the file");
  }
  TSfReader pixels = in.Derived(file.subspan(offset));
  return DecodePixels(pixels, h, out, hasAlpha);
}
