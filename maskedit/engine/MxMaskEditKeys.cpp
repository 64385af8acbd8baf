// Typed characters of TMxCustomMaskEdit: KeyPress takes the steps every mask type shares
// and hands the character to the function of its type (IntegerKeyPress ... MaskKeyPress;
// DateKeyPress in MxMaskEditDate.cpp).
#include "maskedit/engine/MxCustomMaskEdit.h"

#include "maskedit/MxStr.h"

#include <cmath>

// A keystroke may change the text directly before its character is inserted: the zero
// step removes a "0", and a typed decimal separator removes the existing one. When the
// character is then not inserted after all (not a digit of the base, refused by a hook),
// the text is put back: it must not be left out of its form.
class TMxCustomMaskEdit::TDirectChanges {
public:
  explicit TDirectChanges(TMxCustomMaskEdit& edit) : FEdit(edit) {}
  TDirectChanges(const TDirectChanges&) = delete;
  TDirectChanges& operator=(const TDirectChanges&) = delete;
  ~TDirectChanges() {
    if (FArmed && FEdit.RawText() == FAfterChange) {
      FEdit.AssignTextDirect(FOriginal);
      FEdit.SetCursorPosDirect(FCaret);
      FEdit.SetSelStart(FSelStart);
    }
  }

  // Runs change (true when it changed the text); the first change that did is the one
  // undone.
  template <class TChange>
  void Run(const TChange& change) {
    std::string before = FEdit.RawText();
    const int caret = FEdit.GetCursorPos(), selStart = FEdit.GetSelStart();
    if (change()) {
      if (!FArmed) {
        FOriginal = std::move(before);
        FCaret = caret;
        FSelStart = selStart;
        FArmed = true;
      }
      FAfterChange = FEdit.RawText();
    }
  }
  void ZeroStep(char c, double value) {
    Run([&] { return FEdit.ZeroStep(c, value); });
  }

private:
  TMxCustomMaskEdit& FEdit;
  std::string FOriginal;
  int FCaret = 1;
  int FSelStart = 1;
  std::string FAfterChange;
  bool FArmed = false;
};

void TMxCustomMaskEdit::KeyPress(char c) {
  // The text before the keystroke: a keystroke may change the text directly before it
  // inserts (a removed zero or separator), and an overflow restores this text.
  const bool outermost = EditDepth == 0;
  if (outermost) {
    NoteTextBeforeChange();
  }
  TEditScope scope(*this);
  if (FMaskType == meMask) {
    MaskKeyPress(c);
    return;
  }
  if (FMaskType == meInteger || FMaskType == meWord || MxIsFloatType(FMaskType)) {
    c = CharClass().ToUpper(c);
  }
  if (ForceMaskCheck && c == '\r') {
    DoExit();
    DoEnter();
    return;
  }
  TDirectChanges direct(*this);
  switch (FMaskType) {
  case meInteger: IntegerKeyPress(c, direct); return;
  case meWord: WordKeyPress(c, direct); return;
  case meFloat:
  case meFloatFixed:
  case meFloatNumber: FloatKeyPress(c, direct); return;
  case meCurrency: CurrencyKeyPress(c, direct); return;
  case meDate: DateKeyPress(c); return;
  case meTime: TimeKeyPress(c); return;
  case meNone: InheritedKeyPress(c); return;
  case meMask: return;
  }
}

// --- shared steps --------------------------------------------------------------------------

bool TMxCustomMaskEdit::ZeroStep(char c, double value) {
  const std::string text = RawText();
  if (text.empty() || GetSelLength() != 0 || !InsertMode() || static_cast<unsigned char>(c) < 32 ||
      c == DecimalSeparatorChar) {
    return false;
  }
  const int sep = MxPos(std::string(1, DecimalSeparatorChar), text);
  int zero = 0;
  if (value == 0 && sep == 0) {
    zero = MxPos("0", text);
  } else if (std::trunc(value) == 0 && sep >= 2 && GetCursorPos() <= sep) {
    zero = sep - 1;
  }
  if (zero == 0 || MxCharAt(text, zero) != '0') {
    return false;
  }
  std::string t = text;
  MxDelete(t, zero, 1);
  AssignTextDirect(std::move(t));
  SetCursorPosDirect(zero);
  SetSelStart(zero);
  return true;
}

void TMxCustomMaskEdit::ToggleSign() {
  if (GetReadOnly()) {
    return;
  }
  // The sign is changed by assigning the text, which shifts every position recorded for
  // undo: the recorded steps no longer apply.
  EmptyUndoBuffer();
  if (GetSelLength() == 0) {
    std::string t = RawText();
    const int caret = GetCursorPos();
    const int minus = MxPos("-", t);
    if (minus > 0) {
      MxDelete(t, minus, 1);
      SetText(t);
      SetCursorPos(caret - 1);
    } else {
      t.insert(t.begin(), '-');
      SetText(t);
      SetCursorPos(caret + 1);
    }
    return;
  }
  InsertText("-");
  SetCursorPos(2);
  SetSelStart(GetCursorPos());
  SetSelLength(1);
}

// --- one function per mask type -------------------------------------------------------------

