#include "maskedit/engine/MxCustomEdit.h"
#include "maskedit/tests/EditTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct EditFixture : ::testing::Test {
  TMxApplication app;
  TRecordingView view;
  TMemoryClipboard clipboard;
  TMxCustomEdit edit{app};
  std::vector<std::string> events;

  EditFixture() {
    edit.SetView(&view);
    edit.SetClipboard(&clipboard);
    edit.OnModified = [this](TMxBaseEdit*) { events.push_back("Modified"); };
    edit.OnTextChangedAt = [this](TMxBaseEdit*, int at) {
      events.push_back("TextChangedAt " + std::to_string(at));
    };
    edit.OnChange = [this](TMxBaseEdit*) { events.push_back("Change"); };
    edit.OnCursorPosChanged = [this](TMxBaseEdit*) { events.push_back("CursorPosChanged"); };
  }
  void Start(const std::string& text, int caret, int selLength = 0) {
    // Modifier bits are shared and outlive a key: release them before setting up.
    app.SetEditMode(static_cast<std::uint8_t>(app.GetEditMode() & emInsert));
    edit.SetText(text);
    edit.SetCursorPos(caret);
    if (selLength) {
      edit.SetSelStart(caret);
      edit.SetSelLength(selLength);
    }
    events.clear();
  }
  void Type(const std::string& keys) {
    for (char c : keys) {
      edit.KeyPress(c);
    }
  }
  void Key(TMxKey key, std::uint8_t mods = 0) { edit.KeyDown(key, mods); }
};

using Events = std::vector<std::string>;

TEST_F(EditFixture, EventsFireInOrderAndModifiedOnlyOnce) {
  Start("ab", 3);
  Type("c");
  EXPECT_EQ(events, (Events{"Modified", "TextChangedAt 3", "Change", "CursorPosChanged"}));
  events.clear();
  Type("d");
  EXPECT_EQ(events, (Events{"TextChangedAt 4", "Change", "CursorPosChanged"}));
  EXPECT_EQ(edit.RawText(), "abcd");
}

TEST_F(EditFixture, TextSetterFiresChangeButNotModifiedAndNothingWhenEqual) {
  edit.SetText("hello");
  EXPECT_EQ(events, (Events{"CursorPosChanged", "TextChangedAt 1", "Change"}));
  EXPECT_FALSE(edit.GetModified());
  events.clear();
  edit.SetText("hello");
  EXPECT_TRUE(events.empty());
}

TEST_F(EditFixture, NoTextEventsWhileUpdatingOrLoading) {
  edit.BeginUpdate();
  edit.SetText("x");
  edit.EndUpdate(false);
  edit.BeginLoading();
  edit.SetText("y");
  edit.Loaded();
  for (const auto& e : events) {
    EXPECT_EQ(e.rfind("CursorPos", 0), 0u) << e;
  }
}

TEST_F(EditFixture, CursorPosIsClamped) {
  Start("abcde", 1);
  edit.SetCursorPos(0);
  EXPECT_EQ(edit.GetCursorPos(), 1);
  edit.SetCursorPos(1000);
  EXPECT_EQ(edit.GetCursorPos(), 6);
}

