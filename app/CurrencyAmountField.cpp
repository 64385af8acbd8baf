#include "app/CurrencyAmountField.h"

#include "maskedit/values/MxLocale.h"

TCurrencyAmountField::TCurrencyAmountField(const std::string& symbol, int decimals)
    : DecimalsValue(decimals < 0 ? 0 : decimals) {
  const TMxLocaleValues locale = MxLocaleSource().Read();
  Separators.Thousand = locale.ThousandSeparator.empty() ? '\0' : locale.ThousandSeparator[0];
  Separators.Decimal = locale.DecimalSeparator.empty() ? '.' : locale.DecimalSeparator[0];

  Settings.SetSystemDefaults(cmUser);
  // Symbol then number; a negative amount in parentheses around both.
  Settings.SetPositiveFormatStr(TMxCurrencySettings::PositivePatterns[0]);
  Settings.SetNegativeFormatStr(TMxCurrencySettings::NegativePatterns[0]);
  Settings.SetSymbol(symbol);
  if (DecimalsValue != 1) { // 1 is the edit's default; only a set value reaches the settings
    Settings.CurrencyDigits = static_cast<std::uint8_t>(DecimalsValue > 255 ? 255 : DecimalsValue);
  }
  Text = Settings.FormatCurrency(0);
}

void TCurrencyAmountField::SetText(const std::string& text) {
  const TMxCurrencyReformat result = MxReformatCurrencyText(Settings, text, false);
  if (result.Status == cpsOverflow) {
    return;
  }
  Text = result.Text;
}

double TCurrencyAmountField::FloatValue() {
  return MxFloatValueOfText(Text, DecimalsValue, true, 10, Separators).Value;
}
