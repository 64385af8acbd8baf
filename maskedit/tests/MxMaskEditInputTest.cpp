// Keystroke tables per mask type: start text and caret, keys, expected text and caret.
#include "maskedit/tests/AmountKeyRows.h"
#include "maskedit/tests/MaskEditTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <span>

namespace {

struct FixedClockForKeys final : IMxClock {
  double Now() const override { return 45351.75; }
};

void RunTable(TMaskEditHarness& h, const std::function<void(TMxCustomMaskEdit&)>& setup,
              std::span<const KeyRow> rows) {
  for (const KeyRow& r : rows) {
    h.Reset();
    setup(*h.Edit);
    h.Edit->SetText(r.start);
    ASSERT_EQ(h.Edit->RawText(), r.start) << "start text is not in the field's form";
    h.Place(r.caret);
    h.Keys(r.keys);
    EXPECT_EQ(h.Edit->RawText(), r.text) << "'" << r.start << "' caret " << r.caret << " keys " << r.keys;
    EXPECT_EQ(h.Edit->GetCursorPos(), r.cursor)
        << "'" << r.start << "' caret " << r.caret << " keys " << r.keys;
  }
}

void RunTable(TMaskEditHarness& h, const std::function<void(TMxCustomMaskEdit&)>& setup,
              std::initializer_list<KeyRow> rows) {
  RunTable(h, setup, std::span<const KeyRow>(rows.begin(), rows.size()));
}

TEST(MaskEditKeys, CurrencyWithoutDecimals) {
  TMaskEditHarness h;
  RunTable(
      h, [](TMxCustomMaskEdit& e) { MakeAmountField(e, 0); }, kAmountKeysNoDecimals);
}

TEST(MaskEditKeys, CurrencyWithTwoDecimals) {
  TMaskEditHarness h;
  RunTable(
      h, [](TMxCustomMaskEdit& e) { MakeAmountField(e, 2); }, kAmountKeysTwoDecimals);
}

TEST(MaskEditKeys, CurrencyOverflowKeepsTheAmount) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, 0);
  h.Edit->SetText("922337203685477");
  const std::string full = h.Edit->RawText();
  ASSERT_EQ(full, " 922.337.203.685.477");
  h.Place(100);
  h.Keys("9");
  EXPECT_EQ(h.Edit->RawText(), full);
  EXPECT_EQ(h.ValidationErrors, 1);
  h.Edit->SetText("99999999999999999999");
  EXPECT_EQ(h.Edit->RawText(), full);
}

TEST(MaskEditKeys, UndoThatOverflowsKeepsTheTextFromBeforeTheUndo) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, 0);
  h.Edit->SetText("92233720368547");
  h.Place(2);
  h.Keys("<DEL><HOME>0<HOME>9<L>");
  h.Keys("<UNDO><UNDO>");
  const std::string beforeUndo = h.Edit->RawText();
  ASSERT_EQ(h.ValidationErrors, 0);
  h.Keys("<UNDO>"); // replays a step whose text no longer fits the field
  EXPECT_EQ(h.ValidationErrors, 1);
  EXPECT_EQ(h.Edit->RawText(), beforeUndo);
}

TEST(MaskEditKeys, CurrencyInOverwriteMode) {
  // <INS> switches the shared mode to overwrite (it does so for every field at once).
  TMaskEditHarness h;
  RunTable(
      h, [](TMxCustomMaskEdit& e) { MakeAmountField(e, 2); },
      {
          {" 1.234,00", 2, "<INS>5", " 5.234,00", 4},  // a digit replaces a digit; the caret skips the group
          {" 1.234,00", 3, "<INS>5", " 1.234,00", 4},  // over a grouping character: caret only
          {" 1.234,00", 1, "<INS>5", " 1.234,00", 2},  // over the symbol: caret only
          {" 1.234,00", 7, "<INS>5", " 1.234,50", 9},  // over the decimal separator: into the cents
          {" 1.234,00", 9, "<INS>5", " 1.234,05", 10}, // the last cent
          {" 1.234,00", 2, "<BS>", " 234,00", 2}, // Backspace right after the symbol takes the first digit
          {" 1.234,00", 5, "<INS>-", "( 1.234,00)", 6}, // "-" signs the amount; no digit is typed over
      });
}

