#include "form/SkFrameGeometry.h"

#include "framework/Scale.h"

#include <algorithm>

namespace {

constexpr std::int32_t kCornerLength = 20;

bool Has(TSkBorderIcons icons, TSkBorderIcon icon) { return (icons & SkIcons(icon)) != 0; }

bool Inside(const TskRect& r, std::int32_t x, std::int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

std::uint8_t SkWindowKind(TSkBorderStyle style) {
  switch (style) {
  case kbsStandard: return 0;
  case kbsDialog: return 1;
  case kbsBorder: return 2;
  case kbsNone: return 4;
  case kbsToolWindow: return 6;
  }
  return 0;
}

std::uint16_t SkVisibleButtons(TSkBorderStyle style, TSkBorderIcons icons, TSkWindowState state) {
  if (style == kbsNone || style == kbsBorder) {
    return 0;
  }
  std::uint16_t bits = 0x1FFF;
  auto drop = [&](bool absent, std::uint16_t mask) {
    if (absent) {
      bits &= std::uint16_t(~mask);
    }
  };
  drop(!Has(icons, kbiSystemMenu), 1u << kwbIcon);
  drop(!Has(icons, kbiClose), 1u << kwbClose);
  drop(!Has(icons, kbiMaximize), (1u << kwbMaximize) | (1u << kwbRestore));
  drop(!Has(icons, kbiMinimize), (1u << kwbMinimize) | (1u << kwbRestoreMinimized));
  drop(!Has(icons, kbiTray), 1u << kwbTray);
  drop(!Has(icons, kbiRollup), (1u << kwbRollUp) | (1u << kwbRollDown));
  drop(!Has(icons, kbiHelp), 1u << kwbHelp);
  switch (state) {
  case kwsNormal: bits &= std::uint16_t(~0x150u); break;
  case kwsMaximized: bits &= std::uint16_t(~0x130u); break;
  case kwsMinimized: bits &= std::uint16_t(~0x148u); break;
  case kwsRollup: bits &= std::uint16_t(~0x090u); break;
  case kwsTray: break;
  }
  return bits;
}

TskPlatformHit SkPlatformHit(std::uint8_t code, bool moveable, bool sizeable, bool maximized) {
  const bool sizing = sizeable && !maximized;
  switch (code) {
  case khtCaption: return moveable ? TskPlatformHit::phCaption : TskPlatformHit::phClient;
  case khtLeft: return sizing ? TskPlatformHit::phLeft : TskPlatformHit::phClient;
  case khtTop: return sizing ? TskPlatformHit::phTop : TskPlatformHit::phClient;
  case khtRight: return sizing ? TskPlatformHit::phRight : TskPlatformHit::phClient;
  case khtBottom: return sizing ? TskPlatformHit::phBottom : TskPlatformHit::phClient;
  case khtTopLeft: return sizing ? TskPlatformHit::phTopLeft : TskPlatformHit::phClient;
  case khtTopRight: return sizing ? TskPlatformHit::phTopRight : TskPlatformHit::phClient;
  case khtBottomLeft: return sizing ? TskPlatformHit::phBottomLeft : TskPlatformHit::phClient;
  case khtBottomRight: return sizing ? TskPlatformHit::phBottomRight : TskPlatformHit::phClient;
  case khtClose: return TskPlatformHit::phClose;
  case khtHelp: return TskPlatformHit::phHelp;
  case khtMinimize: return TskPlatformHit::phMinimize;
  case khtMaximize: return TskPlatformHit::phMaximize;
  case khtSysMenu: return TskPlatformHit::phSysMenu;
  case khtRoll:
  case khtTray:
  case 6:
  case 18: return TskPlatformHit::phBorder;
  default: return TskPlatformHit::phClient;
  }
}

TskPoint SkClampTrackSize(TskPoint size, TskPoint minTrack, TskPoint maxTrack, TSkWindowState state) {
  if (maxTrack.X > 0) {
    size.X = std::min(size.X, maxTrack.X);
  }
  if (maxTrack.Y > 0) {
    size.Y = std::min(size.Y, maxTrack.Y);
  }
  if (state != kwsMinimized && state != kwsRollup) {
    size.X = std::max(size.X, minTrack.X);
    size.Y = std::max(size.Y, minTrack.Y);
  }
  return size;
}

TskFrameGeometry::TskFrameGeometry(const TskFrameState& state, const TskFrameMetrics& metrics,
                                   TskTheme* theme, const std::string& objectName, bool fallbackToDefault)
    : FState(state), FMetrics(metrics), FTheme(theme), FObject(objectName) {
  if (FTheme) {
    const std::uint8_t kind = WindowKind();
    if (FTheme->WindowAvailable(kind, FObject)) {
      FThemed = true;
    } else if (fallbackToDefault && FObject != "default" && FTheme->WindowAvailable(kind, "default")) {
      FObject = "default";
      FThemed = true;
    }
  }
}

std::uint8_t TskFrameGeometry::HitCodeOf(TSkBorderIcon icon) {
  switch (icon) {
  case kbiClose: return khtClose;
  case kbiSystemMenu: return khtSysMenu;
  case kbiMinimize: return khtMinimize;
  case kbiMaximize: return khtMaximize;
  case kbiHelp: return khtHelp;
  case kbiRollup: return khtRoll;
  case kbiTray: return khtTray;
  default: return khtNowhere;
  }
}

TskWindowInfo TskFrameGeometry::WindowInfo() const {
  TskWindowInfo info;
  info.Rect = {0, 0, FState.FrameWidth, FState.FrameHeight};
  info.State = FState.Active ? wsActive : 0;
  info.Buttons = SkVisibleButtons(FState.BorderStyle, FState.Icons, FState.WindowState);
  info.ClipRect = {-1, -1, -1, -1};
  info.Caption = FState.Caption;
  info.PixelsPerInch = FMetrics.PixelsPerInch;
  return info;
}

TskRect TskFrameGeometry::NativeClientArea() const {
  const TskRect w{0, 0, FState.FrameWidth, FState.FrameHeight};
  const std::int32_t b = FMetrics.BorderWidth;
  switch (FState.BorderStyle) {
  case kbsStandard:
  case kbsDialog: return {w.Left + b, w.Top + b + FMetrics.CaptionHeight, w.Right - b, w.Bottom - b};
  case kbsToolWindow: return {w.Left + b, w.Top + b + FMetrics.SmallCaptionHeight, w.Right - b, w.Bottom - b};
  case kbsNone:
  case kbsBorder: break;
  }
  return w;
}

TskRect TskFrameGeometry::ClientArea() const {
  if (FThemed) {
    return FTheme->WindowClientRect(WindowKind(), WindowInfo(), FObject);
  }
  return NativeClientArea();
}

TskRect TskFrameGeometry::CaptionRect() const {
  if (FThemed) {
    return FTheme->WindowCaptionRect(WindowKind(), WindowInfo(), FObject);
  }
  const TskRect c = NativeClientArea();
  if (c.Top <= 0) {
    return kSkNoRect;
  }
  TskRect r{c.Left, FMetrics.BorderWidth, c.Right, c.Top};
  const TskRect icon = NativeButtonRect(kbiSystemMenu);
  if (!IsRectEmpty(icon)) {
    r.Left = icon.Right;
  }
  for (TSkBorderIcon i : {kbiClose, kbiMaximize, kbiMinimize, kbiRollup, kbiTray, kbiHelp}) {
    const TskRect b = NativeButtonRect(i);
    if (!IsRectEmpty(b) && b.Left < r.Right) {
      r.Right = b.Left;
    }
  }
  return r;
}

TskRect TskFrameGeometry::NativeButtonRect(TSkBorderIcon icon) const {
  if (!Has(FState.Icons, icon) || FState.BorderStyle == kbsNone || FState.BorderStyle == kbsBorder) {
    return kSkNoRect;
  }
  const TskRect c = NativeClientArea();
  const bool styles = FMetrics.VisualStyles;
  const std::int32_t stripTop = FMetrics.BorderWidth + 1 - (styles ? 1 : 0);
  const std::int32_t stripHeight = c.Top - stripTop;
  if (stripHeight <= 4) {
    return kSkNoRect;
  }
  if (icon == kbiSystemMenu) {
    return {c.Left, stripTop, c.Left + stripHeight, c.Top};
  }
  const std::int32_t width = styles ? stripHeight - 4 : stripHeight - 2;
  const std::int32_t height = stripHeight - 4;
  const std::int32_t top = stripTop + 2;
  const std::int32_t gap = styles ? 2 : 0;
  const bool minimized = FState.WindowState == kwsMinimized;
  const bool rolled = FState.WindowState == kwsRollup;
  const bool tool = FState.BorderStyle == kbsToolWindow;
  std::int32_t x = c.Right - width - 2 + (tool && styles ? 2 : 0);
  auto at = [&](std::int32_t left) { return TskRect{left, top, left + width, top + height}; };

  if (Has(FState.Icons, kbiClose)) {
    if (icon == kbiClose) {
      return at(x);
    }
    x -= width + gap + 2;
  }
  if (tool) {
    return kSkNoRect;
  }
  if (Has(FState.Icons, kbiMaximize) && !minimized) {
    if (icon == kbiMaximize) {
      return at(x);
    }
    x -= width + gap;
  }
  if (Has(FState.Icons, kbiMinimize)) {
    if (icon == kbiMinimize) {
      return at(x);
    }
    x -= width + gap;
  }
  if (styles) {
    // The visual style has no parts for the remaining buttons.
    return kSkNoRect;
  }
  if (Has(FState.Icons, kbiRollup) && !minimized) {
    x -= 2;
    if (icon == kbiRollup) {
      return at(x);
    }
    x -= width + gap;
  }
  if (Has(FState.Icons, kbiTray) && !minimized) {
    if (icon == kbiTray) {
      return at(x);
    }
    x -= width + gap;
  }
  if (icon == kbiHelp && !minimized && !rolled) {
    return at(x - 2);
  }
  return kSkNoRect;
}

TskRect TskFrameGeometry::ButtonRect(TSkBorderIcon icon) const {
  if (!Has(FState.Icons, icon)) {
    return kSkNoRect;
  }
  if (FThemed) {
    return FTheme->WindowButtonRect(WindowKind(), WindowInfo(), FObject, ButtonKind(icon));
  }
  return NativeButtonRect(icon);
}

std::uint8_t TskFrameGeometry::ButtonKind(TSkBorderIcon icon) const {
  switch (icon) {
  case kbiSystemMenu: return kwbIcon;
  case kbiClose: return kwbClose;
  case kbiHelp: return kwbHelp;
  case kbiMinimize: return FState.WindowState == kwsMinimized ? kwbRestoreMinimized : kwbMinimize;
  case kbiMaximize: return FState.WindowState == kwsMaximized ? kwbRestore : kwbMaximize;
  case kbiRollup: return FState.WindowState == kwsRollup ? kwbRollDown : kwbRollUp;
  case kbiTray: return kwbTray;
  default: return kwbIcon;
  }
}

std::uint8_t TskFrameGeometry::ButtonState(TSkBorderIcon icon) const {
  if (!FState.Active) {
    return 3;
  }
  const std::uint8_t code = HitCodeOf(icon);
  if (FState.LeftButtonHeld && FState.PressedCode == code && FState.HotCode == code) {
    return bsPressed;
  }
  if (FState.HotCode == code && !FState.InDrag) {
    return bsHot;
  }
  return bsNormal;
}

std::uint8_t TskFrameGeometry::NativeHitTest(std::int32_t x, std::int32_t y) const {
  const TskRect c = NativeClientArea();
  const std::int32_t fw = FState.FrameWidth, fh = FState.FrameHeight;
  std::uint8_t code = khtNowhere;
  if (y < c.Top && x < fw) {
    code = khtCaption;
  }
  for (TSkBorderIcon icon :
       {kbiSystemMenu, kbiClose, kbiMinimize, kbiMaximize, kbiHelp, kbiRollup, kbiTray}) {
    if (Inside(NativeButtonRect(icon), x, y)) {
      code = HitCodeOf(icon);
    }
  }
  if (FState.WindowState == kwsMaximized || FState.WindowState == kwsMinimized ||
      FState.WindowState == kwsRollup) {
    return code;
  }
  const std::int32_t caption =
      FState.BorderStyle == kbsToolWindow ? FMetrics.SmallCaptionHeight : FMetrics.CaptionHeight;
  const std::int32_t corner =
      TScale(TScale::kDesignPixelsPerInch, FMetrics.PixelsPerInch).Apply(kCornerLength);
  auto byX = [&](std::uint8_t first, std::uint8_t last, std::uint8_t middle) {
    return x < corner ? first : x > fw - corner ? last : middle;
  };
  auto byY = [&](std::uint8_t first, std::uint8_t last, std::uint8_t middle) {
    return y < corner ? first : y > fh - corner ? last : middle;
  };
  if (y < c.Top - caption) {
    code = byX(khtTopLeft, khtTopRight, khtTop);
  }
  if (y >= c.Bottom && y < fh) {
    code = byX(khtBottomLeft, khtBottomRight, khtBottom);
  }
  if (x < c.Left) {
    code = byY(khtTopLeft, khtBottomLeft, khtLeft);
  }
  if (x >= c.Right && x < fw) {
    code = byY(khtTopRight, khtBottomRight, khtRight);
  }
  return code;
}

std::uint8_t TskFrameGeometry::HitTest(std::int32_t x, std::int32_t y) const {
  if (FThemed) {
    return FTheme->WindowHitTest(WindowKind(), WindowInfo(), FObject, x, y);
  }
  return NativeHitTest(x, y);
}

TskPoint TskFrameGeometry::MinTrackSize() const {
  TskPoint min{150, 40};
  if (FThemed) {
    const TskRect c = ClientArea();
    min = {100, FState.FrameHeight + FState.ShadowSize - (c.Bottom - c.Top)};
  }
  const TskSizeConstraints& k = FState.Constraints;
  if (k.MinWidth > 0) {
    min.X = k.MinWidth;
  }
  if (k.MinHeight > 0 && (!FThemed || k.MinHeight > min.Y)) {
    min.Y = k.MinHeight;
  }
  return min;
}

TskPoint TskFrameGeometry::MaxTrackSize(const TskRect& maximizedBounds) const {
  TskPoint max{maximizedBounds.Right - maximizedBounds.Left, maximizedBounds.Bottom - maximizedBounds.Top};
  const TskSizeConstraints& k = FState.Constraints;
  if (k.MaxWidth > 0) {
    max.X = k.MaxWidth;
  }
  if (k.MaxHeight > 0) {
    max.Y = k.MaxHeight;
  }
  return max;
}

std::vector<TskRect> TskFrameGeometry::Region() const {
  if (FThemed) {
    return FTheme->WindowRegion(WindowKind(), WindowInfo(), FObject);
  }
  return {};
}
