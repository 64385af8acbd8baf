// Values, forms and conversions of the mask types.
#include "maskedit/tests/MaskEditTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(MaskEditValues, CurrencyTextIsAFixedPointOfItsReading) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, 0);
  h.Edit->SetText("1234567,5");
  EXPECT_EQ(h.Edit->RawText(), " 1.234.567");
  EXPECT_EQ(h.Edit->FloatValue(), 1234567);
  EXPECT_EQ(h.Edit->CurrencyValue(), 1234567);
  int changes = 0;
  h.Edit->TMxBaseEdit::OnChange = [&](TMxBaseEdit*) { ++changes; };
  h.Edit->SetText(" 1.234.567");
  EXPECT_EQ(changes, 0);
  h.Edit->SetText("");
  EXPECT_EQ(h.Edit->RawText(), " 0");
}

TEST(MaskEditValues, CurrencyDigitsFollowTheLocaleUntilDecimalsIsSet) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, -1);
  EXPECT_EQ(h.Edit->RawText(), " 0,00");
  h.Edit->SetText(" 250.000,55");
  EXPECT_EQ(h.Edit->FloatValue(), 250000.5); // cut to one decimal
  EXPECT_EQ(h.ValidationErrors, 0);
  h.Edit->SetDecimals(0);
  EXPECT_EQ(h.Edit->RawText(), " 250.000");
  h.Edit->CurrencySettings().SetSymbol("Rp ");
  h.Edit->SetText("Rp 5");
  EXPECT_EQ(h.Edit->FloatValue(), 0);
  EXPECT_EQ(h.ValidationErrors, 1);
}

TEST(MaskEditValues, SetValuePerType) {
  struct Row {
    TMxMaskType type;
    int base;
    int decimals;
    double value;
    const char* expected;
  } rows[] = {
      {meInteger, 16, 1, 255, "FF"},
      {meInteger, 16, 1, -255, "-FF"},
      {meInteger, 10, 1, -7.9, "-7"},
      {meWord, 10, 1, -7.9, "7"},
      {meWord, 10, 1, 4294967295.0, "4294967295"},
      {meFloat, 10, 2, 2.5, "2,5"},
      {meFloat, 10, 2, 3, "3"},
      {meFloatNumber, 10, 2, 1234567, "1.234.567,00"},
      {meFloatNumber, 10, 2, 123456, "123.456,00"},
      {meFloatNumber, 10, 2, -123456, "-123.456,00"},
      {meFloatFixed, 10, 0, 12.7, "13"},
      {meFloatFixed, 10, 2, 0.125, "0,13"},
      {meFloatFixed, 2, 3, 2.75, "10,110"},
  };
  for (const Row& r : rows) {
    TMaskEditHarness h;
    h.Edit->SetMaskType(r.type);
    h.Edit->SetNumberBase(r.base);
    h.Edit->SetDecimals(r.decimals);
    h.Edit->SetValue(r.value);
    EXPECT_EQ(h.Edit->RawText(), r.expected) << r.type << " " << r.value;
    EXPECT_EQ(h.ValidationErrors, 0);
  }
}

TEST(MaskEditValues, ValuesOutOfRangeAreReportedNotConverted) {
  const double bad[] = {1e10, -1e10, NAN, INFINITY};
  for (TMxMaskType type : {meInteger, meWord, meCurrency}) {
    for (double x : bad) {
      TMaskEditHarness h;
      h.Edit->SetMaskType(type);
      const std::string before = h.Edit->RawText();
      h.Edit->SetValue(type == meCurrency ? x * 1e9 : x);
      if (type == meWord && x == -1e10) {
        continue; // magnitude is taken
      }
      EXPECT_EQ(h.Edit->RawText(), before) << type << " " << x;
      EXPECT_EQ(h.ValidationErrors, 1) << type << " " << x;
    }
  }
}

TEST(MaskEditValues, ReadersRefuseOtherTypes) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meNone);
  const auto message = [](auto&& read) {
    try {
      read();
    } catch (const EMxWrongDataType& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message([&] { h.Edit->IntegerValue(); }), "No integer entered");
  EXPECT_EQ(message([&] { h.Edit->WordValue(); }), "No word entered");
  EXPECT_EQ(message([&] { h.Edit->FloatValue(); }), "No float entered");
  EXPECT_EQ(message([&] { h.Edit->DateValue(); }), "No date entered");
  EXPECT_EQ(message([&] { h.Edit->TimeValue(); }), "No time entered");
  EXPECT_EQ(h.Edit->CurrencyValue(), 0);
  h.Edit->SetMaskType(meDate);
  EXPECT_EQ(message([&] { h.Edit->SetNumberBase(16); }), "No float entered");
  MakeAmountField(*h.Edit, 2);
  h.Edit->SetNumberBase(16);
  EXPECT_EQ(h.Edit->GetNumberBase(), 10);
}

