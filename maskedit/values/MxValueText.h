#pragma once
// Reading and re-writing the texts of the number fields, independent of any window.
//
// A reading never throws: it answers a value and whether the text could be read; the
// caller reports a failure (a field calls its validation-error handler) and uses 0.
#include <cstdint>
#include <string>
#include <string_view>

#include "maskedit/MxStr.h"
#include "maskedit/values/MxCurrencySettings.h"

struct [[nodiscard]] TMxFloatReading {
  double Value = 0;
  bool Ok = true;
};

// The separators a field takes from the locale when it is created.
struct TMxNumberSeparators {
  char Thousand = ',';
  char Decimal = '.';
};

// An integer text in numberBase (2..36).
//   Base 10: optional leading blanks, an optional "+" or "-", then decimal digits whose
//   value fits a signed 64-bit integer; anything else fails.
//   Other bases: characters are taken from the right, each by its digit value (its
//   position in "123456789ABC...Z" after upper-casing, 0 for any other character),
//   until the rest is empty or a lone "-", which negates. Never fails; the value wraps
//   modulo 2^64.
TMxIntegerReading MxIntegerTextToValue(std::string_view text, int numberBase);

// A float text in numberBase: the integer part up to the first decimalSeparator is read
// as an integer text; the characters after it are fraction digits (by digit value, not
// upper-cased). An empty text or "-" reads 0; ",5" and "-,5" read as 0,5 and -0,5.
TMxFloatReading MxFloatTextToValue(std::string_view text, int numberBase, char decimalSeparator);

// The value of a float or currency field's text: every thousands separator is removed;
// when cutFraction is set and more characters follow the decimal separator than
// decimals, the surplus is cut; the rest is read as a float text. An empty text reads 0.
// For a currency text this means: a leading blank symbol is skipped, and parentheses or
// the letters of a symbol make the reading fail.
TMxFloatReading MxFloatValueOfText(std::string_view text, int decimals, bool cutFraction, int numberBase,
                                   TMxNumberSeparators separators);

// What a currency field shows after text was assigned to it: the text is read with
// ParseCurrency, turned into the field's double value and back into ten-thousandths
// (rounded to nearest, ties to even), and shown with FormatCurrency. Status is the
// reading's; a value that cannot be held reports cpsOverflow (Text then shows zero), so
// that a field can keep its previous text instead of losing the amount.
struct [[nodiscard]] TMxCurrencyReformat {
  std::string Text;
  std::int64_t Value = 0;
  TMxCurrencyParseStatus Status = cpsOk;
};
TMxCurrencyReformat MxReformatCurrencyText(const TMxCurrencySettings& settings, std::string_view text,
                                           bool negativeZero);

// The double value of a currency value (ten-thousandths divided by 10,000, rounded once).
double MxCurrencyToDouble(std::int64_t value);
// x times 10,000 rounded to nearest (ties to even); false when that does not fit 64 bits
// or x is not finite.
bool MxDoubleToCurrency(double x, std::int64_t& value);
