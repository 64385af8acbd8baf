#pragma once
// ISkThemeClient: something the theme manager tells about theme changes (skinned forms,
// themed controls, engine components). The platform layer adapts real windows, which get
// the notification as message kSkThemeMessage.
#include <cstdint>

// The notification message number and its codes (the message's WParam; LParam 0 unless noted).
inline constexpr std::uint32_t kSkThemeMessage = 0x0800;
enum TskThemeNotify : std::uint32_t {
  tnReplaced = 0,     // a new current theme replaced a previous one (already freed)
  tnChanging = 1,     // the current theme is about to change
  tnChanged = 2,      // the change is complete
  tnFirst = 3,        // a theme became current where there was none (also sent on registration)
  tnRemoved = 4,      // the current theme was removed
  tnColorsChanged = 5 // colours changed: LParam 1 for a hue or brightness shift, 0 for the platform
};

class ISkThemeClient {
public:
  virtual ~ISkThemeClient() = default;
  virtual void ThemeNotify(std::uint32_t code, std::intptr_t param) = 0;
  // Colour changes reach a control only while it is visible.
  virtual bool WantsColorChanges() const = 0;
};