TEST_F(EditFixture, ShiftArrowsFollowTheSelectionTable) {
  struct Row {
    int caret;
    std::vector<std::pair<TMxKey, std::uint8_t>> keys;
    int selStart, selLength, cursor;
  } rows[] = {
      {2, {{TMxKey::Right, emShift}, {TMxKey::Right, emShift}, {TMxKey::Right, emShift}}, 2, 3, 5},
      {2,
       {{TMxKey::Right, emShift},
        {TMxKey::Right, emShift},
        {TMxKey::Right, emShift},
        {TMxKey::Left, emShift}},
       2,
       2,
       4},
      // Crossing the anchor: the old start becomes the end.
      {2,
       {{TMxKey::Right, emShift},
        {TMxKey::Right, emShift},
        {TMxKey::Right, emShift},
        {TMxKey::Left, emShift},
        {TMxKey::Left, emShift},
        {TMxKey::Left, emShift},
        {TMxKey::Left, emShift}},
       1,
       1,
       1},
      {4, {{TMxKey::Left, emShift}, {TMxKey::Left, emShift}, {TMxKey::Right, emShift}}, 3, 1, 3},
      {4, {{TMxKey::Left, emShift}, {TMxKey::Right, emShift}, {TMxKey::Right, emShift}}, 4, 1, 5},
      {3, {{TMxKey::Right, emShift}, {TMxKey::Right, 0}}, 5, 0, 5},
      {1, {{TMxKey::End, emShift}}, 1, 7, 8},
      {8, {{TMxKey::Home, emShift}}, 1, 7, 1},
  };
  for (const Row& r : rows) {
    Start("abcdefg", r.caret);
    for (auto [k, m] : r.keys) {
      Key(k, m);
    }
    EXPECT_EQ(edit.GetSelStart(), r.selStart) << r.caret;
    EXPECT_EQ(edit.GetSelLength(), r.selLength) << r.caret;
    EXPECT_EQ(edit.GetCursorPos(), r.cursor) << r.caret;
  }
}

TEST_F(EditFixture, WithoutAllowSelectingShiftOnlyMovesAndIsClearedForAll) {
  Start("abcdefg", 2);
  edit.AllowSelecting = false;
  Key(TMxKey::Right, emShift);
  EXPECT_EQ(edit.GetSelLength(), 0);
  EXPECT_EQ(edit.GetCursorPos(), 3);
  EXPECT_FALSE(app.HasEditMode(emShift));
}

TEST_F(EditFixture, MaxLengthIsAllOrNothingAndUndoRestores) {
  edit.SetMaxLength(5);
  Start("abcde", 2, 2);
  Type("X");
  EXPECT_EQ(edit.RawText(), "aXde");
  Start("abcde", 2, 2);
  clipboard.SetText("XYZW");
  edit.PasteFromClipboard();
  EXPECT_EQ(edit.RawText(), "ade");
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "abcde");
  EXPECT_EQ(edit.GetSelStart(), 2);
  EXPECT_EQ(edit.GetSelLength(), 2);
  // A key in a full field records a step that inserted nothing; undoing it deletes nothing.
  Start("abcde", 3);
  Type("Q");
  EXPECT_EQ(edit.RawText(), "abcde");
  EXPECT_TRUE(edit.CanUndo());
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "abcde");
}

TEST_F(EditFixture, OverwriteAndLineBreakPairs) {
  struct Row {
    const char* text;
    int caret;
    bool insert;
    TMxKey key;
    char ch;
    const char* expected;
    int cursor;
  } rows[] = {
      {"abc", 2, false, TMxKey::Other, 'X', "aXc", 3},    {"abc", 4, false, TMxKey::Other, 'X', "abcX", 5},
      {"a\r\nb", 2, false, TMxKey::Other, 'X', "aXb", 3}, {"a\r\nb", 4, true, TMxKey::Back, 0, "ab", 2},
      {"a\r\nb", 2, true, TMxKey::Delete, 0, "ab", 2},    {"\nabc", 1, true, TMxKey::Delete, 0, "abc", 1},
      {"abc", 1, true, TMxKey::Back, 0, "abc", 1},
  };
  for (const Row& r : rows) {
    app.SetEditMode(r.insert ? emInsert : 0);
    Start(r.text, r.caret);
    if (r.ch) {
      Type(std::string(1, r.ch));
    } else {
      Key(r.key);
    }
    EXPECT_EQ(edit.RawText(), r.expected) << r.text << " " << r.caret;
    EXPECT_EQ(edit.GetCursorPos(), r.cursor) << r.text << " " << r.caret;
    EXPECT_GE(edit.GetSelStart(), 1);
  }
  app.SetEditMode(emInsert);
  Start("a\r\nb", 2);
  Key(TMxKey::Right);
  EXPECT_EQ(edit.GetCursorPos(), 4);
  Key(TMxKey::Left);
  EXPECT_EQ(edit.GetCursorPos(), 2);
}

