#include "maskedit/engine/MxBaseEdit.h"

#include <utility>

#include "maskedit/MxFlagScope.h"

#include "maskedit/MxStr.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {
// Up to count characters of s from 1-based position start, clamped like MxCopy, as a view.
std::string_view RangeOf(std::string_view s, long long start, long long count) {
  if (start < 1) {
    start = 1;
  }
  const long long len = static_cast<long long>(s.size());
  if (count <= 0 || start > len) {
    return {};
  }
  return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(std::min(count, len - start + 1)));
}
} // namespace

// --- construction ----------------------------------------------------------------------------

TMxBaseEdit::TMxBaseEdit(TMxApplication& application)
    : App(application), Chars(&TMxAsciiCharClass::Instance()) {
  WordDelimiters.set(static_cast<unsigned char>(' '));
}

// The undo stack owns its records; they need no handler to be released.
IMxEditValidator::~IMxEditValidator() {
  while (!FLinkedEdits.empty()) {
    FLinkedEdits.back()->SetValidator(nullptr);
  }
}

TMxBaseEdit::~TMxBaseEdit() { SetValidator(nullptr); }

void TMxBaseEdit::SetValidator(IMxEditValidator* validator) {
  if (validator == Validator) {
    return;
  }
  if (Validator) {
    std::erase(Validator->FLinkedEdits, this);
  }
  Validator = validator;
  if (Validator) {
    Validator->FLinkedEdits.push_back(this);
  }
}

void TMxBaseEdit::SetCharClass(const IMxCharClass* charClass) {
  Chars = charClass ? charClass : &TMxAsciiCharClass::Instance();
}

// --- state accessors ---------------------------------------------------------------------

std::string TMxBaseEdit::GetText() {
  std::string result = FText;
  TextRead();
  return result;
}

void TMxBaseEdit::SetText(std::string_view value) {
  if (value == FText) {
    return;
  }
  if (EditDepth == 0) {
    // A value written from outside makes every recorded step meaningless: replaying one
    // would edit the new text at positions that belonged to the old one.
    EmptyUndoBuffer();
    if (KeepTextBeforeChange) {
      FPrevText = FText;
    }
  }
  TEditScope scope(*this);
  FText = FMaxLength != 0 ? MxCopy(value, 1, FMaxLength) : std::string(value);
  ScrollOffset = 0;
  SetCursorPos(1);
  SetSelLength(0);
  TextAssigned();
}

void TMxBaseEdit::SetCursorPosDirect(int p) { FCursorPos = std::clamp(p, 1, MxLen(FText) + 1); }

void TMxBaseEdit::SetCursorPos(int p) {
  FPrevCursorPos = FCursorPos;
  SetCursorPosDirect(p);
  if (!IsUpdating()) {
    UpdateSelection();
    CursorPosChanged();
  }
}

void TMxBaseEdit::SetSelLength(int n) {
  if (n == FSelLength) {
    return;
  }
  FSelLength = n;
  if (n == 0) {
    FSelStart = FCursorPos;
  }
  if (!IsUpdating()) {
    PaintText(-1);
  }
}

std::string TMxBaseEdit::GetSelText() {
  // Only the selected characters are copied; the TextRead hook still runs.
  std::string result = MxCopy(FText, FSelStart, FSelLength);
  TextRead();
  return result;
}

int TMxBaseEdit::GetSelTextBuf(char* buffer, int size) {
  if (!buffer || size <= 0) {
    return 0;
  }
  const std::string s = MxCopy(GetSelText(), 1, size - 1);
  std::copy(s.begin(), s.end(), buffer);
  buffer[s.size()] = '\0';
  return static_cast<int>(s.size());
}

void TMxBaseEdit::SetModified(bool value) {
  if (value == FModified) {
    return;
  }
  FModified = value;
  if (OnModified) {
    OnModified(this);
  }
}

void TMxBaseEdit::SetReadOnly(bool value) {
  FReadOnly = value;
  if (View && App.UseXPThemes) {
    View->Invalidate();
  }
}

