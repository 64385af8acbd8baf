// Rectangle routines, text fields, stream strings, ellipsis fitting, gradient and checker
// arithmetic, keyboard repeat values and the balanced counters.
#include "theme/SkCanvasMath.h"
#include "theme/SkCounters.h"
#include "theme/SkRect.h"
#include "theme/SkStream.h"
#include "theme/SkText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SkRect, Routines) {
  const TskRect r{10, 20, 30, 60};
  EXPECT_EQ(RectWidth(r), 20);
  EXPECT_EQ(RectHeight(r), 40);
  EXPECT_TRUE(IsRectEmpty({5, 0, 5, 10}));
  EXPECT_TRUE(IsRectEmpty({6, 0, 5, 10}));
  EXPECT_EQ(RectWidth({INT32_MIN, 0, INT32_MAX, 1}), std::int64_t(UINT32_MAX));
  EXPECT_TRUE(RectContains({10, 20, 30, 60}, r));
  EXPECT_FALSE(RectContains({9, 20, 30, 60}, r));
  EXPECT_EQ(InflateRect(r, 2, -3), (TskRect{8, 23, 32, 57}));
  EXPECT_EQ(DeflateRect(r, 1, 2, 3, 4), (TskRect{11, 22, 27, 56}));
  EXPECT_EQ(IntersectRects(r, {25, 0, 99, 21}), (TskRect{25, 20, 30, 21}));
  EXPECT_EQ(IntersectRects(r, {40, 0, 99, 21}), TskRect{});
  // Centring truncates toward zero: 16 in 15 -> offset 0 (-0.5), 10 in 15 -> 2.
  EXPECT_EQ(CentreRect({0, 0, 16, 16}, {0, 0, 15, 15}), (TskRect{0, 0, 16, 16}));
  EXPECT_EQ(CentreRect({0, 0, 10, 10}, {100, 100, 115, 115}), (TskRect{102, 102, 112, 112}));
  EXPECT_EQ(CentreRect({7, 0, 17, 10}, {100, 100, 115, 115}, TskCentreMode::cmVertical),
            (TskRect{7, 102, 17, 112}));
}

TEST(SkText, NextTokenAndNextField) {
  struct Row {
    std::string in, token, rest;
  } const rows[] = {{"Tahoma , 8", "Tahoma", ", 8"},
                    {"  x", "", "x"},
                    {"Tahoma,8,1", "Tahoma", "8,1"},
                    {"abc", "abc", ""},
                    {"a(b)", "a", "b)"},
                    {"key = value ; x", "key", "= value ; x"},
                    {"", "", ""},
                    {":x", "", "x"}};
  for (const Row& r : rows) {
    std::string s = r.in;
    EXPECT_EQ(NextToken(s), r.token) << r.in;
    EXPECT_EQ(s, r.rest) << r.in;
  }
  std::string s = "a b|c";
  EXPECT_EQ(NextField(s, "|"), "a b");
  EXPECT_EQ(s, "c");
}

namespace {
class FixedWidth : public TskTextMeasure {
public:
  std::int32_t TextWidth(const std::wstring& t) override {
    ++Calls;
    return std::int32_t(t.size());
  }
  int Calls = 0;
};
} // namespace

TEST(SkText, EllipsisText) {
  FixedWidth m;
  EXPECT_EQ(EllipsisText(m, L"abcdefgh", 8), L"abcdefgh");
  EXPECT_EQ(EllipsisText(m, L"abcdefgh", 6), L"abc...");
  EXPECT_EQ(EllipsisText(m, L"abcdefgh", 2), L"...");
  EXPECT_EQ(EllipsisText(m, L"", 0), L"");
  // A cut never separates a surrogate pair.
  const std::wstring pair = {L'a', wchar_t(0xD83D), wchar_t(0xDE00), L'b', L'c', L'd'};
  EXPECT_EQ(EllipsisText(m, pair, 5), L"a...");
  // Long texts are fitted with a logarithmic number of measurements.
  m.Calls = 0;
  EXPECT_EQ(EllipsisText(m, std::wstring(5000, L'x'), 103), std::wstring(100, L'x') + L"...");
  EXPECT_LT(m.Calls, 20);
}

