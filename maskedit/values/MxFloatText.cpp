#include "maskedit/values/MxFloatText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

TMxDecimal15 MxRoundTo15Digits(double value) {
  TMxDecimal15 result;
  result.Negative = std::signbit(value);
  // Scientific notation with 17 digits after the point is exactly 18 significant
  // digits, correctly rounded: "d.ddddddddddddddddde+XX".
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
  (void)ec; // the buffer always suffices for 18 digits and a three-digit exponent
  char digits[18];
  digits[0] = buffer[0];
  for (int i = 1; i < 18; ++i) {
    digits[i] = buffer[i + 1];
  }
  const char* exponentText = buffer + 20; // after "d." and 17 digits and "e"
  int exponent = 0;
  std::from_chars(exponentText[0] == '+' ? exponentText + 1 : exponentText, end, exponent);
  result.Exponent = exponent + 1;

  // Half up at the 16th digit, then carry through the first 15.
  int count = 15;
  if (digits[15] >= '5') {
    int i = 14;
    while (i >= 0 && digits[i] == '9') {
      digits[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1'; // 999...9 became 1000...0: one more digit before the point
      for (int j = 1; j < 15; ++j) {
        digits[j] = '0';
      }
      ++result.Exponent;
    }
  }
  while (count > 1 && digits[count - 1] == '0') {
    --count;
  }
  result.Digits.assign(digits, digits + count);
  return result;
}

std::string MxFloatToStr(double value, char decimalSeparator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (value == 0) {
    return "0";
  }
  const TMxDecimal15 d = MxRoundTo15Digits(value);
  const int n = static_cast<int>(d.Digits.size());
  const int e = d.Exponent;
  std::string s;
  s.reserve(24);
  if (d.Negative) {
    s += '-';
  }
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      s += '0';
      s += decimalSeparator;
      s.append(static_cast<std::size_t>(-e), '0');
      s += d.Digits;
    } else if (n <= e) {
      s += d.Digits;
      s.append(static_cast<std::size_t>(e - n), '0');
    } else {
      s.append(d.Digits, 0, static_cast<std::size_t>(e));
      s += decimalSeparator;
      s.append(d.Digits, static_cast<std::size_t>(e));
    }
    return s;
  }
  s += d.Digits[0];
  if (n > 1) {
    s += decimalSeparator;
    s.append(d.Digits, 1);
  }
  s += 'E';
  const int exponent = e - 1;
  if (exponent < 0) {
    s += '-';
  }
  char buffer[8];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::abs(exponent));
  (void)ec;
  s.append(buffer, end);
  return s;
}

double MxRoundToDouble(long double value) { return static_cast<double>(value); }

double MxExtendedSum(std::span<const double> values) {
  long double sum = 0.0L;
  for (double v : values) {
    sum += static_cast<long double>(v);
  }
  return MxRoundToDouble(sum);
}

double MxExtendedProduct(long double factor, double value) {
  return MxRoundToDouble(factor * static_cast<long double>(value));
}

double MxExtendedDifference(double minuend, double subtrahend) {
  return MxRoundToDouble(static_cast<long double>(minuend) - static_cast<long double>(subtrahend));
}

std::string MxAmountToStr(std::int64_t value) {
  constexpr std::int64_t kExact = 1'000'000'000'000'000; // below 10^15: at most 15 digits
  if (value <= -kExact || value >= kExact) {
    return MxFloatToStr(MxRoundToDouble(static_cast<long double>(value) / 10000.0L), '.');
  }
  const bool negative = value < 0;
  std::uint64_t magnitude = static_cast<std::uint64_t>(negative ? -value : value);
  std::uint64_t fraction = magnitude % 10000;
  std::uint64_t whole = magnitude / 10000;
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  int fractionDigits = 4;
  while (fractionDigits > 0 && fraction % 10 == 0) {
    fraction /= 10;
    --fractionDigits;
  }
  for (int i = 0; i < fractionDigits; ++i) {
    *--p = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  if (fractionDigits > 0) {
    *--p = '.';
  }
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (negative) {
    *--p = '-';
  }
  return std::string(p, end);
}
