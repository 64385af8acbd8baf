#pragma once
// Edit commands the window offers besides the keyboard: the built-in context menu (its
// items, when each is enabled, and what each does) and moving the selected text by
// dragging it with the mouse.
#include "maskedit/engine/MxBaseEdit.h"

#include <string>
#include <vector>

namespace MxEditCommands {

enum class TCommand { None, Undo, Cut, Copy, Paste, Delete, SelectAll };

struct TMenuItem {
  TCommand Command = TCommand::None; // None: a separator
  std::string Caption;
  bool Enabled = false;
};

// The menu in display order. clipboardHasText: the clipboard holds text now.
std::vector<TMenuItem> ContextMenu(const TMxBaseEdit& edit, bool clipboardHasText);
void Run(TMxBaseEdit& edit, TCommand command);

// Moves the selected text so that it lands before caret position target (the position in
// the text as it is before the move). Dropped on the selection or its edges, the selection
// is only removed. The text arrives unselected with the caret before it, as two undo
// steps; if the text cannot be inserted there (mask filter, MaxLength), the removal is
// undone and the text stays where it was. Returns whether the text moved.
bool DropSelection(TMxBaseEdit& edit, int target);

} // namespace MxEditCommands
