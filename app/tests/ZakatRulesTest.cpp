#include "app/ZakatRules.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/tests/ZakatTestSupport.h"

namespace {

const std::string NoAssets = "Masukkan terlebih dahulu data harta anda!";
const std::string NoTotal = "Hitung terlebih dahulu total harta anda!";
const std::string NoGoldPrice = "Masukkan terlebih dahulu harga emas murni saat ini!";
const std::string BelowNishab = "Harta anda kurang dari nishab sehingga belum wajib zakat";
const std::string TooLarge = "Jumlah terlalu besar untuk dihitung!";

// ---- the worked example, with two and with zero locale currency digits -------------

struct ExampleCase {
  int CurrencyDigits;
  const char* Total;
  const char* Price;
  const char* Nishab;
  const char* Zakat;
};

class WorkedExample : public testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExample, ComputesTotalNishabAndZakat) {
  const ExampleCase& c = GetParam();
  TCalculator calc(c.CurrencyDigits);
  calc.Rules.FormCreate();
  calc.edUangTunai.SetText("25000000");
  calc.edTabungan.SetText("30000000");
  calc.edPiutang.SetText("1234567");
  EXPECT_EQ(calc.edUangTunai.GetText(), " 25.000.000");
  EXPECT_EQ(calc.edTabungan.GetText(), " 30.000.000");
  EXPECT_EQ(calc.edPiutang.GetText(), " 1.234.567");
  EXPECT_EQ(calc.edEmasPerak.GetText(), " 0");
  EXPECT_EQ(calc.edLain2.GetText(), " 0");

  calc.Rules.btJumlahClick();
  EXPECT_EQ(calc.edTotalHarta.GetText(), std::string(" ") + c.Total);
  calc.EdHrgEmas.SetText("250000");
  EXPECT_EQ(calc.EdHrgEmas.GetText(), std::string(" ") + c.Price);
  calc.Rules.EdHrgEmasExit();
  EXPECT_EQ(calc.EdNishab.GetText(), std::string(" ") + c.Nishab);
  calc.Rules.btHitungClick();
  EXPECT_EQ(calc.edNilaiZakat.GetText(), std::string("Rp ") + c.Zakat); // 1405864.175 is cut
  EXPECT_TRUE(calc.Refusals.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Columns, WorkedExample,
                         testing::Values(ExampleCase{2, "56.234.567,00", "250.000,00", "21.250.000,00",
                                                     "1.405.864,17"},
                                         ExampleCase{0, "56.234.567", "250.000", "21.250.000", "1.405.864"}));

// ---- refusals: exact message, one refusal, and not a single field written ----------

struct RefusalCase {
  const char* Name;
  int CurrencyDigits;
  std::vector<std::string> Texts; // the nine fields in window order; empty: leave at zero
  void (TZakatRules::*Operation)();
  std::string Message;
};

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, RefuseAndChangeNoField) {
  const RefusalCase& c = GetParam();
  TCalculator calc(c.CurrencyDigits);
  calc.Rules.FormCreate();
  auto fields = calc.All();
  for (std::size_t i = 0; i < c.Texts.size(); ++i) {
    if (!c.Texts[i].empty()) {
      fields[i]->SetText(c.Texts[i]);
    }
  }
  const auto before = calc.Texts();
  calc.ResetCounters();
  (calc.Rules.*c.Operation)();
  EXPECT_EQ(calc.Refusals.Messages, std::vector<std::string>{c.Message});
  EXPECT_EQ(calc.Writes(), 0);
  EXPECT_EQ(calc.Texts(), before);
}

