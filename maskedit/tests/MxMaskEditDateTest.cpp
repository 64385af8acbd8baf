// A meDate field: part selection, Left/Right, stepping with keys and the wheel, typing
// digit by digit, re-formatting and the focus forms.
#include "maskedit/tests/MaskEditTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct FixedClock final : IMxClock {
  double Now() const override { return MxEncodeDate(2026, 6, 15) + 0.5; }
};

// An Indonesian field ("/" date separator) with the given custom format, showing date in
// its editing form.
struct DateField {
  explicit DateField(const char* format, int y = 2024, int m = 3, int d = 5) {
    E().SetClock(&Clock);
    E().SetMaskType(meDate);
    E().DateSettings().SetFormat(dfCustom);
    E().DateSettings().SetFormatStr(format);
    E().SetValue(MxEncodeDate(y, m, d));
    KeyEvents = 0;
    E().OnKeyPress = [this](TMxBaseEdit*, char&) { ++KeyEvents; };
  }
  TMxCustomMaskEdit& E() { return *H.Edit; }
  std::string Selected() { return MxCopyOfSelection(); }
  std::string MxCopyOfSelection() {
    return E().RawText().substr(static_cast<size_t>(E().GetSelStart() - 1),
                                static_cast<size_t>(E().GetSelLength()));
  }
  TMaskEditHarness H;
  FixedClock Clock;
  int KeyEvents = 0;
};

TEST(MaskEditDate, CaretMovesSelectWholeParts) {
  DateField f("dd.MM.yyyy");
  EXPECT_EQ(f.E().RawText(), "05.03.2024"); // SetValue shows the editing form
  f.H.Place(2);
  EXPECT_EQ(f.Selected(), "05");
  const struct {
    const char* keys;
    int caret;
    const char* selected;
  } rows[] = {
      {"<R>", 4, "03"},
      {"<R>", 7, "2024"},
      {"<R>", 7, "2024"},
      {"<L>", 4, "03"},
      {"<L>", 1, "05"},
      {"<L>", 1, "05"},
      {"<HOME><END><BS><DEL>", 1, "05"},
  };
  for (const auto& r : rows) {
    f.H.Keys(r.keys);
    EXPECT_EQ(f.E().GetCursorPos(), r.caret) << r.keys;
    EXPECT_EQ(f.Selected(), r.selected) << r.keys;
    EXPECT_EQ(f.E().RawText(), "05.03.2024");
  }
  // A click puts the caret at the start of the part under the mouse.
  f.E().ClickAt(9);
  EXPECT_EQ(f.E().GetCursorPos(), 7);
  EXPECT_EQ(f.Selected(), "2024");
}

struct StepRow {
  int y, m, d;
  int caret;
  const char* keys;
  const char* text;
  int errors;
};

TEST(MaskEditDate, StepsThePartUnderTheCaret) {
  const StepRow rows[] = {
      {2024, 1, 31, 1, "<UP>", "01.02.2024", 0},
      {2024, 3, 1, 1, "<DN>", "29.02.2024", 0},
      {2024, 12, 31, 1, "<UP>", "01.01.2025", 0},
      {2024, 1, 15, 4, "<DN>", "15.12.2024", 0}, // the month wraps within the year
      {2024, 12, 15, 4, "<UP>", "15.01.2024", 0},
      {2024, 1, 31, 4, "<UP>", "31.01.2024", 1}, // 31 February: reported, text kept
      {2024, 3, 5, 7, "<DN><DN>", "05.03.2022", 0},
      {2024, 2, 29, 7, "<UP>", "29.02.2024", 1},
      {9999, 12, 31, 1, "<UP>", "31.12.9999", 1},
      {2024, 3, 5, 1, "<UP><UP><DN>", "06.03.2024", 0},
  };
  for (const StepRow& r : rows) {
    DateField f("dd.MM.yyyy", r.y, r.m, r.d);
    f.H.Place(r.caret);
    const int selStart = f.E().GetSelStart(), selLength = f.E().GetSelLength();
    f.H.Keys(r.keys);
    EXPECT_EQ(f.E().RawText(), r.text) << r.keys << " at " << r.caret;
    EXPECT_EQ(f.H.ValidationErrors, r.errors) << r.keys << " at " << r.caret;
    EXPECT_EQ(f.E().GetCursorPos(), r.caret);
    EXPECT_EQ(f.E().GetSelStart(), selStart); // the part stays selected
    EXPECT_EQ(f.E().GetSelLength(), selLength);
  }
}

