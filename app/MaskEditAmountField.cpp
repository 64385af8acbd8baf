#include "app/MaskEditAmountField.h"

TMaskEditAmountField::TMaskEditAmountField(const std::string& symbol, int decimals,
                                           TMxApplication& application)
    : Field(application) {
  TMxCurrencySettings& settings = Field.CurrencySettings();
  settings.SetSystemDefaults(cmUser);
  settings.SetPositiveFormatStr(TMxCurrencySettings::PositivePatterns[0]);
  settings.SetNegativeFormatStr(TMxCurrencySettings::NegativePatterns[0]);
  settings.SetSymbol(symbol);
  if (decimals != 1) {
    Field.SetDecimals(decimals);
  }
  Field.SetMaskType(meCurrency);
}