void TMxBaseEdit::SetAlignment(TMxAlignment value) {
  if (value == FAlignment) {
    return;
  }
  FAlignment = value;
  ScrollOffset = 0;
  AlignmentChanged();
  PaintText(-1);
  UpdateCaret();
}

// --- hooks with a default ----------------------------------------------------------------

bool TMxBaseEdit::CanEdit(const std::string&) { return !GetReadOnly(); }

void TMxBaseEdit::DoChange() {
  if (OnChange) {
    OnChange(this);
  }
  if (Validator) {
    Validator->Validate(*this);
  }
}

void TMxBaseEdit::ReportValidationLevel(int errorLevel) {
  HasValidationErrorFlag = errorLevel > 0;
  if (OnValidationError) {
    OnValidationError(this, errorLevel);
  }
}

void TMxBaseEdit::PaintText(int) {
  if (IsUpdating() || IsLoading() || !View || !View->WindowExists()) {
    return;
  }
  View->PaintText();
}

void TMxBaseEdit::CursorPosChanged() {
  UpdateCaret();
  if (OnCursorPosChanged) {
    OnCursorPosChanged(this);
  }
}

void TMxBaseEdit::TextChangedAt(int pos) {
  if (IsUpdating()) {
    return;
  }
  PaintText(pos);
  if (!IsLoading()) {
    if (OnTextChangedAt) {
      OnTextChangedAt(this, pos);
    }
    DoChange();
  }
}

void TMxBaseEdit::EndUpdate(bool repaint) {
  // An EndUpdate without a BeginUpdate does nothing (no repaint either).
  if (FUpdates.IsUpdating() && FUpdates.End(repaint)) {
    BevelChanged(nullptr);
  }
}

void TMxBaseEdit::Loaded() { FLoading = false; }

void TMxBaseEdit::BevelChanged(TMxObject*) {
  if (View && !IsLoading()) {
    View->Invalidate();
  }
}

// --- InsertText ------------------------------------------------------------------------

