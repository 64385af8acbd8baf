#include "app/win32/u_tabira.h"

#include "framework/win32/Application.h"
#include "maskedit/win32/MxMaskEdit.h"

#include <stdexcept>

// A refusal is a plain message box captioned with the application's title; the rules end
// the handler themselves once it has been dismissed.
class TfrTabira::TMessageBoxRefusal final : public TRefusal {
public:
  void Refuse(const std::string& message) override { TApplication::Instance().ShowMessage(message, MB_OK); }
};

TfrTabira::TfrTabira() : TForm("TfrTabira"), FRefusal(std::make_unique<TMessageBoxRefusal>()) {
  // Handlers dispatch through the virtual members, so a derived window binds by overriding.
  RegisterMethod("FormCreate", [this](TComponent* s) { FormCreate(s); });
  RegisterMethod("btJumlahClick", [this](TComponent* s) { btJumlahClick(s); });
  RegisterMethod("BtHitungNsbClick", [this](TComponent* s) { BtHitungNsbClick(s); });
  RegisterMethod("btHitungClick", [this](TComponent* s) { btHitungClick(s); });
  RegisterMethod("btResetClick", [this](TComponent* s) { btResetClick(s); });
  RegisterMethod("EdHrgEmasExit", [this](TComponent* s) { EdHrgEmasExit(s); });
}

TfrTabira::~TfrTabira() = default;

std::string TfrTabira::Load() { return LoadFromResource(kLayoutResource); }

TZakatRules& TfrTabira::Rules() {
  if (FRules) {
    return *FRules;
  }
  auto field = [this](const char* name) -> TAmountField& {
    auto* edit = dynamic_cast<TMxMaskEdit*>(FindComponent(name));
    if (!edit) {
      throw std::logic_error(std::string("the window has no amount field ") + name);
    }
    FFields.push_back(std::make_unique<TEditAmountField>(edit->Edit()));
    return *FFields.back();
  };
  TZakatFields fields{field("edUangTunai"), field("edTabungan"), field("edPiutang"),
                      field("edEmasPerak"), field("edLain2"),    field("edTotalHarta"),
                      field("EdHrgEmas"),   field("EdNishab"),   field("edNilaiZakat")};
  // Results are written with the locale's decimal separator, the one the fields read.
  const char separator =
      dynamic_cast<TMxMaskEdit*>(FindComponent("edTotalHarta"))->Edit().CurrencySettings().DecimalChar;
  FRules = std::make_unique<TZakatRules>(fields, *FRefusal, separator);
  return *FRules;
}

void TfrTabira::FormCreate(TComponent*) { Rules().FormCreate(); }
void TfrTabira::btJumlahClick(TComponent*) { Rules().btJumlahClick(); }
void TfrTabira::BtHitungNsbClick(TComponent*) { Rules().BtHitungNsbClick(); }
void TfrTabira::btHitungClick(TComponent*) { Rules().btHitungClick(); }
void TfrTabira::btResetClick(TComponent*) { Rules().btResetClick(); }
void TfrTabira::EdHrgEmasExit(TComponent*) { Rules().EdHrgEmasExit(); }
