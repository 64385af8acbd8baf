#include "maskedit/values/MxValueText.h"

#include "maskedit/MxStr.h"

#include <cmath>

namespace {

bool IsBlank(char c) { return c == ' '; }

// Digit value when reading: 1 for "1" ... 35 for "Z", 0 for "0" and anything else.
int ReadingDigit(char c) {
  if (c >= '1' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'Z') {
    return c - 'A' + 10;
  }
  return 0;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

TMxIntegerReading MxIntegerTextToValue(std::string_view text, int numberBase) {
  if (numberBase == 10) {
    return MxReadDecimalInteger(text);
  }
  const auto base = static_cast<std::uint64_t>(numberBase);
  std::uint64_t value = 0;
  std::uint64_t place = 1;
  std::size_t end = text.size();
  while (end > 0 && !(end == 1 && text[0] == '-')) {
    value += static_cast<std::uint64_t>(ReadingDigit(UpperAscii(text[end - 1]))) * place;
    place *= base;
    --end;
  }
  if (end == 1) {
    value = ~value + 1;
  }
  return {static_cast<std::int64_t>(value), true};
}

TMxFloatReading MxFloatTextToValue(std::string_view text, int numberBase, char decimalSeparator) {
  // An empty text or a lone "-" reads as "0"; a separator without integer digits in
  // front gets a "0" there.
  std::string s;
  s.reserve(text.size() + 1);
  if (text.empty() || text == "-") {
    s.push_back('0');
  } else if (text[0] == decimalSeparator) {
    s.push_back('0');
    s.append(text);
  } else if (text.size() >= 2 && text[0] == '-' && text[1] == decimalSeparator) {
    s.append("-0");
    s.append(text.substr(1));
  } else {
    s.append(text);
  }
  const std::size_t separator = s.find(decimalSeparator);
  const std::string_view all(s);
  const std::string_view integerPart = all.substr(0, separator);
  const TMxIntegerReading integer = MxIntegerTextToValue(integerPart, numberBase);
  if (!integer.Ok) {
    return {0, false};
  }
  const auto i = static_cast<double>(integer.Value);

  double f = 0;
  if (separator != std::string::npos && separator + 1 < s.size()) {
    const std::string_view digits = all.substr(separator + 1);
    const auto b = static_cast<double>(numberBase);
    f = ReadingDigit(digits.back());
    for (std::size_t k = digits.size() - 1; k-- > 0;) {
      f = ReadingDigit(digits[k]) + f / b;
    }
    f = f / b;
  }

  std::size_t first = 0;
  while (first < integerPart.size() && IsBlank(integerPart[first])) {
    ++first;
  }
  const bool negativeZero = integer.Value == 0 && first < integerPart.size() && integerPart[first] == '-';
  if (negativeZero) {
    return {-(i + f), true};
  }
  return {i >= 0 ? i + f : i - f, true};
}

TMxFloatReading MxFloatValueOfText(std::string_view text, int decimals, bool cutFraction, int numberBase,
                                   TMxNumberSeparators separators) {
  std::string t;
  t.reserve(text.size());
  for (char c : text) {
    if (c != separators.Thousand) {
      t += c;
    }
  }
  if (t.empty()) {
    return {0, true};
  }
  if (cutFraction) {
    const std::size_t keep = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
    const std::size_t separator = t.find(separators.Decimal);
    if (separator != std::string::npos && t.size() - separator - 1 > keep) {
      t.resize(separator + 1 + keep);
    }
  }
  return MxFloatTextToValue(t, numberBase, separators.Decimal);
}

double MxCurrencyToDouble(std::int64_t value) {
  return static_cast<double>(static_cast<long double>(value) / 10000.0L);
}

bool MxDoubleToCurrency(double x, std::int64_t& value) {
  if (!std::isfinite(x)) {
    return false;
  }
  // Scaled and rounded in the extended format, where every 64-bit integer is exact, so
  // the range check below is exact too. Ties go to the even neighbour.
  const long double scaled = static_cast<long double>(x) * 10000.0L;
  long double rounded = std::floor(scaled);
  const long double rest = scaled - rounded; // exact: both lie within one unit
  if (rest > 0.5L || (rest == 0.5L && std::fmod(rounded, 2.0L) != 0)) {
    rounded += 1.0L;
  }
  if (!(rounded >= -9223372036854775808.0L && rounded <= 9223372036854775807.0L)) {
    return false;
  }
  value = static_cast<std::int64_t>(rounded);
  return true;
}

TMxCurrencyReformat MxReformatCurrencyText(const TMxCurrencySettings& settings, std::string_view text,
                                           bool negativeZero) {
  TMxCurrencyReformat result;
  const TMxCurrencyParse parsed = settings.ParseCurrencyChecked(text);
  result.Status = parsed.Status;
  std::int64_t value = 0;
  if (parsed.Status == cpsOk && !MxDoubleToCurrency(MxCurrencyToDouble(parsed.Value), value)) {
    result.Status = cpsOverflow;
    value = 0;
  }
  result.Value = value;
  result.Text = settings.FormatCurrency(value, negativeZero);
  return result;
}
