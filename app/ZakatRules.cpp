#include "app/ZakatRules.h"

#include <array>

#include "maskedit/values/MxCurrencySettings.h"
#include "maskedit/values/MxFloatText.h"

namespace {

// 0.025 as the nearest value of the extended format (slightly above 0.025).
constexpr long double ZakatRate = 0.025L;
constexpr long double GramsOfGold = 85.0L;

bool IsZeroText(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) {
    ++first;
  }
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) {
    --last;
  }
  return text.compare(first, last - first, "0") == 0;
}

} // namespace

TZakatRules::TZakatRules(const TZakatFields& fields, TRefusal& refusal, char decimalSeparator)
    : Fields(fields), Refusal(refusal), DecimalSeparator(decimalSeparator) {}

double TZakatRules::SumOfAssets() {
  const std::array<double, 5> values = {
      Fields.edUangTunai.FloatValue(), Fields.edTabungan.FloatValue(), Fields.edPiutang.FloatValue(),
      Fields.edEmasPerak.FloatValue(), Fields.edLain2.FloatValue(),
  };
  return MxExtendedSum(values);
}

bool TZakatRules::WriteAmount(TAmountField& field, double value) {
  const std::string text = MxFloatToStr(value, DecimalSeparator);
  // A scientific text ("1E15") does not read back as a decimal, and a larger magnitude
  // overflows the field's currency value: either would show a wrong amount.
  if (MxDecimalTextToCurrency(text, DecimalSeparator).Status != cpsOk) {
    Refusal.Refuse(MsgTooLarge);
    return false;
  }
  field.SetText(text);
  return true;
}

bool TZakatRules::atasi_isian_kosong_harta() {
  if (SumOfAssets() == 0) {
    Refusal.Refuse(MsgNoAssets);
    return false;
  }
  return true;
}

bool TZakatRules::atasi_isian_kosong_total_harta() {
  if (IsZeroText(Fields.edTotalHarta.GetText())) {
    Refusal.Refuse(MsgNoTotal);
    return false;
  }
  return true;
}

bool TZakatRules::atasi_isian_kosong_nishab() {
  if (IsZeroText(Fields.EdHrgEmas.GetText())) {
    Refusal.Refuse(MsgNoGoldPrice);
    return false;
  }
  return true;
}

bool TZakatRules::banding_harta_dg_nishab() {
  const double total = Fields.edTotalHarta.FloatValue();
  const double nishab = Fields.EdNishab.FloatValue();
  if (MxExtendedDifference(total, nishab) < 0) {
    Refusal.Refuse(MsgBelowNishab);
    return false;
  }
  return true;
}

void TZakatRules::btJumlahClick() {
  if (!atasi_isian_kosong_harta()) {
    return;
  }
  WriteAmount(Fields.edTotalHarta, SumOfAssets());
}

void TZakatRules::ComputeNishab() {
  const double price = Fields.EdHrgEmas.FloatValue();
  WriteAmount(Fields.EdNishab, MxExtendedProduct(GramsOfGold, price));
}

void TZakatRules::EdHrgEmasExit() { ComputeNishab(); }

void TZakatRules::BtHitungNsbClick() {
  if (!atasi_isian_kosong_nishab()) {
    return;
  }
  ComputeNishab();
}

void TZakatRules::btHitungClick() {
  if (!atasi_isian_kosong_total_harta() || !atasi_isian_kosong_nishab() || !banding_harta_dg_nishab()) {
    return;
  }
  const double total = Fields.edTotalHarta.FloatValue();
  WriteAmount(Fields.edNilaiZakat, MxExtendedProduct(ZakatRate, total));
}

void TZakatRules::btResetClick() {
  for (TAmountField* field :
       {&Fields.edUangTunai, &Fields.edTabungan, &Fields.edPiutang, &Fields.edEmasPerak, &Fields.edLain2,
        &Fields.edTotalHarta, &Fields.EdHrgEmas, &Fields.EdNishab, &Fields.edNilaiZakat}) {
    field->SetText("");
  }
}

void TZakatRules::FormCreate() {
  Fields.edUangTunai.ClearAll();
  for (TAmountField* field :
       {&Fields.edTabungan, &Fields.edPiutang, &Fields.edEmasPerak, &Fields.edLain2, &Fields.edTotalHarta,
        &Fields.EdHrgEmas, &Fields.EdNishab, &Fields.edNilaiZakat}) {
    field->SetText("");
  }
}
