#include "maskedit/values/MxCurrencySettings.h"

#include <limits>

#include "maskedit/MxStr.h"
#include "maskedit/values/MxFloatText.h"
#include "maskedit/values/MxLocale.h"

// The pattern character is the single byte 0xA4; written as "\xA4" "1,1" so that the
// hex escape does not swallow the digit after it.
#define MX_SYM "\xA4"

const char* const TMxCurrencySettings::PositivePatterns[PositivePatternCount] = {
    MX_SYM "1,1",
    "1,1" MX_SYM,
    MX_SYM " 1,1",
    "1,1 " MX_SYM,
};

const char* const TMxCurrencySettings::NegativePatterns[NegativePatternCount] = {
    "(" MX_SYM "1,1)", "-" MX_SYM "1,1",  MX_SYM "-1,1",      MX_SYM "1,1-",
    "(1,1" MX_SYM ")", "-1,1" MX_SYM,     "1,1-" MX_SYM,      "1,1" MX_SYM "-",
    "-1,1 " MX_SYM,    "-" MX_SYM " 1,1", "1,1 " MX_SYM "-",  MX_SYM " 1,1-",
    MX_SYM " -1,1",    "1,1- " MX_SYM,    "(" MX_SYM " 1,1)", "(1,1 " MX_SYM ")",
};

#undef MX_SYM

namespace {

// Collects the digits of a decimal number one character at a time and turns them into
// ten-thousandths, exactly: the integer part, four fraction digits, and what follows
// them only as far as rounding needs (the fifth fraction digit and whether anything
// non-zero comes after it). Nothing grows with the input.
class TDecimalAccumulator {
public:
  void Digit(char c) {
    const int d = c - '0';
    AnyDigit = true;
    if (Separators == 0) {
      if (IntegerDigits == 0 && d == 0) {
        return; // leading zero
      }
      // 10^15 units already make more than the largest amount in ten-thousandths.
      if (++IntegerDigits > 15) {
        TooLarge = true;
        return;
      }
      Integer = Integer * 10 + static_cast<std::uint64_t>(d);
      return;
    }
    if (FractionDigits < 4) {
      Fraction = Fraction * 10 + static_cast<std::uint64_t>(d);
      ++FractionDigits;
    } else if (FractionDigits == 4) {
      RoundDigit = d;
      ++FractionDigits;
    } else if (d != 0) {
      Sticky = true;
    }
  }

  void Separator() { ++Separators; }
  bool Empty() const { return !AnyDigit && Separators == 0; }

  TMxCurrencyParse Magnitude() const {
    if (Separators > 1 || !AnyDigit) {
      return {0, cpsNotANumber};
    }
    if (TooLarge) {
      return {0, cpsOverflow};
    }
    std::uint64_t fraction = Fraction;
    for (int i = FractionDigits; i < 4; ++i) {
      fraction *= 10;
    }
    // Integer < 10^15, so this stays below 10^19 < 2^64.
    std::uint64_t units = Integer * 10000 + fraction;
    if (RoundDigit > 5 || (RoundDigit == 5 && (Sticky || (units & 1) != 0))) {
      ++units; // to nearest, ties to even
    }
    if (units > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
      return {0, cpsOverflow};
    }
    return {static_cast<std::int64_t>(units), cpsOk};
  }

private:
  std::uint64_t Integer = 0;
  std::uint64_t Fraction = 0;
  int IntegerDigits = 0;
  int FractionDigits = 0;
  int RoundDigit = 0;
  int Separators = 0;
  bool Sticky = false;
  bool AnyDigit = false;
  bool TooLarge = false;
};

TMxCurrencyParse WithSign(TMxCurrencyParse magnitude, bool negative) {
  if (negative && magnitude.Status == cpsOk) {
    magnitude.Value = -magnitude.Value;
  }
  return magnitude;
}

// A locale count that must fit the byte it is stored in.
std::uint8_t ByteOrDefault(std::string_view text, std::uint8_t fallback) {
  const int value = MxStrToIntDef(text, fallback);
  return (value >= 0 && value <= 255) ? static_cast<std::uint8_t>(value) : fallback;
}

} // namespace

