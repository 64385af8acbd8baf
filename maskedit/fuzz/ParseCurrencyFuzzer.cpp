// ParseCurrency over any bytes and any settings: never crashes, agrees with a naive
// reading of the same rules, flips sign with one more "-", and a currency field's shown
// text is a fixed point of its own re-formatting.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "maskedit/values/MxCurrencySettings.h"
#include "maskedit/values/MxValueText.h"

namespace {

void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "%s for text of %zu bytes\n", what, text.size());
  std::abort();
}

// The reading rules written out plainly, on whole strings and 128-bit integers.
TMxCurrencyParse NaiveParse(std::string text, const std::string& symbol, char decimalChar) {
  if (text.empty()) {
    return {0, cpsOk};
  }
  if (!symbol.empty()) {
    const std::size_t at = text.find(symbol);
    if (at != std::string::npos) {
      text.erase(at, symbol.size());
    }
  }
  std::size_t minus = 0;
  std::string rest;
  for (char c : text) {
    if (c == '-') {
      ++minus;
    } else if (c >= '0' && c <= '9') {
      rest += c;
    } else if (c == decimalChar) {
      rest += '.';
    }
  }
  if (rest.empty()) {
    return {0, cpsOk};
  }
  const std::size_t point = rest.find('.');
  if (rest.find_first_of("0123456789") == std::string::npos ||
      (point != std::string::npos && rest.find('.', point + 1) != std::string::npos)) {
    return {0, cpsNotANumber};
  }
  std::string integer = rest.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : rest.substr(point + 1);
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  if (integer.size() > 19) {
    return {0, cpsOverflow};
  }
  fraction.resize(std::max<std::size_t>(fraction.size(), 5), '0');
  unsigned __int128 units = 0;
  for (char c : integer + fraction.substr(0, 4)) {
    units = units * 10 + static_cast<unsigned>(c - '0');
  }
  const bool sticky = fraction.find_first_not_of('0', 5) != std::string::npos;
  if (fraction[4] > '5' || (fraction[4] == '5' && (sticky || (units % 2) == 1))) {
    ++units;
  }
  if (units > static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max())) {
    return {0, cpsOverflow};
  }
  const auto value = static_cast<std::int64_t>(units);
  return {(minus % 2) ? -value : value, cpsOk};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  static const char decimalChoices[] = {',', '.', ',', '.', '-', '5', '\xA4', ' ', '\0'};
  const char decimalChar =
      (data[0] & 0x80) ? static_cast<char>(data[1]) : decimalChoices[data[0] % sizeof decimalChoices];
  const std::size_t symbolLength = (data[0] >> 4) & 3;
  if (size < 2 + symbolLength) {
    return 0;
  }
  const std::string symbol(reinterpret_cast<const char*>(data) + 2, symbolLength);
  const std::string text(reinterpret_cast<const char*>(data) + 2 + symbolLength, size - 2 - symbolLength);

  TMxCurrencySettings s;
  s.SetSymbol(symbol);
  s.DecimalChar = decimalChar;
  const TMxCurrencyParse got = s.ParseCurrencyChecked(text);
  const TMxCurrencyParse want = NaiveParse(text, symbol, decimalChar);
  if (got.Value != want.Value || got.Status != want.Status) {
    Fail("ParseCurrency disagrees with the naive reading", text);
  }
  if (got.Status != cpsOk && got.Value != 0) {
    Fail("a failed reading is not 0", text);
  }
  if (s.ParseCurrency(text) != got.Value) {
    Fail("ParseCurrency and ParseCurrencyChecked differ", text);
  }
  if (got.Status == cpsOk && symbol.find('-') == std::string::npos && decimalChar != '-' &&
      s.ParseCurrency(text + "-") != -got.Value) {
    Fail("one more \"-\" does not flip the sign", text);
  }

  // A currency field whose negative pattern carries the sign: re-formatting its text
  // settles after one more step (an amount that shows as "-0,00" becomes "0,00"), or
  // stops at a text whose 15-digit rounding no longer fits, which the field keeps.
  TMxCurrencySettings field;
  field.SetSystemDefaults(cmUser);
  field.SetPositiveFormatStr(std::string(1, MxCurrencySymbolChar) + "1,1");
  field.SetNegativeFormatStr("-" + std::string(1, MxCurrencySymbolChar) + "1,1");
  field.SetSymbol("Rp ");
  field.DecimalChar = ',';
  field.ThousandChar = '.';
  field.CurrencyDigits = static_cast<std::uint8_t>(data[0] % 5);
  const TMxCurrencyReformat shown = MxReformatCurrencyText(field, text, false);
  const TMxCurrencyReformat second = MxReformatCurrencyText(field, shown.Text, false);
  const TMxCurrencyReformat third = MxReformatCurrencyText(field, second.Text, false);
  if (second.Status != cpsOverflow && third.Text != second.Text) {
    Fail("the shown currency text does not settle", text);
  }
  const std::int64_t value = shown.Value;
  if (shown.Status == cpsOk && value > -1000000000000000 && value < 1000000000000000 &&
      field.CurrencyDigits == 4 && field.ParseCurrency(field.FormatCurrency(value)) != value) {
    Fail("a value of up to 15 digits does not survive FormatCurrency", text);
  }

  // The float reading takes anything.
  const TMxFloatReading reading =
      MxFloatValueOfText(text, data[1] % 6, true, 10, TMxNumberSeparators{'.', ','});
  if (!reading.Ok && reading.Value != 0) {
    Fail("a failed float reading is not 0", text);
  }
  return 0;
}
