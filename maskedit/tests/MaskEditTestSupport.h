#pragma once
// A masked edit under a fixed locale (comma decimal, full-stop thousands) with a key
// driver, shared by the mask edit tests.
#include "maskedit/engine/MxCustomMaskEdit.h"
#include "maskedit/tests/EditTestSupport.h"

#include <memory>
#include <string>
#include <string_view>

// The calculator's amount field: pattern "¤1,1", negative "(¤1,1)", a one-space symbol.
inline void MakeAmountField(TMxCustomMaskEdit& edit, int decimals) {
  TMxCurrencySettings& c = edit.CurrencySettings();
  c.SetSystemDefaults(cmUser);
  c.SetPositiveFormatStr("\xA4"
                         "1,1");
  c.SetNegativeFormatStr("(\xA4"
                         "1,1)");
  c.SetSymbol(" ");
  edit.SetMaskType(meCurrency);
  if (decimals >= 0) {
    edit.SetDecimals(decimals);
  }
}

struct TMaskEditHarness {
  TMxFixedLocaleSource Source{TMxLocaleValues::Indonesian()};
  TMxScopedLocaleSource Scoped{Source};
  TMxApplication App;
  TRecordingView View;
  TMemoryClipboard Clipboard;
  std::unique_ptr<TMxCustomMaskEdit> Edit;
  int ValidationErrors = 0;

  TMaskEditHarness() { Reset(); }
  void Reset() {
    App.SetEditMode(emInsert);
    Edit = std::make_unique<TMxCustomMaskEdit>(App);
    Edit->SetView(&View);
    Edit->SetClipboard(&Clipboard);
    Edit->OnValidationError = [this](TMxCustomMaskEdit*) { ++ValidationErrors; };
    ValidationErrors = 0;
  }
  void Place(int caret) {
    App.SetEditMode(static_cast<std::uint8_t>(App.GetEditMode() & emInsert));
    Edit->SetCursorPos(caret);
  }
  // Keys: plain characters are typed; <BS> <DEL> <L> <R> <UP> <DN> <HOME> <END> <INS>
  // <ENTER> <UNDO> are keys or operations.
  void Keys(std::string_view keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == '<') {
        const size_t end = keys.find('>', i);
        const std::string_view k = keys.substr(i + 1, end - i - 1);
        i = end;
        if (k == "BS") {
          Edit->KeyDown(TMxKey::Back, 0);
        } else if (k == "DEL") {
          Edit->KeyDown(TMxKey::Delete, 0);
        } else if (k == "L") {
          Edit->KeyDown(TMxKey::Left, 0);
        } else if (k == "R") {
          Edit->KeyDown(TMxKey::Right, 0);
        } else if (k == "UP") {
          Edit->KeyDown(TMxKey::Up, 0);
        } else if (k == "DN") {
          Edit->KeyDown(TMxKey::Down, 0);
        } else if (k == "HOME") {
          Edit->KeyDown(TMxKey::Home, 0);
        } else if (k == "END") {
          Edit->KeyDown(TMxKey::End, 0);
        } else if (k == "INS") {
          Edit->KeyDown(TMxKey::Insert, 0);
        } else if (k == "ENTER") {
          Edit->KeyPress('\r');
        } else if (k == "UNDO") {
          Edit->Undo();
        }
        continue;
      }
      Edit->KeyPress(keys[i]);
    }
  }
};