TEST_F(EditFixture, PastedTextStartingWithLineFeedNeverMakesSelStartZero) {
  Start("", 1);
  clipboard.SetText("\nabc");
  edit.PasteFromClipboard();
  edit.SetCursorPos(1);
  edit.SetSelStart(1);
  edit.SetSelLength(2);
  edit.ClearSelection();
  EXPECT_EQ(edit.RawText(), "bc");
  EXPECT_EQ(edit.GetSelStart(), 1);
}

TEST_F(EditFixture, UndoRestoresDeletionAndSelectsIt) {
  Start("hello world", 7, 5);
  Key(TMxKey::Delete);
  EXPECT_EQ(edit.RawText(), "hello ");
  edit.SetSelStart(1);
  edit.SetSelLength(2);
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "hello world");
  EXPECT_EQ(edit.GetSelStart(), 7);
  EXPECT_EQ(edit.GetSelLength(), 5);
  EXPECT_FALSE(edit.CanUndo());
  edit.Undo(); // empty stack: nothing
  EXPECT_EQ(edit.RawText(), "hello world");
}

TEST_F(EditFixture, UndoInOverwriteModeDoesNotDeleteANeighbour) {
  Start("abc", 2, 1);
  app.SetEditMode(0);
  Key(TMxKey::Delete);
  EXPECT_EQ(edit.RawText(), "ac");
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "abc");
  // Undo of an overtyped key removes the typed character only.
  Start("abc", 2);
  Type("X");
  EXPECT_EQ(edit.RawText(), "aXc");
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "ac");
}

TEST_F(EditFixture, UndoStepsRecordTheTextAsPassedShortOrLong) {
  // Short texts are packed with the step; long ones are kept beside it. Both must come back
  // whole, with the length that was really inserted.
  const std::string longText(TMxUndoBuffer::LongTextSize * 3, 'p');
  struct Row {
    std::string paste;
    int maxLength;
    std::string after;
    int inserted;
  };
  const Row rows[] = {
      {"xy", 0, "axyc", 2},
      {longText, 0, "a" + longText + "c", static_cast<int>(longText.size())},
      {longText, 10, "ac", 0}, // refused by MaxLength after the selection went
  };
  for (const Row& row : rows) {
    edit.SetMaxLength(row.maxLength);
    Start("abc", 2, 1);
    clipboard.SetText(row.paste);
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.RawText(), row.after);
    ASSERT_EQ(edit.UndoStack().Count(), 1);
    edit.UndoStack().ForEachFromOldest([&](const TMxBufferItem& item) {
      const auto& r = dynamic_cast<const TMxUndoRecord&>(item);
      EXPECT_EQ(r.NewText, row.paste);
      EXPECT_EQ(r.OldText, "b");
      EXPECT_EQ(r.SelStart, 2);
      EXPECT_EQ(r.OldSelLength, 1);
      EXPECT_EQ(r.InsertedLength, row.inserted);
    });
    edit.Undo();
    EXPECT_EQ(edit.RawText(), "abc");
  }
}

TEST_F(EditFixture, TypingStepsUndoOneByOneAndAssignmentClearsTheStack) {
  Start("", 1);
  Type("abc");
  EXPECT_EQ(edit.UndoStack().Count(), 3);
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "ab");
  edit.SetText("56234567");
  EXPECT_FALSE(edit.CanUndo());
  EXPECT_EQ(edit.UndoStack().Count(), 0);
  edit.Undo();
  EXPECT_EQ(edit.RawText(), "56234567");
}

TEST_F(EditFixture, ReadOnlyRefusesEverythingButCaretMoves) {
  Start("abc", 2);
  edit.SetReadOnly(true);
  const int steps = edit.UndoStack().Count();
  Type("x");
  Key(TMxKey::Back);
  Key(TMxKey::Delete);
  EXPECT_EQ(edit.RawText(), "abc");
  EXPECT_EQ(edit.UndoStack().Count(), steps);
  EXPECT_FALSE(edit.GetModified());
  Key(TMxKey::Right);
  EXPECT_EQ(edit.GetCursorPos(), 3);
}

