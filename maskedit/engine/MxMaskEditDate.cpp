// The meDate side of TMxCustomMaskEdit: the part under the caret is always selected, Left
// and Right move from part to part, Up, Down and the wheel step a part, digits are typed
// into a part by the rules of its kind (TMxDateTyping), and an edit is re-formatted into
// the editing form.
#include "maskedit/engine/MxCustomMaskEdit.h"

#include "maskedit/MxFlagScope.h"
#include "maskedit/MxStr.h"

#include <algorithm>
#include <cmath>

namespace {
bool IsDayDigits(int kind) { return kind == 1 || kind == 2; }
bool IsMonthDigits(int kind) { return kind == 11 || kind == 12; }
bool IsMonthName(int kind) { return kind == 13 || kind == 14; }
bool IsYear(int kind) { return kind >= 21 && kind <= 24; }

std::string WithoutSpaces(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
  return s;
}

std::string PadRight(std::string s, int width) {
  if (MxLen(s) < width) {
    s.append(static_cast<size_t>(width - MxLen(s)), ' ');
  }
  return s;
}
} // namespace

void TMxCustomMaskEdit::TextAssigned() {
  // A Text assignment (a value, a focus change, a mask-type change) writes a finished
  // form; only edits are re-formatted into the editing form of a date.
  const TMxFlagScope assigning(FAssigningText);
  TMxCustomEdit::TextAssigned();
}

void TMxCustomMaskEdit::CursorPosChanged() {
  if (FMaskType == meDate && !FSelectingPart) {
    SelectDatePart();
  }
  TMxCustomEdit::CursorPosChanged();
}

void TMxCustomMaskEdit::SelectDatePart() {
  if (FMaskType != meDate) {
    return;
  }
  FSelectingPart = true;
  const std::string& t = RawText();
  const int caret = GetCursorPos();
  const int length = FDateSettings->PartLengthAt(t, caret);
  if (length > 0) {
    SetSelStart(FDateSettings->PartStartAt(t, caret));
    SetSelLength(length);
  }
  FSelectingPart = false;
}

void TMxCustomMaskEdit::MoveToDatePart(int start) {
  FDateTyping.Restart();
  SetCursorPos(start); // selects the part (CursorPosChanged)
}

bool TMxCustomMaskEdit::DateKeyDown(TMxKey key) {
  const std::string t = RawText();
  const int caret = GetCursorPos();
  switch (key) {
  case TMxKey::Left: MoveToDatePart(FDateSettings->PrevPartStart(t, caret)); return true;
  case TMxKey::Right: MoveToDatePart(FDateSettings->NextPartStart(t, caret)); return true;
  case TMxKey::Up:
  case TMxKey::Down:
    if (!GetReadOnly()) {
      StepDatePart(key == TMxKey::Up ? 1 : -1);
    }
    return true;
  case TMxKey::Home:
  case TMxKey::End:
  case TMxKey::Back:
  case TMxKey::Delete: return true;
  default: return false;
  }
}

bool TMxCustomMaskEdit::MouseWheel(int delta) {
  if (FMaskType != meDate || GetReadOnly()) {
    return false;
  }
  StepDatePart(delta > 0 ? 1 : -1);
  return true;
}

void TMxCustomMaskEdit::ClickAt(int pos) {
  if (FMaskType == meDate) {
    MoveToDatePart(FDateSettings->PartStartAt(RawText(), pos));
  } else {
    SetCursorPos(pos);
  }
}

void TMxCustomMaskEdit::StepDatePart(int d) {
  const std::string t = RawText();
  const int caret = GetCursorPos();
  const int kind = FDateSettings->PartKindAt(t, caret);
  if (!IsDayDigits(kind) && !IsMonthDigits(kind) && !IsMonthName(kind) && !IsYear(kind)) {
    return; // day names are not stepped
  }
  double date = 0;
  if (!FDateSettings->TryReadDate(t, date)) {
    DoValidationError();
    return;
  }
  int y = 0, m = 0, day = 0;
  MxDecodeDate(date, y, m, day);
  if (IsDayDigits(kind)) {
    MxDecodeDate(date + d, y, m, day);
    if (date + d < MxEncodeDate(1, 1, 1) || date + d > MxEncodeDate(9999, 12, 31)) {
      DoValidationError();
      return;
    }
  } else if (IsYear(kind)) {
    y += d;
  } else {
    m = ((m - 1 + d) % 12 + 12) % 12 + 1; // within the same year
  }
  if (!MxIsValidDate(y, m, day)) {
    DoValidationError();
    return;
  }
  SetText(FDateSettings->FormatDateEdit(y, m, day));
  SetCursorPos(caret); // back to its place, with its part selected
}

