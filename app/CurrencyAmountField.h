#pragma once
// TCurrencyAmountField: a windowless amount field that behaves as the calculator's
// currency edits do: symbol and number through "¤1,1" / "(¤1,1)", a text assigned to it
// re-formatted at once, FloatValue cut to Decimals fraction digits. It holds the rules'
// state where no edit control exists (tests, a plain edit box) and is what the masked
// edit's currency mode is checked against.
#include <string>

#include "app/AmountField.h"
#include "maskedit/values/MxCurrencySettings.h"
#include "maskedit/values/MxValueText.h"

class TCurrencyAmountField final : public TAmountField {
public:
  // Separators and currency digits are taken from MxLocaleSource() now. decimals 0 also
  // sets the currency digits to 0; otherwise they stay the locale's. Shows zero.
  TCurrencyAmountField(const std::string& symbol, int decimals);

  std::string GetText() const override { return Text; }
  // A text whose amount the field cannot hold leaves the shown text unchanged.
  void SetText(const std::string& text) override;
  double FloatValue() override;
  void ClearAll() override { SetText(std::string()); }

  const TMxCurrencySettings& CurrencySettings() const { return Settings; }
  int Decimals() const { return DecimalsValue; }

private:
  TMxCurrencySettings Settings;
  TMxNumberSeparators Separators;
  int DecimalsValue;
  std::string Text;
};
