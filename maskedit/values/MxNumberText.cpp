#include "maskedit/values/MxNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

std::string MxIntegerToText(std::int64_t value, int base) {
  if (base < 2 || base > 36) {
    base = 10;
  }
  if (value == 0) {
    return "0";
  }
  // The magnitude of INT64_MIN does not fit int64: work unsigned.
  std::uint64_t m = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits;
  while (m != 0) {
    digits.insert(digits.begin(), MxWritingDigits[static_cast<size_t>(m % static_cast<std::uint64_t>(base))]);
    m /= static_cast<std::uint64_t>(base);
  }
  return value < 0 ? "-" + digits : digits;
}

namespace {
// Base 10: the 18 significant digits of value, rounded half away from zero at count
// fraction digits, written in fixed notation.
std::string DecimalFixed(double value, int count, char sep) {
  char buffer[64];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
  const std::string_view sci(buffer, static_cast<size_t>(r.ptr - buffer));
  const size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c != '.') {
      digits += c;
    }
  }
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);
  if (value == 0) {
    digits.assign(1, '0');
    exponent = 0;
  }
  // digits d1 d2 ... stand for 0.d1d2... * 10^(exponent + 1).
  const long long point = static_cast<long long>(exponent) + 1; // digits before the point
  const long long keep = point + count;                         // digits kept
  std::string kept;
  if (keep <= 0) {
    // Everything is below the last kept place; only rounding can leave a 1 there.
    const bool up = keep == 0 && digits[0] >= '5';
    kept.assign(static_cast<size_t>(count + 1), '0');
    if (up) {
      kept.back() = '1';
    }
  } else {
    if (static_cast<long long>(digits.size()) > keep) {
      const bool up = digits[static_cast<size_t>(keep)] >= '5';
      digits.resize(static_cast<size_t>(keep));
      if (up) {
        long long i = keep - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
          digits[static_cast<size_t>(i)] = '0';
          --i;
        }
        if (i < 0) {
          digits.insert(digits.begin(), '1');
        } else {
          ++digits[static_cast<size_t>(i)];
        }
      }
    } else {
      digits.append(static_cast<size_t>(keep) - digits.size(), '0');
    }
    kept = digits;
    if (static_cast<long long>(kept.size()) < count + 1) {
      kept.insert(0, static_cast<size_t>(count + 1) - kept.size(), '0');
    }
  }
  // kept holds the integer digits followed by count fraction digits.
  std::string integer = kept.substr(0, kept.size() - static_cast<size_t>(count));
  const size_t nz = integer.find_first_not_of('0');
  integer = nz == std::string::npos ? "0" : integer.substr(nz);
  std::string result = integer;
  if (count > 0) {
    result += sep;
    result += kept.substr(kept.size() - static_cast<size_t>(count));
  }
  const bool allZero = kept.find_first_not_of('0') == std::string::npos;
  if (value < 0 && !allZero) {
    result.insert(result.begin(), '-');
  }
  return result;
}
} // namespace

std::string MxFloatToText(double value, int count, int base, char decimalSeparator) {
  if (!std::isfinite(value)) {
    return {};
  }
  count = count < 0 ? 0 : count;
  if (base < 2 || base > 36) {
    base = 10;
  }
  if (base == 10) {
    return DecimalFixed(value, count, decimalSeparator);
  }
  const double whole = std::trunc(value);
  if (whole < -2147483648.0 || whole > 2147483647.0) {
    return {};
  }
  std::string result = MxIntegerToText(static_cast<std::int64_t>(whole), base);
  double fraction = std::fabs(value - whole);
  if (value < 0 && whole == 0 && fraction != 0) {
    result.insert(result.begin(), '-');
  }
  result += decimalSeparator;
  for (int i = 0; i < count; ++i) {
    fraction *= base;
    const double digit = std::floor(fraction);
    result += MxWritingDigits[static_cast<size_t>(std::clamp(digit, 0.0, static_cast<double>(base - 1)))];
    fraction -= digit;
  }
  return result;
}

std::string MxFloatTextOfKind(std::string text, TMxMaskType kind, int decimals, char decimalSeparator,
                              char thousandSeparator) {
  size_t sep = text.find(decimalSeparator);
  if (kind == meFloat) {
    if (sep != std::string::npos) {
      while (text.size() > 1 && text.back() == '0') {
        text.pop_back();
      }
      if (!text.empty() && text.back() == decimalSeparator) {
        text.pop_back();
      }
    }
    return text;
  }
  if (decimals > 0) {
    if (sep == std::string::npos) {
      text += decimalSeparator;
      sep = text.size() - 1;
    }
    const size_t have = text.size() - sep - 1;
    if (have < static_cast<size_t>(decimals)) {
      text.append(static_cast<size_t>(decimals) - have, '0');
    }
  }
  if (kind == meFloatNumber && thousandSeparator != '\0') {
    const size_t end = sep == std::string::npos ? text.size() : sep;
    const size_t first = (!text.empty() && text[0] == '-') ? 1 : 0;
    for (size_t p = end; p > first + 3;) {
      p -= 3;
      text.insert(p, 1, thousandSeparator);
    }
  }
  return text;
}
