#include "maskedit/values/MxNumberText.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(MxNumberText, IntegerTextInEveryBase) {
  struct Row {
    std::int64_t value;
    int base;
    const char* expected;
  } rows[] = {{0, 10, "0"},
              {255, 16, "FF"},
              {-255, 16, "-FF"},
              {5, 2, "101"},
              {35, 36, "Z"},
              {36, 36, "10"},
              {-2147483648LL, 10, "-2147483648"},
              {INT64_MIN, 16, "-8000000000000000"}};
  for (const Row& r : rows) {
    EXPECT_EQ(MxIntegerToText(r.value, r.base), r.expected) << r.value << " base " << r.base;
  }
}

TEST(MxNumberText, DecimalFloatRoundsHalfAwayFromZero) {
  struct Row {
    double value;
    int count;
    const char* expected;
  } rows[] = {
      {2.5, 0, "3"},
      {-2.5, 0, "-3"},
      {12.7, 0, "13"},
      {0.125, 2, "0,13"},
      {-0.125, 2, "-0,13"},
      {0.005, 2, "0,01"},
      {0.004, 2, "0,00"},
      {-0.001, 2, "0,00"},
      {9.995, 2, "9,99"},
      {99.5, 0, "100"},
      {1234567, 2, "1234567,00"},
      {0, 3, "0,000"},
      {0.0004, 2, "0,00"},
      {1e20, 0, "100000000000000000000"},
      {2.675, 2, "2,67"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(MxFloatToText(r.value, r.count, 10, ','), r.expected) << r.value << " " << r.count;
  }
  EXPECT_EQ(MxFloatToText(NAN, 2, 10, ','), "");
  EXPECT_EQ(MxFloatToText(INFINITY, 2, 10, ','), "");
}

TEST(MxNumberText, OtherBasesCutTheFraction) {
  EXPECT_EQ(MxFloatToText(2.75, 3, 2, ','), "10,110");
  EXPECT_EQ(MxFloatToText(255.5, 2, 16, ','), "FF,80");
  EXPECT_EQ(MxFloatToText(-1.5, 1, 16, ','), "-1,8");
  EXPECT_EQ(MxFloatToText(-0.5, 1, 2, ','), "-0,1");
  EXPECT_EQ(MxFloatToText(3, 2, 8, ','), "3,00");
  EXPECT_EQ(MxFloatToText(5e9, 2, 16, ','), ""); // integer part beyond 32 bits
}

TEST(MxNumberText, FormsOfTheFloatKinds) {
  struct Row {
    const char* raw;
    TMxMaskType kind;
    int decimals;
    const char* expected;
  } rows[] = {
      {"2,50", meFloat, 2, "2,5"},
      {"3,00", meFloat, 2, "3"},
      {"100", meFloat, 0, "100"},
      {"0,00", meFloat, 2, "0"},
      {"1234567,00", meFloatNumber, 2, "1.234.567,00"},
      {"123456,00", meFloatNumber, 2, "123.456,00"},
      {"-123456,00", meFloatNumber, 2, "-123.456,00"},
      {"-12", meFloatNumber, 0, "-12"},
      {"999", meFloatNumber, 0, "999"},
      {"1000", meFloatNumber, 0, "1.000"},
      {"5", meFloatFixed, 2, "5,00"},
      {"5,1", meFloatFixed, 3, "5,100"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(MxFloatTextOfKind(r.raw, r.kind, r.decimals, ',', '.'), r.expected) << r.raw;
  }
}
