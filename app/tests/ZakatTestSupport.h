#pragma once
// A headless calculator window for the rules' tests: nine currency fields as the window
// sets them up, each behind a spy that counts writes, and a refusal recorder.
#include <array>
#include <string>
#include <vector>

#include "app/CurrencyAmountField.h"
#include "app/MaskEditAmountField.h"
#include "app/ZakatRules.h"
#include "maskedit/values/MxLocale.h"

// The field the rules run against: the model field, or the masked edit's engine in the
// builds that define TABIRA_TEST_REAL_FIELD (the same tests run against both).
#ifdef TABIRA_TEST_REAL_FIELD
using TTestAmountField = TMaskEditAmountField;
#else
using TTestAmountField = TCurrencyAmountField;
#endif

class TSpyField final : public TAmountField {
public:
  TSpyField(const std::string& symbol, int decimals) : Field(symbol, decimals) {}
  std::string GetText() const override { return Field.GetText(); }
  void SetText(const std::string& text) override {
    ++Writes;
    Field.SetText(text);
  }
  double FloatValue() override { return Field.FloatValue(); }
  void ClearAll() override {
    ++Writes;
    ++Clears;
    Field.ClearAll();
  }
  TTestAmountField Field;
  int Writes = 0;
  int Clears = 0;
};

class TRefusalRecorder final : public TRefusal {
public:
  void Refuse(const std::string& message) override { Messages.push_back(message); }
  std::vector<std::string> Messages;
};

// Locale: "," decimals, "." grouping, currencyDigits as given.
inline TMxLocaleValues CalculatorLocale(int currencyDigits) {
  TMxLocaleValues values = TMxLocaleValues::Indonesian();
  values.CurrencyDigits = std::to_string(currencyDigits);
  return values;
}

class TCalculator {
public:
  explicit TCalculator(int currencyDigits) : Source(CalculatorLocale(currencyDigits)) {}

  std::array<TSpyField*, 9> All() {
    return {&edUangTunai,  &edTabungan, &edPiutang, &edEmasPerak, &edLain2,
            &edTotalHarta, &EdHrgEmas,  &EdNishab,  &edNilaiZakat};
  }
  std::array<std::string, 9> Texts() {
    std::array<std::string, 9> texts;
    auto fields = All();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      texts[i] = fields[i]->GetText();
    }
    return texts;
  }
  int Writes() {
    int writes = 0;
    for (TSpyField* f : All()) {
      writes += f->Writes;
    }
    return writes;
  }
  void ResetCounters() {
    for (TSpyField* f : All()) {
      f->Writes = f->Clears = 0;
    }
    Refusals.Messages.clear();
  }

  TMxFixedLocaleSource Source;
  TMxScopedLocaleSource Scope{Source};
  TSpyField edUangTunai{" ", 0};
  TSpyField edTabungan{" ", 0};
  TSpyField edPiutang{" ", 0};
  TSpyField edEmasPerak{" ", 0};
  TSpyField edLain2{" ", 0};
  TSpyField edTotalHarta{" ", 1};
  TSpyField EdHrgEmas{" ", 1};
  TSpyField EdNishab{" ", 1};
  TSpyField edNilaiZakat{"Rp ", 1};
  TRefusalRecorder Refusals;
  TZakatRules Rules{TZakatFields{edUangTunai, edTabungan, edPiutang, edEmasPerak, edLain2, edTotalHarta,
                                 EdHrgEmas, EdNishab, edNilaiZakat},
                    Refusals, ','};
};
