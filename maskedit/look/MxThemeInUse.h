#pragma once
// Whether a control draws with the platform's visual styles, as a pure decision.
#include <cstdint>

enum class TMxThemeMode : std::uint8_t { ttmNone, ttmPlatform, ttmNative };

struct TMxThemeInputs {
  TMxThemeMode ThemeMode = TMxThemeMode::ttmPlatform;       // the control's own mode
  bool ThemeGlobalMode = false;                             // use the application-wide mode
  TMxThemeMode GlobalThemeMode = TMxThemeMode::ttmPlatform; // the application-wide mode
  bool UseXPThemes = true;                                  // application setting
  bool StylesAvailable = false;                             // the platform reports visual styles
  bool AppThemed = false;                                   // the application is themed
  bool NativeProviderActive = false; // a native theme provider is registered and active
};

// 0: no theme; 1: platform visual styles; 2 (ttmNative) when the native provider draws.
int ThemeInUse(const TMxThemeInputs& in);

// State of the visual style's edit frame; first match wins.
enum class TMxThemedFrameState : std::uint8_t { Disabled, ReadOnly, Hot, Focused, Normal };
TMxThemedFrameState ThemedFrameState(bool enabled, bool readOnly, bool mouseInside, bool focused);
