#include "maskedit/values/MxCurrencySettings.h"

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "maskedit/values/MxLocale.h"

namespace {

using namespace std::string_literals;

const std::string Sym(1, MxCurrencySymbolChar);
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

// Comma decimals, full-stop grouping: the locale most amounts here are shown in.
TMxLocaleValues TestLocale() { return {"Rp", "1", "0", "3;0", "2", ",", ".", "."}; }

class CurrencyTest : public testing::Test {
protected:
  TMxFixedLocaleSource Source{TestLocale()};
  TMxScopedLocaleSource Scope{Source};
};

// ---- LoadSystemDefaults -------------------------------------------------------------

TEST_F(CurrencyTest, ConstructionLoadsTheLocale) {
  TMxCurrencySettings s;
  EXPECT_EQ(s.GetSystemDefaults(), cmSystem);
  EXPECT_EQ(s.GetSymbol(), "Rp");
  EXPECT_EQ(s.GetPositiveFormatStr(), Sym + "1,1");
  EXPECT_EQ(s.GetNegativeFormatStr(), "-" + Sym + "1,1");
  EXPECT_EQ(s.GroupSize, 3);
  EXPECT_EQ(s.CurrencyDigits, 2);
  EXPECT_EQ(s.DecimalChar, ',');
  EXPECT_EQ(s.ThousandChar, '.');
}

TEST(CurrencyDefaults, WithoutAnInstalledSourceTheLocaleIsEnglishUS) {
  TMxCurrencySettings s;
  EXPECT_EQ(s.GetSymbol(), "$");
  EXPECT_EQ(s.GetNegativeFormatStr(), "(" + Sym + "1,1)");
  EXPECT_EQ(s.FormatCurrency(-12345678900), "($1,234,567.89)");
}

struct LocaleCase {
  const char* Name;
  void (*Edit)(TMxLocaleValues&);
  std::string Negative; // expected patterns
  std::string Positive;
  int GroupSize;
  int CurrencyDigits;
  char Decimal;
  char Thousand;
};

class LoadSystemDefaultsTable : public CurrencyTest, public testing::WithParamInterface<LocaleCase> {};

TEST_P(LoadSystemDefaultsTable, InterpretsTheRawValues) {
  const LocaleCase& c = GetParam();
  TMxCurrencySettings s; // loaded from TestLocale: negative "-¤1,1", positive "¤1,1"
  int changes = 0;
  s.SetOnChange([&](TMxObject*) { ++changes; });
  TMxLocaleValues values = TestLocale();
  c.Edit(values);
  TMxFixedLocaleSource edited(values);
  TMxScopedLocaleSource scope(edited);
  s.LoadSystemDefaults();
  EXPECT_EQ(s.GetNegativeFormatStr(), c.Negative);
  EXPECT_EQ(s.GetPositiveFormatStr(), c.Positive);
  EXPECT_EQ(s.GroupSize, c.GroupSize);
  EXPECT_EQ(s.CurrencyDigits, c.CurrencyDigits);
  EXPECT_EQ(s.DecimalChar, c.Decimal);
  EXPECT_EQ(s.ThousandChar, c.Thousand);
  EXPECT_EQ(changes, 0);
}

const std::string NegDefault = "-" + Sym + "1,1";
const std::string PosDefault = Sym + "1,1";

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadSystemDefaultsTable,
    testing::Values(LocaleCase{"Neg15", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = "15"; },
                               "(1,1 " + Sym + ")", PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"Neg16Unchanged", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = "16"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"NegMinusUnchanged", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = "-1"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"NegTextIsZero", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = "x"; },
                               "(" + Sym + "1,1)", PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"NegEmptyIsZero", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = ""; },
                               "(" + Sym + "1,1)", PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"NegBlankLed", [](TMxLocaleValues& v) { v.NegativeCurrencyCode = " 8"; },
                               "-1,1 " + Sym, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"Pos3", [](TMxLocaleValues& v) { v.PositiveCurrencyCode = "3"; }, NegDefault,
                               "1,1 " + Sym, 3, 2, ',', '.'},
                    LocaleCase{"Pos4Unchanged", [](TMxLocaleValues& v) { v.PositiveCurrencyCode = "4"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"Grouping320", [](TMxLocaleValues& v) { v.MonetaryGrouping = "3;2;0"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"Grouping20", [](TMxLocaleValues& v) { v.MonetaryGrouping = "2;0"; },
                               NegDefault, PosDefault, 2, 2, ',', '.'},
                    LocaleCase{"Grouping00", [](TMxLocaleValues& v) { v.MonetaryGrouping = "0;0"; },
                               NegDefault, PosDefault, 0, 2, ',', '.'},
                    LocaleCase{"GroupingNoSemicolon", [](TMxLocaleValues& v) { v.MonetaryGrouping = "4"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"GroupingEmpty", [](TMxLocaleValues& v) { v.MonetaryGrouping = ""; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"GroupingTooLarge", [](TMxLocaleValues& v) { v.MonetaryGrouping = "300;0"; },
                               NegDefault, PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"DigitsEmpty", [](TMxLocaleValues& v) { v.CurrencyDigits = ""; }, NegDefault,
                               PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"DigitsZero", [](TMxLocaleValues& v) { v.CurrencyDigits = "0"; }, NegDefault,
                               PosDefault, 3, 0, ',', '.'},
                    LocaleCase{"DigitsText", [](TMxLocaleValues& v) { v.CurrencyDigits = "2x"; }, NegDefault,
                               PosDefault, 3, 2, ',', '.'},
                    LocaleCase{"DecimalFirstChar", [](TMxLocaleValues& v) { v.DecimalSeparator = "#,"; },
                               NegDefault, PosDefault, 3, 2, '#', '.'},
                    LocaleCase{"DecimalEmpty", [](TMxLocaleValues& v) { v.DecimalSeparator = ""; },
                               NegDefault, PosDefault, 3, 2, '.', '.'},
                    // The ordinary thousands separator is not the monetary one.
                    LocaleCase{"MonetaryThousand",
                               [](TMxLocaleValues& v) {
                                 v.ThousandSeparator = ",";
                                 v.MonetaryThousandSeparator = " ";
                               },
                               NegDefault, PosDefault, 3, 2, ',', ' '},
                    LocaleCase{"MonetaryThousandEmpty",
                               [](TMxLocaleValues& v) { v.MonetaryThousandSeparator = ""; }, NegDefault,
                               PosDefault, 3, 2, ',', '\0'}),
    [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.Name); });

TEST(MxStrToIntDef, ReadsPlainIntegersOnly) {
  EXPECT_EQ(MxStrToIntDef("12", 7), 12);
  EXPECT_EQ(MxStrToIntDef("  -3", 7), -3);
  EXPECT_EQ(MxStrToIntDef("+4", 7), 4);
  EXPECT_EQ(MxStrToIntDef("2147483647", 7), 2147483647);
  EXPECT_EQ(MxStrToIntDef("-2147483648", 7), -2147483647 - 1);
  for (const char* bad : {"", " ", "-", "2147483648", "99999999999999999999", "1 ", "0x1", "3;0"}) {
    EXPECT_EQ(MxStrToIntDef(bad, 7), 7) << bad;
  }
}

// ---- setters, Assign ----------------------------------------------------------------

TEST_F(CurrencyTest, StringSettersAnnounceOnlyChanges) {
  TMxCurrencySettings s;
  int changes = 0;
  s.SetOnChange([&](TMxObject* sender) {
    EXPECT_EQ(sender, &s);
    ++changes;
  });
  s.SetSymbol("Rp");
  s.SetPositiveFormatStr(Sym + "1,1");
  s.SetNegativeFormatStr("-" + Sym + "1,1");
  EXPECT_EQ(changes, 0);
  s.SetSymbol("Rp ");
  s.SetPositiveFormatStr("1,1" + Sym);
  s.SetNegativeFormatStr("(" + Sym + "1,1)");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(s.FormatCurrency(-10000), "(Rp 1,00)");
  s.BeginUpdate();
  s.SetSymbol("X");
  EXPECT_EQ(changes, 3);
  s.EndUpdate(true);
  EXPECT_EQ(changes, 4);
}

TEST_F(CurrencyTest, SystemDefaultsSetterReloadsOnlyWhenSwitchingToSystem) {
  TMxCurrencySettings s;
  int changes = 0;
  s.SetOnChange([&](TMxObject*) { ++changes; });
  s.SetSymbol("X");
  s.CurrencyDigits = 0;
  s.SetSystemDefaults(cmUser); // keeps the current values
  EXPECT_EQ(s.GetSymbol(), "X");
  EXPECT_EQ(s.CurrencyDigits, 0);
  s.SetSystemDefaults(cmUser);
  s.SetSystemDefaults(cmSystem); // reloads
  EXPECT_EQ(s.GetSymbol(), "Rp");
  EXPECT_EQ(s.CurrencyDigits, 2);
  s.SetSymbol("Y");
  s.SetSystemDefaults(cmSystem); // unchanged: no reload
  EXPECT_EQ(s.GetSymbol(), "Y");
  EXPECT_EQ(changes, 2); // only the two symbol writes
}

TEST_F(CurrencyTest, AssignFromUserSettingsCopiesAllButGroupSize) {
  TMxCurrencySettings source;
  source.SetSystemDefaults(cmUser);
  source.SetSymbol("EUR ");
  source.SetPositiveFormatStr("1,1 " + Sym);
  source.SetNegativeFormatStr("-1,1 " + Sym);
  source.CurrencyDigits = 4;
  source.DecimalChar = '.';
  source.ThousandChar = '\'';
  source.GroupSize = 2;

  TMxCurrencySettings target;
  int changes = 0;
  target.SetOnChange([&](TMxObject*) { ++changes; });
  target.Assign(source);
  EXPECT_EQ(target.GetSystemDefaults(), cmUser);
  EXPECT_EQ(target.GetSymbol(), "EUR ");
  EXPECT_EQ(target.GetPositiveFormatStr(), "1,1 " + Sym);
  EXPECT_EQ(target.GetNegativeFormatStr(), "-1,1 " + Sym);
  EXPECT_EQ(target.CurrencyDigits, 4);
  EXPECT_EQ(target.DecimalChar, '.');
  EXPECT_EQ(target.ThousandChar, '\'');
  EXPECT_EQ(target.GroupSize, 3);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(target.FormatCurrency(12345678900), "1'234'567.8900 EUR ");
}

TEST_F(CurrencyTest, AssignFromSystemSettingsReloadsTheLocaleInsteadOfCopying) {
  TMxCurrencySettings source; // cmSystem
  source.SetSymbol("X");
  source.CurrencyDigits = 4;
  TMxCurrencySettings target;
  target.SetSystemDefaults(cmUser);
  target.SetSymbol("Y");
  target.CurrencyDigits = 0;
  int changes = 0;
  target.SetOnChange([&](TMxObject*) { ++changes; });
  target.Assign(source);
  EXPECT_EQ(target.GetSystemDefaults(), cmSystem);
  EXPECT_EQ(target.GetSymbol(), "Rp");
  EXPECT_EQ(target.CurrencyDigits, 2);
  EXPECT_EQ(changes, 0);

  // Already in cmSystem: nothing is copied either.
  target.SetSymbol("Z");
  target.Assign(source);
  EXPECT_EQ(target.GetSymbol(), "Z");
}

TEST_F(CurrencyTest, AssignFromAnotherKindOfObjectIsAnAssignmentError) {
  TMxCurrencySettings target;
  TMxObject other;
  EXPECT_THROW(target.Assign(other), EMxAssignError);
  EXPECT_NO_THROW(target.Assign(target));
}

// ---- FormatCurrency, NumberPosition ------------------------------------------------

struct FormatCase {
  std::string Positive;
  std::string Negative;
  std::string Symbol;
  int Digits;
  int GroupSize;
  std::int64_t Value;
  bool NegativeZero;
  std::string Expected;
};

class FormatCurrencyTable : public CurrencyTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(FormatCurrencyTable, RendersThroughThePattern) {
  const FormatCase& c = GetParam();
  TMxCurrencySettings s;
  s.SetSystemDefaults(cmUser);
  s.SetPositiveFormatStr(c.Positive);
  s.SetNegativeFormatStr(c.Negative);
  s.SetSymbol(c.Symbol);
  s.CurrencyDigits = static_cast<std::uint8_t>(c.Digits);
  s.GroupSize = static_cast<std::uint8_t>(c.GroupSize);
  EXPECT_EQ(s.FormatCurrency(c.Value, c.NegativeZero), c.Expected);
  if (!c.NegativeZero) {
    EXPECT_EQ(s.FormatCurrency(c.Value), c.Expected);
  }
}

const std::string P0 = Sym + "1,1";
const std::string N0 = "(" + Sym + "1,1)";

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatCurrencyTable,
    testing::Values(
        FormatCase{P0, N0, " ", 0, 3, 10000000, false, " 1.000"},
        FormatCase{P0, N0, "Rp ", 2, 3, -10000000, false, "(Rp 1.000,00)"}, // 13 single bytes
        FormatCase{P0, "-1,1 " + Sym, "Rp", 2, 3, -10000000, false, "-1.000,00 Rp"},
        FormatCase{P0, "-" + Sym + "1,1", "Rp ", 2, 3, 0, true, "-Rp 0,00"},
        FormatCase{P0, "-" + Sym + "1,1", "Rp ", 2, 3, 0, false, "Rp 0,00"},
        FormatCase{Sym + "1.1", N0, " ", 0, 3, 10000000, false,
                   " 1.000"}, // the token is any three characters
        FormatCase{Sym + "1", N0, "Rp", 0, 3, 10000000, false, "Rp1.000"},    // a token cut short at the end
        FormatCase{"[" + Sym + "]", N0, "Rp", 2, 3, 10000000, false, "[Rp]"}, // no number at all
        FormatCase{P0, N0, "", 2, 3, 12345675000, false, "1.234.567,50"},
        FormatCase{P0, N0, " ", 2, 3, 14058641750, false, " 1.405.864,17"}, // cut, not rounded
        FormatCase{P0, N0, " ", 0, 3, 10005000, false, " 1.000"},
        FormatCase{P0, N0, " ", 2, 3, 0, false, " 0,00"},
        FormatCase{P0, N0, " ", 0, 3, 9990000, false, " 999"},
        FormatCase{P0, N0, " ", 4, 3, 1234567890123456, false, " 123.456.789.012,3460"}, // 15 digits first
        FormatCase{P0, N0, " ", 4, 3, 1, false, " 0,0001"}, FormatCase{P0, N0, " ", 2, 3, 1, false, " 0,00"},
        FormatCase{P0, "-" + Sym + "1,1", "", 2, 3, -1, false, "-0,00"},
        FormatCase{P0, N0, " ", 2, 0, 12345675000, false, " 1234567,50"}, // GroupSize 0: no grouping
        FormatCase{P0, N0, " ", 2, 2, 12345675000, false, " 1.23.45.67,50"},
        FormatCase{P0, N0, " ", 2, 1, 12345000, false, " 1.2.3.4,50"},
        FormatCase{P0, N0, " ", 0, 3, Int64Max, false, " 922.337.203.685.478"},
        FormatCase{P0, N0, "Rp ", 2, 3, Int64Min, false, "(Rp 922.337.203.685.478,00)"}));

