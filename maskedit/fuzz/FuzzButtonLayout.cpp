// Feeds arbitrary bytes to the layout reader and every collection it reads to the custom
// buttons' reader; what reads must be written and read back to the same text.
#include "framework/Layout.h"
#include "maskedit/look/MxSpecialButtonsStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TLayoutReadResult read = ReadLayout(text);
  if (!read.Ok()) {
    return 0;
  }
  const TMxButtonHandlerLookup lookup = [](const std::string& name) -> TMxSpecialButton::TMxOnCustomBtnClick {
    if (name.size() % 2 == 0) {
      return nullptr;
    }
    return [](TMxSpecialButton*, int) {};
  };
  for (const TLayoutProperty& p : read.Root->Properties) {
    TMxSpecialButtons buttons;
    if (MxReadSpecialButtons(buttons, p.Value, lookup).Code != TPropertyResult::TCode::Ok) {
      continue;
    }
    const std::string stored = MxSpecialButtonsLayoutValue(buttons);
    const TLayoutReadResult again = ReadLayout("T t {\n  B = " + stored + "\n}\n");
    if (!again.Ok()) {
      __builtin_trap(); // what was written must read
    }
    TMxSpecialButtons copy;
    if (MxReadSpecialButtons(copy, again.Root->Properties[0].Value, lookup).Code !=
            TPropertyResult::TCode::Ok ||
        MxSpecialButtonsLayoutValue(copy) != stored) {
      __builtin_trap(); // and read back unchanged
    }
  }
  return 0;
}
