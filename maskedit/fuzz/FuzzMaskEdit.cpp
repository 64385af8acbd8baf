// libFuzzer target: drives a masked edit of every type with arbitrary keys, characters,
// pastes, selections, undos and assignments. Any crash, sanitizer report or caret outside
// the text is a finding.
#include "maskedit/engine/MxCustomMaskEdit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
struct TFuzzClipboard final : IMxClipboard {
  bool HasText() const override { return true; }
  std::string GetText() const override { return Text; }
  void SetText(std::string_view text) override { Text = std::string(text); }
  std::string Text;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  TMxApplication app;
  TFuzzClipboard clipboard;
  TMxCustomMaskEdit edit(app);
  edit.SetClipboard(&clipboard);
  const std::uint8_t setup = data[0];
  if ((setup & 0x80) != 0) {
    edit.CurrencySettings().SetSystemDefaults(cmUser);
    edit.CurrencySettings().SetNegativeFormatStr("-\xA4"
                                                 "1,1");
  }
  edit.SetMask("!9!9\\-99aAc#*r");
  if ((setup & 0x20) != 0) {
    // Date parts of every kind: names, padded digits, a full year from a short token.
    edit.DateSettings().SetFormat(dfCustom);
    edit.DateSettings().SetFormatStr((setup & 0x08) != 0 ? "dddd, d mmmm yyyyy" : "ddd dd/mmm/y");
  }
  edit.SetMaskType(static_cast<TMxMaskType>(setup % 10));
  try {
    edit.SetNumberBase(2 + (data[1] % 35) * ((setup >> 4) & 1));
  } catch (const EMxWrongDataType&) {
    // the types without a float value refuse a number base
  }
  edit.SetDecimals(data[1] % 5);
  if ((setup & 0x40) != 0 && edit.GetMaskType() != meDate && edit.GetMaskType() != meTime) {
    edit.SetSuffix(" kg");
  }
  const TMxKey keys[] = {TMxKey::Back, TMxKey::Delete, TMxKey::Left, TMxKey::Right,  TMxKey::Home,
                         TMxKey::End,  TMxKey::Up,     TMxKey::Down, TMxKey::Insert, TMxKey::A,
                         TMxKey::C,    TMxKey::V,      TMxKey::X};
  for (std::size_t i = 2; i + 1 < size; i += 2) {
    const std::uint8_t op = data[i], arg = data[i + 1];
    switch (op % 8) {
    case 0:
    case 1:
    case 2: edit.KeyPress(static_cast<char>(arg)); break;
    case 3:
      if ((op & 0x80) != 0) {
        edit.MouseWheel((arg & 1) != 0 ? 120 : -120);
      } else {
        edit.KeyDown(keys[arg % std::size(keys)],
                     static_cast<std::uint8_t>((op >> 3) & (emShift | emCtrl | emAlt)));
      }
      break;
    case 4: {
      const std::size_t n = std::min<std::size_t>(arg % 16, size - i - 2);
      clipboard.Text.assign(reinterpret_cast<const char*>(data + i + 2), n);
      edit.PasteFromClipboard();
      break;
    }
    case 5:
      if ((op & 0x80) != 0) {
        edit.ClickAt(static_cast<int>(arg % 40) - 2);
        break;
      }
      edit.SetCursorPos(static_cast<int>(arg % 32) - 2);
      edit.SetSelStart(static_cast<int>(op >> 3) - 4);
      edit.SetSelLength(static_cast<int>(arg >> 4) - 3);
      break;
    case 6: edit.Undo(); break;
    case 7: {
      const std::size_t n = std::min<std::size_t>(arg % 24, size - i - 2);
      edit.SetText(std::string(reinterpret_cast<const char*>(data + i + 2), n));
      if (op & 8) {
        edit.DoExit();
        edit.DoEnter();
      }
      break;
    }
    }
    const int len = static_cast<int>(edit.RawText().size());
    if (edit.GetCursorPos() < 1 || edit.GetCursorPos() > len + 1) {
      std::abort();
    }
  }
  return 0;
}