TEST(MaskEditKeys, TypingIntoAFullFieldStillSetsModified) {
  for (const TMxMaskType type : {meNone, meInteger}) {
    TMaskEditHarness h;
    h.Edit->SetMaskType(type);
    h.Edit->SetMaxLength(3);
    h.Edit->SetText("123");
    h.Edit->SetModified(false);
    h.Place(4);
    h.Keys("4");
    EXPECT_EQ(h.Edit->RawText(), "123") << int(type);
    EXPECT_TRUE(h.Edit->GetModified()) << int(type);
  }
}

TEST(MaskEditKeys, RefusedKeysLeaveTheTextInItsForm) {
  TMaskEditHarness h;
  // A removed zero or separator is put back when the key is not inserted after all.
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             MakeAmountField(e, 2);
             e.SetReadOnly(true);
           },
           {
               {" 0,00", 1, "5", " 0,00", 1},
               {" 12,00", 6, ",", " 12,00", 6},
               {" 12,00", 3, "<BS><DEL>", " 12,00", 3},
           });
  RunTable(h, [](TMxCustomMaskEdit& e) { e.SetMaskType(meInteger); },
           {
               {"0", 2, "a", "0", 2},
               {"0", 2, "<INS>5", "5", 2},
           });
}

TEST(MaskEditKeys, IntegerSignZeroAndSuffix) {
  TMaskEditHarness h;
  RunTable(h, [](TMxCustomMaskEdit& e) { e.SetMaskType(meInteger); },
           {
               {"12", 3, "-", "-12", 4},
               {"12", 3, "--", "12", 3},
               {"0", 2, "5", "5", 2},
               {"0", 1, "7", "7", 2},
               {"12", 3, "x", "12", 3},
               {"-12", 1, "5", "-12", 1},
               {"12", 1, "<DEL><DEL>", "0", 1},
           });
  h.Reset();
  h.Edit->SetMaskType(meInteger);
  h.Edit->SetText("12");
  h.Edit->SelectAll();
  h.Keys("-");
  EXPECT_EQ(h.Edit->RawText(), "-0");
  EXPECT_EQ(h.Edit->GetSelText(), "0");

  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meInteger);
             e.SetSuffix(" kg");
           },
           {
               {"12 kg", 4, "5", "12 kg", 4},
               {"12 kg", 4, "<BS>", "12 kg", 4},
               {"12 kg", 6, "<BS>", "12 kg", 6},
               {"12 kg", 3, "<BS>", "1 kg", 2},
               {"12 kg", 3, "5", "125 kg", 4},
               {"12 kg", 3, "<DEL>", "12 kg", 3},
           });
}

TEST(MaskEditKeys, FloatTypes) {
  TMaskEditHarness h;
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meFloat);
             e.SetDecimals(2);
           },
           {
               {"1,5", 1, ",", "1,5", 3},
               {"1,5", 4, "-", "-1,5", 5},
               {"", 1, "3,25", "3,25", 5},
               {"-1", 1, "5", "-1", 1},
           });
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meFloatNumber);
             e.SetDecimals(2);
           },
           {
               {"0,00", 1, "1234", "1.234,00", 6},
               {"1.234,00", 2, "<DEL>", "134,00", 2},
               {"1.234,00", 6, "<BS>", "123,00", 4},
           });
}

