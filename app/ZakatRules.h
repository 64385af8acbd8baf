#pragma once
// TZakatRules: the calculator's event handlers over its nine amount fields.
//
// The five assets are added into the total (JUMLAH), the nishab is 85 times the price of
// one gram of gold, and the zakat is 2.5 % of the total (HITUNG). Sums and products are
// computed in the extended format and rounded once to double; each result is written
// to its field as a 15-digit float text, which the field re-formats. A step that cannot
// go on is refused through TRefusal and then ends: no further step runs and no field
// changes.
#include <string>

#include "app/AmountField.h"

struct TZakatFields {
  TAmountField& edUangTunai;  // cash
  TAmountField& edTabungan;   // savings
  TAmountField& edPiutang;    // receivables still expected to be paid
  TAmountField& edEmasPerak;  // jewellery or utensils of gold or silver
  TAmountField& edLain2;      // other assets
  TAmountField& edTotalHarta; // total of the five assets
  TAmountField& EdHrgEmas;    // price of 1 g of 24-carat gold
  TAmountField& EdNishab;     // 85 x gold price
  TAmountField& edNilaiZakat; // zakat due
};

class TZakatRules {
public:
  static constexpr const char* MsgNoAssets = "Masukkan terlebih dahulu data harta anda!";
  static constexpr const char* MsgNoTotal = "Hitung terlebih dahulu total harta anda!";
  static constexpr const char* MsgNoGoldPrice = "Masukkan terlebih dahulu harga emas murni saat ini!";
  static constexpr const char* MsgBelowNishab = "Harta anda kurang dari nishab sehingga belum wajib zakat";
  static constexpr const char* MsgTooLarge = "Jumlah terlalu besar untuk dihitung!";

  // decimalSeparator: the locale's, used when a result is written as text.
  TZakatRules(const TZakatFields& fields, TRefusal& refusal, char decimalSeparator);

  void FormCreate();
  void btJumlahClick();
  void EdHrgEmasExit();
  void BtHitungNsbClick();
  void btHitungClick();
  void btResetClick();

  // The checks answer true when the step may go on; false after a refusal.
  bool atasi_isian_kosong_harta();
  bool atasi_isian_kosong_total_harta();
  bool atasi_isian_kosong_nishab();
  bool banding_harta_dg_nishab();

private:
  double SumOfAssets();
  void ComputeNishab();
  // Writes value into field as its float text, or refuses when the field could not hold
  // it (a magnitude of 922337203685477.5807 or more, or a scientific text).
  bool WriteAmount(TAmountField& field, double value);

  TZakatFields Fields;
  TRefusal& Refusal;
  char DecimalSeparator;
};
