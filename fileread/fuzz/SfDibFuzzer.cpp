// Fuzzes the shared bitmap decoder, as a resource (no file header) and as a file. The first
// byte chooses the form and whether the rest is written over one of a few valid bitmaps
// (8 bits, run-length 8 and 4 bits, 16 bits with masks), so that the pixel decoders behind
// the headers are reached.
#include "fileread/SfDib.h"
#include "fileread/tests/SfByteBuilder.h"

#include <algorithm>
#include <array>

namespace {

std::vector<std::uint8_t> Bitmap(std::int32_t w, std::int32_t h, std::uint16_t bits,
                                 std::uint32_t compression, const std::vector<std::uint32_t>& extra,
                                 const std::vector<std::uint8_t>& data) {
  TSfByteBuilder b;
  b.U32(40).U32(std::uint32_t(w)).U32(std::uint32_t(h)).U16(1).U16(bits).U32(compression);
  b.U32(std::uint32_t(data.size())).U32(0).U32(0).U32(bits <= 8 ? std::uint32_t(extra.size()) : 0).U32(0);
  for (std::uint32_t v : extra) {
    b.U32(v);
  }
  b.Raw(data);
  return b.B;
}

const std::array<std::vector<std::uint8_t>, 4>& Templates() {
  static const std::array<std::vector<std::uint8_t>, 4> t = {
      Bitmap(3, 2, 8, 0, {1, 2, 3, 4}, {0, 1, 2, 0, 1, 2, 3, 0}),
      Bitmap(5, 3, 8, 1, {1, 2, 3, 4}, {2, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 0, 4, 2, 0, 1}),
      Bitmap(5, 2, 4, 2, {1, 2, 3, 4}, {0, 3, 0x01, 0x20, 0, 0, 5, 0x12, 0, 1}),
      Bitmap(2, 2, 16, 3, {0xF800, 0x07E0, 0x001F}, {1, 2, 3, 4, 5, 6, 7, 8}),
  };
  return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const std::uint8_t mode = data[0];
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (mode & 2) {
    std::vector<std::uint8_t> t = Templates()[(mode >> 2) & 3];
    if (!bytes.empty()) {
      const std::size_t at = bytes[0] % t.size();
      const std::size_t n = std::min(bytes.size() - 1, t.size() - at);
      std::copy_n(bytes.begin() + 1, n, t.begin() + std::ptrdiff_t(at));
      // Bytes past the template lengthen the data (more run-length codes).
      if (bytes.size() - 1 > n) {
        t.insert(t.end(), bytes.begin() + 1 + std::ptrdiff_t(n), bytes.end());
      }
    }
    bytes = std::move(t);
  }
  if (mode & 1) {
    TSfByteBuilder file;
    file.Raw("BM").U32(std::uint32_t(14 + bytes.size())).U32(0).U32(mode & 0x10 ? 54 + 16 : 54).Raw(bytes);
    bytes = std::move(file.B);
  }
  TSfLimits limits;
  limits.MaxBitmapPixels = 1 << 20;
  TSfReader in(bytes, limits);
  TskPixels out;
  bool alpha = false;
  const bool ok = mode & 1 ? SfDecodeDibFile(in, out, alpha) : SfDecodeDib(in, out, alpha);
  if (ok != !in.Failed() || (ok && out.Empty()) || (!ok && !out.Empty())) {
    __builtin_trap();
  }
  return 0;
}