void TMxCustomMaskEdit::IntegerKeyPress(char c, TDirectChanges& direct) {
  direct.ZeroStep(c, IntegerValue());
  if (c == '-') {
    ToggleSign();
  } else if (IsBaseDigit(c) && !(!RawText().empty() && MxCharAt(RawText(), GetCursorPos()) == '-')) {
    InheritedKeyPress(c);
  } else {
    FireKeyPress(c);
  }
}

void TMxCustomMaskEdit::WordKeyPress(char c, TDirectChanges& direct) {
  direct.ZeroStep(c, WordValue());
  if (IsBaseDigit(c)) {
    InheritedKeyPress(c);
  } else {
    FireKeyPress(c);
  }
}

void TMxCustomMaskEdit::FloatKeyPress(char c, TDirectChanges& direct) {
  direct.ZeroStep(c, FloatValue());
  const std::string t = RawText();
  if (c == '-') {
    ToggleSign();
  } else if (IsBaseDigit(c)) {
    if (t.empty() || MxCharAt(t, GetCursorPos()) != '-' || (GetCursorPos() == 1 && GetSelLength() > 0)) {
      InheritedKeyPress(c);
    } else {
      FireKeyPress(c);
    }
  } else if (c == DecimalSeparatorChar) {
    const int sep = MxPos(std::string(1, DecimalSeparatorChar), t);
    if (sep == 0) {
      const int minus = MxPos("-", t);
      if (minus == 0 || GetCursorPos() > minus) {
        InheritedKeyPress(c);
      } else {
        FireKeyPress(c);
      }
    } else {
      SetCursorPos(sep + 1);
      FireKeyPress(c);
    }
  } else {
    FireKeyPress(c);
  }
}

void TMxCustomMaskEdit::CurrencyKeyPress(char c, TDirectChanges& direct) {
  direct.ZeroStep(c, CurrencyValue());
  NegativeZero = c == '-' && MxPos("-", RawText()) == 0;
  // A "-" typed without a selection keeps the caret behind the same digit: k counts the
  // number characters up to the caret.
  int k = 0;
  const bool minusWithoutSelection = c == '-' && GetSelLength() == 0;
  if (minusWithoutSelection) {
    const std::string t = RawText();
    const char at = MxCharAt(t, GetCursorPos());
    if (!IsNumberChar(at) && at != '-') {
      k = 1;
    } else {
      for (int i = 1; i <= GetCursorPos() && i <= MxLen(t); ++i) {
        k += IsNumberChar(t[static_cast<size_t>(i - 1)]) ? 1 : 0;
      }
    }
  }
  if (c == DecimalSeparatorChar) {
    const std::string t = RawText();
    const int sep = MxPos(std::string(1, DecimalSeparatorChar), t);
    if (GetSelLength() == 0) {
      if (sep > 0) {
        direct.Run([&] {
          std::string without = t;
          MxDelete(without, sep, 1);
          AssignTextDirect(std::move(without));
          // The caret keeps its place among the digits when the separator stood before it.
          if (sep < GetCursorPos()) {
            SetCursorPosDirect(GetCursorPos() - 1);
            SetSelStart(GetCursorPos());
          }
          return true;
        });
      }
      InheritedKeyPress(c);
    } else if (sep > 0 && (sep == GetSelStart() || sep == GetSelStart() + GetSelLength())) {
      InheritedKeyPress(c);
    } else {
      FireKeyPress(c);
    }
  } else {
    InheritedKeyPress(c);
  }
  if (minusWithoutSelection) {
    const std::string t = RawText();
    int seen = 0;
    for (int i = 1; i <= MxLen(t); ++i) {
      if (IsNumberChar(t[static_cast<size_t>(i - 1)]) && ++seen == k) {
        SetCursorPos(i);
        SetSelStart(i);
        break;
      }
    }
  }
}

void TMxCustomMaskEdit::TimeKeyPress(char c) {
  const TMxLocaleValues locale = Locale();
  const char sep = locale.TimeSeparator.empty() ? ':' : locale.TimeSeparator[0];
  if (MxIsDigit(c) || c == sep) {
    InheritedKeyPress(c);
  } else {
    FireKeyPress(c);
  }
}

void TMxCustomMaskEdit::MaskKeyPress(char c) {
  // A character that does not fit the position but meets a literal there is tried again
  // at the next position, until it fits or no literal follows.
  for (;;) {
    if (GetSelLength() > 1) {
      SetSelLength(1);
    }
    if (!ProcessBlankChar && c == FBlankChar) {
      return;
    }
    if (ForceMaskCheck && c == '\r') {
      DoExit();
      DoEnter();
      return;
    }
    Application().SetEditMode(static_cast<std::uint8_t>(Application().GetEditMode() & ~emInsert));
    if (CharAllowedAt(GetSelStart(), c)) {
      InheritedKeyPress(c);
      return;
    }
    if (GetCursorPos() < MxLen(RawText()) && c != '\b' && FTemplate.IsLiteralAt(GetCursorPos())) {
      SetCursorPos(GetCursorPos() + 1);
      continue;
    }
    FireKeyPress(c);
    return;
  }
}
