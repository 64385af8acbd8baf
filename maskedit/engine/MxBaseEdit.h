#pragma once
// TMxBaseEdit: the platform-free single-line text engine of the edit family.
//
// It owns the text, the caret, the selection and the undo stack. Every change made by
// typing, deleting, pasting, dragging or undoing passes through InsertText, which runs a
// fixed sequence of virtual hooks (CanEdit, BeforeEdit, BeforeDelete, BeforeInsert,
// TextChangedAt, AfterEdit) that the mask layer overrides. The window is reached only
// through the ports of MxEditPorts.h.
//
// Positions are 1-based character indexes into the 8-bit text; a caret position p is the
// gap before character p, valid from 1 to Length+1. CursorPos is always clamped to that
// range; SelStart and SelLength are stored as given and every reader of the text clamps.
//
// Events of one edit fire in this order: OnModified (only when Modified turns true),
// OnTextChangedAt(At = SelStart before the edit), OnChange, OnCursorPosChanged.
// OnTextChangedAt and OnChange do not fire while loading or while the update counter is
// non-zero.
#include "maskedit/MxApplication.h"
#include "maskedit/MxEditPorts.h"
#include "maskedit/MxUpdateCounter.h"
#include "maskedit/engine/MxBuffer.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum TMxCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TMxAlignment { taLeftJustify, taRightJustify, taCenter };

// Keys the engine acts on; the window layer maps virtual-key codes onto these.
enum class TMxKey {
  Other,
  Back,
  Enter,
  Escape,
  End,
  Home,
  Left,
  Up,
  Right,
  Down,
  Insert,
  Delete,
  A,
  C,
  V,
  X
};

class TMxBaseEdit;

// Optional validation component linked to edits; told after every change. It knows the
// edits linked to it, so that one destroyed first unlinks itself from all of them.
class IMxEditValidator {
public:
  IMxEditValidator() = default;
  IMxEditValidator(const IMxEditValidator&) {}
  IMxEditValidator& operator=(const IMxEditValidator&) { return *this; }
  virtual ~IMxEditValidator();
  virtual void Validate(TMxBaseEdit& edit) = 0;

private:
  friend class TMxBaseEdit;
  std::vector<TMxBaseEdit*> FLinkedEdits;
};

class TMxBaseEdit {
public:
  using TNotifyEvent = std::function<void(TMxBaseEdit* sender)>;
  using TMxTextChangeEvent = std::function<void(TMxBaseEdit* sender, int at)>;
  using TMxValidationErrorEvent = std::function<void(TMxBaseEdit* sender, int errorLevel)>;
  using TKeyPressEvent = std::function<void(TMxBaseEdit* sender, char& key)>;

  explicit TMxBaseEdit(TMxApplication& application = MxApplication());
  virtual ~TMxBaseEdit();
  TMxBaseEdit(const TMxBaseEdit&) = delete;
  TMxBaseEdit& operator=(const TMxBaseEdit&) = delete;

  // --- ports (may be null) -------------------------------------------------------------
  void SetView(IMxEditView* view) { View = view; }
  void SetClipboard(IMxClipboard* clipboard) { Clipboard = clipboard; }
  void SetCharClass(const IMxCharClass* charClass);
  const IMxCharClass& CharClass() const { return *Chars; }
  TMxApplication& Application() const { return App; }

  // --- text and positions ----------------------------------------------------------------
  // Runs the TextRead hook after taking the text.
  std::string GetText();
  // The text without running any hook.
  const std::string& RawText() const { return FText; }
  // No effect when unchanged. Otherwise the value (cut to MaxLength) replaces the text,
  // the caret goes to 1 and TextAssigned runs. It records no undo step and leaves
  // Modified alone; an assignment from outside an edit clears the undo stack.
  void SetText(std::string_view value);

  int GetCursorPos() const { return FCursorPos; }
  int GetPrevCursorPos() const { return FPrevCursorPos; }
  void SetCursorPos(int p);
  int GetSelStart() const { return FSelStart; }
  void SetSelStart(int i) { FSelStart = i; }
  int GetSelLength() const { return FSelLength; }
  void SetSelLength(int n);
  std::string GetSelText();
  // Copies at most size - 1 characters of SelText and a terminating zero into buffer
  // (nothing when size is 0); returns the number of characters copied.
  virtual int GetSelTextBuf(char* buffer, int size);

  bool GetModified() const { return FModified; }
  void SetModified(bool value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int value) { FMaxLength = value < 0 ? 0 : value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TMxAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TMxAlignment value);

  bool CanUndo() const { return FCanUndo; }
  bool UndoInProgress() const { return FUndoInProgress; }
  const TMxUndoBuffer& UndoStack() const { return FUndoStack; }

  // --- editing operations -------------------------------------------------------------
  void InsertText(std::string_view text);
  void ClearSelection() { InsertText({}); }
  void SelectAll();
  virtual void ClearAll();
  void CopyToClipboard();
  virtual void CutToClipboard();
  virtual void PasteFromClipboard();
  void Undo();
  void ClearUndo() { FUndoStack.Clear(); }
  // ClearUndo and CanUndo := false (the "empty undo buffer" request of the window).
  void EmptyUndoBuffer();
  virtual void SelectWordAtCursor();
  void CursorHome();
  void CursorEnd();
  void WordLeft();
  void WordRight();
  void UpdateSelection();

  // --- input entry points (the window forwards here) -----------------------------------
  // A key press with its modifier state (emShift | emCtrl | emAlt bits).
  virtual void KeyDown(TMxKey key, std::uint8_t modifiers);
  void KeyUp(TMxKey key, std::uint8_t modifiers);
  // A typed character (character message).
  virtual void KeyPress(char c);

