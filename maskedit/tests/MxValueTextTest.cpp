#include "maskedit/values/MxValueText.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "maskedit/values/MxLocale.h"

namespace {

const std::string Sym(1, MxCurrencySymbolChar);
constexpr TMxNumberSeparators Comma{'.', ','};

struct FloatValueCase {
  std::string Text;
  int Decimals;
  double Expected;
  bool Ok;
};

class CurrencyFloatValueTable : public testing::TestWithParam<FloatValueCase> {};

TEST_P(CurrencyFloatValueTable, ReadsAPlainSignedDecimal) {
  const FloatValueCase& c = GetParam();
  const TMxFloatReading r = MxFloatValueOfText(c.Text, c.Decimals, true, 10, Comma);
  EXPECT_EQ(r.Ok, c.Ok);
  EXPECT_EQ(r.Value, c.Expected);
  EXPECT_EQ(std::signbit(r.Value), std::signbit(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrencyFloatValueTable,
    testing::Values(FloatValueCase{" 250.000,55", 1, 250000.5, true}, // surplus fraction digits are cut
                    FloatValueCase{" 1.234.567", 0, 1234567, true},
                    FloatValueCase{" 56.234.567,00", 1, 56234567, true}, FloatValueCase{" 0,00", 1, 0, true},
                    FloatValueCase{" 0", 0, 0, true}, FloatValueCase{"", 1, 0, true},
                    FloatValueCase{"25,", 0, 25, true}, FloatValueCase{"25,9", 0, 25, true},
                    FloatValueCase{",5", 1, 0.5, true}, FloatValueCase{"-,5", 1, -0.5, true},
                    FloatValueCase{"-0,5", 1, -0.5, true}, FloatValueCase{"-5,5", 1, -5.5, true},
                    FloatValueCase{"-", 1, 0, true}, FloatValueCase{" -3", 0, -3, true},
                    FloatValueCase{"+3", 0, 3, true}, FloatValueCase{"1,25", 5, 1.25, true},
                    FloatValueCase{"-9223372036854775808", 0, -9223372036854775808.0, true},
                    // Not a plain signed decimal: reads 0 and reports the failure.
                    FloatValueCase{"( 5.000)", 0, 0, false}, FloatValueCase{"Rp 1.405.864,17", 1, 0, false},
                    FloatValueCase{"1 ", 0, 0, false}, FloatValueCase{" ", 0, 0, false},
                    FloatValueCase{"--1", 0, 0, false}, FloatValueCase{"9223372036854775808", 0, 0, false},
                    FloatValueCase{"1E5", 0, 0, false}));

TEST(MxFloatValueOfText, WithoutCuttingKeepsEveryFractionDigit) {
  EXPECT_EQ(MxFloatValueOfText("1.234,5678", 1, false, 10, Comma).Value, 1234.5678);
}

TEST(MxIntegerTextToValue, ReadsOtherBasesFromTheRight) {
  EXPECT_EQ(MxIntegerTextToValue("FF", 16).Value, 255);
  EXPECT_EQ(MxIntegerTextToValue("ff", 16).Value, 255); // upper-cased
  EXPECT_EQ(MxIntegerTextToValue("-FF", 16).Value, -255);
  EXPECT_EQ(MxIntegerTextToValue("-", 16).Value, 0);
  EXPECT_EQ(MxIntegerTextToValue("101", 2).Value, 5);
  EXPECT_TRUE(MxIntegerTextToValue(std::string(100000, 'Z'), 36).Ok); // wraps, never fails
}

TEST(MxFloatTextToValue, ReadsFractionsInTheBase) {
  EXPECT_EQ(MxFloatTextToValue("A,8", 16, ',').Value, 10.5);
  EXPECT_EQ(MxFloatTextToValue("-1,1", 2, ',').Value, -1.5);
}

TEST(MxDoubleToCurrency, RoundsToNearestEvenAndChecksTheRange) {
  std::int64_t v = -1;
  EXPECT_TRUE(MxDoubleToCurrency(1.5, v));
  EXPECT_EQ(v, 15000);
  EXPECT_TRUE(MxDoubleToCurrency(0.03125, v)); // 312.5 ten-thousandths: a tie, to even
  EXPECT_EQ(v, 312);
  EXPECT_TRUE(MxDoubleToCurrency(0.09375, v)); // 937.5
  EXPECT_EQ(v, 938);
  EXPECT_TRUE(MxDoubleToCurrency(0.00125, v)); // the double lies above 0.00125
  EXPECT_EQ(v, 13);
  EXPECT_TRUE(MxDoubleToCurrency(-922337203685477.5, v));
  EXPECT_EQ(v, -9223372036854775000);
  v = 7;
  for (double bad :
       {1e15, -1e15, 922337203685477.625, std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(MxDoubleToCurrency(bad, v)) << bad;
  }
  EXPECT_EQ(v, 7);
  EXPECT_EQ(MxCurrencyToDouble(14058641750), 1405864.175);
}

class ReformatCurrencyTest : public testing::Test {
protected:
  ReformatCurrencyTest() {
    Settings.SetSystemDefaults(cmUser);
    Settings.SetPositiveFormatStr(Sym + "1,1");
    Settings.SetNegativeFormatStr("(" + Sym + "1,1)");
    Settings.SetSymbol(" ");
    Settings.CurrencyDigits = 0;
  }
  TMxFixedLocaleSource Source{TMxLocaleValues::Indonesian()};
  TMxScopedLocaleSource Scope{Source};
  TMxCurrencySettings Settings;
};

TEST_F(ReformatCurrencyTest, ShowsTheAmountThroughThePatterns) {
  struct Case {
    const char* Text;
    const char* Shown;
    std::int64_t Value;
  };
  for (const Case& c :
       {Case{"1234567,5", " 1.234.567", 12345675000}, Case{"", " 0", 0}, Case{"-5000", "( 5.000)", -50000000},
        Case{"( 5.000)", " 5.000", 50000000},
        Case{"922337203685477", " 922.337.203.685.477", 9223372036854770000}, Case{"1,2,3", " 0", 0}}) {
    const TMxCurrencyReformat r = MxReformatCurrencyText(Settings, c.Text, false);
    EXPECT_EQ(r.Text, c.Shown) << c.Text;
    EXPECT_EQ(r.Value, c.Value) << c.Text;
    // The shown form is a fixed point, except that parentheses do not carry a sign.
    if (c.Value >= 0) {
      EXPECT_EQ(MxReformatCurrencyText(Settings, r.Text, false).Text, r.Text);
    }
  }
  EXPECT_EQ(MxReformatCurrencyText(Settings, "", true).Text, "( 0)");
}

TEST_F(ReformatCurrencyTest, TellsOverflowApartFromUnreadableText) {
  EXPECT_EQ(MxReformatCurrencyText(Settings, "1,2,3", false).Status, cpsNotANumber);
  EXPECT_EQ(MxReformatCurrencyText(Settings, "9999999999999999", false).Status, cpsOverflow);
  // Readable, but the field's double value of it no longer fits once scaled back.
  EXPECT_EQ(MxReformatCurrencyText(Settings, "922337203685477,5807", false).Status, cpsOverflow);
  EXPECT_EQ(MxReformatCurrencyText(Settings, "922337203685477,5", false).Status, cpsOk);
}

} // namespace
