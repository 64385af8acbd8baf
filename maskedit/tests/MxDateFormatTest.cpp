#include "maskedit/values/MxDateFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FixedYearClock final : IMxClock {
  explicit FixedYearClock(int year) : Day(MxEncodeDate(year, 6, 15) + 0.5) {}
  double Now() const override { return Day; }
  double Day;
};

TMxLocaleValues WithSeparator(TMxLocaleValues v, const char* separator) {
  v.DateSeparator = separator;
  return v;
}

// A format object on the given locale; an empty custom format keeps the system format.
struct Fmt {
  Fmt(const TMxLocaleValues& locale, TMxDateFormats format, const char* custom = "", int year = 2026)
      : Clock(year) {
    F.SetLocale(locale);
    F.SetClock(&Clock);
    F.SetFormat(format);
    F.SetFormatStr(custom);
  }
  FixedYearClock Clock;
  TMxDateFormat F;
};

TEST(MxDateFormat, DayCountsFrom1899) {
  EXPECT_EQ(MxEncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(MxEncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(MxEncodeDate(2024, 2, 29), 45351);
  int y, m, d;
  MxDecodeDate(45351.75, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20240229);
  MxDecodeDate(-1e300, y, m, d); // far outside the calendar: clamped, not undefined
  EXPECT_EQ(y, 1);
  EXPECT_FALSE(MxIsValidDate(2023, 2, 29));
  EXPECT_TRUE(MxIsValidDate(2000, 2, 29));
  EXPECT_EQ(MxDayOfWeek(MxEncodeDate(2024, 3, 5)), 2); // a Tuesday
  EXPECT_EQ(MxDayOfWeek(MxEncodeDate(1899, 12, 31)), 0);
  EXPECT_EQ(MxDayOfWeek(MxEncodeDate(1899, 12, 29)), 5);
}

TEST(MxDateFormat, FormatStringBySetting) {
  const TMxLocaleValues id = WithSeparator(TMxLocaleValues::Indonesian(), "-");
  Fmt f(id, dfShortSystem, "dd/mm/yyyy");
  EXPECT_EQ(f.F.DateFormatString(), "d/M/yyyy"); // system formats are taken as they are
  f.F.SetFormat(dfLongSystem);
  EXPECT_EQ(f.F.DateFormatString(), "dddd, dd MMMM yyyy");
  f.F.SetFormat(dfCustom);
  EXPECT_EQ(f.F.DateFormatString(), "dd-mm-yyyy");
  EXPECT_EQ(f.F.DateSeparator(), '-');
}

TEST(MxDateFormat, SettersFireTheirEvents) {
  Fmt f(TMxLocaleValues::EnglishUS(), dfShortSystem);
  std::string log;
  f.F.FormatChanged = [&](TMxDateFormat*) { log += "C"; };
  f.F.FormatStrChanging = [&](TMxDateFormat* sender) { log += "S" + sender->GetFormatStr() + ";"; };
  f.F.SetFormatStr("dd/mm/yy"); // not the custom format in use: no FormatChanged
  f.F.SetFormatStr("dd/mm/yy");
  f.F.SetFormat(dfCustom);
  f.F.SetFormat(dfCustom);
  f.F.SetFormatStr("yyyy");
  EXPECT_EQ(log, "S;CSdd/mm/yy;C");
  TMxDateFormat copy;
  copy.FormatChanged = [&](TMxDateFormat*) { log += "!"; };
  f.F.SetYearDelta(20);
  copy.Assign(f.F);
  EXPECT_EQ(copy.GetFormat(), dfCustom);
  EXPECT_EQ(copy.GetFormatStr(), "yyyy");
  EXPECT_EQ(copy.GetYearDelta(), 20);
  EXPECT_EQ(log, "S;CSdd/mm/yy;C"); // Assign fires nothing
}

struct FormRow {
  bool indonesian;
  TMxDateFormats format;
  const char* custom;
  int y, m, d;
  const char* display;
  const char* edit;
};

TEST(MxDateFormat, DisplayAndEditingForms) {
  const FormRow rows[] = {
      {true, dfShortSystem, "", 2024, 3, 5, "5/3/2024", "5 /3 /2024"},
      {true, dfShortSystem, "", 2024, 12, 25, "25/12/2024", "25/12/2024"},
      {true, dfLongSystem, "", 2024, 3, 5, "Selasa, 05 Maret 2024", "Selasa, 05 Maret     2024"},
      {true, dfLongSystem, "", 2024, 3, 3, "Minggu, 03 Maret 2024", "Minggu, 03 Maret     2024"},
      {true, dfLongSystem, "", 2024, 3, 6, "Rabu, 06 Maret 2024", "Rabu  , 06 Maret     2024"},
      {true, dfCustom, "ddd, dd/mm/yyyy", 2024, 3, 5, "Sel, 05/03/2024", "Sel, 05/03/2024"},
      {true, dfCustom, "dddd d mmm yy", 2024, 8, 17, "Sabtu 17 Agu 24", "Sabtu  17 Agu 24"},
      {false, dfShortSystem, "", 2024, 3, 5, "3/5/2024", "3 /5 /2024"},
      {false, dfLongSystem, "", 2024, 3, 5, "Tuesday, March 5, 2024", "Tuesday  , March     5 , 2024"},
      // Literal letters are upper-cased in the display form only.
      {false, dfCustom, "d.m.y x", 2024, 3, 5, "5.3.2024 X", "5 .3 .2024 x"},
      // YYY and runs of five or more letters show nothing, but the editing form keeps
      // the full year, the day and the month.
      {false, dfCustom, "ddddd/mmmmm/yyy", 2024, 3, 5, "//", "5 /3 /2024"},
      {false, dfCustom, "dd/mm/yyyyy", 2024, 3, 5, "05/03/", "05/03/2024"},
      {false, dfCustom, "MMMM", 2024, 9, 1, "September", "September"},
      {false, dfCustom, "MMM", 2024, 5, 1, "May", "May"},
      {false, dfCustom, "yy", 2005, 1, 1, "05", "05"},
  };
  for (const FormRow& r : rows) {
    Fmt f(r.indonesian ? TMxLocaleValues::Indonesian() : TMxLocaleValues::EnglishUS(), r.format, r.custom);
    const double date = MxEncodeDate(r.y, r.m, r.d);
    EXPECT_EQ(f.F.FormatDateDisplay(date), r.display) << f.F.DateFormatString();
    EXPECT_EQ(f.F.FormatDateEdit(date), r.edit) << f.F.DateFormatString();
    EXPECT_EQ(f.F.FormatDateEdit(r.y, r.m, r.d), r.edit) << f.F.DateFormatString();
  }
}

TEST(MxDateFormat, CustomFormatUsesTheLocaleSeparator) {
  Fmt f(WithSeparator(TMxLocaleValues::Indonesian(), "."), dfCustom, "dd/mm/yyyy");
  EXPECT_EQ(f.F.FormatDateDisplay(MxEncodeDate(2024, 3, 5)), "05.03.2024");
  EXPECT_EQ(f.F.ReadDate("05.03.2024"), MxEncodeDate(2024, 3, 5));
}

struct ReadRow {
  bool indonesian;
  TMxDateFormats format;
  const char* custom;
  int yearDelta;
  const char* text;
  int y, m, d; // 0: no date
};

TEST(MxDateFormat, LenientReader) {
  const ReadRow rows[] = {
      {true, dfCustom, "dd/mm/yyyy", -1, "05/03/2024", 2024, 3, 5},
      {true, dfCustom, "dd/mm/yyyy", -1, "5/3/2024", 2024, 3, 5},
      {true, dfCustom, "dd/mm/yyyy", -1, "  5/ 3/2024", 2024, 3, 5},
      // February days are clamped to the month; other months are not.
      {true, dfCustom, "dd/mm/yyyy", -1, "31/02/2023", 2023, 2, 28},
      {true, dfCustom, "dd/mm/yyyy", -1, "30/02/2024", 2024, 2, 29},
      {true, dfCustom, "dd/mm/yyyy", -1, "31/04/2023", 0, 0, 0},
      {true, dfCustom, "dd/mm/yyyy", -1, "00/04/2023", 0, 0, 0},
      {true, dfCustom, "dd/mm/yyyy", -1, "05/13/2023", 0, 0, 0},
      // A text that ends early leaves the remaining parts at 1 January 1900.
      {true, dfCustom, "dd/mm/yyyy", -1, "05/03/", 1900, 3, 5},
      {true, dfCustom, "dd/mm/yyyy", -1, "", 0, 0, 0},
      {true, dfCustom, "dd/mm/yyyy", -1, "abc", 0, 0, 0},
      {true, dfCustom, "dd/mm/yyyy", -1, "05/03/10000", 1000, 3, 5}, // four digits at most
      // Two-digit years around the window (the clock says 2026).
      {true, dfCustom, "dd/mm/yy", 50, "01/01/30", 2030, 1, 1},
      {true, dfCustom, "dd/mm/yy", 50, "01/01/75", 1975, 1, 1},
      {true, dfCustom, "dd/mm/yy", 50, "01/01/50", 2050, 1, 1},
      {true, dfCustom, "dd/mm/yy", 50, "01/01/51", 1951, 1, 1},
      {true, dfCustom, "dd/mm/yy", -1, "01/01/50", 2050, 1, 1},
      {true, dfCustom, "dd/mm/yy", 10, "01/01/11", 1911, 1, 1},
      {true, dfCustom, "dd/mm/yyyy", 10, "01/01/0011", 1911, 1, 1},
      // Every year token whose editing form writes the full year reads it back.
      {true, dfCustom, "d/m/y", -1, "5/3/2024", 2024, 3, 5},
      {true, dfCustom, "d/m/yyy", -1, "5/3/2024", 2024, 3, 5},
      {true, dfCustom, "d/m/yyyyy", -1, "5/3/2024", 2024, 3, 5},
      {true, dfCustom, "d/m/y", -1, "5/3/24", 2024, 3, 5},
      {true, dfCustom, "dd/mm/yy", -1, "05/03/2024", 2020, 3, 5}, // YY reads two digits
      // A one-letter token in the last place is read.
      {true, dfCustom, "yyyy/m/d", -1, "2024/3/5", 2024, 3, 5},
      // Names, without regard to case; day names are skipped.
      {true, dfLongSystem, "", -1, "selasa, 05 maret 2024", 2024, 3, 5},
      {true, dfLongSystem, "", -1, "Rabu  , 05 Maret     2024", 2024, 3, 5},
      {true, dfCustom, "dd mmmm yyyy", -1, "05 Mart 2024", 0, 0, 0},
      {false, dfLongSystem, "", -1, "Tuesday, March 5, 2024", 2024, 3, 5},
      {false, dfLongSystem, "", -1, "Tuesday  , March     5 , 2024", 2024, 3, 5},
      {false, dfLongSystem, "", -1, "Sunday, MAY 5, 2024", 2024, 5, 5},
      {false, dfCustom, "dd mmm yyyy", -1, "05 Sep 2024", 2024, 9, 5},
  };
  for (const ReadRow& r : rows) {
    Fmt f(r.indonesian ? TMxLocaleValues::Indonesian() : TMxLocaleValues::EnglishUS(), r.format, r.custom);
    f.F.SetYearDelta(static_cast<std::int8_t>(r.yearDelta));
    const std::string where = std::string(r.text) + " as " + f.F.DateFormatString();
    if (r.y == 0) {
      try {
        f.F.ReadDate(r.text);
        ADD_FAILURE() << where << " was read";
      } catch (const EMxDateError& e) {
        EXPECT_STREQ(e.what(), "Invalid date format!") << where;
      }
      double date = -1;
      EXPECT_FALSE(f.F.TryReadDate(r.text, date)) << where;
      EXPECT_EQ(date, -1) << where;
    } else {
      EXPECT_EQ(f.F.ReadDate(r.text), MxEncodeDate(r.y, r.m, r.d)) << where;
    }
  }
}

TEST(MxDateFormat, ParsedPartsKeepTheirDefaultsWhenTheTextEnds) {
  Fmt f(TMxLocaleValues::EnglishUS(), dfCustom, "dd/mm/yyyy");
  EXPECT_EQ(f.F.ParseDateParts("07"), (TMxDateParts{1900, 1, 7}));
  EXPECT_EQ(f.F.ParseDateParts("07/"), (TMxDateParts{1900, 1, 7}));
  EXPECT_EQ(f.F.ParseDateParts("07/12/1"), (TMxDateParts{2001, 12, 7}));
}

// Every form of every format reads back as the date it was made from, through any number
// of round trips (the full-year tokens once turned 2024 into 2020 here).
TEST(MxDateFormat, FormsReadBackUnchanged) {
  const char* formats[] = {"d/m/y", "dd/mm/yyyy", "d/m/yyy", "dddd, d mmmm yyyyy", "mmm d y", "yyyy-mm-dd"};
  const double dates[] = {MxEncodeDate(2024, 2, 29), MxEncodeDate(1999, 12, 31), MxEncodeDate(2050, 1, 1)};
  for (bool indonesian : {true, false}) {
    for (const char* format : formats) {
      Fmt f(indonesian ? TMxLocaleValues::Indonesian() : TMxLocaleValues::EnglishUS(), dfCustom, format);
      for (double date : dates) {
        double d = date;
        for (int trip = 0; trip < 3; ++trip) {
          d = f.F.ReadDate(f.F.FormatDateEdit(d));
        }
        EXPECT_EQ(d, date) << format;
        if (std::string(format).find("yyy/") == std::string::npos &&
            std::string(format).find("yyyyy") == std::string::npos &&
            std::string(format) != "d/m/yyy") { // these display forms have no year
          EXPECT_EQ(f.F.ReadDate(f.F.FormatDateDisplay(date)), date) << format;
        }
      }
    }
  }
}

TEST(MxDateFormat, PartGeometry) {
  Fmt digits(TMxLocaleValues::EnglishUS(), dfCustom, "dd.MM.yyyy");
  const std::string t = "05.03.2024";
  const std::vector<TMxDatePart> parts = digits.F.Parts(t);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].Start * 100 + parts[0].Length * 10, 120);
  EXPECT_EQ(parts[1].Start * 100 + parts[1].Length * 10, 420);
  EXPECT_EQ(parts[2].Start * 100 + parts[2].Length * 10, 740);
  struct Row {
    int pos, index, kind, start, length, next, prev;
  };
  const Row rows[] = {
      {1, 1, 2, 1, 2, 4, 1},  {3, 1, 2, 1, 2, 4, 1},   {4, 2, 12, 4, 2, 7, 1},    {6, 2, 12, 4, 2, 7, 1},
      {7, 3, 24, 7, 4, 7, 4}, {11, 3, 24, 7, 4, 7, 4}, {12, 0, 0, 12, 0, 12, 12},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(digits.F.PartIndexAt(t, r.pos), r.index) << r.pos;
    EXPECT_EQ(digits.F.PartKindAt(t, r.pos), r.kind) << r.pos;
    EXPECT_EQ(digits.F.PartStartAt(t, r.pos), r.start) << r.pos;
    EXPECT_EQ(digits.F.PartLengthAt(t, r.pos), r.length) << r.pos;
    EXPECT_EQ(digits.F.NextPartStart(t, r.pos), r.next) << r.pos;
    EXPECT_EQ(digits.F.PrevPartStart(t, r.pos), r.prev) << r.pos;
  }

  // Names and padded digits: "Tuesday  , March     5 , 2024".
  Fmt names(TMxLocaleValues::EnglishUS(), dfLongSystem);
  const std::string n = names.F.FormatDateEdit(MxEncodeDate(2024, 3, 5));
  const std::vector<TMxDatePart> p = names.F.Parts(n);
  ASSERT_EQ(p.size(), 4u);
  const int want[4][3] = {{1, 7, 4}, {12, 5, 14}, {22, 1, 1}, {26, 4, 24}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(p[i].Start, want[i][0]) << i;
    EXPECT_EQ(p[i].Length, want[i][1]) << i;
    EXPECT_EQ(p[i].Kind, want[i][2]) << i;
  }
  // Between two parts (the padding after "March") no part holds the position.
  EXPECT_EQ(names.F.PartIndexAt(n, 19), -1);
  EXPECT_EQ(names.F.PartKindAt(n, 19), 0);

  // A month name that is a prefix of another ("Jun" of "Juni") does not cut the longer.
  Fmt id(TMxLocaleValues::Indonesian(), dfCustom, "mmmm yyyy");
  EXPECT_EQ(id.F.PartLengthAt("Juni      2024", 1), 4);
  // Runs of five or more letters are digit parts; YYY is a full year.
  Fmt wide(TMxLocaleValues::EnglishUS(), dfCustom, "ddddd/mmmmm/yyy");
  const std::vector<TMxDatePart> w = wide.F.Parts("5 /3 /2024");
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0].Kind * 10000 + w[1].Kind * 100 + w[2].Kind, 11123);
}

