#pragma once
// The skinned form's published kinds: border styles and icons, buffering modes, window states.
#include <cstdint>

enum TSkBorderStyle : std::uint8_t { kbsNone, kbsBorder, kbsStandard, kbsDialog, kbsToolWindow };

enum TSkBorderIcon : std::uint8_t {
  kbiClose,
  kbiSystemMenu,
  kbiMinimize,
  kbiMaximize,
  kbiHelp,
  kbiRollup,
  kbiTray,
  kbiTop,
  kbiCustom
};
// A set of border icons, one bit per icon.
using TSkBorderIcons = std::uint16_t;
constexpr TSkBorderIcons SkIcons(TSkBorderIcon icon) { return TSkBorderIcons(1u << icon); }
template <class... T>
constexpr TSkBorderIcons SkIcons(TSkBorderIcon icon, T... more) {
  return TSkBorderIcons(SkIcons(icon) | SkIcons(more...));
}
inline constexpr TSkBorderIcons kSkDefaultBorderIcons =
    SkIcons(kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup, kbiTray);

enum TSkFormPerformance : std::uint8_t { kfpNoBuffer, kfpSharedBuffer, kfpPersistentBuffer, kfpDoubleBuffer };

enum TSkWindowState : std::uint8_t { kwsNormal, kwsMaximized, kwsMinimized, kwsRollup, kwsTray };

enum TSkFormDragMode : std::uint8_t { kfdmBorder, kfdmFullDrag, kfdmSystemSettings };

// Limits on the size of a form's window, in pixels; 0 sets no limit.
struct TskSizeConstraints {
  std::int32_t MinWidth = 0;
  std::int32_t MinHeight = 0;
  std::int32_t MaxWidth = 0;
  std::int32_t MaxHeight = 0;
  bool operator==(const TskSizeConstraints&) const = default;
};
