// The input side of TMxCustomMaskEdit: the key-down step, the editing hooks (CanEdit,
// BeforeEdit, BeforeDelete, BeforeInsert, AfterEdit), the clipboard overrides and the focus
// checks. Typed characters: MxMaskEditKeys.cpp.
#include "maskedit/engine/MxCustomMaskEdit.h"

#include "maskedit/MxStr.h"

#include <algorithm>
#include <cmath>

namespace {
char FirstOr(const std::string& s) { return s.empty() ? ' ' : s[0]; }
} // namespace

bool TMxCustomMaskEdit::IsNumberChar(char c) const {
  return c == DecimalSeparatorChar || MxIsDigit(c) || CharClass().IsAlpha(c);
}

std::int64_t TMxCustomMaskEdit::CurrentCurrency() {
  return FCurrencySettings->ParseCurrency(TextWithoutSuffix());
}

// --- key-down step --------------------------------------------------------------------

void TMxCustomMaskEdit::KeyDown(TMxKey key, std::uint8_t modifiers) {
  FLastKey = key;
  KeyUp(key, modifiers); // modifier bits of the shared edit mode
  if (FMaskType == meDate && DateKeyDown(key)) {
    return;
  }
  const std::string& suffix = EffectiveSuffix();
  const int len = MxLen(RawText());
  const int suffixLen = MxLen(suffix);
  const bool suffixHit = !suffix.empty() && len - suffixLen < GetSelStart() + GetSelLength();
  switch (key) {
  case TMxKey::Back:
    if (suffixHit) {
      SetSelLengthDirect(len - suffixLen - GetSelStart() + 1);
    }
    if (FMaskType == meDate) {
      return;
    }
    if (FMaskType == meMask) {
      if (!RawText().empty()) {
        if (GetSelLength() == 0) {
          if (GetCursorPos() <= 1) {
            return;
          }
          SetSelStart(GetCursorPos() - 1);
          SetSelLengthDirect(1);
        }
        const int start = GetSelStart();
        InsertText(TemplateRange(start, GetSelLength()));
        SetCursorPos(start);
      }
      return;
    }
    break;
  case TMxKey::Delete:
    if (suffixHit) {
      if (GetSelLength() == 0) {
        return;
      }
      SetSelLengthDirect(len - suffixLen - GetSelStart() + 1);
    }
    if ((FMaskType == meFloatNumber || FMaskType == meCurrency) && ThousandSeparatorChar != '\0' &&
        MxCharAt(RawText(), GetCursorPos()) == ThousandSeparatorChar) {
      SetCursorPos(GetCursorPos() + 1);
    }
    if (FMaskType == meDate) {
      return;
    }
    if (FMaskType == meMask) {
      if (GetCursorPos() <= FTemplate.Length()) {
        const int caret = GetCursorPos();
        if (GetSelLength() == 0) {
          SetSelStart(caret);
          SetSelLengthDirect(1);
        }
        InsertText(TemplateRange(GetSelStart(), GetSelLength()));
        SetCursorPos(caret);
      }
      return;
    }
    break;
  case TMxKey::Home:
  case TMxKey::End:
  case TMxKey::Left:
  case TMxKey::Right:
    if (FMaskType == meDate && (key == TMxKey::Home || key == TMxKey::End)) {
      return;
    }
    break;
  case TMxKey::Up:
  case TMxKey::Down: return; // consumed; date parts are stepped by the date form
  default: break;
  }
  TMxCustomEdit::KeyDown(key, modifiers);
}

// --- editing hooks -------------------------------------------------------------------------

void TMxCustomMaskEdit::StepCaret() {
  const int len = std::max(MxLen(RawText()), 1);
  const int next = FLastKey == TMxKey::Back ? GetCursorPos() - 1 : GetCursorPos() + 1;
  SetSelLength(0);
  SetCursorPos(std::clamp(next, 1, len));
  SetSelStart(GetCursorPos());
}

bool TMxCustomMaskEdit::CanEdit(const std::string& text) {
  if (!TMxCustomEdit::CanEdit(text)) {
    return false;
  }
  // Only the number types have separator and suffix rules; free text, masks, dates and
  // times are decided by the other hooks.
  if (FMaskType != meInteger && !MxIsFloatType(FMaskType) && FMaskType != meCurrency) {
    return true;
  }
  return NumberCanEdit(text);
}

