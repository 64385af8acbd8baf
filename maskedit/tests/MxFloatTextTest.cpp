#include "maskedit/values/MxFloatText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct FloatTextCase {
  double Value;
  const char* Expected;
};

class MxFloatToStrTable : public testing::TestWithParam<FloatTextCase> {};

TEST_P(MxFloatToStrTable, WritesFifteenSignificantDigits) {
  const FloatTextCase& c = GetParam();
  EXPECT_EQ(MxFloatToStr(c.Value, ','), c.Expected) << "value " << c.Value;
}

constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, MxFloatToStrTable,
    testing::Values(
        // 18 digits are ...802500: half up at the 16th digit, not a 15-digit printf rounding.
        FloatTextCase{9931.590870388025, "9931,59087038803"}, FloatTextCase{1405864.175, "1405864,175"},
        FloatTextCase{0.1 + 0.2, "0,3"}, FloatTextCase{0.0, "0"}, FloatTextCase{-0.0, "0"},
        FloatTextCase{1e15, "1E15"}, FloatTextCase{999999999999999.9, "1E15"}, // the carry moves the exponent
        FloatTextCase{999999999999999.0, "999999999999999"}, FloatTextCase{1.5e-7, "1,5E-7"},
        FloatTextCase{0.0001, "0,0001"}, FloatTextCase{0.00009999, "9,999E-5"}, FloatTextCase{0.001, "0,001"},
        FloatTextCase{-2.5, "-2,5"}, FloatTextCase{123456789012.3456, "123456789012,346"},
        FloatTextCase{56234567.0, "56234567"}, FloatTextCase{100.0, "100"}, FloatTextCase{0.5, "0,5"},
        FloatTextCase{1.0 / 3.0, "0,333333333333333"}, FloatTextCase{2.0 / 3.0, "0,666666666666667"},
        FloatTextCase{-1e-10, "-1E-10"}, FloatTextCase{1e100, "1E100"}, FloatTextCase{-1.25e20, "-1,25E20"},
        FloatTextCase{1.7976931348623157e308, "1,79769313486232E308"},
        FloatTextCase{5e-324, "4,94065645841247E-324"},
        FloatTextCase{922337203685477.5807, "922337203685478"}, FloatTextCase{std::nan(""), "NAN"},
        FloatTextCase{Inf, "INF"}, FloatTextCase{-Inf, "-INF"}));

TEST(MxFloatToStr, UsesTheGivenSeparatorOnly) {
  EXPECT_EQ(MxFloatToStr(1234.5, '.'), "1234.5");
  EXPECT_EQ(MxFloatToStr(1.5e-7, '.'), "1.5E-7");
  EXPECT_EQ(MxFloatToStr(-0.25, '#'), "-0#25");
}

TEST(MxRoundTo15Digits, GivesDigitsAndExponent) {
  const TMxDecimal15 d = MxRoundTo15Digits(-0.000123);
  EXPECT_EQ(d.Digits, "123");
  EXPECT_EQ(d.Exponent, -3);
  EXPECT_TRUE(d.Negative);
  const TMxDecimal15 carry = MxRoundTo15Digits(99.99999999999999);
  EXPECT_EQ(carry.Digits, "1");
  EXPECT_EQ(carry.Exponent, 3);
}

TEST(MxExtended, RoundsOnceAtTheEnd) {
  // In doubles 1e16 + 1 is lost; the extended running sum keeps it.
  const std::array<double, 3> values = {1e16, 1.0, -1e16};
  EXPECT_EQ(MxExtendedSum(values), 1.0);
  EXPECT_EQ(MxExtendedSum(std::array<double, 5>{25000000, 30000000, 1234567, 0, 0}), 56234567.0);
  EXPECT_EQ(MxExtendedProduct(85.0L, 250000.5), 21250042.5);
  EXPECT_EQ(MxExtendedProduct(0.025L, 56234567.0), 1405864.175);
  EXPECT_EQ(MxExtendedDifference(21250000.0, 21250000.0), 0.0);
  // The rate is the extended value nearest to 1/40, closer than the double 0.025.
  EXPECT_EQ(0.025L, 1.0L / 40.0L);
  EXPECT_LT(0.025L, static_cast<long double>(0.025));
}

// The integer path must give exactly what the float conversion gives, for every amount it
// takes: all small amounts, the edges of the 15-digit range, and random ones of every size
// (beyond the range both sides are the float conversion).
TEST(MxAmountToStr, MatchesTheFloatConversionOfTheAmount) {
  const auto viaFloat = [](std::int64_t v) {
    return MxFloatToStr(MxRoundToDouble(static_cast<long double>(v) / 10000.0L), '.');
  };
  std::vector<std::int64_t> values;
  for (std::int64_t v = -30000; v <= 30000; ++v) {
    values.push_back(v);
  }
  for (int e = 0; e <= 18; ++e) {
    std::int64_t p = 1;
    for (int i = 0; i < e; ++i) {
      p *= 10;
    }
    for (std::int64_t d : {-1, 0, 1}) {
      values.push_back(p + d);
      values.push_back(-(p + d));
      values.push_back(p * 9 + d);
    }
  }
  values.push_back(std::numeric_limits<std::int64_t>::max());
  values.push_back(std::numeric_limits<std::int64_t>::min() + 1);
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 200000; ++i) {
    const int digits = static_cast<int>(random() % 19) + 1; // 19: any non-negative int64
    std::uint64_t limit = 1;
    for (int d = 0; d < digits && d < 18; ++d) {
      limit *= 10;
    }
    const std::int64_t v =
        digits == 19 ? static_cast<std::int64_t>(random() >> 1) : static_cast<std::int64_t>(random() % limit);
    values.push_back(random() & 1 ? -v : v);
  }
  int mismatches = 0;
  for (std::int64_t v : values) {
    if (MxAmountToStr(v) != viaFloat(v) && ++mismatches <= 5) {
      ADD_FAILURE() << v << ": " << MxAmountToStr(v) << " vs " << viaFloat(v);
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(MxAmountToStr(0), "0");
  EXPECT_EQ(MxAmountToStr(-5), "-0.0005");
  EXPECT_EQ(MxAmountToStr(12345675000), "1234567.5");
}

} // namespace