TEST(MaskEditValues, ChangingTheMaskTypeConvertsTheValue) {
  TMaskEditHarness h;
  MakeAmountField(*h.Edit, 2);
  h.Edit->SetText("1234,5");
  EXPECT_EQ(h.Edit->RawText(), " 1.234,50");
  h.Edit->SetMaskType(meFloatFixed);
  EXPECT_EQ(h.Edit->RawText(), "1234,50");
  h.Edit->SetMaskType(meCurrency);
  EXPECT_EQ(h.Edit->RawText(), " 1.234,50");
  h.Edit->SetMaskType(meInteger);
  EXPECT_EQ(h.Edit->RawText(), "1234");
  h.Edit->SetNumberBase(16);
  EXPECT_EQ(h.Edit->RawText(), "4D2");
  h.Edit->SetMaskType(meNone);
  EXPECT_EQ(h.Edit->RawText(), "4D2");
  h.Edit->SetMask("99");
  h.Edit->SetMaskType(meMask);
  EXPECT_EQ(h.Edit->RawText(), "__");
}

TEST(MaskEditValues, FloatReadingEdgeCases) {
  struct Row {
    const char* text;
    double expected;
  } rows[] = {{",5", 0.5}, {"-,5", -0.5}, {"-0,5", -0.5}, {"-5,5", -5.5}, {"25,", 25}, {"", 0}};
  for (const Row& r : rows) {
    TMaskEditHarness h;
    h.Edit->SetMaskType(meFloat);
    h.Edit->SetDecimals(2);
    h.Edit->SetText(r.text);
    EXPECT_EQ(h.Edit->FloatValue(), r.expected) << r.text;
  }
}

TEST(MaskEditValues, SuffixOperations) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meInteger);
  h.Edit->SetSuffix(" kg");
  EXPECT_EQ(h.Edit->RawText(), "0 kg");
  h.Edit->SetText("12 kg");
  EXPECT_EQ(h.Edit->IntegerValue(), 12);
  h.Edit->SetValue(7);
  EXPECT_EQ(h.Edit->RawText(), "7 kg");
  h.Edit->SetSuffix(" g");
  EXPECT_EQ(h.Edit->RawText(), "7 g");
  MakeAmountField(*h.Edit, 0);
  EXPECT_EQ(h.Edit->RawText(), " 7");
  EXPECT_EQ(h.Edit->EffectiveSuffix(), "");
}

TEST(MaskEditValues, DecimalsAreClamped) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meFloatFixed);
  h.Edit->SetDecimals(-5);
  EXPECT_EQ(h.Edit->GetDecimals(), 0);
  h.Edit->SetDecimals(100000);
  EXPECT_EQ(h.Edit->GetDecimals(), 255);
  EXPECT_EQ(h.Edit->CurrencySettings().CurrencyDigits, 255);
  EXPECT_EQ(h.Edit->RawText().size(), 2u + 255u);
}

TEST(MaskEditValues, StoredValueAndLoading) {
  TMaskEditHarness h;
  h.Edit->SetMaskType(meWord);
  h.Edit->SetValue(4000000000.0);
  auto stored = h.Edit->StoredValue();
  ASSERT_TRUE(stored);
  EXPECT_TRUE(stored->IsInteger);
  EXPECT_EQ(stored->Integer, 4000000000LL);

  TMaskEditHarness loaded;
  loaded.Edit->BeginLoading();
  loaded.Edit->SetMaskType(meFloat);
  loaded.Edit->SetText("12.50"); // stored with another decimal separator
  loaded.Edit->Loaded();
  EXPECT_EQ(loaded.Edit->RawText(), "12,50");

  h.Edit->SetMaskType(meNone);
  EXPECT_FALSE(h.Edit->StoredValue());
}

struct FixedClock final : IMxClock {
  double Now() const override { return 45351.75; }
};

TEST(MaskEditValues, DateAndTimeTypes) {
  TMaskEditHarness h;
  FixedClock clock;
  h.Edit->SetClock(&clock);
  h.Edit->SetMaskType(meDate);
  EXPECT_EQ(h.Edit->RawText(), "29/2/2024");
  EXPECT_FALSE(h.Edit->AllowSelecting);
  EXPECT_EQ(h.Edit->DateValue(), 45351);
  h.Edit->SetText("31/4/2024");
  h.Edit->DoExit();
  EXPECT_EQ(h.ValidationErrors, 1);
  EXPECT_EQ(h.View.FocusRequests, 1);
  h.Edit->SetText("1/3/24");
  h.Edit->DoExit();
  EXPECT_EQ(h.Edit->RawText(), "1/3/2024");
  h.Edit->SetMaskType(meNone);
  h.Edit->SetText("");
  h.Edit->SetMaskType(meTime);
  EXPECT_EQ(h.Edit->RawText(), "18.00.00");
  EXPECT_DOUBLE_EQ(h.Edit->TimeValue(), 0.75);
}

} // namespace