bool TMxCustomMaskEdit::NumberCanEdit(const std::string& text) {
  const std::string& t = RawText();
  const int len = MxLen(t);
  const int caret = GetCursorPos();
  const char sepChar = DecimalSeparatorChar;
  if ((FMaskType == meFloatFixed || FMaskType == meFloatNumber || FMaskType == meCurrency) && caret >= 1 &&
      caret <= len) {
    const int s = GetSelStart();
    const char before = MxCharAt(t, s - 1);
    // Deleting the only integer digit leaves 0. A digit 0-9 or a letter in front means it
    // is not the only one (" 100,00": the last 0 may go).
    if (text.empty() && GetSelLength() == 1 && MxCharAt(t, s + 1) == sepChar &&
        (s == 1 || !(MxIsDigit(before) || CharClass().IsAlpha(before)))) {
      InsertText("0");
      StepCaret();
      return false;
    }
    const char atCaret = MxCharAt(t, caret);
    if (atCaret != sepChar || InsertMode()) {
      if (text.empty() && GetSelText() == std::string(1, sepChar)) {
        StepCaret(); // the separator cannot be deleted; the caret passes over it
        return false;
      }
      const int sep = MxPos(std::string(1, sepChar), t);
      if (!IsNumberChar(atCaret) && atCaret != '-' && !InsertMode() && FMaskType == meCurrency && sep > 0 &&
          caret < sep) {
        StepCaret(); // overtyping the symbol or a grouping character only moves the caret
        return false;
      }
      if (text == "-" && !InsertMode()) {
        SetSelLength(0);
        const int symbol = MxPos(FCurrencySettings->GetSymbol(), t);
        SetCursorPos(symbol);
        SetSelStart(GetCursorPos());
        InsertWithoutOverwrite(); // the sign is added, never typed over a digit or the symbol
      }
    } else {
      if (FMaskType == meCurrency && text == "-") {
        SetSelLength(0);
        SetCursorPos(MxPos(FCurrencySettings->GetSymbol(), t));
        SetSelStart(GetCursorPos());
        InsertWithoutOverwrite();
      } else {
        StepCaret();
        if (GetCursorPos() >= len) {
          return false;
        }
      }
    }
  }
  if ((FMaskType == meInteger || MxIsFloatType(FMaskType)) && !text.empty() && !FSuffix.empty() &&
      !(GetSelStart() == 1 && GetSelLength() >= len)) {
    const int m = InsertMode() ? 2 : 1;
    if (GetCursorPos() >= len + m - MxLen(FSuffix)) {
      return false;
    }
  }
  return true;
}

void TMxCustomMaskEdit::BeforeEdit() {
  TMxCustomEdit::BeforeEdit();
  // Only the grouped types read the count (AfterEdit); counting is linear in the text.
  const bool grouped = FMaskType == meFloatNumber || FMaskType == meCurrency;
  SeparatorsBeforeCaret = grouped && ThousandSeparatorChar != '\0'
                              ? MxCountChar(RawText(), ThousandSeparatorChar, GetCursorPos())
                              : 0;
}

void TMxCustomMaskEdit::BeforeDelete(int pos, std::string_view removed) {
  // Only meMask restores the saved text; other types skip the copy.
  if (FMaskType == meMask) {
    SaveTextForMask();
  } else if (FMaskType == meCurrency && !removed.empty()) {
    CurrencyBeforeDelete(pos, removed);
  }
}

void TMxCustomMaskEdit::SaveTextForMask() { SavedText = RawText(); }

void TMxCustomMaskEdit::CurrencyBeforeDelete(int pos, std::string_view removed) {
  const std::string& symbol = FCurrencySettings->GetSymbol();
  const int sep = MxPos(std::string(1, DecimalSeparatorChar), RawText());
  if (sep >= pos && sep > 0 && !symbol.empty() && removed[0] == symbol[0]) {
    // The removal is taken from the number, not from the symbol.
    const int p = FCurrencySettings->NumberPosition(CurrentCurrency()) + MxLen(symbol) - 1;
    SetCursorPosDirect(p);
    SetSelStart(GetCursorPos());
  }
}

void TMxCustomMaskEdit::BeforeInsert(int pos, std::string& text) {
  // Free text, currency, dates and times take any characters here.
  if (!text.empty() &&
      (FMaskType == meInteger || FMaskType == meWord || FMaskType == meFloat || FMaskType == meMask)) {
    FilterInsert(pos, text);
  }
}

