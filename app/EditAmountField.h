#pragma once
// TEditAmountField: an amount field of the zakat rules over a masked edit's engine, the one
// inside a TMxMaskEdit window or a windowless one.
#include "app/AmountField.h"
#include "maskedit/engine/MxCustomMaskEdit.h"

class TEditAmountField final : public TAmountField {
public:
  explicit TEditAmountField(TMxCustomMaskEdit& edit) : Edit(edit) {}

  std::string GetText() const override { return Edit.RawText(); }
  void SetText(const std::string& text) override { Edit.SetText(text); }
  double FloatValue() override { return Edit.FloatValue(); }
  void ClearAll() override { Edit.ClearAll(); }

private:
  TMxCustomMaskEdit& Edit;
};