int MxStrToIntDef(std::string_view text, int fallback) {
  // Tabs count as leading blanks here too (locale entries may carry them).
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  const TMxIntegerReading r = MxReadDecimalInteger(text);
  if (!r.Ok || r.Value < std::numeric_limits<std::int32_t>::min() ||
      r.Value > std::numeric_limits<std::int32_t>::max()) {
    return fallback;
  }
  return static_cast<int>(r.Value);
}

TMxCurrencyParse MxDecimalTextToCurrency(std::string_view text, char decimalSeparator) {
  if (text.empty()) {
    return {0, cpsOk};
  }
  bool negative = false;
  std::size_t i = 0;
  if (text[0] == '-') {
    negative = true;
    i = 1;
  }
  TDecimalAccumulator number;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (MxIsDigit(c)) {
      number.Digit(c);
    } else if (c == decimalSeparator) {
      number.Separator();
    } else {
      return {0, cpsNotANumber};
    }
  }
  return WithSign(number.Magnitude(), negative);
}

TMxCurrencySettings::TMxCurrencySettings(std::int32_t owner) : TMxObject(owner) {
  SystemDefaults = cmSystem;
  GroupSize = 3;
  LoadSystemDefaults();
}

void TMxCurrencySettings::LoadSystemDefaults() {
  const TMxLocaleValues locale = MxLocaleSource().Read();
  Symbol = locale.CurrencySymbol;

  const int negative = MxStrToIntDef(locale.NegativeCurrencyCode, 0);
  if (negative >= 0 && negative < NegativePatternCount) {
    NegativeFormatStr = NegativePatterns[negative];
  }
  const int positive = MxStrToIntDef(locale.PositiveCurrencyCode, 0);
  if (positive >= 0 && positive < PositivePatternCount) {
    PositiveFormatStr = PositivePatterns[positive];
  }

  // The size of the first group: the grouping string up to its first ";". Without a
  // ";" there is nothing before it, which reads as the default.
  const std::string_view grouping = locale.MonetaryGrouping;
  const std::size_t semicolon = grouping.find(';');
  GroupSize = ByteOrDefault(
      semicolon == std::string_view::npos ? std::string_view() : grouping.substr(0, semicolon), 3);
  CurrencyDigits = ByteOrDefault(locale.CurrencyDigits, 2);

  // An empty decimal separator would leave no way to show a fraction: fall back to ".".
  // An empty monetary thousands separator means no grouping character at all.
  DecimalChar = locale.DecimalSeparator.empty() ? '.' : locale.DecimalSeparator[0];
  ThousandChar = locale.MonetaryThousandSeparator.empty() ? '\0' : locale.MonetaryThousandSeparator[0];
}

void TMxCurrencySettings::SetSystemDefaults(TMxCurrencyMode value) {
  if (value == SystemDefaults) {
    return;
  }
  SystemDefaults = value;
  if (value == cmSystem) {
    LoadSystemDefaults();
  }
}

void TMxCurrencySettings::SetPositiveFormatStr(const std::string& value) {
  if (value != PositiveFormatStr) {
    PositiveFormatStr = value;
    Change();
  }
}

void TMxCurrencySettings::SetNegativeFormatStr(const std::string& value) {
  if (value != NegativeFormatStr) {
    NegativeFormatStr = value;
    Change();
  }
}

void TMxCurrencySettings::SetSymbol(const std::string& value) {
  if (value != Symbol) {
    Symbol = value;
    Change();
  }
}

