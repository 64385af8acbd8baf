#pragma once
// TfrTabira: the calculator window, built from its stored layout (resource FRTABIRA). The
// layout binds the window's events to the handlers below by name; the handlers run the
// zakat rules over the nine amount fields.
#include "app/EditAmountField.h"
#include "app/ZakatRules.h"
#include "framework/win32/Form.h"

#include <memory>
#include <vector>

class TfrTabira : public TForm {
public:
  TfrTabira();
  ~TfrTabira() override;

  // Builds the window from the resource; an empty string on success, else what is wrong.
  [[nodiscard]] std::string Load();

  // Event handlers the layout binds.
  virtual void FormCreate(TComponent* sender);
  virtual void btJumlahClick(TComponent* sender);
  virtual void BtHitungNsbClick(TComponent* sender);
  virtual void btHitungClick(TComponent* sender);
  virtual void btResetClick(TComponent* sender);
  virtual void EdHrgEmasExit(TComponent* sender);

  static constexpr const char* kLayoutResource = "FRTABIRA";

private:
  class TMessageBoxRefusal;
  // The rules over the fields of the loaded window, made on first use.
  TZakatRules& Rules();

  std::unique_ptr<TMessageBoxRefusal> FRefusal;
  std::vector<std::unique_ptr<TEditAmountField>> FFields;
  std::unique_ptr<TZakatRules> FRules;
};
