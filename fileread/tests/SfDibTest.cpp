// The shared bitmap decoder over every depth and compression, built from small hand-made
// bitmaps: as a resource (no file header) and as a file.
#include "fileread/SfDib.h"
#include "fileread/tests/SfDibCases.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace sf_dib_cases;

TEST(SfDib, EveryDepthAndCompressionDecodesAsResourceAndFile) {
  for (const TDibCase& c : Cases()) {
    const std::vector<std::uint8_t> resource = Resource(c, ColorsUsed(c));
    {
      TSfReader in(resource);
      TskPixels p;
      bool alpha = true;
      ASSERT_TRUE(SfDecodeDib(in, p, alpha)) << c.Name << ": " << in.Error();
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
