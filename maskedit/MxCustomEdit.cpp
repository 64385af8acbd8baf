#include "maskedit/MxCustomEdit.h"

#include "maskedit/MxStr.h"

TMxCustomEdit::TMxCustomEdit(TMxApplication& application) : TMxBaseEdit(application) { SelectAllToEnd = true; }

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