const auto Jumlah = &TZakatRules::btJumlahClick;
const auto Hitung = &TZakatRules::btHitungClick;
const auto Nishab = &TZakatRules::BtHitungNsbClick;
const auto Exit = &TZakatRules::EdHrgEmasExit;

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusals,
    testing::Values(
        RefusalCase{"NoAssets", 2, {"", "", "", "", "", "5000"}, Jumlah, NoAssets},
        RefusalCase{"NoAssetsNegativeReadsZero", 0, {"-1000", "", "", "", "", "5000"}, Jumlah, NoAssets},
        RefusalCase{"NoTotalZeroDigits", 0, {}, Hitung, NoTotal},
        RefusalCase{"NoTotalComesFirst", 0, {"", "", "", "", "", "", "", "1000"}, Hitung, NoTotal},
        RefusalCase{"NoGoldPrice", 0, {"", "", "", "", "", "1000"}, Hitung, NoGoldPrice},
        RefusalCase{
            "BelowNishab", 0, {"", "", "", "", "", "1000", "250000", "21250000"}, Hitung, BelowNishab},
        RefusalCase{"BelowNishabTwoDigits",
                    2,
                    {"", "", "", "", "", "21249999,99", "1", "21250000"},
                    Hitung,
                    BelowNishab},
        RefusalCase{"NishabWithoutPrice", 0, {}, Nishab, NoGoldPrice},
        // Amounts the fields cannot hold.
        RefusalCase{
            "TotalScientific",
            2,
            {"922337203685477", "922337203685477", "922337203685477", "922337203685477", "922337203685477"},
            Jumlah,
            TooLarge},
        RefusalCase{"TotalBeyondCurrencyRange",
                    2,
                    {"500000000000000", "450000000000000", "", "", "", "7"},
                    Jumlah,
                    TooLarge},
        RefusalCase{"NishabOnExit", 2, {"", "", "", "", "", "", "20000000000000", "9"}, Exit, TooLarge},
        RefusalCase{"NishabOnButton", 0, {"", "", "", "", "", "", "10851030000000", "9"}, Nishab, TooLarge}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.Name); });

// ---- edge cases -------------------------------------------------------------------

TEST(ZakatRulesEdges, ANegativeAmountInParenthesesReadsZero) {
  TCalculator calc(2);
  calc.Rules.FormCreate();
  calc.edUangTunai.SetText("1000");
  calc.edTabungan.SetText("-5000");
  EXPECT_EQ(calc.edTabungan.GetText(), "( 5.000)");
  calc.Rules.btJumlahClick();
  EXPECT_EQ(calc.edTotalHarta.GetText(), " 1.000,00");
  EXPECT_TRUE(calc.Refusals.Messages.empty());
}

TEST(ZakatRulesEdges, TotalEqualToNishabPasses) {
  TCalculator calc(2);
  calc.Rules.FormCreate();
  calc.edTotalHarta.SetText("21250000");
  calc.EdHrgEmas.SetText("250000");
  calc.EdNishab.SetText("21250000");
  calc.Rules.btHitungClick();
  EXPECT_TRUE(calc.Refusals.Messages.empty());
  EXPECT_EQ(calc.edNilaiZakat.GetText(), "Rp 531.250,00");
}

TEST(ZakatRulesEdges, GoldPriceIsReadWithOneDecimal) {
  TCalculator calc(2);
  calc.Rules.FormCreate();
  calc.EdHrgEmas.SetText("250000,55");
  EXPECT_EQ(calc.EdHrgEmas.GetText(), " 250.000,55");
  calc.Rules.BtHitungNsbClick();
  EXPECT_EQ(calc.EdNishab.GetText(), " 21.250.042,50");
  calc.EdHrgEmas.SetText("10851025000000"); // just inside: 922337125000000
  calc.Rules.EdHrgEmasExit();
  EXPECT_EQ(calc.EdNishab.GetText(), " 922.337.125.000.000,00");
  EXPECT_TRUE(calc.Refusals.Messages.empty());
}

TEST(ZakatRulesEdges, WithTwoDigitsTheZeroTotalPassesTheTextCheck) {
  TCalculator calc(2);
  calc.Rules.FormCreate();
  calc.Rules.btResetClick();
  calc.Rules.btHitungClick();
  EXPECT_TRUE(calc.Refusals.Messages.empty());
  EXPECT_EQ(calc.edNilaiZakat.GetText(), "Rp 0,00");
}

TEST(ZakatRulesEdges, LeavingAZeroPriceWritesAZeroNishabWithoutAMessage) {
  TCalculator calc(0);
  calc.Rules.FormCreate();
  calc.EdNishab.SetText("5");
  calc.Rules.EdHrgEmasExit();
  EXPECT_EQ(calc.EdNishab.GetText(), " 0");
  EXPECT_TRUE(calc.Refusals.Messages.empty());
}

