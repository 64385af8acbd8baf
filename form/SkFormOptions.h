#pragma once
// The skinned form's option objects: snapping to the edges of the work area, how the mouse
// moves and sizes the window, and font adjustments. The translucent frame, the drop shadow and
// the bundle of both with the show animation are shared with popup menus
// (menus/SkPopupMenuOptions.h). Writing a value clamps it as each setter says and, where a
// change handler is set, calls it after a change.
#include "form/SkFormTypes.h"
#include "menus/SkPopupMenuOptions.h"
#include "theme/SkRect.h"
#include "theme/records/SkFontDesc.h"

#include <cstdint>
#include <functional>
#include <string>

class TSkGravitation {
public:
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  // Snapping distance in pixels, 1..50 (clamped).
  std::int32_t Size() const { return FSize; }
  void SetSize(std::int32_t size);
  void Assign(const TSkGravitation& other) { *this = other; }

private:
  bool FEnabled = true;
  std::int32_t FSize = 20;
};

class TSkDragging {
public:
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool v) { FSizeable = v; }
  bool Moveable() const { return FMoveable; }
  void SetMoveable(bool v) { FMoveable = v; }
  TSkFormDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TSkFormDragMode mode) { FDragMode = mode; }
  // The mode a drag uses: the system setting resolved to outline or live.
  TSkFormDragMode EffectiveMode(bool systemDragsFullWindows) const;
  void Assign(const TSkDragging& other) { *this = other; }

private:
  bool FSizeable = true;
  bool FMoveable = true;
  TSkFormDragMode FDragMode = kfdmFullDrag;
};

class TSkFontOptions {
public:
  static constexpr TColor kNoColor = 0x1FFFFFFF;
  bool Bold() const { return FBold; }
  void SetBold(bool v) { Set(FBold, v); }
  bool Italic() const { return FItalic; }
  void SetItalic(bool v) { Set(FItalic, v); }
  bool Underline() const { return FUnderline; }
  void SetUnderline(bool v) { Set(FUnderline, v); }
  bool StrikeOut() const { return FStrikeOut; }
  void SetStrikeOut(bool v) { Set(FStrikeOut, v); }
  std::int32_t SizeDelta() const { return FSizeDelta; }
  void SetSizeDelta(std::int32_t v) { Set(FSizeDelta, v); }
  const std::string& FontName() const { return FFontName; }
  void SetFontName(const std::string& v) { Set(FFontName, v); }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor v) { Set(FFontColor, v); }
  // Adds the styles that are on (never removes one), the size delta, the name and colour when
  // they are set.
  void ApplyTo(TskFontDesc& font) const;
  void Assign(const TSkFontOptions& other);
  TSkChangeHandler OnChange;

private:
  template <class T>
  void Set(T& field, const T& value) {
    if (field != value) {
      field = value;
      if (OnChange) {
        OnChange();
      }
    }
  }
  bool FBold = false, FItalic = false, FUnderline = false, FStrikeOut = false;
  std::int32_t FSizeDelta = 0;
  std::string FFontName;
  TColor FFontColor = kNoColor;
};

// The proposed bounds snapped to the edges of area: left before right, top before bottom, each
// when closer than the gravitation size. With a shadow the right and bottom edges are tested
// without it.
TskRect SkGravitate(const TskRect& proposed, const TskRect& area, const TSkGravitation& gravitation,
                    std::int32_t shadowSize = 0);

// The shadow's opacity at a distance (in pixels) from its tapered outer edge: 8, 58, 108, then
// 128 inside.
std::int32_t SkShadowOpacity(std::int32_t distanceFromOuterEdge);
// The same for a pixel of a part tapered on two sides, at its distances from both: the one
// pixel on the corner's diagonal at each step of the taper keeps the opacity of the step
// before (8, 8, 58, 108, then 128 along the diagonal).
std::int32_t SkShadowOpacity(std::int32_t distanceFromOneEdge, std::int32_t distanceFromOtherEdge);
