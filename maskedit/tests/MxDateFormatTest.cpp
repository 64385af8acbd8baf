#include "maskedit/MxDateFormat.h"

#include <gtest/gtest.h>

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
}

TEST(MxDateFormat, ShortDateRoundTrip) {
  const TMxFixedLocaleSource source(TMxLocaleValues::Indonesian());
  TMxScopedLocaleSource locale(source);
  TMxDateFormat f;
  EXPECT_EQ(f.GetShortDateFormat(), "d/M/yyyy");
  EXPECT_EQ(f.DateToText(45351), "29/2/2024");
  double date = 0;
  ASSERT_TRUE(f.TextToDate("29/2/2024", date));
  EXPECT_EQ(date, 45351);
  ASSERT_TRUE(f.TextToDate("1/3/24", date));
  EXPECT_EQ(f.DateToText(date), "1/3/2024");
  EXPECT_FALSE(f.TextToDate("31/2/2024", date));
  EXPECT_FALSE(f.TextToDate("12/2024", date));
  EXPECT_FALSE(f.TextToDate("", date));
  f.SetShortDateFormat("yyyy-MM-dd");
  f.SetDateSeparator('-');
  EXPECT_EQ(f.DateToText(45351), "2024-02-29");
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
