#include "theme/records/SkThemeSysColors.h"

#include "theme/records/SkColorText.h"
#include "theme/records/SkThemeEntries.h"

const std::array<TskSysColorRow, kSkThemeSysColorCount + 1> kSkSysColorRows = {{
    {"clActiveBorder", 0xFF00000A},
    {"clActiveCaption", 0xFF000002},
    {"clAppWorkSpace", 0xFF00000C},
    {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},
    {"clBtnHighlight", 0xFF000014},
    {"clBtnShadow", 0xFF000010},
    {"clBtnText", 0xFF000012},
    {"clCaptionText", 0xFF000009},
    {"clDefault", 0x20000000},
    {"clActiveCaption", 0xFF000002},
    {"clGrayText", 0xFF000011},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clInactiveBorder", 0xFF00000B},
    {"clInactiveCaption", 0xFF000003},
    {"clInactiveCaptionText", 0xFF000013},
    {"clInfoBk", 0xFF000018},
    {"clInfoText", 0xFF000017},
    {"clMenu", 0xFF000004},
    {"clMenuText", 0xFF000007},
    {"clScrollBar", 0xFF000000},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clWindowText", 0xFF000008},
}};

TskThemeSysColors::TskThemeSysColors(TskTheme* theme, TskSysColorFunc sys) : FTheme(theme) {
  LoadFromSystem(sys);
}

void TskThemeSysColors::LoadFromSystem(TskSysColorFunc sys) {
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    FColors[i] = ResolveColor(kSkSysColorRows[i].Value, sys);
  }
}

TColor TskThemeSysColors::Lookup(TColor c) const {
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    if (kSkSysColorRows[i].Value == c) {
      return FColors[i];
    }
  }
  return kSkNoColor;
}

void TskThemeSysColors::Store(TColor c, TColor rgb) {
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    if (kSkSysColorRows[i].Value == c) {
      FColors[i] = rgb;
      return;
    }
  }
}

void TskThemeSysColors::ChangeHue(std::int64_t delta) {
  if (delta == 0) {
    return;
  }
  for (TColor& c : FColors) {
    c = ShiftHue(c, delta);
  }
}

void TskThemeSysColors::ChangeBrightness(std::int64_t delta) {
  if (delta == 0) {
    return;
  }
  for (TColor& c : FColors) {
    c = ShiftBrightness(c, delta);
  }
}

void TskThemeSysColors::SaveToStream(TskByteWriter& out) const {
  out.WriteInt32(std::int32_t(kSkThemeSysColorCount));
  for (std::size_t i = 0; i < kSkThemeSysColorCount; ++i) {
    SkWriteThemeEntry(out, kSkSysColorRows[i].Name, SkColorToText(FColors[i]));
  }
}

bool TskThemeSysColors::LoadFromStream(TskByteReader& in) {
  std::int32_t count = 0;
  if (!in.ReadInt32(count) || count < 0 || std::size_t(count) > kSkThemeSysColorCount) {
    return false;
  }
  auto colors = FColors;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string text;
    if (!SkReadThemeEntry(in, text)) {
      return false;
    }
    const auto c = SkTextToColor(text);
    if (!c) {
      return false;
    }
    colors[std::size_t(i)] = *c;
  }
  FColors = colors;
  return true;
}