void TMxCustomMaskEdit::FilterInsert(int pos, std::string& text) {
  const std::string& t = RawText();
  if (FMaskType != meMask) {
    // Letter digits of bases above 10 go in upper-cased, as typed ones do.
    for (char& c : text) {
      c = CharClass().ToUpper(c);
    }
  }
  const auto allDigits = [this](std::string_view s) {
    for (char c : s) {
      if (!IsBaseDigit(c)) {
        return false;
      }
    }
    return true;
  };
  switch (FMaskType) {
  case meInteger: {
    std::string_view body = text;
    if (text[0] == '-') {
      if (FirstOr(t) == '-' && !(GetSelStart() == 1 && GetSelLength() > 0)) {
        text.clear();
        return;
      }
      body.remove_prefix(1);
    }
    if (!allDigits(body)) {
      text.clear();
    }
    break;
  }
  case meWord:
    if (!allDigits(text)) {
      text.clear();
    }
    break;
  case meFloat: {
    bool ok = true;
    for (size_t i = 0; i < text.size() && ok; ++i) {
      const char c = text[i];
      if (c == '-') {
        const int minus = MxPos("-", t);
        ok = i == 0 && GetSelStart() == 1 && (minus == 0 || (GetSelStart() == minus && GetSelLength() == 0));
      } else if (c == DecimalSeparatorChar) {
        const int sep = MxPos(std::string(1, DecimalSeparatorChar), t);
        ok = sep == 0 || (GetSelStart() == sep && GetSelLength() == 0);
      } else {
        ok = IsBaseDigit(c);
      }
    }
    if (!ok) {
      text.clear();
    }
    break;
  }
  case meMask: {
    std::string candidate = t;
    MxInsert(candidate, text, pos);
    if (!TextMatchesMask(candidate)) {
      text.clear();
    }
    break;
  }
  default: break;
  }
}

void TMxCustomMaskEdit::AfterEdit() {
  TMxCustomEdit::AfterEdit();
  if (FMaskType == meCurrency || FMaskType == meFloatNumber) {
    GroupedAfterEdit();
  }
}

void TMxCustomMaskEdit::GroupedAfterEdit() {
  if (FMaskType == meCurrency) {
    const int b = FCurrencySettings->NumberPosition(CurrentCurrency());
    if (b >= GetCursorPos() && !LastEditWasDelete) {
      SetCursorPos(b + MxLen(FCurrencySettings->GetSymbol()));
      SetSelStart(GetCursorPos());
      SetInsertEndPos(GetCursorPos());
    }
  }
  if ((FMaskType == meFloatNumber || FMaskType == meCurrency) && ThousandSeparatorChar != '\0') {
    // Keep the caret beside the same digit when grouping characters appear or disappear
    // in front of it. The position is corrected before it is clamped to the (possibly
    // shorter) text: clamping first would put the caret one digit too far left.
    const int end = std::max(InsertEndPos(), GetCursorPos());
    const int n = MxCountChar(RawText(), ThousandSeparatorChar, end);
    if (LastEditWasDelete || n > SeparatorsBeforeCaret) {
      SetCursorPos(end + n - SeparatorsBeforeCaret);
      SetSelStart(GetCursorPos());
    }
  }
}

// --- clipboard -----------------------------------------------------------------------------

bool TMxCustomMaskEdit::SuffixBlocksClipboard() const {
  if (FSuffix.empty()) {
    return false;
  }
  const int len = MxLen(RawText());
  return !(len - MxLen(FSuffix) + 1 >= GetSelStart() + GetSelLength());
}

void TMxCustomMaskEdit::CutToClipboard() {
  if (!SuffixBlocksClipboard()) {
    TMxCustomEdit::CutToClipboard();
  }
}

void TMxCustomMaskEdit::PasteFromClipboard() {
  if (!SuffixBlocksClipboard()) {
    TMxCustomEdit::PasteFromClipboard();
  }
}

// --- focus ---------------------------------------------------------------------------------

void TMxCustomMaskEdit::DoExit() {
  switch (FMaskType) {
  case meDate: {
    double date = 0;
    if (FDateSettings->TryReadDate(RawText(), date)) {
      SetText(FDateSettings->FormatDateDisplay(date));
    } else {
      DoValidationError();
      if (View) {
        View->RequestFocus();
      }
    }
    break;
  }
  case meTime: {
    double time = 0;
    if (!MxTextToTime(RawText(), Locale(), time)) {
      DoValidationError();
      if (View) {
        View->RequestFocus();
      }
    }
    break;
  }
  case meMask: {
    const int k = FirstMissingRequired(RawText());
    if (k > 0) {
      if (View) {
        View->RequestFocus();
      }
      SetSelStart(k);
      SetSelLength(1);
    }
    Application().SetEditMode(SavedEditMode);
    break;
  }
  default:
    if (TextWithoutSuffix() == "-") {
      SetText("");
    }
    break;
  }
}

void TMxCustomMaskEdit::DoEnter() {
  if (FMaskType == meDate) {
    // A text that cannot be read stays as it is and is reported; the focus change itself
    // must not fail.
    FDateTyping.Restart();
    double date = 0;
    if (!RawText().empty()) {
      if (FDateSettings->TryReadDate(RawText(), date)) {
        SetText(FDateSettings->FormatDateEdit(date));
      } else {
        DoValidationError();
      }
    }
    SelectDatePart();
  } else if (FMaskType == meMask) {
    SavedEditMode = Application().GetEditMode();
  }
}