TEST(MaskEditKeys, WordFixedTimeDateAndFreeText) {
  TMaskEditHarness h;
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meWord);
             e.SetNumberBase(16);
           },
           {
               {"0", 2, "ff", "FF", 3},
               {"FF", 3, "-g", "FF", 3},
               {"FF", 1, "<DEL>", "F", 1},
           });
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meFloatFixed);
             e.SetDecimals(2);
           },
           {
               {"0,00", 1, "7", "7,00", 2},
               {"7,00", 2, ",5", "7,50", 4},
               {"7,50", 1, "<DEL>", "0,50", 3},
               {"7,50", 3, "<BS>", "7,50", 2},
           });
  RunTable(h,
           [](TMxCustomMaskEdit& e) {
             e.SetMaskType(meNone);
             e.SetText("");
           },
           {
               {"", 1, "a-Z ,", "a-Z ,", 6},
               {"abc", 2, "<DEL>x", "axc", 3},
           });
  FixedClockForKeys clock;
  RunTable(h,
           [&](TMxCustomMaskEdit& e) {
             e.SetClock(&clock);
             e.SetMaskType(meTime);
             e.SetText("");
           },
           {
               {"", 1, "12x.30a", "12.30", 6},
           });
  RunTable(h,
           [&](TMxCustomMaskEdit& e) {
             e.SetClock(&clock);
             e.SetMaskType(meDate);
           },
           {
               // Backspace, Delete, Home and End do nothing; letters only fire the key event.
               {"29/2/2024", 1, "<BS><DEL><HOME><END>x", "29/2/2024", 1},
               // Up steps the day part in the editing form.
               {"29/2/2024", 1, "<UP>", "1 /3 /2024", 1},
           });
}

TEST(MaskEditKeys, MaskSkipsLiteralsAndRefusesMismatches) {
  TMaskEditHarness h;
  const auto setup = [](TMxCustomMaskEdit& e) { e.SetMask("!9!9\\-99"); };
  RunTable(h, setup,
           {
               {"__-__", 1, "1234", "12-34", 6},
               {"__-__", 1, "0", "__-__", 1},
               {"__-__", 1, "1_", "1_-__", 2},
               {"12-34", 6, "<BS><BS>", "12-__", 4},
               {"12-34", 2, "<DEL>", "1_-34", 2},
           });
  h.Reset();
  h.Edit->SetMask("99A");
  h.Keys("12a");
  EXPECT_EQ(h.Edit->RawText(), "12_");
  h.Edit->SetCursorPos(3);
  h.Keys("Q");
  EXPECT_EQ(h.Edit->RawText(), "12Q");
}

TEST(MaskEditKeys, MaskFocusLossReclaimsTheFocusAtTheFirstMissingPosition) {
  TMaskEditHarness h;
  h.Edit->SetMask("!9!9\\-99");
  h.Edit->DoEnter();
  h.Keys("1");
  h.Edit->DoExit();
  EXPECT_EQ(h.View.FocusRequests, 1);
  EXPECT_EQ(h.Edit->GetSelStart(), 2);
  EXPECT_EQ(h.Edit->GetSelLength(), 1);
  EXPECT_TRUE(h.App.HasEditMode(emInsert)); // the edit mode saved at focus gain is back
  h.Edit->DoEnter();
  h.Edit->SetCursorPos(2);
  h.Keys("2");
  h.Edit->DoExit();
  EXPECT_EQ(h.View.FocusRequests, 1);
}

TEST(MaskEditKeys, ForceMaskCheckRunsTheFocusChecksOnEnter) {
  TMaskEditHarness h;
  h.Edit->SetMask("!9");
  h.Edit->ForceMaskCheck = true;
  int keyEvents = 0;
  h.Edit->OnKeyPress = [&](TMxBaseEdit*, char&) { ++keyEvents; };
  h.Keys("<ENTER>");
  EXPECT_EQ(h.View.FocusRequests, 1);
  EXPECT_EQ(keyEvents, 0);
  EXPECT_EQ(h.Edit->RawText(), "_");
}

TEST(MaskEditKeys, FocusLossOfALoneMinusGivesTheZeroForm) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meFloat);
  h.Edit->SetText("-");
  h.Edit->DoExit();
  EXPECT_EQ(h.Edit->RawText(), "");
  h.Reset();
  h.Edit->SetMaskType(meInteger);
  h.Edit->SetSuffix(" kg");
  h.Edit->SetText("- kg");
  EXPECT_EQ(h.Edit->RawText(), "-0 kg");
}

