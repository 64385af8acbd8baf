#pragma once
// TMx3DCaption: the 3D look of a control's text (sunken, raised, shadowed, outlined or
// extruded), a change-notifying settings object. Layers() turns it into the list of text
// layers a renderer draws, one after another, with a transparent background.
#include "framework/Colors.h"
#include "maskedit/MxObject.h"

#include <cstdint>
#include <vector>

enum TMxThreeDStyle {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdShadow,
  tdOutline,
  tdExtrude,
  tdExtrudeEnh,
  tdPColorSunken,
  tdPColorRaised
};
enum TMxThreeDOrientation { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TMxDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };

// One layer: the text drawn at (DX, DY) from the rectangle's origin (offsets are already
// accumulated), in Color; an outline layer strokes the text's path with a pen PenWidth
// wide instead.
struct TMxTextLayer {
  int DX = 0, DY = 0;
  TColor Color = clBlack;
  bool Outline = false;
  int PenWidth = 0;
  bool operator==(const TMxTextLayer&) const = default;
};

struct TMxTextLayerPlan {
  std::vector<TMxTextLayer> Layers;
  int RightReduction = 0; // pixels taken off the rectangle's right edge
};

class TMx3DCaption : public TMxObject {
public:
  TMxThreeDStyle Style() const { return FStyle; }
  void SetStyle(TMxThreeDStyle v);
  std::uint8_t LightDepth() const { return FLightDepth; }
  void SetLightDepth(std::uint8_t v);
  std::uint8_t ShadowDepth() const { return FShadowDepth; }
  void SetShadowDepth(std::uint8_t v);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor v);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  TMxThreeDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TMxThreeDOrientation v);
  TMxDisabledStyle DisabledStyle() const { return FDisabledStyle; }
  void SetDisabledStyle(TMxDisabledStyle v);
  std::int32_t Tracing() const { return FTracing; }
  void SetTracing(std::int32_t v);

  // The layers for a text. textColor is the font colour (the brush colour for the
  // tdPColor styles), already replaced by the grey text colour when disabled. light and
  // shadow are the resolved light and shadow colours (RGB), needed for the extrude blend.
  // disabled3d: the text is disabled and is to be drawn sunken.
  TMxTextLayerPlan Layers(TColor textColor, TColor light, TColor shadow, bool disabled3d = false) const;

  // Extra offsets of the selection box for this style (a to the right, b below).
  void SelectionOffsets(int& a, int& b) const;

  void Assign(const TMx3DCaption& source);

private:
  template <class T>
  void Set(T& field, T value) {
    if (field != value) {
      field = value;
      Change();
    }
  }
  TMxThreeDStyle FStyle = tdNone;
  std::uint8_t FLightDepth = 1;
  std::uint8_t FShadowDepth = 1;
  TColor FLightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  TMxThreeDOrientation FOrientation = toTopLeft;
  TMxDisabledStyle FDisabledStyle = dsAuto;
  std::int32_t FTracing = 0;
};

// Per-channel blend of two RGB colours: from + (to - from) * num / den, rounded to nearest.
TColor MxBlendColor(TColor from, TColor to, int num, int den);