void TMxBaseEdit::InsertText(std::string_view textIn) {
  // textIn is read again after the text has changed (for the undo record); when it points
  // into the text itself it is copied first.
  std::string aliasCopy;
  const std::less<const char*> before;
  if (!textIn.empty() && !before(textIn.data(), FText.data()) &&
      before(textIn.data(), FText.data() + FText.size())) {
    aliasCopy.assign(textIn);
    textIn = aliasCopy;
  }
  std::string text(textIn);
  const bool allowed = CanEdit(text);
  // Asked for by CanEdit for this one insertion only.
  const bool insertHere = std::exchange(FInsertWithoutOverwrite, false);
  if (!allowed) {
    return;
  }
  if (EditDepth == 0 && KeepTextBeforeChange) {
    FPrevText = FText;
  }
  TEditScope scope(*this);
  LastEditWasDelete = text.empty();
  if (OEMConvert && !text.empty()) {
    Chars->OemRoundTrip(text);
  }
  BeforeEdit();

  // The undo step describes the state before any adjustment below. NewText is the text as
  // passed (after the code page round trip); a long one is filled in after the insertion,
  // usually by moving the inserted text in rather than copying a long paste twice.
  int record = -1;
  int recordedLength = 0;
  bool newTextLater = false;
  if (!FUndoInProgress) {
    const std::string_view newText = OEMConvert ? std::string_view(text) : textIn;
    // SelText at the call: the characters are copied into the stack, then the read hook
    // runs as it does for GetSelText.
    const std::string_view oldText = RangeOf(FText, FSelStart, FSelLength);
    newTextLater = !OEMConvert && newText.size() > TMxUndoBuffer::LongTextSize;
    recordedLength = MxLen(newText);
    record = newTextLater
                 ? FUndoStack.PushRecordLater(newText.size(), oldText, FSelStart, FSelLength, recordedLength,
                                              FCursorPos)
                 : FUndoStack.PushRecord(newText, oldText, FSelStart, FSelLength, recordedLength, FCursorPos);
    TextRead();
    if (record >= 0) {
      FCanUndo = true;
    }
  }
  const int p0 = FSelStart;

  // A CR LF pair is one unit: a selection edge between CR and LF takes the whole pair,
  // and overwrite mode replaces one character or one whole pair. There is no CR before
  // position 1, so SelStart never goes below 1.
  const int len = MxLen(FText);
  if (FSelLength > 0 && static_cast<long long>(len) >= static_cast<long long>(FSelStart) + FSelLength - 1) {
    if (MxCharAt(FText, static_cast<long long>(FSelStart) + FSelLength - 1) == '\r') {
      ++FSelLength;
    }
    if (FSelStart > 1 && MxCharAt(FText, FSelStart) == '\n') {
      --FSelStart;
      ++FSelLength;
    }
  } else {
    if (!FText.empty() && len >= FSelStart && FSelStart > 1 && MxCharAt(FText, FSelStart) == '\n') {
      --FSelStart;
    }
    // Undo replays a step with no selection; widening it here would delete a neighbour.
    if (!InsertMode() && !FUndoInProgress && !insertHere) {
      FSelLength = 1;
      if (len >= FSelStart && MxCharAt(FText, FSelStart) == '\r') {
        FSelLength = 2;
      }
    }
  }

  // The hook sees the characters in place: a copy would cost a string per keystroke. The
  // view is not used once the hook has returned.
  BeforeDelete(FSelStart, RangeOf(FText, FSelStart, FSelLength));
  MxDelete(FText, FSelStart, FSelLength);
  FSelLength = 0;

  int newPos = FSelStart;
  BeforeInsert(FSelStart, text);
  int inserted = 0;
  if (FMaxLength == 0 || static_cast<long long>(MxLen(FText)) + MxLen(text) <= FMaxLength) {
    const int at = std::clamp(FSelStart, 1, MxLen(FText) + 1);
    MxInsert(FText, text, at);
    inserted = MxLen(text);
    newPos = at + inserted;
  }
  if (record >= 0) {
    if (newTextLater) {
      if (text == textIn) {
        FUndoStack.SetNewText(record, std::move(text));
      } else {
        FUndoStack.SetNewText(record, textIn);
      }
    }
    if (inserted != recordedLength) {
      FUndoStack.SetInsertedLength(record, inserted);
    }
  }

  SetModified(true);
  FInsertEndPos = newPos;
  TextChangedAt(p0);
  SetCursorPos(newPos);
  BeginUpdate();
  SetSelLength(0);
  EndUpdate(true);
  SetSelStart(FCursorPos);
  AfterEdit();
}

// --- selection and caret moves -----------------------------------------------------------

void TMxBaseEdit::UpdateSelection() {
  if (Typing || TextDragging) {
    return;
  }
  if (!AllowSelecting && App.HasEditMode(emShift)) {
    App.SetEditMode(static_cast<std::uint8_t>(App.GetEditMode() & ~emShift));
  }
  const int c = FCursorPos, p = FPrevCursorPos;
  int& s = FSelStart;
  int& l = FSelLength;
  if (!App.HasEditMode(emShift) && !ExtendSelection) {
    l = 0;
    s = c;
    return;
  }
  if (l == 0) {
    l = std::abs(p - c);
    if (c < p) {
      s = c;
    }
    return;
  }
  if (s < c) {
    if (c < s + l) {
      if (c > p) {
        l = s + l - c;
        s = c;
      } else {
        l = c - s;
      }
    } else if (s < p) {
      l = c - s;
    } else {
      s = s + l;
      l = c - s;
    }
  } else if (s == p) {
    l = l + (s - c);
    s = c;
  } else {
    l = s - c;
    s = c;
  }
}

void TMxBaseEdit::SelectAll() {
  if (SelectAllToEnd) {
    CursorEnd();
  }
  FSelStart = 1;
  FSelLength = MxLen(FText);
  PaintText(-1);
}

