#include "skins/SfPng.h"

#include <zlib.h>

#include <cstring>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

void Chunk(TSfWriter& out, const char* type, std::span<const std::uint8_t> data) {
  out.U32BigEndian(std::uint32_t(data.size()));
  const std::size_t start = out.Size();
  out.Bytes(type, 4);
  out.Bytes(data);
  const uLong crc = crc32(0, out.Data().data() + start, uInt(out.Size() - start));
  out.U32BigEndian(std::uint32_t(crc));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return (pa <= pb && pa <= pc) ? a : pb <= pc ? b : c;
}

} // namespace

std::vector<std::uint8_t> SfWritePng(const TskPixels& p) {
  TSfWriter out;
  out.Bytes(kSignature, 8);
  TSfWriter ihdr;
  ihdr.U32BigEndian(std::uint32_t(p.Width()));
  ihdr.U32BigEndian(std::uint32_t(p.Height()));
  const std::uint8_t rest[5] = {8, 6, 0, 0, 0}; // 8-bit RGBA, deflate, no interlace
  ihdr.Bytes(rest, 5);
  Chunk(out, "IHDR", ihdr.Data());
  std::vector<std::uint8_t> raw;
  raw.reserve((std::size_t(p.Width()) * 4 + 1) * std::size_t(p.Height()));
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    raw.push_back(0);
    const TskColor* row = p.ScanLine(y);
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      const TskColor c = row[x];
      raw.push_back(std::uint8_t(c >> 16));
      raw.push_back(std::uint8_t(c >> 8));
      raw.push_back(std::uint8_t(c));
      raw.push_back(std::uint8_t(c >> 24));
    }
  }
  Chunk(out, "IDAT", SfDeflate(raw, -1));
  Chunk(out, "IEND", {});
  return std::move(out.Data());
}

