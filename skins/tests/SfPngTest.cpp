// PNG images: lossless round trip and strict reading of malformed files.
#include "skins/SfPng.h"

#include <gtest/gtest.h>

namespace {

TskPixels Sample() {
  TskPixels p;
  p.SetSize(7, 5);
  for (std::int32_t y = 0; y < 5; ++y) {
    for (std::int32_t x = 0; x < 7; ++x) {
      p.SetPixel(x, y,
                 std::uint32_t(x * 37 + y) << 24 | std::uint32_t(x * 11) << 16 | std::uint32_t(y * 50) << 8 |
                     7);
    }
  }
  p.SetPixel(0, 0, skKeyColor); // colour kept where alpha is 0
  return p;
}

TEST(SfPng, RoundTripKeepsEveryPixel) {
  const TskPixels p = Sample();
  TskPixels back;
  std::string error;
  ASSERT_TRUE(SfReadPng(SfWritePng(p), back, error)) << error;
  ASSERT_EQ(back.Width(), 7);
  for (std::int32_t y = 0; y < 5; ++y) {
    for (std::int32_t x = 0; x < 7; ++x) {
      ASSERT_EQ(back.GetPixel(x, y), p.GetPixel(x, y)) << x << "," << y;
    }
  }
}

TEST(SfPng, MalformedFilesFailWithAReason) {
  const std::vector<std::uint8_t> good = SfWritePng(Sample());
  TskPixels out;
  std::string error;
  for (std::size_t n = 0; n < good.size(); ++n) {
    ASSERT_FALSE(SfReadPng(std::span(good).first(n), out, error)) << n;
    ASSERT_FALSE(error.empty());
  }
  EXPECT_TRUE(out.Empty()) << "a failed read leaves the image untouched";
  // Every byte flipped: read, or failed with a reason and the image untouched.
  for (std::size_t at = 0; at < good.size(); ++at) {
    std::vector<std::uint8_t> bad = good;
    bad[at] ^= 0xFF;
    TskPixels flipped;
    error.clear();
    if (!SfReadPng(bad, flipped, error)) {
      ASSERT_FALSE(error.empty()) << at;
      ASSERT_TRUE(flipped.Empty()) << at;
    }
  }
  struct TCase {
    const char* Name;
    std::size_t Offset;
    std::uint8_t Value;
    const char* Reason;
  };
  for (const TCase& c :
       {TCase{"bad checksum", 20, 0x55, "checksum"}, TCase{"not a PNG", 1, 'X', "not a PNG"}}) {
    std::vector<std::uint8_t> bad = good;
    bad[c.Offset] = c.Value;
    EXPECT_FALSE(SfReadPng(bad, out, error)) << c.Name;
    EXPECT_NE(error.find(c.Reason), std::string::npos) << c.Name << ": " << error;
  }
  TSfLimits small;
  small.MaxBitmapSide = 6;
  EXPECT_FALSE(SfReadPng(good, out, error, small));
  EXPECT_NE(error.find("over the limits"), std::string::npos) << error;
}

} // namespace