void TMxBaseEdit::ClearAll() {
  SelectAll();
  InsertText({});
}

void TMxBaseEdit::SelectWordAtCursor() {
  const std::string text = GetText();
  const int len = MxLen(text);
  if (len == 0) {
    return;
  }
  auto delim = [&](int i) { return WordDelimiters.test(static_cast<unsigned char>(MxCharAt(text, i))); };
  int i = std::min(FCursorPos, len);
  if (i > 1 && delim(i)) {
    --i;
  }
  while (i > 1 && !delim(i)) {
    --i;
  }
  if (i != 1) {
    ++i;
  }
  FSelStart = i;
  int j = FCursorPos;
  while (j <= len && !delim(j)) {
    ++j;
  }
  SetSelLength(j - FSelStart);
}

void TMxBaseEdit::WordLeft() {
  const int len = MxLen(FText);
  auto delim = [&](int i) { return WordDelimiters.test(static_cast<unsigned char>(MxCharAt(FText, i))); };
  int v = std::min(FCursorPos, len);
  if (v > 1 && delim(v)) {
    --v;
  }
  if (len >= v) {
    while (v > 1 && !delim(v)) {
      --v;
    }
  }
  SetCursorPos(v);
}

void TMxBaseEdit::WordRight() {
  const int len = MxLen(FText);
  auto delim = [&](int i) { return WordDelimiters.test(static_cast<unsigned char>(MxCharAt(FText, i))); };
  if (FCursorPos < len && delim(FCursorPos)) {
    SetCursorPos(FCursorPos + 1);
  }
  while (FCursorPos <= len && !delim(FCursorPos)) {
    SetCursorPos(FCursorPos + 1);
  }
}

void TMxBaseEdit::CursorHome() {
  int v = FCursorPos;
  while (v > 1 && MxCharAt(FText, v - 1) != '\n') {
    --v;
  }
  SetCursorPos(v);
}

void TMxBaseEdit::CursorEnd() {
  const int len = MxLen(FText);
  int v = FCursorPos;
  while (v < len + 1 && MxCharAt(FText, v) != '\r') {
    ++v;
  }
  SetCursorPos(v);
}

// --- clipboard and undo -------------------------------------------------------------------

void TMxBaseEdit::CopyToClipboard() {
  if (CanCopy() && Clipboard) {
    Clipboard->SetText(GetSelText());
  }
}

void TMxBaseEdit::CutToClipboard() {
  if (!CanCopy()) {
    return;
  }
  if (Clipboard) {
    Clipboard->SetText(GetSelText());
  }
  InsertText({});
}

void TMxBaseEdit::PasteFromClipboard() {
  if (CanCopy() && Clipboard && Clipboard->HasText()) {
    InsertText(Clipboard->GetText());
  }
}

void TMxBaseEdit::EmptyUndoBuffer() {
  FUndoStack.Clear();
  FCanUndo = false;
}

void TMxBaseEdit::Undo() {
  if (!FCanUndo || FUndoStack.Count() == 0) {
    return;
  }
  if (EditDepth == 0) {
    NoteTextBeforeChange(); // a refused undo goes back to this text, not an older one
  }
  TEditScope scope(*this);
  TMxUndoRecord r;
  FUndoStack.PopRecord(r);
  {
    const TMxFlagScope undoing(FUndoInProgress);
    SetSelStart(r.SelStart);
    SetSelLength(r.InsertedLength);
    FSelStart = r.SelStart;
    InsertText(MxCopy(r.OldText, 1, r.OldSelLength));
  }
  if (FUndoStack.Count() == 0) {
    FCanUndo = false;
  }
  SetCursorPos(r.CursorPos);
  FSelStart = r.SelStart;
  SetSelLength(r.OldSelLength);
}

// --- input ------------------------------------------------------------------------------

char TMxBaseEdit::FireKeyPress(char c) {
  if (OnKeyPress) {
    OnKeyPress(this, c);
  }
  return c;
}

