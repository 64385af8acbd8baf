// The context menu's model and moving selected text by dragging.
#include "maskedit/engine/MxEditCommands.h"
#include "maskedit/engine/MxCustomMaskEdit.h"
#include "maskedit/tests/EditTestSupport.h"
#include "maskedit/tests/MaskEditTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace MxEditCommands;

TEST(MxEditCommands, MenuEnablesByState) {
  TMxApplication app;
  TMxCustomEdit edit(app);
  auto enabled = [&](bool clip) {
    std::string s;
    for (const TMenuItem& item : ContextMenu(edit, clip)) {
      s += item.Command == TCommand::None ? '-' : item.Enabled ? '1' : '0';
    }
    return s;
  };
  EXPECT_EQ(enabled(false), "0-0000-0"); // nothing recorded: nothing to undo
  edit.SetText("abc");
  edit.SelectAll();
  EXPECT_EQ(enabled(true), "0-1111-1");
  edit.InsertText("x");
  edit.SetReadOnly(true);
  edit.SelectAll();
  EXPECT_EQ(enabled(true), "1-0101-1");
  ASSERT_EQ(ContextMenu(edit, true)[0].Caption, "&Undo");
  ASSERT_EQ(ContextMenu(edit, true)[7].Caption, "Select all");
}

TEST(MxEditCommands, RunUndoAndClipboard) {
  TMxApplication app;
  TMxCustomEdit edit(app);
  TMemoryClipboard clip;
  edit.SetClipboard(&clip);
  edit.SetText("abc");
  edit.SelectAll();
  MxEditCommands::Run(edit, TCommand::Cut);
  EXPECT_EQ(edit.RawText(), "");
  EXPECT_EQ(clip.Text, "abc");
  MxEditCommands::Run(edit, TCommand::Undo);
  EXPECT_EQ(edit.RawText(), "abc");
  EXPECT_EQ(edit.GetSelLength(), 3);
  MxEditCommands::Run(edit, TCommand::Delete);
  EXPECT_EQ(edit.RawText(), "");
  MxEditCommands::Run(edit, TCommand::Paste);
  MxEditCommands::Run(edit, TCommand::Paste);
  EXPECT_EQ(edit.RawText(), "abcabc");
}

TEST(MxEditCommands, DragMovesTheSelection) {
  TMxApplication app;
  TMxCustomEdit edit(app);
  edit.SetText("ab cd ef");
  edit.SetSelStart(4);
  edit.SetSelLength(2);
  EXPECT_TRUE(DropSelection(edit, 9)); // after 'f'
  EXPECT_EQ(edit.RawText(), "ab  efcd");
  EXPECT_EQ(edit.GetCursorPos(), 7);
  EXPECT_EQ(edit.GetSelLength(), 0);
  EXPECT_EQ(edit.UndoStack().Count(), 2);
  edit.Undo();
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "ab cd ef");
}

TEST(MxEditCommands, DropOnTheSelectionOnlyCollapses) {
  TMxApplication app;
  TMxCustomEdit edit(app);
  edit.SetText("ab cd ef");
  edit.SetCursorPos(5);
  edit.SetSelStart(4);
  edit.SetSelLength(2);
  EXPECT_FALSE(DropSelection(edit, 5));
  EXPECT_EQ(edit.RawText(), "ab cd ef");
  EXPECT_EQ(edit.GetSelLength(), 0);
}

TEST(MxEditCommands, RefusedDropKeepsTheText) {
  TMaskEditHarness h;
  h.Edit->SetMask("!9!9\\-99");
  h.Edit->SetText("12-34");
  // Dragging "12" behind the literal would break the mask: the move is refused.
  h.Edit->SetSelStart(1);
  h.Edit->SetSelLength(2);
  const std::string before = h.Edit->RawText();
  DropSelection(*h.Edit, 4);
  EXPECT_EQ(h.Edit->RawText(), before);

  // A filter that refuses every insertion of text.
  TMxApplication app;
  struct Refusing : TMxCustomEdit {
    using TMxCustomEdit::TMxCustomEdit;
    bool CanEdit(const std::string& text) override { return text.empty() || UndoInProgress(); }
  } refusing(app);
  refusing.SetText("abcdef");
  refusing.SetSelStart(1);
  refusing.SetSelLength(2);
  EXPECT_FALSE(DropSelection(refusing, 6));
  EXPECT_EQ(refusing.RawText(), "abcdef");
}

TEST(MxEditCommands, RefusedRemovalLeavesTheTextAsItWas) {
  // A filter that refuses every deletion but accepts insertions: a move would become a copy.
  TMxApplication app;
  struct NoDelete : TMxCustomEdit {
    using TMxCustomEdit::TMxCustomEdit;
    bool CanEdit(const std::string& text) override { return !text.empty() || UndoInProgress(); }
  } edit(app);
  edit.SetText("abcdef");
  edit.SetSelStart(1);
  edit.SetSelLength(2);
  EXPECT_FALSE(DropSelection(edit, 6));
  EXPECT_EQ(edit.RawText(), "abcdef");
  EXPECT_EQ(edit.UndoStack().Count(), 0);
}

} // namespace
