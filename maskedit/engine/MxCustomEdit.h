#pragma once
// TMxCustomEdit: the text engine plus the display text (password character), the view's
// caret and paint requests, SelectAll that ends with the caret at the end, and the row of
// custom buttons inside the frame.
#include "maskedit/engine/MxBaseEdit.h"
#include "maskedit/look/MxSpecialButtons.h"

#include <functional>
#include <memory>

// How soon the window lays the edit out again: now, or once the messages already queued
// have been handled (a change of the button collection may come from inside a handler of
// one of the buttons).
enum TMxRelayout { rlNow, rlPosted };

class TMxCustomEdit : public TMxBaseEdit {
public:
  using TMxOnBtnClick = std::function<void(TMxCustomEdit* sender, TMxSpeedButton* button, int index)>;

  explicit TMxCustomEdit(TMxApplication& application = MxApplication());
  ~TMxCustomEdit() override;

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

  // --- custom buttons ---------------------------------------------------------------------
  TMxSpecialButtons& CustomButtons() { return *FCustomButtons; }
  int GetCustomButtonWidth() const { return FCustomButtonWidth; }
  // Pixels per button (0 or more); asks for a relayout now when changed.
  void SetCustomButtonWidth(int value);
  TMxUserButtonStyle GetCustomButtonsStyle() const { return FCustomButtonsStyle; }
  // Asks for a relayout now when changed, unless loading or updating.
  void SetCustomButtonsStyle(TMxUserButtonStyle value);
  // Reads the stored style name of older layouts; true when it asked for the platform look.
  bool ReadLegacyCustomButtonStyle(const std::string& name);
  bool CustomButtonParentCtlXP = false;
  TMxOnBtnClick OnBtnClick;
  // The window sets this once it has a parent; until then a change lays nothing out.
  std::function<void(TMxRelayout)> OnRelayoutRequest;
  // Takes the button strip off the right of the text area [left, right) x [top, bottom)
  // and places every button in it; returns the text area's new right edge.
  int AdjustEditRect(int left, int top, int right, int bottom, bool frameOutsideClient);
  // Fires OnBtnClick.
  virtual void DoBtnClick(TMxSpeedButton& button, int index);

private:
  struct TButtonsOwner final : IMxSpecialButtonsOwner {
    explicit TButtonsOwner(TMxCustomEdit& edit) : Edit(edit) {}
    void CustomButtonsChanged() override;
    void DoBtnClick(TMxSpeedButton& button, int index) override { Edit.DoBtnClick(button, index); }
    TMxCustomEdit& Edit;
  };
  void RequestRelayout(TMxRelayout when);

  TButtonsOwner FButtonsOwner{*this};
  std::unique_ptr<TMxSpecialButtons> FCustomButtons;
  int FCustomButtonWidth = 16;
  TMxUserButtonStyle FCustomButtonsStyle = ubsIntegrated;

  char FPasswordChar = '\0';
  std::string FDisplayText;
};
