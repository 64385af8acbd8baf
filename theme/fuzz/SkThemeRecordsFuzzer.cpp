// The theme readers over arbitrary bytes: the records' stored forms read one after the other
// (as a theme keeps them) and a stored theme-list item. Each must fail cleanly or succeed,
// and a failed read must leave the theme exactly as it was.
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeList.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TskThemeManager* manager = [] {
    auto* m = new TskThemeManager;
    SkRegisterBuiltInThemes(*m);
    return m;
  }();
  const std::span<const std::uint8_t> bytes(data, size);
  {
    auto theme = SkMakeTheme<TSkFlatTheme>();
    TskByteWriter before;
    theme->SaveRecordsToStream(before);
    TskByteReader in(bytes);
    if (!theme->LoadRecordsFromStream(in)) {
      TskByteWriter after;
      theme->SaveRecordsToStream(after);
      if (after.Bytes() != before.Bytes()) {
        std::abort();
      }
    } else {
      // What was read is written back and reads again to the same records.
      TskByteWriter again;
      theme->SaveRecordsToStream(again);
      TskByteReader reread(again.Bytes());
      if (!theme->LoadRecordsFromStream(reread)) {
        std::abort();
      }
    }
  }
  {
    TSkThemeStream item;
    TskByteReader in(bytes);
    if (!item.Read(in, *manager) && (!item.Data.empty() || item.Name != "(empty)")) {
      std::abort();
    }
  }
  return 0;
}
