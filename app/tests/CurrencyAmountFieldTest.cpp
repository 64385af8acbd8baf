#include "app/CurrencyAmountField.h"

#include <gtest/gtest.h>

#include "app/tests/ZakatTestSupport.h"
#include "maskedit/values/MxLocale.h"

namespace {

TEST(CurrencyAmountField, ZeroTextFollowsDecimalsAndLocaleDigits) {
  struct Case {
    int LocaleDigits;
    const char* Symbol;
    int Decimals;
    const char* Zero;
  };
  for (const Case& c : {Case{2, " ", 0, " 0"}, Case{2, " ", 1, " 0,00"}, Case{2, "Rp ", 1, "Rp 0,00"},
                        Case{0, " ", 1, " 0"}, Case{0, "Rp ", 1, "Rp 0"}, Case{3, " ", 0, " 0"}}) {
    TMxFixedLocaleSource source(CalculatorLocale(c.LocaleDigits));
    TMxScopedLocaleSource scope(source);
    TTestAmountField field(c.Symbol, c.Decimals);
    EXPECT_EQ(field.GetText(), c.Zero);
    field.SetText("12");
    field.ClearAll();
    EXPECT_EQ(field.GetText(), c.Zero);
    EXPECT_EQ(field.CurrencySettings().GetSystemDefaults(), cmUser);
  }
}

TEST(CurrencyAmountField, ReadsWhatItShows) {
  TMxFixedLocaleSource source(CalculatorLocale(2));
  TMxScopedLocaleSource scope(source);
  TTestAmountField price(" ", 1);
  price.SetText("250000,55");
  EXPECT_EQ(price.GetText(), " 250.000,55");
  EXPECT_EQ(price.FloatValue(), 250000.5); // Decimals 1 cuts the second digit

  TTestAmountField cash(" ", 0);
  cash.SetText("1234567,5");
  EXPECT_EQ(cash.GetText(), " 1.234.567");
  EXPECT_EQ(cash.FloatValue(), 1234567);
  cash.SetText("-5000");
  EXPECT_EQ(cash.GetText(), "( 5.000)");
  EXPECT_EQ(cash.FloatValue(), 0); // parentheses do not read

  TTestAmountField zakat("Rp ", 1);
  zakat.SetText("1405864,175");
  EXPECT_EQ(zakat.GetText(), "Rp 1.405.864,17");
  EXPECT_EQ(zakat.FloatValue(), 0); // the symbol's letters do not read
}

TEST(CurrencyAmountField, AnAmountTooLargeToHoldKeepsTheShownText) {
  TMxFixedLocaleSource source(CalculatorLocale(2));
  TMxScopedLocaleSource scope(source);
  TTestAmountField field(" ", 0);
  field.SetText("922337203685477");
  EXPECT_EQ(field.GetText(), " 922.337.203.685.477");
  field.SetText("9223372036854779");
  EXPECT_EQ(field.GetText(), " 922.337.203.685.477");
  field.SetText("1,2,3"); // unreadable text is zero
  EXPECT_EQ(field.GetText(), " 0");
}

} // namespace
