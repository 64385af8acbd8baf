#pragma once
// Float-to-text conversion in the general format with 15 significant digits, and the
// extended-precision arithmetic that amounts are computed in.
//
// MxFloatToStr(value, separator):
//   * the value is first written as an 18-digit decimal (correctly rounded binary to
//     decimal), and that is rounded half up at the 16th digit, giving at most 15
//     significant digits; trailing zeros are dropped;
//   * zero (also negative zero) is "0";
//   * with e the number of digits before the decimal point (zero or negative for values
//     below 1), -3 <= e <= 15 is written in fixed notation ("-" when negative, the integer
//     digits, at least "0", then the separator and the fraction digits if any remain), no
//     grouping;
//   * otherwise scientific notation: "-" when negative, the first digit, the separator and
//     the other digits if any, "E", "-" when the exponent is negative, and e - 1 without
//     leading zeros ("1E15", "1,5E-7");
//   * NaN and the infinities are written "NAN", "INF" and "-INF".
// The result never depends on the C locale.
#include <cstdint>
#include <limits>
#include <span>
#include <string>

static_assert(std::numeric_limits<long double>::digits == 64,
              "amounts are computed in the 80-bit extended format (64-bit mantissa)");

// The decimal form of a finite, non-zero double: Digits holds the significant digits
// without trailing zeros (at most 15), Exponent the number of digits before the point.
struct TMxDecimal15 {
  std::string Digits;
  int Exponent = 0;
  bool Negative = false;
};

// The rounding of a finite, non-zero value; see MxFloatToStr.
TMxDecimal15 MxRoundTo15Digits(double value);

std::string MxFloatToStr(double value, char decimalSeparator);

// A currency amount held as value / 10000, written as MxFloatToStr writes the double
// nearest to it ('.' as the separator). Amounts of up to 15 digits are written straight
// from the integer (every such decimal survives the round trip through a double); larger
// ones go through the float conversion.
std::string MxAmountToStr(std::int64_t value);

// Extended-precision helpers: every intermediate is held in the 80-bit format and the
// result is rounded to double once (to nearest, ties to even).
double MxRoundToDouble(long double value);
double MxExtendedSum(std::span<const double> values); // added left to right
double MxExtendedProduct(long double factor, double value);
double MxExtendedDifference(double minuend, double subtrahend);
