// Fuzzes the PNG reader. An odd first byte writes the input over a valid image and repairs
// the chunk checksums, so that the decoder behind them is reached.
#include "skins/SfPng.h"

#include <zlib.h>

#include <cstring>

namespace {

const std::vector<std::uint8_t>& Template() {
  static const std::vector<std::uint8_t> png = [] {
    TskPixels p;
    p.SetSize(9, 7);
    for (std::int32_t y = 0; y < 7; ++y) {
      for (std::int32_t x = 0; x < 9; ++x) {
        p.SetPixel(x, y, 0x80000000u | std::uint32_t(x * 28) << 16 | std::uint32_t(y * 36));
      }
    }
    return SfWritePng(p);
  }();
  return png;
}

void RepairChecksums(std::vector<std::uint8_t>& png) {
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::size_t len = std::size_t(png[at]) << 24 | std::size_t(png[at + 1]) << 16 |
                            std::size_t(png[at + 2]) << 8 | png[at + 3];
    if (len > png.size() - at - 12) {
      return;
    }
    const std::uint32_t crc = std::uint32_t(crc32(0, png.data() + at + 4, uInt(len + 4)));
    for (int i = 0; i < 4; ++i) {
      png[at + 8 + len + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
    }
    at += len + 12;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (data[0] & 1) {
    std::vector<std::uint8_t> png = Template();
    if (bytes.size() >= 1) {
      const std::size_t at = 8 + bytes[0] % (png.size() - 8);
      const std::size_t n = std::min(bytes.size() - 1, png.size() - at);
      std::memcpy(png.data() + at, bytes.data() + 1, n);
    }
    RepairChecksums(png);
    bytes = std::move(png);
  }
  TSfLimits limits;
  limits.MaxBitmapPixels = 1 << 20;
  TskPixels out;
  std::string error;
  if (!SfReadPng(bytes, out, error, limits) && error.empty()) {
    __builtin_trap();
  }
  return 0;
}