void TMxBaseEdit::DefaultKeyPress(char c) {
  c = FireKeyPress(c);
  if (static_cast<unsigned char>(c) < 32) {
    return;
  }
  if (CharCase == ecUpperCase) {
    c = Chars->ToUpper(c);
  } else if (CharCase == ecLowerCase) {
    c = Chars->ToLower(c);
  }
  const TMxFlagScope typing(Typing);
  InsertText(std::string(1, c));
}

void TMxBaseEdit::KeyPress(char c) { DefaultKeyPress(c); }

void TMxBaseEdit::KeyUp(TMxKey, std::uint8_t modifiers) {
  const std::uint8_t mode =
      static_cast<std::uint8_t>((App.GetEditMode() & emInsert) | (modifiers & (emShift | emCtrl | emAlt)));
  App.SetEditMode(mode);
}

void TMxBaseEdit::KeyDown(TMxKey key, std::uint8_t modifiers) {
  KeyUp(key, modifiers); // the same modifier update
  DefaultKeyDown(key);
}

void TMxBaseEdit::DefaultKeyDown(TMxKey key) {
  const int selBefore = FSelLength;
  const bool ctrl = App.HasEditMode(emCtrl);
  const bool ctrlOnly = ctrl && !App.HasEditMode(emAlt);
  const bool shift = App.HasEditMode(emShift);
  const int len = MxLen(FText);
  switch (key) {
  case TMxKey::Back:
    if (!GetReadOnly() && FSelStart >= 1) {
      if (FCursorPos == 1 && FSelStart == 1 && FSelLength == 0) {
        return;
      }
      if (FSelLength == 0 || HasCompletion()) {
        SetSelStart(FCursorPos - 1);
        SetSelLength(FSelLength + 1);
      }
      InsertText({});
      if (FText.empty()) {
        ScrollOffset = 0;
      }
    }
    break;
  case TMxKey::Enter:
    if (TabOnEnter && !ctrl && View) {
      View->FocusNextControl();
    }
    break;
  case TMxKey::Escape: SetSelLength(0); break;
  case TMxKey::End: CursorEnd(); break;
  case TMxKey::Home:
    if (ctrl) {
      SetCursorPos(1);
    } else {
      CursorHome();
    }
    break;
  case TMxKey::Left:
    if (FCursorPos >= 2) {
      SetCursorPos(MxCharAt(FText, FCursorPos - 1) == '\n' ? FCursorPos - 2 : FCursorPos - 1);
      if (ctrl) {
        WordLeft();
      }
    } else if (!shift) {
      SetSelLength(0);
    }
    break;
  case TMxKey::Right:
    if (FCursorPos < len + 1 && !FText.empty()) {
      SetCursorPos(FCursorPos + 1);
      if (MxCharAt(FText, FCursorPos) == '\n') {
        SetCursorPos(FCursorPos + 1);
      }
      if (ctrl) {
        WordRight();
      }
    } else if (!shift) {
      SetSelLength(0);
    }
    break;
  case TMxKey::Insert:
    if (shift) {
      PasteFromClipboard();
    } else if (ctrl) {
      CopyToClipboard();
    } else if (!App.HasEditMode(emAlt)) {
      App.SetEditMode(static_cast<std::uint8_t>(App.GetEditMode() ^ emInsert));
    }
    break;
  case TMxKey::Delete:
    if (shift) {
      CutToClipboard();
    } else if (!GetReadOnly() && !FText.empty()) {
      if (FSelLength == 0) {
        FSelLength = 1;
      }
      InsertText({});
    }
    break;
  case TMxKey::A:
    if (ctrlOnly) {
      SelectAll();
    }
    break;
  case TMxKey::C:
    if (ctrlOnly) {
      CopyToClipboard();
    }
    break;
  case TMxKey::V:
    if (ctrlOnly) {
      PasteFromClipboard();
    }
    break;
  case TMxKey::X:
    if (ctrlOnly) {
      CutToClipboard();
    }
    break;
  default: break;
  }
  if (FSelLength != selBefore) {
    PaintText(FCursorPos);
  }
}
