#pragma once
// A slow, exact reference for the 15-digit float-to-text conversion, written without
// the library's digit generation: the double is expanded into all its decimal digits
// with big-integer arithmetic, then rounded by hand.
#include <string>

// Every significant decimal digit of |value| (finite, non-zero) and the number of digits
// before the decimal point.
struct TExactDecimal {
  std::string Digits;
  int PointPosition = 0;
};
TExactDecimal ExactDecimal(double value);

std::string ReferenceFloatToStr(double value, char decimalSeparator);
