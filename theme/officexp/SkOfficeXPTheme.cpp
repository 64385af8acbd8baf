#include "theme/officexp/SkOfficeXPTheme.h"

namespace {

constexpr TColor kBtnFace = 0xFF00000F;
constexpr TColor kHighlight = 0xFF00000D;
constexpr TColor kGrey = 0x808080;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kSelected = 0xB59285;

} // namespace

void TSkOfficeXPTheme::SetDefaultColors() {
  TskThemeColors& c = Colors();
  c.SetColor(kcCaptionNormal, 0xFF0000);
  c.SetColor(kcCaptionInactive, kBtnFace);
  c.SetColor(kcWindowBorder, kGrey);
  c.SetColor(kcWindow, kBtnFace);
  c.SetColor(kcBorder, kHighlight);
  for (TskColorIndex i : {kcPanelNormal, kcPanelDisabled, kcButtonNormal, kcButtonDisabled}) {
    c.SetColor(i, kBtnFace);
  }
  c.SetColor(kcButtonHot, 0xD2BDB6);
  c.SetColor(kcButtonPressed, kSelected);
  c.SetColor(kcButtonFocused, kSelected);
  for (TskColorIndex i : {kcEditNormal, kcEditHot, kcEditFocused, kcEditDisabled, kcList, kcTree, kcGrid}) {
    c.SetColor(i, kWhite);
  }
  c.SetColor(kcEditSelection, kSelected);
  ShiftColors();
}

void TSkOfficeXPTheme::SetDefaultFonts() {
  // The flat look's fonts with white captions; static texts keep the defaults.
  SetFlatFonts(kWhite, 0xC0C0C0, false);
}