TEST(MaskEditDate, WheelStepsAndReadOnlyRefuses) {
  DateField f("dd.MMM.yyyy");
  EXPECT_EQ(f.E().RawText(), "05.Mar.2024");
  f.H.Place(4);
  EXPECT_TRUE(f.E().MouseWheel(120));
  EXPECT_EQ(f.E().RawText(), "05.Apr.2024");
  EXPECT_TRUE(f.E().MouseWheel(-240));
  EXPECT_TRUE(f.E().MouseWheel(-1));
  EXPECT_EQ(f.E().RawText(), "05.Feb.2024");
  EXPECT_EQ(f.Selected(), "Feb");
  f.E().SetReadOnly(true);
  EXPECT_FALSE(f.E().MouseWheel(120));
  f.H.Keys("<UP>7");
  EXPECT_EQ(f.E().RawText(), "05.Feb.2024");
  f.E().SetReadOnly(false);
  f.E().SetMaskType(meNone);
  EXPECT_FALSE(f.E().MouseWheel(120));
}

struct TypeRow {
  const char* format;
  int caret;
  const char* keys;
  const char* text;
  const char* selected;
};

TEST(MaskEditDate, TypingIntoParts) {
  const TypeRow rows[] = {
      // Day digits: a key that can follow the part's last digit joins it; otherwise it
      // starts the part over.
      {"dd.MM.yyyy", 1, "15", "15.03.2024", "15"},
      {"dd.MM.yyyy", 1, "45", "05.03.2024", "05"},
      {"dd.MM.yyyy", 1, "31", "31.03.2024", "31"},
      {"dd.MM.yyyy", 1, "32", "02.03.2024", "02"},
      {"d.M.yyyy", 1, "1", "1 .3 .2024", "1"}, // "5" cannot be a tens digit
      {"d.M.yyyy", 1, "12", "12.3 .2024", "12"},
      // Month digits.
      {"dd.MM.yyyy", 4, "12", "05.12.2024", "12"},
      {"dd.MM.yyyy", 4, "13", "05.03.2024", "03"},
      {"dd.MM.yyyy", 4, "9", "05.09.2024", "09"},
      // The date separator moves on to the next part.
      {"dd.MM.yyyy", 1, "/1/1999", "05.01.1999", "1999"},
      // Year: the digits are collected, then read after the fourth.
      {"dd.MM.yyyy", 7, "1", "05.03.1", "1"},
      {"dd.MM.yyyy", 7, "19", "05.03.19", "19"},
      {"dd.MM.yyyy", 7, "1995", "05.03.1995", "1995"},
      {"dd.MM.yyyy", 7, "1995/", "05.03.1995", "1995"}, // the separator is ignored there
      // Month names: one key, or 1 and a second digit.
      {"dd MMMM yyyy", 4, "5", "05 Mei       2024", "Mei"},
      {"dd MMMM yyyy", 4, "12", "05 Desember  2024", "Desember"},
      {"dd MMMM yyyy", 4, "123", "05 Maret     2024", "Maret"},
      {"dd MMMM yyyy", 4, "0", "05 Maret     2024", "Maret"}, // no month 0: unchanged
      // Letters only fire the key event.
      {"dd.MM.yyyy", 1, "x", "05.03.2024", "05"},
  };
  for (const TypeRow& r : rows) {
    DateField f(r.format);
    f.H.Place(r.caret);
    f.H.Keys(r.keys);
    EXPECT_EQ(f.E().RawText(), r.text) << r.format << " keys " << r.keys;
    EXPECT_EQ(f.Selected(), r.selected) << r.format << " keys " << r.keys;
  }
}

