#pragma once
// Small hand-made bitmaps of every depth and compression, with the image each must decode
// to: as a resource (no file header) and as a file. Shared by the decoder's tests and the
// skin tests that embed them.
#include "fileread/tests/SfByteBuilder.h"
#include "theme/SkPixels.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sf_dib_cases {

// A 3 x 2 image, top row first, as 0xAARRGGBB.
using TImage = std::array<TskColor, 6>;

// Colour table entries c0..c3 (stored as blue, green, red, 0).
constexpr std::uint32_t kPalette[4] = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
constexpr TskColor C(int i) { return 0xFF000000 | kPalette[i]; }
constexpr TskColor kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kBlack = 0xFF000000, kMagenta = 0xFFFF00FF;
// What the true-colour fixtures hold: red, green, blue over white, black, magenta.
constexpr TImage kTrue = {kRed, kGreen, kBlue, kWhite, kBlack, kMagenta};
// What the palette fixtures hold (1 bit: c1 c0 c1 over c0 c1 c1).
constexpr TImage kIndexed = {C(1), C(2), C(3), C(0), C(1), C(2)};

struct TDibCase {
  const char* Name;
  std::int32_t Height; // 2, or -2 for top-down rows
  std::uint16_t Bits;
  std::uint32_t Compression;
  std::vector<std::uint32_t> Extra; // bit masks, or the colour table
  std::vector<std::uint8_t> Data;
  TImage Expected;
  bool HasAlpha = false;
};

// A bitmap without file header: information header, masks or table, data.
inline std::vector<std::uint8_t> Resource(const TDibCase& c, std::uint32_t colorsUsed) {
  TSfByteBuilder b;
  b.U32(40).U32(3).U32(std::uint32_t(c.Height)).U16(1).U16(c.Bits).U32(c.Compression);
  b.U32(std::uint32_t(c.Data.size())).U32(0).U32(0).U32(colorsUsed).U32(0);
  for (std::uint32_t v : c.Extra) {
    b.U32(v);
  }
  b.Raw(c.Data);
  return b.B;
}

// The same as a file: "BM", size, reserved, offset of the data.
inline std::vector<std::uint8_t> File(const std::vector<std::uint8_t>& resource, std::size_t dataBytes) {
  TSfByteBuilder b;
  const std::uint32_t offset = std::uint32_t(14 + resource.size() - dataBytes);
  b.Raw("BM").U32(std::uint32_t(14 + resource.size())).U32(0).U32(offset).Raw(resource);
  return b.B;
}

inline std::vector<TDibCase> Cases() {
  const std::vector<std::uint32_t> table(std::begin(kPalette), std::end(kPalette));
  return {
      {"1 bit",
       2,
       1,
       0,
       {kPalette[0], kPalette[1]},
       {0x60, 0, 0, 0, 0xA0, 0, 0, 0},
       {C(1), C(0), C(1), C(0), C(1), C(1)}},
      {"4 bits", 2, 4, 0, table, {0x01, 0x20, 0, 0, 0x12, 0x30, 0, 0}, kIndexed},
      {"8 bits", 2, 8, 0, table, {0, 1, 2, 0, 1, 2, 3, 0}, kIndexed},
      {"8 bits top-down", -2, 8, 0, table, {1, 2, 3, 0, 0, 1, 2, 0}, kIndexed},
      {"16 bits 5-5-5",
       2,
       16,
       0,
       {},
       {0xFF, 0x7F, 0, 0, 0x1F, 0x7C, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0, 0, 0},
       kTrue},
      {"16 bits with masks 5-6-5",
       2,
       16,
       3,
       {0xF800, 0x07E0, 0x001F},
       {0xFF, 0xFF, 0, 0, 0x1F, 0xF8, 0, 0, 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0, 0, 0},
       kTrue},
      {"24 bits",
       2,
       24,
       0,
       {},
       {255, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0},
       kTrue},
      {"32 bits without alpha",
       2,
       32,
       0,
       {},
       {255, 255, 255, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0},
       kTrue},
      {"32 bits with alpha",
       2,
       32,
       0,
       {},
       {255, 255, 255, 255, 0, 0, 0, 255, 255, 0, 255, 255, 0, 0, 255, 0x80, 0, 255, 0, 255, 255, 0, 0, 255},
       {0x80FF0000, kGreen, kBlue, kWhite, kBlack, kMagenta},
       true},
      {"32 bits with masks",
       2,
       32,
       3,
       {0xFF0000, 0xFF00, 0xFF},
       {255, 255, 255, 9, 0, 0, 0, 9, 255, 0, 255, 9, 0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9},
       kTrue},
      // Runs of one index, a line end, an absolute run padded to 16 bits, the image end.
      {"RLE8", 2, 8, 1, table, {1, 0, 1, 1, 1, 2, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}, kIndexed},
      // A move leaves c0 behind it.
      {"RLE8 with a move",
       2,
       8,
       1,
       table,
       {3, 1, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1},
       {C(0), C(0), C(3), C(1), C(1), C(1)}},
      // An absolute run of three indexes in two bytes; runs alternating two indexes.
      {"RLE4", 2, 4, 2, table, {0, 3, 0x01, 0x20, 0, 0, 2, 0x12, 1, 0x30, 0, 1}, kIndexed},
  };
}

inline std::uint32_t ColorsUsed(const TDibCase& c) { return c.Bits <= 8 ? std::uint32_t(c.Extra.size()) : 0; }

inline void ExpectImage(const TskPixels& p, const TImage& expected, const std::string& name) {
  ASSERT_EQ(p.Width(), 3) << name;
  ASSERT_EQ(p.Height(), 2) << name;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p.GetPixel(i % 3, i / 3), expected[std::size_t(i)]) << name << ", pixel " << i;
  }
}

} // namespace sf_dib_cases
