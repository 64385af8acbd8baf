#include "maskedit/engine/MxEditCommands.h"

#include "maskedit/MxStr.h"

namespace MxEditCommands {

std::vector<TMenuItem> ContextMenu(const TMxBaseEdit& edit, bool clipboardHasText) {
  const bool selected = edit.GetSelLength() > 0;
  const bool readOnly = edit.GetReadOnly();
  return {
      {TCommand::Undo, "&Undo", edit.CanUndo() && edit.UndoStack().Count() > 0},
      {TCommand::None, "-", false},
      {TCommand::Cut, "&Cut", selected && !readOnly},
      {TCommand::Copy, "&Copy", selected},
      {TCommand::Paste, "&Paste", clipboardHasText && !readOnly},
      {TCommand::Delete, "&Delete", selected},
      {TCommand::None, "-", false},
      {TCommand::SelectAll, "Select all", !edit.RawText().empty()},
  };
}

void Run(TMxBaseEdit& edit, TCommand command) {
  switch (command) {
  case TCommand::Undo: edit.Undo(); break;
  case TCommand::Cut: edit.CutToClipboard(); break;
  case TCommand::Copy: edit.CopyToClipboard(); break;
  case TCommand::Paste: edit.PasteFromClipboard(); break;
  case TCommand::Delete: edit.ClearSelection(); break;
  case TCommand::SelectAll: edit.SelectAll(); break;
  case TCommand::None: break;
  }
}

bool DropSelection(TMxBaseEdit& edit, int target) {
  const long long selStart = edit.GetSelStart();
  const long long selEnd = selStart + edit.GetSelLength();
  if (edit.GetSelLength() <= 0 || (selStart <= target && target <= selEnd)) {
    edit.SetSelLength(0);
    edit.SetSelStart(edit.GetCursorPos());
    edit.PaintText(-1);
    return false;
  }
  std::string s = edit.GetSelText();
  if (!s.empty() && s.back() == '\r') {
    edit.SetSelLength(edit.GetSelLength() - 1);
    s = edit.GetSelText();
  }
  const int undoBefore = edit.UndoStack().Count();
  const std::string before = edit.RawText();
  int t = target;
  edit.InsertText({});
  const std::string afterRemoval = edit.RawText();
  if (afterRemoval == before) {
    // The source could not be removed: inserting it elsewhere would turn the move into a
    // copy. Take back any step the refused removal left and keep the text as it was.
    while (edit.UndoStack().Count() > undoBefore && edit.CanUndo()) {
      edit.Undo();
    }
    return false;
  }
  const int undoAfterRemoval = edit.UndoStack().Count();
  if (t > selStart) {
    t -= MxLen(s);
  }
  if (t <= MxLen(edit.RawText()) && MxCharAt(edit.RawText(), t) == '\n') {
    --t;
  }
  edit.SetCursorPos(t);
  edit.InsertText(s);
  const bool refused = !s.empty() && edit.RawText() == afterRemoval;
  if (refused && afterRemoval != before) {
    // Take back the refused insertion's own step (if it left one), then the removal.
    while (edit.UndoStack().Count() > undoAfterRemoval && edit.CanUndo()) {
      edit.Undo();
    }
    if (edit.UndoStack().Count() > undoBefore && edit.CanUndo()) {
      edit.Undo();
    }
    return false;
  }
  edit.PaintText(t);
  edit.SetCursorPos(t);
  return true;
}

} // namespace MxEditCommands
