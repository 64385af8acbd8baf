#pragma once
// TMxCurrencySettings: how a currency amount is written as text and read back.
//
// A currency value is a signed 64-bit count of ten-thousandths of a unit (four implied
// decimals; largest magnitude 922337203685477.5807). Texts are 8-bit strings. A pattern
// is copied character by character, except that the byte 0xA4 is replaced by Symbol and
// the character "1" starts the three-character number token, replaced by the grouped
// number. The settings come from the locale (cmSystem) or were stored with the window
// (cmUser); in both modes GroupSize, CurrencyDigits and the separators follow the locale
// until written.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "maskedit/MxObject.h"

enum TMxCurrencyMode : std::uint8_t { cmSystem = 0, cmUser = 1 };

inline constexpr char MxCurrencySymbolChar = '\xA4';

// Raised by Assign for a source that is not currency settings.
class EMxAssignError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// How reading a currency text ended. Any failure still reads as 0; cpsOverflow lets an
// edit tell "too large to hold" (keep what was shown) from "not a number".
enum TMxCurrencyParseStatus : std::uint8_t {
  cpsOk = 0,         // a value (0 when nothing is left to read)
  cpsNotANumber = 1, // e.g. two decimal separators, or a separator without digits
  cpsOverflow = 2,   // a number whose magnitude exceeds 922337203685477.5807
};

struct [[nodiscard]] TMxCurrencyParse {
  std::int64_t Value = 0; // 0 unless Status is cpsOk
  TMxCurrencyParseStatus Status = cpsOk;
};

// Reads text made of decimal digits and at most one decimalSeparator (and nothing else)
// as an amount: the exact decimal value times 10,000, rounded to the nearest integer,
// ties to even. A leading "-" is accepted and negates. No digit at all reads as 0 with
// cpsOk when the text is empty, else cpsNotANumber. Linear in the text; it never builds
// a number from more digits than can fit.
TMxCurrencyParse MxDecimalTextToCurrency(std::string_view text, char decimalSeparator);

class TMxCurrencySettings : public TMxObject {
public:
  // Positive and negative patterns by the locale's currency format codes.
  static constexpr int PositivePatternCount = 4;
  static constexpr int NegativePatternCount = 16;
  static const char* const PositivePatterns[PositivePatternCount];
  static const char* const NegativePatterns[NegativePatternCount];

  // cmSystem, GroupSize 3, then the locale values (LoadSystemDefaults).
  explicit TMxCurrencySettings(std::int32_t owner = 0);

  // Fills the settings from MxLocaleSource(). Writes the fields directly; announces no
  // change. Missing or malformed values fall back: a format code that is not a number
  // counts as 0, a code outside its table leaves the pattern as it was, the group size
  // falls back to 3 and the currency digits to 2.
  void LoadSystemDefaults();

  TMxCurrencyMode GetSystemDefaults() const { return SystemDefaults; }
  // Switching to cmSystem reloads the locale values; switching to cmUser keeps the
  // current ones. Announces no change.
  void SetSystemDefaults(TMxCurrencyMode value);

  const std::string& GetPositiveFormatStr() const { return PositiveFormatStr; }
  const std::string& GetNegativeFormatStr() const { return NegativeFormatStr; }
  const std::string& GetSymbol() const { return Symbol; }
  // Each stores a different string and announces a change (Change()).
  void SetPositiveFormatStr(const std::string& value);
  void SetNegativeFormatStr(const std::string& value);
  void SetSymbol(const std::string& value);

  // Only another TMxCurrencySettings can be assigned: its mode is applied first, and only
  // in cmUser are the symbol, currency digits, separators and both patterns copied
  // (GroupSize is not). Announces no change. Any other source raises EMxAssignError.
  void Assign(const TMxObject& source);

  // The text of value through the pattern its sign selects; zero takes the negative
  // pattern when negativeZero is set.
  std::string FormatCurrency(std::int64_t value, bool negativeZero) const;
  std::string FormatCurrency(std::int64_t value) const { return FormatCurrency(value, false); }
  // The grouped number of value / 10,000 with exactly CurrencyDigits fraction digits
  // (surplus digits cut, not rounded), "-" in front when negative.
  std::string FormatCurrencyNumber(std::int64_t value) const;

  // Reads a currency text: the first occurrence of Symbol is removed, an odd number of
  // "-" makes it negative, digits and DecimalChar are kept, everything else is dropped;
  // the number is taken exactly and rounded to ten-thousandths, ties to even. Any text
  // is accepted, in one pass and bounded memory; what cannot be read is 0.
  std::int64_t ParseCurrency(std::string_view text) const { return ParseCurrencyChecked(text).Value; }
  TMxCurrencyParse ParseCurrencyChecked(std::string_view text) const;

  // 1-based position of the first "1" in the pattern the sign of value selects, 0 if none.
  int NumberPosition(std::int64_t value) const;

private:
  const std::string& PatternFor(std::int64_t value, bool negativeZero) const;

  TMxCurrencyMode SystemDefaults = cmSystem;
  std::string PositiveFormatStr;
  std::string NegativeFormatStr;
  std::string Symbol;

public:
  // Not stored with the window; written by the owning edit (CurrencyDigits) or by the
  // locale. A GroupSize of 0 means no grouping; a ThousandChar of '\0' means none.
  std::uint8_t GroupSize = 3;
  std::uint8_t CurrencyDigits = 2;
  char ThousandChar = ',';
  char DecimalChar = '.';
};

// Reads a locale integer the way the settings do: optional blanks, an optional sign and
// decimal digits that fit 32 bits, nothing after; anything else gives fallback.
int MxStrToIntDef(std::string_view text, int fallback);
