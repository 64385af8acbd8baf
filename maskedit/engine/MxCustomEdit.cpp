#include "maskedit/engine/MxCustomEdit.h"

#include "maskedit/MxStr.h"

#include <algorithm>

TMxCustomEdit::TMxCustomEdit(TMxApplication& application)
    : TMxBaseEdit(application), FCustomButtons(std::make_unique<TMxSpecialButtons>(&FButtonsOwner)) {
  SelectAllToEnd = true;
}

TMxCustomEdit::~TMxCustomEdit() {
  // The buttons die with the edit; they must not ask it for a layout on the way.
  FCustomButtons->RelayoutOwner = false;
}

// --- custom buttons ---------------------------------------------------------------------------

void TMxCustomEdit::RequestRelayout(TMxRelayout when) {
  if (OnRelayoutRequest) {
    OnRelayoutRequest(when);
  }
}

void TMxCustomEdit::TButtonsOwner::CustomButtonsChanged() {
  if (Edit.View && Edit.View->WindowExists()) {
    Edit.RequestRelayout(rlPosted);
  }
}

void TMxCustomEdit::SetCustomButtonWidth(int value) {
  value = std::max(value, 0);
  if (value == FCustomButtonWidth) {
    return;
  }
  FCustomButtonWidth = value;
  RequestRelayout(rlNow);
}

void TMxCustomEdit::SetCustomButtonsStyle(TMxUserButtonStyle value) {
  if (value == FCustomButtonsStyle) {
    return;
  }
  FCustomButtonsStyle = value;
  if (!IsLoading() && !IsUpdating()) {
    RequestRelayout(rlNow);
  }
}

bool TMxCustomEdit::ReadLegacyCustomButtonStyle(const std::string& name) {
  TMxUserButtonStyle style = FCustomButtonsStyle;
  bool themed = false;
  if (!MxUserButtonStyleFromName(name, style, themed)) {
    return false;
  }
  SetCustomButtonsStyle(style);
  if (themed && FCustomButtons->Count() > 0) {
    FCustomButtons->Item(0).ThemeMode = TMxThemeMode::ttmPlatform;
  }
  return themed;
}

int TMxCustomEdit::AdjustEditRect(int left, int top, int right, int bottom, bool frameOutsideClient) {
  const int n = FCustomButtons->Count();
  const TMxButtonStrip strip =
      MxLayoutCustomButtons(left, top, right, bottom, n, FCustomButtonWidth, frameOutsideClient);
  for (int i = 0; i < n; ++i) {
    TMxSpeedButton& b = FCustomButtons->Item(i).Control();
    const TMxButtonBounds& r = strip.Buttons[static_cast<size_t>(i)];
    b.Style = FCustomButtonsStyle;
    b.Left = r.Left;
    b.Top = r.Top;
    b.Width = r.Width;
    b.Height = r.Height;
  }
  return strip.EditRight;
}

void TMxCustomEdit::DoBtnClick(TMxSpeedButton& button, int index) {
  if (OnBtnClick) {
    OnBtnClick(this, &button, index);
  }
}

void TMxCustomEdit::SetPasswordChar(char c) {
  FPasswordChar = c;
  TextChangedAt(1);
}

void TMxCustomEdit::KeyDown(TMxKey key, std::uint8_t modifiers) {
  // A single-line edit has no lines above or below: Up and Down move like Left and Right.
  if (key == TMxKey::Up) {
    key = TMxKey::Left;
  } else if (key == TMxKey::Down) {
    key = TMxKey::Right;
  }
  TMxBaseEdit::KeyDown(key, modifiers);
}

void TMxCustomEdit::UpdateCaret() {
  if (View && View->WindowExists()) {
    View->UpdateCaret();
  }
}

void TMxCustomEdit::TextAssigned() {
  SetSelLength(0);
  TextChangedAt(1);
  if (View && View->Focused()) {
    UpdateCaret();
  }
}

void TMxCustomEdit::TextChangedAt(int pos) {
  // Without a password character the display text is the text itself; building a copy on
  // every change would double the cost of a keystroke in a long text.
  if (FPasswordChar != '\0') {
    std::string s;
    BuildDisplayText(s);
    FDisplayText = std::move(s);
  } else {
    FDisplayText.clear();
  }
  TMxBaseEdit::TextChangedAt(pos);
}

void TMxCustomEdit::BuildDisplayText(std::string& s) {
  s = RawText();
  if (FPasswordChar != '\0') {
    s.assign(s.size(), FPasswordChar);
  }
}