TEST(MaskEditKeys, RefusedPasteLeavesNothingForUndoToDelete) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meInteger);
  h.Edit->SetText("1234");
  h.Place(1);
  h.Clipboard.SetText("x");
  h.Edit->PasteFromClipboard();
  EXPECT_EQ(h.Edit->RawText(), "1234");
  h.Edit->Undo();
  EXPECT_EQ(h.Edit->RawText(), "1234");
}

TEST(MaskEditKeys, PastedDigitsOfHighBasesReadAsTyped) {
  // Typing upper-cases the letter digits of bases above 10; a paste takes the same
  // characters the same way, so "f" never reads as 0.
  struct Case {
    TMxMaskType Type;
    const char* Input;
    const char* Text;
    double Value;
  };
  for (const Case& c : {Case{meWord, "ff", "FF", 255}, Case{meInteger, "-a", "-A", -10},
                        Case{meFloat, "0,f", "0,F", 15.0 / 16}}) {
    for (const bool typed : {false, true}) {
      SCOPED_TRACE(std::string(c.Input) + (typed ? " typed" : " pasted"));
      TMaskEditHarness h;
      h.Edit->SetMaskType(c.Type);
      h.Edit->SetDecimals(1);
      h.Edit->SetNumberBase(16);
      h.Edit->SelectAll();
      if (typed) {
        h.Edit->ClearSelection();
        h.Place(1);
        h.Keys(c.Input);
      } else {
        h.Clipboard.SetText(c.Input);
        h.Edit->PasteFromClipboard();
      }
      EXPECT_EQ(h.Edit->RawText(), c.Text);
      const double value = c.Type == meWord      ? h.Edit->WordValue()
                           : c.Type == meInteger ? h.Edit->IntegerValue()
                                                 : h.Edit->FloatValue();
      EXPECT_DOUBLE_EQ(value, c.Value);
    }
  }
}

TEST(MaskEditKeys, UndoAfterAnAssignedTotalDoesNotTouchIt) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, 2);
  h.Place(2);
  h.Keys("7");
  h.Edit->SetText("56234567");
  EXPECT_EQ(h.Edit->RawText(), " 56.234.567,00");
  h.Edit->Undo();
  EXPECT_EQ(h.Edit->RawText(), " 56.234.567,00");
}

} // namespace

namespace {

// Cut and paste act only when the selection ends before the suffix; otherwise the text and the
// clipboard stay as they were. Selections count from 1, as the caret does.
TEST(MaskEditSuffix, CutAndPasteNeverReachIntoTheSuffix) {
  TMaskEditHarness h;
  const struct {
    int SelStart, SelLength;
    bool Cut;
    const char* Text;
    const char* Clipboard;
  } cases[] = {
      {2, 1, true, "1 kg", "2"},    // "2": ends right before the suffix
      {1, 2, true, "0 kg", "12"},   // the whole number (an empty number reads 0)
      {2, 2, true, "12 kg", "x"},   // "2 " reaches into the suffix
      {4, 2, true, "12 kg", "x"},   // inside the suffix
      {3, 0, false, "127 kg", "7"}, // pasting just before the suffix
      {5, 0, false, "12 kg", "7"},  // pasting inside it
      {2, 3, false, "12 kg", "7"},  // a selection over the suffix
  };
  for (const auto& c : cases) {
    h.Reset();
    h.Edit->SetMaskType(meInteger);
    h.Edit->SetSuffix(" kg");
    h.Edit->SetText("12 kg");
    ASSERT_EQ(h.Edit->RawText(), "12 kg");
    h.Clipboard.SetText(c.Cut ? "x" : "7");
    h.Edit->SetSelStart(c.SelStart);
    h.Edit->SetSelLength(c.SelLength);
    if (c.Cut) {
      h.Edit->CutToClipboard();
    } else {
      h.Edit->PasteFromClipboard();
    }
    EXPECT_EQ(h.Edit->RawText(), c.Text) << c.SelStart << "+" << c.SelLength << (c.Cut ? " cut" : " paste");
    EXPECT_EQ(h.Clipboard.Text, c.Clipboard) << c.SelStart << "+" << c.SelLength;
  }
}

} // namespace