TEST(MxDateFormat, GeometryOfHostileTextsStaysInRange) {
  Fmt f(TMxLocaleValues::EnglishUS(), dfCustom,
        "dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy/dd/mm/yyyy");
  const std::string texts[] = {"", " ", "////", std::string(300, '9'), "\xFF\x80/\x01", "12/34/56789/0"};
  for (const std::string& t : texts) {
    const std::vector<TMxDatePart> parts = f.F.Parts(t);
    EXPECT_LE(parts.size(), 24u);
    for (const TMxDatePart& p : parts) {
      EXPECT_GE(p.Start, 1);
      EXPECT_LE(p.Start + p.Length, static_cast<int>(t.size()) + 1);
    }
    for (int pos = -2; pos <= static_cast<int>(t.size()) + 3; ++pos) {
      const int next = f.F.NextPartStart(t, pos), prev = f.F.PrevPartStart(t, pos);
      if (f.F.PartIndexAt(t, pos) > 0) {
        EXPECT_GE(next, 1);
        EXPECT_GE(prev, 1);
        EXPECT_LE(next, static_cast<int>(t.size()) + 1);
      }
    }
    double date = 0;
    (void)f.F.TryReadDate(t, date);
  }
}

TEST(MxDateFormat, LongTimeTexts) {
  const TMxLocaleValues us = TMxLocaleValues::EnglishUS();
  const TMxLocaleValues id = TMxLocaleValues::Indonesian();
  EXPECT_EQ(MxTimeToText(0.75, us), "6:00:00 PM");
  EXPECT_EQ(MxTimeToText(0.75, id), "18.00.00");
  double t = 0;
  ASSERT_TRUE(MxTextToTime("6:30:15 PM", us, t));
  EXPECT_EQ(MxTimeToText(t, us), "6:30:15 PM");
  ASSERT_TRUE(MxTextToTime("18.30", id, t));
  EXPECT_EQ(MxTimeToText(t, id), "18.30.00");
  EXPECT_FALSE(MxTextToTime("25.00", id, t));
  EXPECT_FALSE(MxTextToTime("1x2", id, t));
  EXPECT_FALSE(MxTextToTime("", id, t));
}

} // namespace