TEST_F(CurrencyTest, FormatCurrencyNumberKeepsTheSign) {
  TMxCurrencySettings s;
  EXPECT_EQ(s.FormatCurrencyNumber(-12345675000), "-1.234.567,50");
  EXPECT_EQ(s.FormatCurrencyNumber(12345675000), "1.234.567,50");
  s.ThousandChar = '\0';
  EXPECT_EQ(s.FormatCurrencyNumber(12345675000), "1234567,50");
}

TEST_F(CurrencyTest, NumberPositionIsThatOfTheFirstOneInTheSelectedPattern) {
  TMxCurrencySettings s;
  s.SetPositiveFormatStr(Sym + "1,1");
  s.SetNegativeFormatStr("(" + Sym + " 1,1)");
  EXPECT_EQ(s.NumberPosition(5), 2);
  EXPECT_EQ(s.NumberPosition(0), 2);
  EXPECT_EQ(s.NumberPosition(-5), 4);
  s.SetNegativeFormatStr("1,1-" + Sym);
  EXPECT_EQ(s.NumberPosition(-5), 1);
  s.SetPositiveFormatStr(Sym);
  EXPECT_EQ(s.NumberPosition(5), 0);
}

// ---- ParseCurrency -----------------------------------------------------------------

struct ParseCase {
  std::string Symbol;
  std::string Text;
  std::int64_t Expected;
  TMxCurrencyParseStatus Status;
};

