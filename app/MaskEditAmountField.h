#pragma once
// TMaskEditAmountField: an amount field of the calculator backed by the masked edit's own
// engine (TMxCustomMaskEdit in meCurrency), set up as the calculator window sets up its fields:
// symbol then number, a negative amount in parentheses, the given symbol, and Decimals
// applied only when it differs from the edit's default of 1 (as loading a stored window
// applies only stored values).
#include <string>

#include "app/AmountField.h"
#include "maskedit/engine/MxCustomMaskEdit.h"

class TMaskEditAmountField final : public TAmountField {
public:
  TMaskEditAmountField(const std::string& symbol, int decimals,
                       TMxApplication& application = MxApplication());

  std::string GetText() const override { return Field.RawText(); }
  void SetText(const std::string& text) override { Field.SetText(text); }
  double FloatValue() override { return Field.FloatValue(); }
  void ClearAll() override { Field.ClearAll(); }

  const TMxCurrencySettings& CurrencySettings() const {
    return const_cast<TMxCustomMaskEdit&>(Field).CurrencySettings();
  }
  int Decimals() const { return Field.GetDecimals(); }
  TMxCustomMaskEdit& Edit() { return Field; }

private:
  TMxCustomMaskEdit Field;
};
