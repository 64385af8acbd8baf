#include "maskedit/fuzz/ExactDecimal.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Little-endian limbs of 10^9.
class TBigDecimal {
public:
  explicit TBigDecimal(std::uint64_t value) {
    do {
      Limbs.push_back(static_cast<std::uint32_t>(value % Base));
      value /= Base;
    } while (value != 0);
  }
  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : Limbs) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product % Base);
      carry = product / Base;
    }
    while (carry != 0) {
      Limbs.push_back(static_cast<std::uint32_t>(carry % Base));
      carry /= Base;
    }
  }
  void MultiplyByPower(std::uint32_t base, int exponent, int chunk) {
    std::uint32_t chunkFactor = 1;
    for (int i = 0; i < chunk; ++i) {
      chunkFactor *= base;
    }
    for (; exponent >= chunk; exponent -= chunk) {
      Multiply(chunkFactor);
    }
    for (; exponent > 0; --exponent) {
      Multiply(base);
    }
  }
  std::string ToString() const {
    std::string s = std::to_string(Limbs.back());
    for (std::size_t i = Limbs.size() - 1; i-- > 0;) {
      const std::string part = std::to_string(Limbs[i]);
      s.append(9 - part.size(), '0');
      s += part;
    }
    return s;
  }

private:
  static constexpr std::uint64_t Base = 1000000000;
  std::vector<std::uint32_t> Limbs;
};

// Adds one to the last digit of digits, carrying; true when the carry ran off the front.
bool Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return false;
    }
  }
  digits.insert(0, 1, '1');
  digits.pop_back();
  return true;
}

} // namespace

TExactDecimal ExactDecimal(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent2;
  if (biased == 0) {
    exponent2 = -1074;
  } else {
    mantissa |= std::uint64_t{1} << 52;
    exponent2 = biased - 1075;
  }
  TBigDecimal n(mantissa);
  TExactDecimal result;
  if (exponent2 >= 0) {
    n.MultiplyByPower(2, exponent2, 29);
    result.Digits = n.ToString();
    result.PointPosition = static_cast<int>(result.Digits.size());
  } else {
    // m * 2^-k = m * 5^k / 10^k
    n.MultiplyByPower(5, -exponent2, 13);
    result.Digits = n.ToString();
    result.PointPosition = static_cast<int>(result.Digits.size()) + exponent2;
  }
  return result;
}

std::string ReferenceFloatToStr(double value, char decimalSeparator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (value == 0) {
    return "0";
  }
  TExactDecimal exact = ExactDecimal(value);
  std::string digits = exact.Digits;
  int point = exact.PointPosition;

  // 18 significant digits, to nearest; an exact tie goes to the even digit.
  if (digits.size() > 18) {
    const std::string rest = digits.substr(18);
    digits.resize(18);
    const bool above =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = rest[0] == '5' && !above;
    if (above || (tie && (digits.back() - '0') % 2 == 1)) {
      point += Increment(digits) ? 1 : 0;
    }
  }
  digits.resize(18, '0');
  // Half up at the 16th digit.
  const bool up = digits[15] >= '5';
  digits.resize(15);
  if (up) {
    point += Increment(digits) ? 1 : 0;
  }
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }

  std::string s = value < 0 ? "-" : "";
  const int n = static_cast<int>(digits.size());
  if (point >= -3 && point <= 15) {
    if (point <= 0) {
      s += "0";
      s += decimalSeparator;
      s += std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (n <= point) {
      s += digits + std::string(static_cast<std::size_t>(point - n), '0');
    } else {
      s += digits.substr(0, static_cast<std::size_t>(point)) + decimalSeparator +
           digits.substr(static_cast<std::size_t>(point));
    }
    return s;
  }
  s += digits.substr(0, 1);
  if (n > 1) {
    s += decimalSeparator + digits.substr(1);
  }
  s += "E" + std::to_string(point - 1);
  return s;
}
