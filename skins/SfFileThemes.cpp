#include "skins/SfFileThemes.h"

#include "skins/SfSkinFile.h"
#include "theme/SkThemeManager.h"

void SfRegisterFileThemes(TskThemeManager& manager) {
  // Skin files (.uskn, .cskn, .xskn, .mskn).
  manager.RegisterThemeClass(SkThemeClassOf<TSkSkinFile>());
  // Readers of further file kinds register their theme class here.
}