TEST(SkStream, StreamStringsRoundTripAndRejectBadCounts) {
  TskByteWriter w;
  WriteStreamString(w, "abc");
  WriteStreamString(w, "");
  EXPECT_EQ(w.Bytes(), (std::vector<std::uint8_t>{3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}));
  TskByteReader r(w.Bytes());
  std::string s;
  ASSERT_TRUE(ReadStreamString(r, s));
  EXPECT_EQ(s, "abc");
  ASSERT_TRUE(ReadStreamString(r, s));
  EXPECT_EQ(s, "");
  const std::vector<std::uint8_t> bad[] = {{4, 0, 0, 0, 'a'}, {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, {1, 0}};
  for (const auto& b : bad) {
    TskByteReader in(b);
    s = "kept";
    EXPECT_FALSE(ReadStreamString(in, s));
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(in.Position(), 0u);
  }
}

TEST(SkCanvasMath, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(SkMulDiv(5, 3, 2), 8);
  EXPECT_EQ(SkMulDiv(-5, 3, 2), -8);
  EXPECT_EQ(SkMulDiv(5, 3, -2), -8);
  EXPECT_EQ(SkMulDiv(1, 1, 0), -1);
  EXPECT_EQ(SkMulDiv(INT32_MAX, INT32_MAX, 1), -1);
  EXPECT_EQ(SkMulDiv(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
}

TEST(SkCanvasMath, GradientBandsAndTheirRounding) {
  // 10 pixels wide: 10 steps, 11 bands, the last one empty.
  const auto bands = SkGradientBands({0, 0, 10, 4}, 0x000000, false, 0xFFFFFF);
  ASSERT_EQ(bands.size(), 11u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bands[i].Rect, (TskRect{i, 0, i + 1, 4})) << i;
  }
  EXPECT_TRUE(IsRectEmpty(bands[10].Rect));
  // i * 25.5: 25.5 -> 26 (even), 76.5 -> 76 (ties to even), 127.5 -> 128, 178.5 -> 178.
  EXPECT_EQ(bands[1].Color, 0x1A1A1Au);
  EXPECT_EQ(bands[3].Color, 0x4C4C4Cu);
  EXPECT_EQ(bands[5].Color, 0x808080u);
  EXPECT_EQ(bands[7].Color, 0xB2B2B2u);
  EXPECT_EQ(bands[10].Color, 0xFFFFFFu);
  EXPECT_EQ(SkGradientBands({0, 0, 10, 300}, 0, true, 0xFF).size(), 256u);
  EXPECT_EQ(SkGradientBands({0, 0, 10, 100}, 0, true, 0xFF).size(), 101u);
  EXPECT_EQ(SkGradientBands({0, 0, 300, 1}, 0, false, 0xFF).size(), 256u);
  EXPECT_TRUE(SkGradientBands({0, 0, 0, 10}, 0, false, 0xFF).empty());
  // Bands tile the rectangle without gaps.
  const auto v = SkGradientBands({5, 7, 20, 707}, 0x0000FF, true, 0x00FF00);
  std::int32_t next = 7;
  for (const auto& b : v) {
    if (IsRectEmpty(b.Rect)) {
      continue;
    }
    EXPECT_EQ(b.Rect.Top, next);
    next = b.Rect.Bottom;
  }
  EXPECT_EQ(next, 707);
  EXPECT_EQ(v.front().Color, 0x0000FFu);
  EXPECT_EQ(v.back().Color, 0x00FF00u);
}

TEST(SkCanvasMath, CheckerPatternAndKeyRepeat) {
  const auto p = SkCheckerPattern(1, 2);
  EXPECT_EQ(p[0], 2u);
  EXPECT_EQ(p[1], 1u);
  EXPECT_EQ(p[8], 1u);
  EXPECT_EQ(p[9], 2u);
  EXPECT_EQ(p[63], 2u);
  EXPECT_EQ(SkKeyRepeatDelay(1), 400);
  EXPECT_EQ(SkKeyRepeatDelay(-4), 200);
  EXPECT_EQ(SkKeyRepeatInterval(31), 14);
  EXPECT_EQ(SkKeyRepeatInterval(0), 435);
  EXPECT_EQ(SkKeyRepeatInterval(1000), 14);
}

namespace {
class FakeCapture : public TskCaptureTarget {
public:
  void SetCapture(std::uintptr_t w) override {
    Holder = w;
    ++Sets;
  }
  std::uintptr_t GetCapture() override { return Holder; }
  void ReleaseCapture() override {
    Holder = 0;
    ++Releases;
  }
  std::uintptr_t Holder = 0;
  int Sets = 0, Releases = 0;
};
} // namespace

TEST(SkCounters, CaptureNestsAndNeverCountsBelowZero) {
  FakeCapture fake;
  TskCaptureNesting nesting(fake);
  nesting.BeginCapture(7);
  nesting.BeginCapture(8);
  EXPECT_EQ(fake.Sets, 1);
  nesting.EndCapture();
  EXPECT_EQ(fake.Holder, 7u);
  nesting.EndCapture();
  EXPECT_EQ(fake.Releases, 1);
  nesting.EndCapture(); // extra: ignored
  EXPECT_EQ(nesting.Depth(), 0);
  nesting.BeginCapture(9);
  EXPECT_EQ(fake.Holder, 9u);
  fake.Holder = 3; // another window took the capture meanwhile
  nesting.EndCapture();
  EXPECT_EQ(fake.Releases, 1);
  EXPECT_EQ(fake.Holder, 3u);
}

TEST(SkCounters, LoadCountLoadsOnceAndUnloadsAtZeroOnly) {
  TskLoadCount count;
  int loads = 0, unloads = 0;
  auto load = [&] { return ++loads, true; };
  auto unload = [&] { ++unloads; };
  EXPECT_TRUE(count.Acquire(load));
  EXPECT_TRUE(count.Acquire(load));
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(count.Release(unload));
  EXPECT_EQ(unloads, 0);
  EXPECT_TRUE(count.Release(unload));
  EXPECT_FALSE(count.Release(unload));
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(count.Count(), 0);
  EXPECT_FALSE(count.Acquire([] { return false; }));
  EXPECT_EQ(count.Count(), 0);
}
