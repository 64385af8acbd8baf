#pragma once
// TfrTabira: the calculator window, built from its stored layout (resource FRTABIRA). The
// layout binds the window's events to the handlers below by name.
#include "framework/win32/Form.h"

class TfrTabira : public TForm {
public:
  TfrTabira();

  // Builds the window from the resource; an empty string on success, else what is wrong.
  [[nodiscard]] std::string Load();

  // Event handlers the layout binds. The zakat rules are wired into them.
  virtual void FormCreate(TComponent* sender) {}
  virtual void btJumlahClick(TComponent* sender) {}
  virtual void BtHitungNsbClick(TComponent* sender) {}
  virtual void btHitungClick(TComponent* sender) {}
  virtual void btResetClick(TComponent* sender) {}
  virtual void EdHrgEmasExit(TComponent* sender) {}

  static constexpr const char* kLayoutResource = "FRTABIRA";
};