void TMxCurrencySettings::Assign(const TMxObject& source) {
  const auto* other = dynamic_cast<const TMxCurrencySettings*>(&source);
  if (other == nullptr) {
    throw EMxAssignError("Cannot assign this object to a TMxCurrencySettings");
  }
  if (other == this) {
    return;
  }
  SetSystemDefaults(other->SystemDefaults);
  if (SystemDefaults != cmUser) {
    return;
  }
  Symbol = other->Symbol;
  CurrencyDigits = other->CurrencyDigits;
  DecimalChar = other->DecimalChar;
  ThousandChar = other->ThousandChar;
  PositiveFormatStr = other->PositiveFormatStr;
  NegativeFormatStr = other->NegativeFormatStr;
}

const std::string& TMxCurrencySettings::PatternFor(std::int64_t value, bool negativeZero) const {
  if (value > 0) {
    return PositiveFormatStr;
  }
  if (value < 0) {
    return NegativeFormatStr;
  }
  return negativeZero ? NegativeFormatStr : PositiveFormatStr;
}

std::string TMxCurrencySettings::FormatCurrencyNumber(std::int64_t value) const {
  // The conversion writes digits, "-" and "."; the separator is replaced below.
  std::string s = MxAmountToStr(value);
  const std::size_t digits = CurrencyDigits;

  std::size_t separator = s.find('.');
  if (separator != std::string::npos) {
    if (s.size() - separator - 1 > digits) {
      s.resize(separator + 1 + digits); // cut, never rounded
    }
    if (digits == 0) {
      s.resize(separator);
      separator = std::string::npos;
    } else {
      s[separator] = DecimalChar;
    }
  }
  if (digits > 0) {
    if (separator == std::string::npos) {
      separator = s.size();
      s += DecimalChar;
    }
    s.append(digits - (s.size() - separator - 1), '0');
  }

  const bool negative = !s.empty() && s[0] == '-';
  if (negative) {
    s.erase(0, 1);
    if (separator != std::string::npos) {
      --separator;
    }
  }

  if (GroupSize > 0 && ThousandChar != '\0') {
    const std::size_t end = separator == std::string::npos ? s.size() : separator;
    // Insert from the right so that earlier positions stay valid; never in front of the
    // first digit.
    for (std::size_t at = end; at > GroupSize;) {
      at -= GroupSize;
      s.insert(at, 1, ThousandChar);
    }
  }

  if (negative) {
    s.insert(0, 1, '-');
  }
  return s;
}

std::string TMxCurrencySettings::FormatCurrency(std::int64_t value, bool negativeZero) const {
  const std::string& pattern = PatternFor(value, negativeZero);
  std::string result;
  result.reserve(pattern.size() + Symbol.size() + 32);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '1') {
      std::string number = FormatCurrencyNumber(value);
      const std::size_t minus = number.find('-');
      if (minus != std::string::npos) {
        number.erase(minus, 1);
      }
      result += number;
      i += 2; // the token is three characters, whatever the other two are
    } else if (c == MxCurrencySymbolChar) {
      result += Symbol;
    } else {
      result += c;
    }
  }
  return result;
}

TMxCurrencyParse TMxCurrencySettings::ParseCurrencyChecked(std::string_view text) const {
  if (text.empty()) {
    return {0, cpsOk};
  }
  std::size_t symbolAt = std::string_view::npos;
  if (!Symbol.empty()) {
    symbolAt = text.find(Symbol);
  }
  bool negative = false; // an odd number of "-"
  TDecimalAccumulator number;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == symbolAt) {
      i += Symbol.size() - 1;
      continue;
    }
    const char c = text[i];
    if (c == '-') {
      negative = !negative;
    } else if (MxIsDigit(c)) {
      number.Digit(c);
    } else if (c == DecimalChar) {
      number.Separator();
    }
  }
  if (number.Empty()) {
    return {0, cpsOk};
  }
  return WithSign(number.Magnitude(), negative);
}

int TMxCurrencySettings::NumberPosition(std::int64_t value) const {
  const std::string& pattern = PatternFor(value, false);
  const std::size_t at = pattern.find('1');
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}