TEST(ZakatRulesEdges, HitungUsesTheShownTotalNotTheAssets) {
  TCalculator calc(0);
  calc.Rules.FormCreate();
  calc.edUangTunai.SetText("40000000");
  calc.Rules.btJumlahClick();
  calc.edUangTunai.SetText("1");
  calc.EdHrgEmas.SetText("1");
  calc.Rules.btHitungClick();
  EXPECT_EQ(calc.edNilaiZakat.GetText(), "Rp 1.000.000");
}

TEST(ZakatRulesEdges, ResetAndCreateShowEveryZeroText) {
  for (int digits : {0, 2}) {
    TCalculator calc(digits);
    auto fields = calc.All();
    for (TSpyField* f : fields) {
      f->SetText("123");
    }
    calc.ResetCounters();
    calc.Rules.FormCreate();
    const std::string zero1 = digits ? " 0,00" : " 0";
    const std::vector<std::string> zero = {
        " 0", " 0", " 0", " 0", " 0", zero1, zero1, zero1, digits ? "Rp 0,00" : "Rp 0"};
    const auto texts = calc.Texts();
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.end()), zero);
    EXPECT_EQ(calc.edUangTunai.Clears, 1);
    EXPECT_EQ(calc.Writes(), 9);
    for (TSpyField* f : fields) {
      f->SetText("123");
    }
    calc.ResetCounters();
    calc.Rules.btResetClick();
    const auto afterReset = calc.Texts();
    EXPECT_EQ(std::vector<std::string>(afterReset.begin(), afterReset.end()), zero);
    EXPECT_EQ(calc.edUangTunai.Clears, 0);
    EXPECT_EQ(calc.Writes(), 9);
  }
}

// A field whose value the calculator's own fields cannot show: a negative sum of the
// assets is not "empty".
class TFixedField final : public TAmountField {
public:
  explicit TFixedField(double value) : Value(value) {}
  std::string GetText() const override { return Text; }
  void SetText(const std::string& text) override { Text = text; }
  double FloatValue() override { return Value; }
  void ClearAll() override { Text.clear(); }
  double Value;
  std::string Text;
};

TEST(ZakatRulesEdges, ANonZeroNegativeSumIsNotEmptyAndIsWrittenAsText) {
  TFixedField a(-2.5), zero(0), total(0), other(0);
  TRefusalRecorder refusals;
  TZakatRules rules(TZakatFields{a, zero, zero, zero, zero, total, other, other, other}, refusals, ',');
  EXPECT_TRUE(rules.atasi_isian_kosong_harta());
  rules.btJumlahClick();
  EXPECT_EQ(total.Text, "-2,5");
  a.Value = 1e16; // the sum is kept in extended precision and rounded once
  zero.Value = 1;
  TFixedField minus(-1e16);
  TZakatRules sums(TZakatFields{a, zero, minus, other, other, total, other, other, other}, refusals, ',');
  sums.btJumlahClick();
  EXPECT_EQ(total.Text, "1");
  EXPECT_TRUE(refusals.Messages.empty());
}

TEST(ZakatRulesEdges, TextChecksTrimControlCharactersAndBlanks) {
  TFixedField field(0), any(1);
  TRefusalRecorder refusals;
  TZakatRules rules(TZakatFields{any, any, any, any, any, field, field, any, any}, refusals, ',');
  for (const char* zero : {"0", " 0", "\t0\r\n", " \x01 0 \x1F"}) {
    field.Text = zero;
    EXPECT_FALSE(rules.atasi_isian_kosong_total_harta()) << zero;
    EXPECT_FALSE(rules.atasi_isian_kosong_nishab()) << zero;
  }
  for (const char* notZero : {"", "00", "0,00", "( 0)", "Rp 0", "0\x7F"}) {
    field.Text = notZero;
    EXPECT_TRUE(rules.atasi_isian_kosong_total_harta()) << notZero;
    EXPECT_TRUE(rules.atasi_isian_kosong_nishab()) << notZero;
  }
  EXPECT_EQ(refusals.Messages.size(), 8u);
  EXPECT_EQ(refusals.Messages[0], NoTotal);
  EXPECT_EQ(refusals.Messages[1], NoGoldPrice);
}

} // namespace
