#include "themefiles/SfFileThemes.h"

#include "theme/SkThemeManager.h"
#include "themefiles/SfSkinFile.h"

void SfRegisterFileThemes(TskThemeManager& manager) {
  // Skin files (.uskn, .cskn, .xskn, .mskn).
  manager.RegisterThemeClass(SkThemeClassOf<TSkSkinFile>());
  // Readers of further file kinds register their theme class here.
}