class ParseCurrencyTable : public CurrencyTest, public testing::WithParamInterface<ParseCase> {};

TEST_P(ParseCurrencyTable, ReadsTheText) {
  const ParseCase& c = GetParam();
  TMxCurrencySettings s;
  s.SetSymbol(c.Symbol);
  const TMxCurrencyParse r = s.ParseCurrencyChecked(c.Text);
  EXPECT_EQ(r.Value, c.Expected);
  EXPECT_EQ(r.Status, c.Status);
  EXPECT_EQ(s.ParseCurrency(c.Text), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCurrencyTable,
    testing::Values(ParseCase{"Rp ", "", 0, cpsOk}, ParseCase{"Rp ", "Rp 1.234,567", 12345670, cpsOk},
                    ParseCase{"Rp ", "1,2,3", 0, cpsNotANumber}, ParseCase{"Rp ", "--5", 50000, cpsOk},
                    ParseCase{"Rp ", "5-", -50000, cpsOk}, ParseCase{"Rp ", "(Rp 1.000,00)", 10000000, cpsOk},
                    ParseCase{"Rp", "-1.000,00 Rp", -10000000, cpsOk},
                    ParseCase{" ", " 1.000", 10000000, cpsOk}, ParseCase{" ", "( 5.000)", 50000000, cpsOk},
                    ParseCase{"", "7", 70000, cpsOk},
                    // The symbol is removed once, from its first occurrence.
                    ParseCase{"5", "551", 510000, cpsOk}, ParseCase{"-", "--7", -70000, cpsOk},
                    // Ties to even on the fifth decimal; anything after it breaks the tie.
                    ParseCase{"Rp ", "0,00005", 0, cpsOk}, ParseCase{"Rp ", "0,00015", 2, cpsOk},
                    ParseCase{"Rp ", "0,00025", 2, cpsOk}, ParseCase{"Rp ", "0,000050001", 1, cpsOk},
                    ParseCase{"Rp ", "0,00004999", 0, cpsOk}, ParseCase{"Rp ", "-0,00015", -2, cpsOk},
                    ParseCase{"Rp ", "1,99999", 20000, cpsOk}, ParseCase{"Rp ", ",5", 5000, cpsOk},
                    ParseCase{"Rp ", "5,", 50000, cpsOk}, ParseCase{"Rp ", ",", 0, cpsNotANumber},
                    ParseCase{"Rp ", "-", 0, cpsOk}, ParseCase{"Rp ", "abc", 0, cpsOk},
                    ParseCase{"Rp ", "1,5E3", 15300, cpsOk},
                    ParseCase{"Rp ", "\xA4\x01 7\xFF"s, 70000, cpsOk},
                    ParseCase{"Rp ", "000000000000000000000001", 10000, cpsOk},
                    ParseCase{"Rp ", "922337203685477,5807", Int64Max, cpsOk},
                    ParseCase{"Rp ", "-922337203685477,5807", -Int64Max, cpsOk},
                    ParseCase{"Rp ", "922337203685477,5808", 0, cpsOverflow},
                    ParseCase{"Rp ", "922337203685477,58075", 0, cpsOverflow}, // rounds up past the largest
                    ParseCase{"Rp ", "922337203685477,580749", Int64Max, cpsOk},
                    ParseCase{"Rp ", "9999999999999999", 0, cpsOverflow},
                    ParseCase{"Rp ", "1000000000000000", 0, cpsOverflow},
                    ParseCase{"Rp ", "99999999999999999999,1,2", 0, cpsNotANumber}));

TEST_F(CurrencyTest, ParseCurrencyTakesHugeTexts) {
  TMxCurrencySettings s;
  EXPECT_EQ(s.ParseCurrencyChecked(std::string(1 << 20, '9')).Status, cpsOverflow);
  EXPECT_EQ(s.ParseCurrency(std::string(1 << 20, '0') + "5"), 50000);
  EXPECT_EQ(s.ParseCurrency("1," + std::string(1 << 20, '0') + "1"), 10000);
  EXPECT_EQ(s.ParseCurrency(std::string(1 << 20, '-') + "3"), 30000); // an even count
  std::string binary(1 << 16, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>(i * 7919 % 256);
  }
  EXPECT_EQ(s.ParseCurrency(binary), 0); // many separators
}

TEST_F(CurrencyTest, TextsWithASignCarryingPatternReadBackExactly) {
  TMxCurrencySettings s;
  s.SetSymbol("Rp ");
  s.SetNegativeFormatStr("-1,1 " + Sym);
  s.CurrencyDigits = 4;
  std::mt19937_64 random(12345);
  for (int i = 0; i < 20000; ++i) {
    // Up to 15 significant digits survive the float-to-text step unchanged.
    const auto value = static_cast<std::int64_t>(random() % 1000000000000000ULL) * ((i & 1) ? -1 : 1) /
                       static_cast<std::int64_t>(1 + random() % 1000);
    const std::string text = s.FormatCurrency(value);
    ASSERT_EQ(s.ParseCurrency(text), value) << text;
  }
}

} // namespace
