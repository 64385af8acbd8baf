#pragma once
// TMxCustomEdit: the text engine plus the display text (password character), the view's
// caret and paint requests, and SelectAll that ends with the caret at the end.
#include "maskedit/MxBaseEdit.h"

class TMxCustomEdit : public TMxBaseEdit {
public:
  explicit TMxCustomEdit(TMxApplication& application = MxApplication());

  char GetPasswordChar() const { return FPasswordChar; }
  // Stores the character and rebuilds the display text (TextChangedAt(1)).
  void SetPasswordChar(char c);
  // The text as drawn and measured.
  const std::string& DisplayText() const { return FPasswordChar != '\0' ? FDisplayText : RawText(); }

  void KeyDown(TMxKey key, std::uint8_t modifiers) override;

  void UpdateCaret() override;
  void TextAssigned() override;
  void TextChangedAt(int pos) override;
  bool CanCopy() const override { return FPasswordChar == '\0'; }
  virtual void BuildDisplayText(std::string& s);

private:
  char FPasswordChar = '\0';
  std::string FDisplayText;
};
