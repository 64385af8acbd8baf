#include "maskedit/engine/MxDateTyping.h"

#include <gtest/gtest.h>

namespace {

struct TDigitCase {
  const char* Part; // the part's digits before the key
  char Key;
  bool Day; // false: month number
  const char* Result;
};

TEST(MxDateTyping, DigitKeyKeepsATensDigitOnlyWhenTheTwoCanStillMakeADayOrMonth) {
  const TDigitCase cases[] = {
      {"", '5', true, "5 "},   {"1", '5', true, "15"},   {"3", '1', true, "31"},   {"3", '2', true, "2 "},
      {"12", '3', true, "23"}, {"35", '1', true, "1 "},  {"0", '5', false, "05"},  {"1", '2', false, "12"},
      {"1", '3', false, "3 "}, {"01", '2', false, "12"}, {"12", '1', false, "1 "},
  };
  for (const TDigitCase& c : cases) {
    SCOPED_TRACE(std::string(c.Part) + " + " + c.Key);
    TMxDateTyping typing;
    EXPECT_EQ(typing.DigitKey(c.Part, c.Key, c.Day), c.Result);
    EXPECT_EQ(typing.KeysInPart(), 1);
  }
}

TEST(MxDateTyping, MonthNameKeysMakeAMonthNumberOfOneOrTwoKeys) {
  struct TStep {
    char Key;
    int Month; // 0: no month yet
  };
  const TStep steps[] = {{'1', 1}, {'2', 12}, {'3', 3}, {'0', 0}, {'0', 0}, {'9', 9}, {'1', 1}, {'3', 0}};
  TMxDateTyping typing;
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.Key);
    EXPECT_EQ(typing.MonthNameKey(s.Key), s.Month);
  }
}

TEST(MxDateTyping, AYearStartsAgainAfterFourDigitsAndAnotherPartStartsAfresh) {
  TMxDateTyping typing;
  typing.EnterPart(3);
  EXPECT_FALSE(typing.YearKey("199"));
  EXPECT_EQ(typing.KeysInPart(), 1);
  EXPECT_TRUE(typing.YearKey("1999"));
  EXPECT_EQ(typing.KeysInPart(), 1);
  EXPECT_FALSE(typing.YearKey("1"));
  EXPECT_EQ(typing.KeysInPart(), 2);
  typing.EnterPart(3); // the same part: the count goes on
  EXPECT_EQ(typing.KeysInPart(), 2);
  typing.EnterPart(1);
  EXPECT_EQ(typing.KeysInPart(), 0);
  EXPECT_FALSE(typing.YearKey("2"));
  typing.Restart();
  EXPECT_EQ(typing.KeysInPart(), 0);
}

} // namespace