void TMxCustomMaskEdit::DateKeyPress(char c) {
  const char sep = FDateSettings->DateSeparator();
  if (GetReadOnly() || !(MxIsDigit(c) || c == sep)) {
    FireKeyPress(c);
    return;
  }
  const std::string t = RawText();
  const int caret = GetCursorPos();
  const int index = FDateSettings->PartIndexAt(t, caret);
  const int kind = FDateSettings->PartKindAt(t, caret);
  const int start = FDateSettings->PartStartAt(t, caret);
  const int selStart = GetSelStart(), selLength = GetSelLength();
  if (!IsDayDigits(kind) && !IsMonthDigits(kind) && !IsMonthName(kind) && !IsYear(kind)) {
    // Day names and text outside every part take the key as it is.
    DefaultKeyPress(c);
    SetSelStart(selStart);
    SetSelLength(selLength);
    return;
  }
  if (IsYear(kind) && c == sep) {
    return;
  }
  c = FireKeyPress(c);
  if (!(MxIsDigit(c) || c == sep)) {
    return;
  }
  if (c == sep) {
    MoveToDatePart(FDateSettings->NextPartStart(t, caret));
    return;
  }
  FDateTyping.EnterPart(index);
  const std::string part = WithoutSpaces(MxCopy(t, start, FDateSettings->PartLengthAt(t, caret)));
  if (IsDayDigits(kind) || IsMonthDigits(kind)) {
    InsertText(FDateTyping.DigitKey(part, c, IsDayDigits(kind)));
    // The caret goes back to the part's start with the whole part selected: after a
    // re-format the part may be wider than the selection was ("1" became "15").
    SetCursorPos(start);
    return;
  }
  if (IsMonthName(kind)) {
    const int month = FDateTyping.MonthNameKey(c);
    if (month == 0) {
      // No month has that number yet (a first 0, or 1 then 3..9): the part keeps its name
      // until a key makes a month of it.
      SetCursorPos(start);
      return;
    }
    const TMxLocaleValues& locale = FDateSettings->GetLocale();
    const auto& names = kind == 13 ? locale.ShortMonthNames : locale.LongMonthNames;
    InsertText(PadRight(names[static_cast<size_t>(month - 1)], selLength));
    SetCursorPos(start);
    return;
  }
  // Year: the digits are collected in the part; it is read again after the fourth key.
  if (FDateTyping.YearKey(part)) {
    InsertText(std::string(1, c));
    SetSelStart(selStart);
    SetSelLength(selLength >= MxLen(t) ? selLength : 1);
    return;
  }
  const std::string insert = part + c;
  InsertText(insert);
  if (insert.size() >= 4) {
    SetCursorPos(start);
    return;
  }
  SetSelStart(selStart);
  SetSelLength(selLength + 1);
}

void TMxCustomMaskEdit::ReformatDate() {
  if (FAssigningText) {
    return;
  }
  const std::string t = RawText();
  if (IsLoading() && t.empty()) {
    return;
  }
  const int caret = GetCursorPos();
  if (IsYear(FDateSettings->PartKindAt(t, caret)) && FDateTyping.KeysInPart() < 4) {
    return; // a year being typed is left as typed until its fourth digit
  }
  const TMxDateParts p = FDateSettings->ParseDateParts(t);
  if (p.Month < 1 || p.Month > 12 || p.Day < 1 || p.Day > 31 || p.Year <= 1898) {
    return;
  }
  const std::string e = FDateSettings->FormatDateEdit(FDateSettings->ReadDate(t)); // raises for 31 April
  if (e != t) {
    SetText(e);
  }
  SetCursorPos(caret);
}