TEST(MaskEditDate, KeyEventsAndReadOnly) {
  DateField f("dd.MM.yyyy");
  f.H.Place(1);
  f.H.Keys("x1");
  EXPECT_EQ(f.KeyEvents, 2);
  f.H.Place(7);
  f.H.Keys("/");
  EXPECT_EQ(f.KeyEvents, 2); // the separator in the year fires nothing
  f.E().SetReadOnly(true);
  f.H.Place(1);
  f.H.Keys("2");
  EXPECT_EQ(f.E().RawText(), "01.03.2024");
  EXPECT_EQ(f.KeyEvents, 3);
}

TEST(MaskEditDate, TypingANonDateReportsAndKeepsTheText) {
  DateField f("dd.MM.yyyy", 2024, 4, 5);
  f.H.Place(1);
  f.H.Keys("31");
  EXPECT_EQ(f.E().RawText(), "31.04.2024");
  EXPECT_EQ(f.H.ValidationErrors, 1);
}

TEST(MaskEditDate, FocusSwitchesTheForms) {
  TMaskEditHarness h; // d/M/yyyy
  FixedClock clock;
  h.Edit->SetClock(&clock);
  h.Edit->SetText("");
  h.Edit->SetMaskType(meDate);
  EXPECT_EQ(h.Edit->RawText(), "15/6/2026"); // today, in the display form
  h.Edit->DoEnter();
  EXPECT_EQ(h.Edit->RawText(), "15/6 /2026");
  h.Edit->SetCursorPos(4);
  h.Keys("<UP>");
  EXPECT_EQ(h.Edit->RawText(), "15/7 /2026");
  h.Edit->DoExit();
  EXPECT_EQ(h.Edit->RawText(), "15/7/2026");
  EXPECT_EQ(h.Edit->DateValue(), MxEncodeDate(2026, 7, 15));
  EXPECT_EQ(h.ValidationErrors, 0);

  // A text that is no date: entering keeps it and reports; leaving reports and asks for
  // the focus back.
  h.Edit->SetText("31/4/2026");
  EXPECT_NO_THROW(h.Edit->DoEnter());
  EXPECT_EQ(h.Edit->RawText(), "31/4/2026");
  EXPECT_EQ(h.ValidationErrors, 1);
  h.Edit->DoExit();
  EXPECT_EQ(h.ValidationErrors, 2);
  EXPECT_EQ(h.View.FocusRequests, 1);
  EXPECT_EQ(h.Edit->RawText(), "31/4/2026");
}

TEST(MaskEditDate, FullYearTokensSurviveReformatting) {
  DateField f("d/m/y");
  EXPECT_EQ(f.E().RawText(), "5 /3 /2024");
  for (int i = 0; i < 3; ++i) {
    f.E().DoExit();
    EXPECT_EQ(f.E().RawText(), "5/3/2024");
    f.E().DoEnter();
    EXPECT_EQ(f.E().RawText(), "5 /3 /2024");
  }
  f.H.Place(1);
  f.H.Keys("<UP>");
  EXPECT_EQ(f.E().RawText(), "6 /3 /2024");
  EXPECT_EQ(f.E().DateValue(), MxEncodeDate(2024, 3, 6));
}

TEST(MaskEditDate, ValuesOutsideTheCalendarAreRefused) {
  DateField f("dd.MM.yyyy");
  f.E().SetValue(1e12);
  f.E().SetValue(-1e12);
  f.E().SetValue(std::nan(""));
  EXPECT_EQ(f.H.ValidationErrors, 3);
  EXPECT_EQ(f.E().RawText(), "05.03.2024");
}

} // namespace
