#include "theme/records/SkThemeFonts.h"

#include "theme/records/SkThemeEntries.h"

const std::array<std::string_view, kSkThemeFontCount> kSkThemeFontNames = {"CaptionTextNormal",
                                                                           "CaptionTextInactive",
                                                                           "SmCaptionTextNormal",
                                                                           "SmCaptionTextInactive",
                                                                           "StaticTextNormal",
                                                                           "StaticTextHot",
                                                                           "StaticTextFocused",
                                                                           "StaticTextDisabled",
                                                                           "PanelTextNormal",
                                                                           "PanelTextDisabled",
                                                                           "ButtonTextNormal",
                                                                           "ButtonTextPressed",
                                                                           "ButtonTextHot",
                                                                           "ButtonTextFocused",
                                                                           "ButtonTextDisabled",
                                                                           "CheckBoxTextNormal",
                                                                           "CheckBoxTextPressed",
                                                                           "CheckBoxTextHot",
                                                                           "CheckBoxTextFocused",
                                                                           "CheckBoxTextDisabled",
                                                                           "RadioButtonTextNormal",
                                                                           "RadioButtonTextPressed",
                                                                           "RadioButtonTextHot",
                                                                           "RadioButtonTextFocused",
                                                                           "RadioButtonTextDisabled",
                                                                           "GroupBoxTextNormal",
                                                                           "GroupBoxTextDisabled",
                                                                           "WindowTextNormal",
                                                                           "WindowTextDisabled",
                                                                           "EditBoxTextNormal",
                                                                           "EditBoxTextFocused",
                                                                           "EditBoxTextHot",
                                                                           "EditBoxTextDisabled",
                                                                           "EditBoxTextSelected",
                                                                           "MenuItemTextNormal",
                                                                           "MenuItemTextSelected",
                                                                           "MenuItemTextHot",
                                                                           "MenuItemTextDisabled",
                                                                           "ToolItemTextNormal",
                                                                           "ToolItemTextSelected",
                                                                           "ToolItemTextHot",
                                                                           "ToolItemTextDisabled",
                                                                           "HeaderSectionTextNormal",
                                                                           "HeaderSectionTextPressed",
                                                                           "HeaderSectionTextDraggedOut",
                                                                           "HeaderSectionTextDragging",
                                                                           "HeaderSectionTextHot",
                                                                           "HeaderSectionTextUnderDrag",
                                                                           "HeaderSectionTextDisabled",
                                                                           "StatusPanelTextNormal",
                                                                           "StatusPanelTextDisabled",
                                                                           "TabTextInactiveNormal",
                                                                           "TabTextInactiveHot",
                                                                           "TabTextInactiveDisabled",
                                                                           "TabTextActiveNormal",
                                                                           "TabTextActiveHot",
                                                                           "TabTextActiveDisabled",
                                                                           "ListItemTextNormal",
                                                                           "ListItemTextHot",
                                                                           "ListItemTextSelected",
                                                                           "ListItemTextFocused",
                                                                           "ListItemTextDisabled",
                                                                           "PopupMenuItemTextNormal",
                                                                           "PopupMenuItemTextSelected",
                                                                           "PopupMenuItemTextHot",
                                                                           "PopupMenuItemTextDisabled"};

const TskFontDesc& TskThemeFonts::FontFor(std::size_t index, const std::string& objectName) {
  if (objectName == "default" || !FTheme) {
    return Font(index);
  }
  FScratch = Font(index);
  FTheme->AssignThemeFont(FScratch, index, objectName);
  return FScratch;
}

void TskThemeFonts::ChangeHue(std::int64_t delta, TskSysColorFunc sys) {
  for (TskFontDesc& f : FFonts) {
    f.Color = ShiftHue(f.Color, delta, sys);
  }
}

void TskThemeFonts::ChangeBrightness(std::int64_t delta, TskSysColorFunc sys) {
  for (TskFontDesc& f : FFonts) {
    f.Color = ShiftBrightness(f.Color, delta, sys);
  }
}

void TskThemeFonts::SaveToStream(TskByteWriter& out, TskSysColorFunc sys) const {
  const std::uint8_t highest = kSkThemeFontCount - 1;
  out.WriteBytes(&highest, 1);
  for (std::size_t i = 0; i < kSkThemeFontCount; ++i) {
    SkWriteThemeEntry(out, kSkThemeFontNames[i], SkFontToText(FFonts[i], sys));
  }
}

bool TskThemeFonts::LoadFromStream(TskByteReader& in) {
  std::uint8_t highest = 0;
  if (!in.ReadBytes(&highest, 1) || std::size_t(highest) + 1 > kSkThemeFontCount) {
    return false;
  }
  auto fonts = FFonts;
  for (std::size_t i = 0; i <= highest; ++i) {
    std::string text;
    if (!SkReadThemeEntry(in, text)) {
      return false;
    }
    auto font = SkTextToFont(text, fonts[i]);
    if (!font) {
      return false;
    }
    fonts[i] = std::move(*font);
  }
  FFonts = std::move(fonts);
  return true;
}
