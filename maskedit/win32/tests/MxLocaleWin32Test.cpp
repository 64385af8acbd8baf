// The thread-locale reader against the locale Wine was started in. ctest runs this
// executable twice: under LC_ALL=id_ID.UTF-8 and under the default (en-US) locale;
// TABIRA_EXPECT_LOCALE names which one to expect.
#include "maskedit/win32/MxLocaleWin32.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

TEST(MxThreadLocaleSource, ReadsTheLocaleWineRunsIn) {
  const char* expect = std::getenv("TABIRA_EXPECT_LOCALE");
  ASSERT_NE(expect, nullptr) << "TABIRA_EXPECT_LOCALE must be set to id or en";
  const TMxLocaleValues want =
      std::string(expect) == "id" ? TMxLocaleValues::Indonesian() : TMxLocaleValues::EnglishUS();
  const TMxLocaleValues got = TMxThreadLocaleSource().Read();
  EXPECT_EQ(got.CurrencySymbol, want.CurrencySymbol);
  EXPECT_EQ(got.NegativeCurrencyCode, want.NegativeCurrencyCode);
  EXPECT_EQ(got.PositiveCurrencyCode, want.PositiveCurrencyCode);
  EXPECT_EQ(got.MonetaryGrouping, want.MonetaryGrouping);
  EXPECT_EQ(got.CurrencyDigits, want.CurrencyDigits);
  EXPECT_EQ(got.DecimalSeparator, want.DecimalSeparator);
  EXPECT_EQ(got.ThousandSeparator, want.ThousandSeparator);
  EXPECT_EQ(got.MonetaryThousandSeparator, want.MonetaryThousandSeparator);
  EXPECT_EQ(got.ShortDateFormat, want.ShortDateFormat);
  EXPECT_EQ(got.DateSeparator, want.DateSeparator);
  EXPECT_EQ(got.LongTimeFormat, want.LongTimeFormat);
  EXPECT_EQ(got.TimeSeparator, want.TimeSeparator);
  EXPECT_EQ(got.LongDateFormat, want.LongDateFormat);
  EXPECT_EQ(got.ShortMonthNames, want.ShortMonthNames);
  EXPECT_EQ(got.LongMonthNames, want.LongMonthNames);
  EXPECT_EQ(got.ShortDayNames, want.ShortDayNames);
  EXPECT_EQ(got.LongDayNames, want.LongDayNames);
}

// The values are kept per locale: switching the thread's locale gives the other locale's
// values, switching back gives the first ones again.
TEST(MxThreadLocaleSource, FollowsTheThreadLocale) {
  const TMxThreadLocaleSource source;
  const LCID start = GetThreadLocale();
  const TMxLocaleValues first = source.Read();
  const LCID other =
      first.CurrencySymbol == "Rp" ? MAKELCID(0x0409, SORT_DEFAULT) : MAKELCID(0x0421, SORT_DEFAULT);
  ASSERT_TRUE(SetThreadLocale(other));
  const TMxLocaleValues switched = source.Read();
  SetThreadLocale(start);
  EXPECT_EQ(switched.CurrencySymbol, first.CurrencySymbol == "Rp" ? "$" : "Rp");
  EXPECT_EQ(source.Read().CurrencySymbol, first.CurrencySymbol);
  EXPECT_EQ(source.Read().LongMonthNames, first.LongMonthNames);
}