  // --- update counter and loading ------------------------------------------------------
  // Nested up to 65535 deep; further BeginUpdate calls stay there (never wrap to "not
  // updating").
  void BeginUpdate() { FUpdates.Begin(); }
  // Decrements the counter; when it reaches 0 and repaint is set, BevelChanged.
  virtual void EndUpdate(bool repaint);
  bool IsUpdating() const { return FUpdates.IsUpdating(); }
  bool IsLoading() const { return FLoading; }
  // Marks the start of loading stored properties; Loaded() ends it.
  void BeginLoading() { FLoading = true; }
  virtual void Loaded();
  // Change handler of every settings object; invalidates the control.
  virtual void BevelChanged(TMxObject* sender);

  // --- validation link ---------------------------------------------------------------
  void SetValidator(IMxEditValidator* validator);
  IMxEditValidator* GetValidator() const { return Validator; }
  // Called by a validator: records the level and fires OnValidationError.
  void ReportValidationLevel(int errorLevel);
  std::string ValidationMsgString;

  // --- plain state ----------------------------------------------------------------------
  TMxCharCase CharCase = ecNormal;
  bool OEMConvert = false;
  bool AutoSelect = false;
  bool HideSelection = true;
  bool TabOnEnter = false;
  std::bitset<256> WordDelimiters;
  int ScrollOffset = 0;
  bool AllowSelecting = true;
  bool SelectAllToEnd = false;
  bool ExtendSelection = false;
  bool Typing = false;
  bool TextDragging = false;
  bool SelectionHidden = true;
  bool LastEditWasDelete = false;
  bool HasValidationErrorFlag = false;

  // --- events -----------------------------------------------------------------------
  TNotifyEvent OnModified;
  TMxTextChangeEvent OnTextChangedAt;
  TNotifyEvent OnChange;
  TNotifyEvent OnCursorPosChanged;
  TMxValidationErrorEvent OnValidationError;
  TKeyPressEvent OnKeyPress;

  // --- virtual hooks, in slot order ---------------------------------------------------
  virtual void AlignmentChanged() {}
  virtual void UpdateCaret() {}
  virtual bool HasCompletion() const { return false; }
  virtual void DoChange();
  virtual void TextAssigned() {}
  virtual void TextRead() {}
  virtual void PaintText(int pos);
  virtual void CursorPosChanged();
  virtual void TextChangedAt(int pos);
  virtual void BeforeEdit() {}
  virtual void AfterEdit() {}
  virtual void BeforeInsert(int pos, std::string& text) {}
  virtual void BeforeDelete(int pos, std::string_view text) {}
  virtual bool CanEdit(const std::string& text);
  virtual bool CanCopy() const { return true; }
  virtual bool HasValidationError() const { return HasValidationErrorFlag; }

protected:
  bool InsertMode() const { return App.HasEditMode(emInsert); }
  // From CanEdit: the text about to be inserted replaces nothing, even in overwrite mode.
  void InsertWithoutOverwrite() { FInsertWithoutOverwrite = true; }
  bool ShiftHeld() const { return App.HasEditMode(emShift); }
  // Replaces the text without any hook, event or caret change (re-formatting).
  void AssignTextDirect(std::string value) { FText = std::move(value); }
  // Sets SelLength without repainting or moving SelStart.
  void SetSelLengthDirect(int n) { FSelLength = n; }
  // Sets CursorPos without selection update or events (clamped).
  void SetCursorPosDirect(int p);
  // The caret position the current InsertText computed before clamping it to the text;
  // valid from its TextChangedAt step to the end of its AfterEdit.
  int InsertEndPos() const { return FInsertEndPos; }
  void SetInsertEndPos(int p) { FInsertEndPos = p; }
  // The text before the outermost change now running (an InsertText or a Text assignment
  // from outside an edit); kept only while KeepTextBeforeChange is set, since it costs a
  // copy of the text per change.
  bool KeepTextBeforeChange = false;
  const std::string& TextBeforeChange() const { return FPrevText; }
  void NoteTextBeforeChange() {
    if (KeepTextBeforeChange) {
      FPrevText = FText;
    }
  }
  // Non-zero while InsertText, Undo or a re-format is running: a Text assignment then
  // comes from the edit itself and keeps the undo stack.
  int EditDepth = 0;
  struct TEditScope {
    explicit TEditScope(TMxBaseEdit& e) : Edit(e) { ++Edit.EditDepth; }
    ~TEditScope() { --Edit.EditDepth; }
    TMxBaseEdit& Edit;
  };
  // The inherited character handling: key event, control characters dropped, case
  // conversion, InsertText.
  void DefaultKeyPress(char c);
  // Fires OnKeyPress only; returns the (possibly changed) character.
  char FireKeyPress(char c);
  void DefaultKeyDown(TMxKey key);

  IMxEditView* View = nullptr;
  IMxClipboard* Clipboard = nullptr;

private:
  TMxApplication& App;
  bool FInsertWithoutOverwrite = false;
  const IMxCharClass* Chars;
  IMxEditValidator* Validator = nullptr;

  std::string FText;
  int FCursorPos = 1;
  int FPrevCursorPos = 1;
  int FSelStart = 1;
  int FSelLength = 0;
  bool FModified = false;
  bool FCanUndo = true;
  bool FUndoInProgress = false;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TMxAlignment FAlignment = taLeftJustify;
  TMxUndoBuffer FUndoStack;
  TMxUpdateCounter FUpdates;
  bool FLoading = false;
  int FInsertEndPos = 1;
  std::string FPrevText;
};
