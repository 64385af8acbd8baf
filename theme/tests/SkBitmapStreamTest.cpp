// The stored bitmap form: round trip, bottom-up rows, and rejection of hostile headers.
#include "theme/SkBitmapStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {
std::vector<std::uint8_t> Header(const std::string& name, std::int32_t w, std::int32_t h) {
  TskByteWriter out;
  WriteStreamString(out, name);
  out.WriteInt32(w);
  out.WriteInt32(h);
  return out.Bytes();
}
} // namespace

TEST(SkBitmapStream, RoundTripsNamePixelsAndAlpha) {
  TskPixels p;
  p.SetSize(3, 2);
  for (int i = 0; i < 6; ++i) {
    p.SetPixel(i % 3, i / 3, 0x01020304u * TskColor(i + 1) + (TskColor(i) << 30));
  }
  TskByteWriter out;
  WriteStoredBitmap(out, "caption", p);
  ASSERT_EQ(out.Bytes().size(), 4 + 7 + 8 + 6 * 4u);
  EXPECT_EQ(out.Bytes()[4 + 7 + 8], 0x04); // blue byte first

  TskByteReader in(out.Bytes());
  TskStoredBitmap got;
  ASSERT_TRUE(ReadStoredBitmap(in, got));
  EXPECT_EQ(got.Name, "caption");
  ASSERT_EQ(got.Pixels.Width(), 3);
  ASSERT_EQ(got.Pixels.Height(), 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(got.Pixels.GetPixel(i % 3, i / 3), p.GetPixel(i % 3, i / 3));
  }
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(SkBitmapStream, NegativeHeightStoresRowsBottomUp) {
  std::vector<std::uint8_t> bytes = Header("x", 1, -2);
  for (std::uint8_t b : {1, 0, 0, 0, 2, 0, 0, 0}) {
    bytes.push_back(b);
  }
  TskByteReader in(bytes);
  TskStoredBitmap got;
  ASSERT_TRUE(ReadStoredBitmap(in, got));
  EXPECT_EQ(got.Pixels.GetPixel(0, 0), 2u);
  EXPECT_EQ(got.Pixels.GetPixel(0, 1), 1u);
}

TEST(SkBitmapStream, ZeroDimensionReadsNoPixels) {
  std::vector<std::uint8_t> bytes = Header("z", 3, 0);
  bytes.push_back(0xEE);
  TskByteReader in(bytes);
  TskStoredBitmap got;
  ASSERT_TRUE(ReadStoredBitmap(in, got));
  EXPECT_TRUE(got.Pixels.Empty());
  EXPECT_EQ(in.Remaining(), 1u); // the next item starts right after the header
}

TEST(SkBitmapStream, RejectsHostileHeadersAndLeavesTheResultUntouched) {
  struct Row {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Row> rows = {
      {"width above the limit", Header("a", 16385, 1)},
      {"height above the limit", Header("a", 1, -16385)},
      {"most negative height", Header("a", 1, INT32_MIN)},
      {"most negative width", Header("a", INT32_MIN, 1)},
      {"byte size beyond 32 bits", Header("a", 16384, 16384)},
      {"one pixel missing", Header("a", 2, 2)},
      {"truncated header", {1, 0, 0, 0, 'a', 5, 0}},
      {"name longer than the data", {0xF0, 0xFF, 0xFF, 0x7F, 'a'}},
      {"negative name length", {0xFF, 0xFF, 0xFF, 0xFF}},
      {"nothing at all", {}},
  };
  for (int i = 0; i < 3 * 4; ++i) {
    rows[5].bytes.push_back(0);
  }
  for (const Row& r : rows) {
    TskByteReader in(r.bytes);
    TskStoredBitmap got;
    got.Name = "before";
    EXPECT_FALSE(ReadStoredBitmap(in, got)) << r.what;
    EXPECT_EQ(got.Name, "before") << r.what;
    EXPECT_TRUE(got.Pixels.Empty()) << r.what;
    EXPECT_EQ(in.Position(), 0u) << r.what;
  }
}
