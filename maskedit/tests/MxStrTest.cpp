#include "maskedit/MxStr.h"

#include <climits>
#include <gtest/gtest.h>

TEST(MxStr, CopyClampsStartAndCount) {
  struct Row {
    long long start, count;
    const char* expected;
  } rows[] = {
      {1, 3, "abc"}, {2, 2, "bc"},       {4, 10, "de"},         {5, 1, "e"},
      {6, 1, ""},    {0, 2, "ab"},       {-5, 3, "abc"},        {2, 0, ""},
      {2, -3, ""},   {LLONG_MAX, 5, ""}, {3, LLONG_MAX, "cde"}, {1, -1, ""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(MxCopy("abcde", r.start, r.count), r.expected) << r.start << "," << r.count;
  }
}

TEST(MxStr, DeleteIgnoresOutOfRangeAndClampsCount) {
  struct Row {
    long long start, count;
    const char* expected;
  } rows[] = {
      {1, 1, "bcde"},  {2, 2, "ade"},   {4, 100, "abc"},  {5, 1, "abcd"},       {6, 1, "abcde"},
      {0, 2, "abcde"}, {2, 0, "abcde"}, {2, -1, "abcde"}, {3, LLONG_MAX, "ab"},
  };
  for (const Row& r : rows) {
    std::string s = "abcde";
    MxDelete(s, r.start, r.count);
    EXPECT_EQ(s, r.expected) << r.start << "," << r.count;
  }
}

TEST(MxStr, InsertClampsPosition) {
  struct Row {
    long long at;
    const char* expected;
  } rows[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {99, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"}};
  for (const Row& r : rows) {
    std::string s = "abc";
    MxInsert(s, "XY", r.at);
    EXPECT_EQ(s, r.expected) << r.at;
  }
}

TEST(MxStr, PosCharAtAndCount) {
  EXPECT_EQ(MxPos("cd", "abcdcd"), 3);
  EXPECT_EQ(MxPos("x", "abc"), 0);
  EXPECT_EQ(MxPos("", "abc"), 0);
  EXPECT_EQ(MxCharAt("abc", 1), 'a');
  EXPECT_EQ(MxCharAt("abc", 3), 'c');
  EXPECT_EQ(MxCharAt("abc", 0), '\0');
  EXPECT_EQ(MxCharAt("abc", 4), '\0');
  EXPECT_EQ(MxCountChar("1.234.567", '.', 5), 1);
  EXPECT_EQ(MxCountChar("1.234.567", '.', 100), 2);
  EXPECT_EQ(MxCountChar("1.234.567", '.', -1), 0);
}
