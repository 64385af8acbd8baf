#include "theme/officexp/SkOfficeXPTheme.h"

namespace {

constexpr TColor kBtnFace = 0xFF00000F;
constexpr TColor kHighlight = 0xFF00000D;
constexpr TColor kGrey = 0x808080;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
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
  TskThemeFonts& f = Fonts();
  for (std::size_t i = 0; i < kSkThemeFontCount; ++i) {
    f.Font(i) = TskFontDesc{};
  }
  auto set = [&f](int i, std::int32_t size, TColor color, std::uint8_t style = 0) {
    TskFontDesc& d = f.Font(std::size_t(i));
    d.Name = "Tahoma";
    d.Size = size;
    d.Color = color;
    d.Style = style;
  };
  set(kfCaptionTextNormal, 10, kWhite, fsBold);
  set(kfCaptionTextInactive, 10, 0xC0C0C0, fsBold);
  set(kfSmCaptionTextNormal, 8, kWhite, fsBold);
  set(kfSmCaptionTextInactive, 8, 0xC0C0C0, fsBold);
  for (int i : {kfButtonTextNormal, kfButtonTextPressed, kfButtonTextHot, kfButtonTextFocused}) {
    set(i, 8, kBlack);
  }
  for (int i = kfCheckBoxTextNormal; i <= kfEditBoxTextHot; ++i) {
    set(i, 8, kBlack);
  }
  for (int i = kfHeaderSectionTextNormal; i <= kfHeaderSectionTextDisabled; ++i) {
    set(i, 8, kBlack);
  }
  for (int i : {kfButtonTextDisabled, kfEditBoxTextDisabled, kfMenuItemTextDisabled, kfToolItemTextDisabled,
                kfPopupMenuItemTextDisabled}) {
    set(i, 8, kGrey);
  }
  set(kfEditBoxTextSelected, 8, kWhite);
  ShiftFonts();
}
