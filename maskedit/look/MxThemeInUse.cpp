#include "maskedit/look/MxThemeInUse.h"

int ThemeInUse(const TMxThemeInputs& in) {
  TMxThemeMode mode = in.ThemeGlobalMode ? in.GlobalThemeMode : in.ThemeMode;
  if (mode == TMxThemeMode::ttmNative && in.NativeProviderActive) {
    return static_cast<int>(TMxThemeMode::ttmNative);
  }
  if (mode != TMxThemeMode::ttmNone && in.UseXPThemes && in.StylesAvailable && in.AppThemed) {
    return 1;
  }
  return 0;
}

TMxThemedFrameState ThemedFrameState(bool enabled, bool readOnly, bool mouseInside, bool focused) {
  if (!enabled) {
    return TMxThemedFrameState::Disabled;
  }
  if (readOnly) {
    return TMxThemedFrameState::ReadOnly;
  }
  if (mouseInside) {
    return TMxThemedFrameState::Hot;
  }
  if (focused) {
    return TMxThemedFrameState::Focused;
  }
  return TMxThemedFrameState::Normal;
}
