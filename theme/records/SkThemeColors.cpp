#include "theme/records/SkThemeColors.h"

#include "theme/records/SkColorText.h"
#include "theme/records/SkThemeEntries.h"

const std::array<std::string_view, kSkThemeColorCount> kSkThemeColorNames = {
    "CaptionNormal", "CaptionInactive", "WindowBorder", "Window",    "Border",
    "PanelNormal",   "PanelDisabled",   "ButtonNormal", "ButtonHot", "ButtonPressed",
    "ButtonFocused", "ButtonDisabled",  "EditNormal",   "EditHot",   "EditFocused",
    "EditDisabled",  "EditSelection",   "Hint",         "List",      "Tree",
    "Grid",          "BarDock"};

void TskThemeColors::ChangeHue(std::int64_t delta, TskSysColorFunc sys) {
  if (delta == 0) {
    return;
  }
  for (TColor& c : FColors) {
    c = ShiftHue(c, delta, sys);
  }
}

void TskThemeColors::ChangeBrightness(std::int64_t delta, TskSysColorFunc sys) {
  if (delta == 0) {
    return;
  }
  for (TColor& c : FColors) {
    c = ShiftBrightness(c, delta, sys);
  }
}

void TskThemeColors::SaveToStream(TskByteWriter& out) const {
  const std::uint8_t highest = kSkThemeColorCount - 1;
  out.WriteBytes(&highest, 1);
  for (std::size_t i = 0; i < kSkThemeColorCount; ++i) {
    SkWriteThemeEntry(out, kSkThemeColorNames[i], SkColorToText(FColors[i]));
  }
}

bool TskThemeColors::LoadFromStream(TskByteReader& in) {
  std::uint8_t highest = 0;
  if (!in.ReadBytes(&highest, 1) || std::size_t(highest) + 1 > kSkThemeColorCount) {
    return false;
  }
  auto colors = FColors;
  for (std::size_t i = 0; i <= highest; ++i) {
    std::string text;
    if (!SkReadThemeEntry(in, text)) {
      return false;
    }
    const auto c = SkTextToColor(text);
    if (!c) {
      return false;
    }
    colors[i] = *c;
  }
  FColors = colors;
  return true;
}
