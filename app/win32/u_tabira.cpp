#include "app/win32/u_tabira.h"

TfrTabira::TfrTabira() : TForm("TfrTabira") {
  // Handlers dispatch through the virtual members, so a derived window binds by overriding.
  RegisterMethod("FormCreate", [this](TComponent* s) { FormCreate(s); });
  RegisterMethod("btJumlahClick", [this](TComponent* s) { btJumlahClick(s); });
  RegisterMethod("BtHitungNsbClick", [this](TComponent* s) { BtHitungNsbClick(s); });
  RegisterMethod("btHitungClick", [this](TComponent* s) { btHitungClick(s); });
  RegisterMethod("btResetClick", [this](TComponent* s) { btResetClick(s); });
  RegisterMethod("EdHrgEmasExit", [this](TComponent* s) { EdHrgEmasExit(s); });
}

std::string TfrTabira::Load() {
  return LoadFromResource(kLayoutResource);
}