TEST_F(EditFixture, WordMovesAndWordSelection) {
  struct Row {
    int caret;
    TMxKey key;
    int expected;
  } rows[] = {{12, TMxKey::Left, 6},
              {6, TMxKey::Left, 1},
              {1, TMxKey::Right, 6},
              {7, TMxKey::Right, 12},
              {4, TMxKey::Right, 6}};
  for (const Row& r : rows) {
    Start("hello world", r.caret);
    Key(r.key, emCtrl);
    EXPECT_EQ(edit.GetCursorPos(), r.expected) << r.caret;
  }
  Start("ab cd ef", 5);
  edit.SelectWordAtCursor();
  EXPECT_EQ(edit.GetSelText(), "cd");
  EXPECT_EQ(edit.GetCursorPos(), 5);
  Start("ab cd ef", 3);
  edit.SelectAll();
  EXPECT_EQ(edit.GetSelText(), "ab cd ef");
  EXPECT_EQ(edit.GetCursorPos(), 9);
}

TEST_F(EditFixture, ClipboardAndPasswordEdit) {
  Start("secret", 1, 3);
  Key(TMxKey::C, emCtrl);
  EXPECT_EQ(clipboard.Text, "sec");
  Key(TMxKey::X, emCtrl);
  EXPECT_EQ(edit.RawText(), "ret");
  edit.SetCursorPos(4);
  Key(TMxKey::V, emCtrl);
  EXPECT_EQ(edit.RawText(), "retsec");
  edit.SetPasswordChar('*');
  EXPECT_EQ(edit.DisplayText(), "******");
  edit.SelectAll();
  clipboard.Text = "x";
  edit.CutToClipboard();
  edit.PasteFromClipboard();
  EXPECT_EQ(edit.RawText(), "retsec");
  EXPECT_EQ(clipboard.Text, "x");
  char buffer[4] = {'?', '?', '?', '?'};
  edit.SetPasswordChar('\0');
  edit.SelectAll();
  EXPECT_EQ(edit.GetSelTextBuf(buffer, 4), 3);
  EXPECT_STREQ(buffer, "ret");
}

TEST_F(EditFixture, EnterMovesTheFocusOnlyWithTabOnEnter) {
  Key(TMxKey::Enter);
  EXPECT_EQ(view.FocusMoves, 0);
  edit.TabOnEnter = true;
  Key(TMxKey::Enter, emCtrl);
  EXPECT_EQ(view.FocusMoves, 0);
  Key(TMxKey::Enter);
  EXPECT_EQ(view.FocusMoves, 1);
}

TEST_F(EditFixture, InsertToggleIsSharedBetweenEdits) {
  TMxCustomEdit other{app};
  Key(TMxKey::Insert);
  EXPECT_FALSE(app.HasEditMode(emInsert));
  other.SetText("abc");
  other.SetCursorPos(1);
  other.KeyPress('X');
  EXPECT_EQ(other.RawText(), "Xbc");
}

TEST(MxEditValidator, DestroyedValidatorIsDroppedByItsEdits) {
  struct Counting : IMxEditValidator {
    int* Calls;
    explicit Counting(int* calls) : Calls(calls) {}
    void Validate(TMxBaseEdit&) override { ++*Calls; }
  };
  TMxApplication app;
  int calls = 0;
  TMxCustomEdit first(app), second(app);
  {
    Counting validator(&calls);
    first.SetValidator(&validator);
    second.SetValidator(&validator);
    first.SetText("a");
    EXPECT_GT(calls, 0);
  }
  EXPECT_EQ(first.GetValidator(), nullptr);
  EXPECT_EQ(second.GetValidator(), nullptr);
  calls = 0;
  first.SetText("b"); // would call into the destroyed validator
  EXPECT_EQ(calls, 0);
  // An edit destroyed first unlinks itself: the validator's end touches no dead edit.
  Counting outliving(&calls);
  {
    TMxCustomEdit shortLived(app);
    shortLived.SetValidator(&outliving);
  }
  first.SetValidator(&outliving);
}

} // namespace