bool SfReadPng(std::span<const std::uint8_t> bytes, TskPixels& out, std::string& error,
               const TSfLimits& limits) {
  TSfReader in(bytes, limits);
  auto fail = [&](const std::string& why) {
    in.Fail(why);
    error = in.Error();
    return false;
  };
  std::span<const std::uint8_t> sig;
  if (!in.Bytes(8, sig, "PNG signature") || std::memcmp(sig.data(), kSignature, 8) != 0) {
    return fail("not a PNG image");
  }
  std::uint32_t width = 0, height = 0;
  std::uint8_t colorType = 0;
  bool haveHeader = false, ended = false;
  std::vector<std::uint8_t> idat;
  std::vector<std::uint32_t> palette; // 0xAARRGGBB
  while (!ended) {
    std::uint32_t length;
    std::span<const std::uint8_t> typeAndData;
    if (!in.U32BigEndian(length)) {
      return fail("PNG ends before its end chunk");
    }
    if (length > 0x7FFFFFFFu || length > limits.MaxRecordBytes) {
      return fail("PNG chunk length " + std::to_string(length) + " is over the limit");
    }
    std::uint32_t crc;
    if (!in.Bytes(std::size_t(length) + 4, typeAndData, "PNG chunk") || !in.U32BigEndian(crc)) {
      error = in.Error();
      return false;
    }
    if (std::uint32_t(crc32(0, typeAndData.data(), uInt(typeAndData.size()))) != crc) {
      return fail("PNG chunk checksum is wrong");
    }
    const std::string type(reinterpret_cast<const char*>(typeAndData.data()), 4);
    TSfReader data(typeAndData.subspan(4), limits);
    if (type == "IHDR") {
      std::uint8_t depth, compression, filter, interlace;
      if (!data.U32BigEndian(width) || !data.U32BigEndian(height) || !data.U8(depth) || !data.U8(colorType) ||
          !data.U8(compression) || !data.U8(filter) || !data.U8(interlace)) {
        return fail("PNG header is too short");
      }
      if (width == 0 || height == 0 || width > std::uint32_t(limits.MaxBitmapSide) ||
          height > std::uint32_t(limits.MaxBitmapSide) ||
          std::int64_t(width) * height > limits.MaxBitmapPixels) {
        return fail("PNG size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is over the limits");
      }
      if (depth != 8 || compression != 0 || filter != 0 || interlace != 0 ||
          (colorType != 0 && colorType != 2 && colorType != 3 && colorType != 4 && colorType != 6)) {
        return fail("PNG kind not read (only non-interlaced 8-bit images)");
      }
      haveHeader = true;
    } else if (!haveHeader) {
      return fail("PNG does not start with its header");
    } else if (type == "PLTE") {
      if (length % 3 != 0 || length / 3 > 256) {
        return fail("PNG palette is malformed");
      }
      palette.clear();
      for (std::uint32_t i = 0; i < length / 3; ++i) {
        const std::uint8_t* e = typeAndData.data() + 4 + i * 3;
        palette.push_back(0xFF000000u | (std::uint32_t(e[0]) << 16) | (std::uint32_t(e[1]) << 8) | e[2]);
      }
    } else if (type == "tRNS" && colorType == 3) {
      for (std::uint32_t i = 0; i < length && i < palette.size(); ++i) {
        palette[i] = (palette[i] & 0x00FFFFFFu) | (std::uint32_t(typeAndData[4 + i]) << 24);
      }
    } else if (type == "IDAT") {
      if (idat.size() + length > limits.MaxInflatedBytes) {
        return fail("PNG image data is over the limit");
      }
      idat.insert(idat.end(), typeAndData.begin() + 4, typeAndData.end());
    } else if (type == "IEND") {
      ended = true;
    } else if (!(typeAndData[0] & 0x20)) {
      return fail("PNG holds an unknown critical chunk '" + type + "'");
    }
  }
  if (!haveHeader || idat.empty()) {
    return fail("PNG has no image data");
  }
  if (colorType == 3 && palette.empty()) {
    return fail("PNG palette image without a palette");
  }
  const std::size_t channels = colorType == 0   ? 1
                               : colorType == 2 ? 3
                               : colorType == 3 ? 1
                               : colorType == 4 ? 2
                                                : 4;
  const std::size_t rowBytes = std::size_t(width) * channels;
  std::vector<std::uint8_t> raw;
  TSfReader z(idat, limits);
  if (!SfInflateExact(z, (rowBytes + 1) * height, raw)) {
    error = z.Error();
    return false;
  }
  TskPixels img;
  if (!img.SetSize(std::int32_t(width), std::int32_t(height))) {
    return fail("PNG image could not be allocated");
  }
  std::vector<std::uint8_t> prev(rowBytes, 0), cur(rowBytes);
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* src = raw.data() + y * (rowBytes + 1);
    const std::uint8_t filter = src[0];
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= channels ? cur[i - channels] : 0, b = prev[i],
                c = i >= channels ? prev[i - channels] : 0;
      int v = src[1 + i];
      switch (filter) {
      case 0: break;
      case 1: v += a; break;
      case 2: v += b; break;
      case 3: v += (a + b) / 2; break;
      case 4: v += Paeth(a, b, c); break;
      default: return fail("PNG row filter " + std::to_string(filter) + " is unknown");
      }
      cur[i] = std::uint8_t(v);
    }
    TskColor* dst = img.ScanLine(std::int32_t(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* p = cur.data() + std::size_t(x) * channels;
      std::uint32_t r, g, b, a = 255;
      switch (colorType) {
      case 0: r = g = b = p[0]; break;
      case 4:
        r = g = b = p[0];
        a = p[1];
        break;
      case 2:
        r = p[0];
        g = p[1];
        b = p[2];
        break;
      case 6:
        r = p[0];
        g = p[1];
        b = p[2];
        a = p[3];
        break;
      default:
        if (p[0] >= palette.size()) {
          return fail("PNG pixel names a missing palette entry");
        }
        dst[x] = palette[p[0]];
        continue;
      }
      dst[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    std::swap(prev, cur);
  }
  out = std::move(img);
  return true;
}
