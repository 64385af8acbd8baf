#pragma once
// What the zakat rules need of an amount field and of the way a step is refused.
#include <string>

// One amount field of the calculator window: a currency field that keeps its amount as
// the text it shows.
class TAmountField {
public:
  virtual ~TAmountField() = default;
  // The text as shown.
  virtual std::string GetText() const = 0;
  // Takes text as an amount and replaces it by the field's own form before returning.
  virtual void SetText(const std::string& text) = 0;
  // The shown text read as a number; a text that cannot be read gives 0. Never throws.
  virtual double FloatValue() = 0;
  // Selects the whole text and deletes it; the field then shows its zero text.
  virtual void ClearAll() = 0;
};

// Shows a refusal to the user (modal) and returns when it has been dismissed.
class TRefusal {
public:
  virtual ~TRefusal() = default;
  virtual void Refuse(const std::string& message) = 0;
};
