#pragma once
// TskThemeFonts: the 66 fonts of a theme, indexed by TskFontIndex, each made with face
// "Tahoma", plus one scratch font for per-object queries.
#include "theme/SkStream.h"
#include "theme/records/SkFontDesc.h"
#include "theme/records/SkThemeLimits.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Adjusts a copy of one of the fonts for an object name: the theme the fonts belong to.
class ISkThemeFontAdjuster {
public:
  virtual void AssignThemeFont(TskFontDesc& font, std::size_t index, const std::string& objectName) = 0;

protected:
  ~ISkThemeFontAdjuster() = default;
};

enum TskFontIndex : std::uint8_t {
  kfCaptionTextNormal,
  kfCaptionTextInactive,
  kfSmCaptionTextNormal,
  kfSmCaptionTextInactive,
  kfStaticTextNormal,
  kfStaticTextHot,
  kfStaticTextFocused,
  kfStaticTextDisabled,
  kfPanelTextNormal,
  kfPanelTextDisabled,
  kfButtonTextNormal,
  kfButtonTextPressed,
  kfButtonTextHot,
  kfButtonTextFocused,
  kfButtonTextDisabled,
  kfCheckBoxTextNormal,
  kfCheckBoxTextPressed,
  kfCheckBoxTextHot,
  kfCheckBoxTextFocused,
  kfCheckBoxTextDisabled,
  kfRadioButtonTextNormal,
  kfRadioButtonTextPressed,
  kfRadioButtonTextHot,
  kfRadioButtonTextFocused,
  kfRadioButtonTextDisabled,
  kfGroupBoxTextNormal,
  kfGroupBoxTextDisabled,
  kfWindowTextNormal,
  kfWindowTextDisabled,
  kfEditBoxTextNormal,
  kfEditBoxTextFocused,
  kfEditBoxTextHot,
  kfEditBoxTextDisabled,
  kfEditBoxTextSelected,
  kfMenuItemTextNormal,
  kfMenuItemTextSelected,
  kfMenuItemTextHot,
  kfMenuItemTextDisabled,
  kfToolItemTextNormal,
  kfToolItemTextSelected,
  kfToolItemTextHot,
  kfToolItemTextDisabled,
  kfHeaderSectionTextNormal,
  kfHeaderSectionTextPressed,
  kfHeaderSectionTextDraggedOut,
  kfHeaderSectionTextDragging,
  kfHeaderSectionTextHot,
  kfHeaderSectionTextUnderDrag,
  kfHeaderSectionTextDisabled,
  kfStatusPanelTextNormal,
  kfStatusPanelTextDisabled,
  kfTabTextInactiveNormal,
  kfTabTextInactiveHot,
  kfTabTextInactiveDisabled,
  kfTabTextActiveNormal,
  kfTabTextActiveHot,
  kfTabTextActiveDisabled,
  kfListItemTextNormal,
  kfListItemTextHot,
  kfListItemTextSelected,
  kfListItemTextFocused,
  kfListItemTextDisabled,
  kfPopupMenuItemTextNormal,
  kfPopupMenuItemTextSelected,
  kfPopupMenuItemTextHot,
  kfPopupMenuItemTextDisabled
};

extern const std::array<std::string_view, kSkThemeFontCount> kSkThemeFontNames;

class TskThemeFonts {
public:
  explicit TskThemeFonts(ISkThemeFontAdjuster* theme = nullptr) : FTheme(theme) {}

  const TskFontDesc& Font(std::size_t index) const { return FFonts[index < FFonts.size() ? index : 0]; }
  TskFontDesc& Font(std::size_t index) { return FFonts[index < FFonts.size() ? index : 0]; }
  // For "default" (or without a theme) the font itself; otherwise the scratch font, a copy
  // that the theme adjusts for the object name. Valid until the next call.
  const TskFontDesc& FontFor(std::size_t index, const std::string& objectName);

  void Assign(const TskThemeFonts& source) { FFonts = source.FFonts; }
  // Every font colour passes through the shift (0 included) and becomes plain RGB.
  void ChangeHue(std::int64_t delta, TskSysColorFunc sys);
  void ChangeBrightness(std::int64_t delta, TskSysColorFunc sys);

  void SaveToStream(TskByteWriter& out, TskSysColorFunc sys) const;
  // As TskThemeColors::LoadFromStream, for at most 66 font texts.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in);

private:
  ISkThemeFontAdjuster* FTheme;
  std::array<TskFontDesc, kSkThemeFontCount> FFonts{};
  TskFontDesc FScratch;
};
