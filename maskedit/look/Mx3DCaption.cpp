#include "maskedit/look/Mx3DCaption.h"

void TMx3DCaption::SetStyle(TMxThreeDStyle v) { Set(FStyle, v); }
void TMx3DCaption::SetLightDepth(std::uint8_t v) { Set(FLightDepth, v); }
void TMx3DCaption::SetShadowDepth(std::uint8_t v) { Set(FShadowDepth, v); }
void TMx3DCaption::SetLightColor(TColor v) { Set(FLightColor, v); }
void TMx3DCaption::SetShadowColor(TColor v) { Set(FShadowColor, v); }
void TMx3DCaption::SetOrientation(TMxThreeDOrientation v) { Set(FOrientation, v); }
void TMx3DCaption::SetDisabledStyle(TMxDisabledStyle v) { Set(FDisabledStyle, v); }
void TMx3DCaption::SetTracing(std::int32_t v) { Set(FTracing, v); }

void TMx3DCaption::Assign(const TMx3DCaption& source) {
  BeginUpdate();
  FStyle = source.FStyle;
  FLightDepth = source.FLightDepth;
  FShadowDepth = source.FShadowDepth;
  FLightColor = source.FLightColor;
  FShadowColor = source.FShadowColor;
  FOrientation = source.FOrientation;
  FDisabledStyle = source.FDisabledStyle;
  FTracing = source.FTracing;
  EndUpdate(true);
}

TColor MxBlendColor(TColor from, TColor to, int num, int den) {
  if (den <= 0) {
    return from;
  }
  TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((from >> shift) & 0xFF);
    const int b = static_cast<int>((to >> shift) & 0xFF);
    const int d = (b - a) * num;
    const int v = a + (d >= 0 ? (d + den / 2) / den : -((-d + den / 2) / den));
    result |= static_cast<TColor>(v & 0xFF) << shift;
  }
  return result;
}

void TMx3DCaption::SelectionOffsets(int& a, int& b) const {
  a = 0;
  b = 0;
  const int l = FLightDepth, s = FShadowDepth;
  switch (FStyle) {
  case tdSunken: b = l; break;
  case tdRaised: a = l; break;
  case tdSunkenShadow:
    a = s;
    b = l;
    break;
  case tdRaisedShadow:
  case tdExtrudeEnh:
    a = l;
    b = s;
    break;
  case tdExtrude: a = s; break;
  default: break;
  }
}

TMxTextLayerPlan TMx3DCaption::Layers(TColor text, TColor light, TColor shadow, bool disabled3d) const {
  TMxTextLayerPlan plan;
  const int l = FLightDepth, s = FShadowDepth;
  int x = 0, y = 0;
  auto layer = [&](int dx, int dy, TColor c) {
    x += dx;
    y += dy;
    plan.Layers.push_back({x, y, c});
  };
  const TMxThreeDStyle style = disabled3d ? tdSunken : FStyle;
  switch (style) {
  case tdSunken:
    layer(l, l, FLightColor);
    layer(-l, -l, text);
    plan.RightReduction = l;
    break;
  case tdRaised:
    layer(0, 0, FLightColor);
    layer(l, l, text);
    plan.RightReduction = l;
    break;
  case tdSunkenShadow:
  case tdPColorSunken:
    layer(0, 0, FShadowColor);
    layer(l + s, l + s, FLightColor);
    layer(-l, -l, text);
    plan.RightReduction = l + s;
    break;
  case tdRaisedShadow:
  case tdPColorRaised:
    layer(l + s, l + s, FShadowColor);
    layer(-(l + s), -(l + s), FLightColor);
    layer(l, l, text);
    plan.RightReduction = l + s;
    break;
  case tdShadow:
    layer(s, s, FShadowColor);
    layer(-s, -s, text);
    plan.RightReduction = s;
    break;
  case tdOutline: plan.Layers.push_back({s / 2, s / 2, text, true, s}); break;
  case tdExtrude:
  case tdExtrudeEnh: {
    int sx = 0, sy = 0, stepX = 1, stepY = 1;
    switch (FOrientation) {
    case toBottomLeft:
      sx = 0;
      sy = s + 1;
      stepX = 1;
      stepY = -1;
      break;
    case toBottomRight:
      sx = s + 1;
      sy = s + 1;
      stepX = -1;
      stepY = -1;
      break;
    case toTopLeft:
      sx = 0;
      sy = 0;
      stepX = 1;
      stepY = 1;
      break;
    case toTopRight:
      sx = s + 1;
      sy = 0;
      stepX = -1;
      stepY = 1;
      break;
    }
    for (int k = 1; k <= s; ++k) {
      // The farthest layer is nearest the light colour; the one under the text is the shadow.
      const TColor c = style == tdExtrudeEnh ? MxBlendColor(shadow, light, s - k, s) : FShadowColor;
      plan.Layers.push_back({sx + k * stepX, sy + k * stepY, c});
    }
    plan.Layers.push_back({sx + s * stepX, sy + s * stepY, text});
    break;
  }
  default: plan.Layers.push_back({0, 0, text}); break;
  }
  return plan;
}
