// The shared bitmap decoder over every depth and compression, built from small hand-made
// bitmaps: as a resource (no file header), as a file, and embedded in a skin.
#include "themefiles/SfDib.h"
#include "themefiles/SfSkinSource.h"
#include "themefiles/VsDib.h"
#include "themefiles/tests/SfByteBuilder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

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
std::vector<std::uint8_t> Resource(const TDibCase& c, std::uint32_t colorsUsed) {
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
std::vector<std::uint8_t> File(const std::vector<std::uint8_t>& resource, std::size_t dataBytes) {
  TSfByteBuilder b;
  const std::uint32_t offset = std::uint32_t(14 + resource.size() - dataBytes);
  b.Raw("BM").U32(std::uint32_t(14 + resource.size())).U32(0).U32(offset).Raw(resource);
  return b.B;
}

std::vector<TDibCase> Cases() {
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

std::uint32_t ColorsUsed(const TDibCase& c) { return c.Bits <= 8 ? std::uint32_t(c.Extra.size()) : 0; }

void ExpectImage(const TskPixels& p, const TImage& expected, const std::string& name) {
  ASSERT_EQ(p.Width(), 3) << name;
  ASSERT_EQ(p.Height(), 2) << name;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p.GetPixel(i % 3, i / 3), expected[std::size_t(i)]) << name << ", pixel " << i;
  }
}

TEST(SfDib, EveryDepthAndCompressionDecodesAsResourceFileAndSkinBitmap) {
  for (const TDibCase& c : Cases()) {
    const std::vector<std::uint8_t> resource = Resource(c, ColorsUsed(c));
    {
      TSfReader in(resource);
      TskPixels p;
      bool alpha = true;
      ASSERT_TRUE(VsDecodeDib(in, p, alpha)) << c.Name << ": " << in.Error();
      ExpectImage(p, c.Expected, c.Name);
      EXPECT_EQ(alpha, c.HasAlpha) << c.Name;
    }
    const std::vector<std::uint8_t> file = File(resource, c.Data.size());
    {
      TSfReader in(file);
      TskPixels p;
      bool alpha = true;
      ASSERT_TRUE(SfDecodeDibFile(in, p, alpha)) << c.Name << ": " << in.Error();
      ExpectImage(p, c.Expected, c.Name);
    }
    // The oldest bitmap row of the binary skin form: name, size, file.
    TSfByteBuilder contents;
    contents.Header().U32(1).Str("b").U32(std::uint32_t(file.size())).Raw(file);
    contents.U32(1).Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", "A").End()));
    TSfSkinSource s;
    ASSERT_TRUE(s.LoadFromStream(CompressedFile("_MCT", contents.B, 1))) << s.LastError();
    ASSERT_EQ(s.FBitmaps.size(), 1u);
    ExpectImage(s.FBitmaps[0]->Pixels, c.Expected, std::string(c.Name) + " in a skin");
  }
}

TEST(SfDib, MalformedBitmapsFailWithAReason) {
  const TDibCase rle = Cases()[10];
  struct TBad {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
    const char* Reason;
  };
  std::vector<TBad> bad;
  auto spoil = [&](const char* name, std::size_t at, std::uint32_t v, const char* reason) {
    std::vector<std::uint8_t> b = Resource(rle, 4);
    for (int i = 0; i < 4; ++i) {
      b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    }
    bad.push_back({name, b, reason});
  };
  spoil("header of 12 bytes", 0, 12, "header size");
  spoil("header of 1 MB", 0, 1 << 20, "header size");
  spoil("width 0", 4, 0, "bad size");
  spoil("negative width", 4, 0xFFFFFFFF, "bad size");
  spoil("width past the side limit", 4, 70000, "bitmap");
  spoil("height INT_MIN", 8, 0x80000000u, "bad height");
  spoil("top-down run-length rows", 8, 0xFFFFFFFE, "bottom-up");
  spoil("2 bits per pixel", 14, 2 | (1u << 16), "not supported");
  spoil("run-length with 24 bits", 14, 24 | (1u << 16), "not supported");
  spoil("compression 4", 16, 4, "not supported");
  spoil("257 colours", 32, 257, "colour table");
  spoil("run-length data larger than the bytes", 20, 1000, "larger than the bytes");
  {
    TDibCase c = rle;
    c.Data.resize(c.Data.size() - 2); // the image end code
    bad.push_back({"run-length data without its end code", Resource(c, 4), "end code"});
    c.Data.push_back(7);
    bad.push_back({"run-length data ending in half a code", Resource(c, 4), "end code"});
    c.Data = {0, 2, 1};
    bad.push_back({"a move cut short", Resource(c, 4), "move cut short"});
    c.Data = {0, 9, 1, 2};
    bad.push_back({"an absolute run cut short", Resource(c, 4), "cut short"});
  }
  {
    std::vector<std::uint8_t> b = Resource(Cases()[6], 0);
    b.resize(b.size() - 1);
    bad.push_back({"24-bit rows cut short", b, "bitmap pixels"});
  }
  for (const TBad& b : bad) {
    TSfReader in(b.Bytes);
    TskPixels p;
    bool alpha = false;
    EXPECT_FALSE(SfDecodeDib(in, p, alpha)) << b.Name;
    EXPECT_NE(in.Error().find(b.Reason), std::string::npos) << b.Name << ": " << in.Error();
    EXPECT_TRUE(p.Empty()) << b.Name;
  }
  // Files: the magic and the pixel offset.
  const std::vector<std::uint8_t> resource = Resource(Cases()[2], 4);
  std::vector<std::uint8_t> file = File(resource, 8);
  file[0] = 'X';
  TSfReader magic(file);
  TskPixels p;
  bool alpha = false;
  EXPECT_FALSE(SfDecodeDibFile(magic, p, alpha));
  EXPECT_NE(magic.Error().find("BM"), std::string::npos) << magic.Error();
  for (std::uint32_t offset : {std::uint32_t(file.size() + 1), std::uint32_t(20)}) {
    file = File(resource, 8);
    file[10] = std::uint8_t(offset);
    file[11] = std::uint8_t(offset >> 8);
    TSfReader in(file);
    EXPECT_FALSE(SfDecodeDibFile(in, p, alpha)) << offset;
    EXPECT_NE(in.Error().find("outside the file"), std::string::npos) << in.Error();
  }
  // Every cut of a file fails cleanly.
  file = File(Resource(rle, 4), rle.Data.size());
  for (std::size_t n = 0; n < file.size(); ++n) {
    TSfReader in(std::span<const std::uint8_t>(file.data(), n));
    EXPECT_FALSE(SfDecodeDibFile(in, p, alpha)) << "cut at " << n;
    EXPECT_FALSE(in.Error().empty()) << "cut at " << n;
  }
}

} // namespace
