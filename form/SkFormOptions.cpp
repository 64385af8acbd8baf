#include "form/SkFormOptions.h"

#include <algorithm>
#include <cstdlib>

void TSkGravitation::SetSize(std::int32_t size) { FSize = std::clamp<std::int32_t>(size, 1, 50); }

TSkFormDragMode TSkDragging::EffectiveMode(bool systemDragsFullWindows) const {
  if (FDragMode == kfdmSystemSettings) {
    return systemDragsFullWindows ? kfdmFullDrag : kfdmBorder;
  }
  return FDragMode;
}

void TSkFontOptions::ApplyTo(TskFontDesc& font) const {
  if (FBold) {
    font.Style |= fsBold;
  }
  if (FItalic) {
    font.Style |= fsItalic;
  }
  if (FUnderline) {
    font.Style |= fsUnderline;
  }
  if (FStrikeOut) {
    font.Style |= fsStrikeOut;
  }
  font.Size += FSizeDelta;
  if (!FFontName.empty()) {
    font.Name = FFontName;
  }
  if (FFontColor != kNoColor) {
    font.Color = FFontColor;
  }
}

void TSkFontOptions::Assign(const TSkFontOptions& other) {
  const TSkChangeHandler handler = OnChange;
  *this = other;
  OnChange = handler;
  if (OnChange) {
    OnChange();
  }
}

TskRect SkGravitate(const TskRect& proposed, const TskRect& area, const TSkGravitation& gravitation,
                    std::int32_t shadowSize) {
  if (!gravitation.Enabled()) {
    return proposed;
  }
  const std::int32_t size = gravitation.Size();
  TskRect tested = proposed;
  tested.Right -= shadowSize;
  tested.Bottom -= shadowSize;
  std::int32_t dx = 0, dy = 0;
  if (std::abs(tested.Left - area.Left) < size) {
    dx = area.Left - tested.Left;
  } else if (std::abs(tested.Right - area.Right) < size) {
    dx = area.Right - tested.Right;
  }
  if (std::abs(tested.Top - area.Top) < size) {
    dy = area.Top - tested.Top;
  } else if (std::abs(tested.Bottom - area.Bottom) < size) {
    dy = area.Bottom - tested.Bottom;
  }
  return {proposed.Left + dx, proposed.Top + dy, proposed.Right + dx, proposed.Bottom + dy};
}

std::int32_t SkShadowOpacity(std::int32_t distanceFromOuterEdge) {
  static constexpr std::int32_t kTaper[] = {8, 58, 108};
  return distanceFromOuterEdge >= 0 && distanceFromOuterEdge < 3 ? kTaper[distanceFromOuterEdge] : 128;
}

std::int32_t SkShadowOpacity(std::int32_t distanceFromOneEdge, std::int32_t distanceFromOtherEdge) {
  const std::int32_t d = std::min(distanceFromOneEdge, distanceFromOtherEdge);
  // Each step of the taper fills a part one pixel smaller on both tapered sides, except its
  // corner pixel, which keeps the step before's opacity.
  if (distanceFromOneEdge == distanceFromOtherEdge && d >= 1 && d <= 3) {
    return SkShadowOpacity(d - 1);
  }
  return SkShadowOpacity(d);
}
