#pragma once
// TskFrameGeometry: where a skinned form's frame parts are and what a point of the window is.
// Everything is in window coordinates (0, 0 is the window's top-left corner) and is a pure
// function of the frame's state, the platform's metrics and, for a themed frame, the theme.
// A theme that does not define the form object leaves the native geometry in force.
#include "form/SkFormTypes.h"
#include "theme/SkTheme.h"

#include <cstdint>
#include <string>

// The platform's frame metrics (sizing-frame width, caption heights) and whether a visual
// style draws the native frame.
struct TskFrameMetrics {
  std::int32_t BorderWidth = 4;
  std::int32_t CaptionHeight = 18;
  std::int32_t SmallCaptionHeight = 15;
  bool VisualStyles = false;
  // The density the metrics are for; a theme's frame and the sizing corners scale to it.
  std::int32_t PixelsPerInch = 96;
};

// What the geometry depends on.
struct TskFrameState {
  TSkBorderStyle BorderStyle = kbsStandard;
  TSkBorderIcons Icons = kSkDefaultBorderIcons;
  TSkWindowState WindowState = kwsNormal;
  std::int32_t FrameWidth = 0;
  std::int32_t FrameHeight = 0;
  bool Active = true;
  std::wstring Caption;
  // Mouse state for button drawing.
  std::uint8_t HotCode = 0;
  std::uint8_t PressedCode = 0;
  bool LeftButtonHeld = false;
  bool InDrag = false;
  // Dragging options.
  bool Sizeable = true;
  bool Moveable = true;
  // The drop shadow's width beside the frame (the window is that much wider and higher).
  std::int32_t ShadowSize = 0;
  TskSizeConstraints Constraints;
};

// What the platform is told a hit code means.
enum class TskPlatformHit : std::uint8_t {
  phClient,
  phCaption,
  phLeft,
  phTop,
  phRight,
  phBottom,
  phTopLeft,
  phTopRight,
  phBottomLeft,
  phBottomRight,
  phClose,
  phHelp,
  phMinimize,
  phMaximize,
  phSysMenu,
  phBorder
};

// The theme's window kind for a border style.
std::uint8_t SkWindowKind(TSkBorderStyle style);
// The theme's visible-button bits for the icons, style and window state.
std::uint16_t SkVisibleButtons(TSkBorderStyle style, TSkBorderIcons icons, TSkWindowState state);
// What a hit code answers the platform.
TskPlatformHit SkPlatformHit(std::uint8_t code, bool moveable, bool sizeable, bool maximized);
// A proposed window size held to the track sizes: capped by a non-zero maximum, and raised to
// the minimum unless only the frame is to be left (minimised or rolled up).
TskPoint SkClampTrackSize(TskPoint size, TskPoint minTrack, TskPoint maxTrack, TSkWindowState state);

class TskFrameGeometry {
public:
  // theme may be null (the native frame); objectName is the form object looked up in it. With
  // fallbackToDefault a theme that lacks the object is asked for "default" as well (a theme
  // chosen through a link answers alone).
  TskFrameGeometry(const TskFrameState& state, const TskFrameMetrics& metrics, TskTheme* theme,
                   const std::string& objectName, bool fallbackToDefault = true);

  // Whether the theme defines the form object (or "default" when it may fall back to it).
  bool Themed() const { return FThemed; }
  std::uint8_t WindowKind() const { return SkWindowKind(FState.BorderStyle); }
  TskWindowInfo WindowInfo() const;

  TskRect ClientArea() const;
  // Empty when the icon is not shown or has no place.
  TskRect ButtonRect(TSkBorderIcon icon) const;
  TskRect CaptionRect() const;
  std::uint8_t HitTest(std::int32_t x, std::int32_t y) const;
  // The theme's button kind and state for an icon.
  std::uint8_t ButtonKind(TSkBorderIcon icon) const;
  std::uint8_t ButtonState(TSkBorderIcon icon) const;
  // The smallest window (shadow included) the frame allows: natively 150 x 40, themed 100 wide
  // and as high as everything that is not client area. A non-zero minimum width of the
  // constraints takes the width's place; a non-zero minimum height the height's (themed,
  // only when it is larger).
  TskPoint MinTrackSize() const;
  // The largest window: the size of the maximised bounds, with each non-zero maximum of the
  // constraints in its side's place.
  TskPoint MaxTrackSize(const TskRect& maximizedBounds) const;
  // Rectangles whose union is the window's shape; empty for the plain rectangle.
  std::vector<TskRect> Region() const;
  const std::string& ObjectName() const { return FObject; }
  TskTheme* Theme() const { return FThemed ? FTheme : nullptr; }

  static std::uint8_t HitCodeOf(TSkBorderIcon icon);

private:
  TskRect NativeClientArea() const;
  TskRect NativeButtonRect(TSkBorderIcon icon) const;
  std::uint8_t NativeHitTest(std::int32_t x, std::int32_t y) const;

  TskFrameState FState;
  TskFrameMetrics FMetrics;
  TskTheme* FTheme;
  std::string FObject;
  bool FThemed = false;
};
