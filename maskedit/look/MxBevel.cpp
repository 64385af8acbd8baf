#include "maskedit/look/MxBevel.h"

namespace {

bool IsFrameStyle(TMxBevelStyle s) {
  return s == TMxBevelStyle::bvFrameLowered || s == TMxBevelStyle::bvFrameRaised;
}

int StandardWidth(TMxBorderStyle s) {
  switch (s) {
  case TMxBorderStyle::lsNone: return 0;
  case TMxBorderStyle::lsSingle:
  case TMxBorderStyle::lsSingleRaised:
  case TMxBorderStyle::lsSingleLowered: return 1;
  default: return 2;
  }
}

TMxRect Inset(TMxRect r, int n) { return {r.Left + n, r.Top + n, r.Right - n, r.Bottom - n}; }

} // namespace

TMxBevel::TMxBevel(std::int32_t owner) : TMxObject(owner) { Recalc(); }

void TMxBevel::Recalc() {
  FExt = CalcExt();
  FExtr = (FMode == TMxBevelMode::bmCustom && FStyleInner == TMxBevelStyle::bvShadow)
              ? FWidthInner + FWidthOuter + FBorderInnerWidth
              : FExt;
}

void TMxBevel::Change() {
  Recalc();
  TMxObject::Change();
}

int TMxBevel::CalcExt() const {
  switch (FMode) {
  case TMxBevelMode::bmCustom: {
    if (FStyleInner == TMxBevelStyle::bvShadow) {
      return FWidthInner + FBorderInnerWidth;
    }
    int ext = FBorderWidth + FBorderInnerWidth;
    if (FStyleOuter != TMxBevelStyle::bvNone || FStyleInner != TMxBevelStyle::bvNone) {
      if (FStyleOuter != TMxBevelStyle::bvNone) {
        ext += FWidthOuter + (IsFrameStyle(FStyleOuter) ? 1 : 0);
      }
      if (FStyleInner != TMxBevelStyle::bvNone) {
        ext += FWidthInner + (IsFrameStyle(FStyleInner) ? 1 : 0);
      }
    }
    return ext;
  }
  case TMxBevelMode::bmStandard: return StandardWidth(FStandardStyle) + FBorderInnerWidth;
  case TMxBevelMode::bmEdge: return (FBorderSides != 0 ? 2 : 0) + FBorderInnerWidth;
  case TMxBevelMode::bmWindows: return FSupport ? 0 : FBorderInnerWidth + 2;
  }
  return 0;
}

#define MX_BEVEL_SETTER(Name, Type, Field)                                                                   \
  void TMxBevel::Set##Name(Type v) {                                                                         \
    if (Field == v)                                                                                          \
      return;                                                                                                \
    Field = v;                                                                                               \
    Change();                                                                                                \
  }

MX_BEVEL_SETTER(WidthInner, std::uint8_t, FWidthInner)
MX_BEVEL_SETTER(WidthOuter, std::uint8_t, FWidthOuter)
MX_BEVEL_SETTER(BorderColor, TColor, FBorderColor)
MX_BEVEL_SETTER(BorderSides, std::uint8_t, FBorderSides)
MX_BEVEL_SETTER(BorderWidth, std::uint8_t, FBorderWidth)
MX_BEVEL_SETTER(BorderInnerWidth, std::uint8_t, FBorderInnerWidth)
MX_BEVEL_SETTER(EdgeStyle, TMxEdgeStyle, FEdgeStyle)
MX_BEVEL_SETTER(LightColor, TColor, FLightColor)
MX_BEVEL_SETTER(Mode, TMxBevelMode, FMode)
MX_BEVEL_SETTER(ShadowColor, TColor, FShadowColor)
MX_BEVEL_SETTER(Support, bool, FSupport)
#undef MX_BEVEL_SETTER

void TMxBevel::SetStyleInner(TMxBevelStyle v) {
  if (FStyleInner == v) {
    return;
  }
  bool wasShadow = FStyleInner == TMxBevelStyle::bvShadow;
  FStyleInner = v;
  if (v == TMxBevelStyle::bvShadow) {
    FStyleOuter = TMxBevelStyle::bvShadow;
  } else if (wasShadow) {
    FStyleOuter = TMxBevelStyle::bvNone;
  }
  Change();
}

void TMxBevel::SetStyleOuter(TMxBevelStyle v) {
  if (FStyleOuter == v) {
    return;
  }
  bool wasShadow = FStyleOuter == TMxBevelStyle::bvShadow;
  FStyleOuter = v;
  if (v == TMxBevelStyle::bvShadow) {
    FStyleInner = TMxBevelStyle::bvShadow;
  } else if (wasShadow) {
    FStyleInner = TMxBevelStyle::bvNone;
  }
  Change();
}

void TMxBevel::SetStandardStyle(TMxBorderStyle v) {
  if (FStandardStyle == v) {
    return;
  }
  FStandardStyle = v;
  if (FMode == TMxBevelMode::bmStandard) {
    Change();
  } else {
    Recalc();
  }
}

void TMxBevel::Assign(const TMxBevel& source) {
  FStyleInner = source.FStyleInner;
  FStyleOuter = source.FStyleOuter;
  FWidthInner = source.FWidthInner;
  FWidthOuter = source.FWidthOuter;
  FBorderColor = source.FBorderColor;
  FBorderSides = source.FBorderSides;
  FBorderWidth = source.FBorderWidth;
  FBorderInnerWidth = source.FBorderInnerWidth;
  FEdgeStyle = source.FEdgeStyle;
  FLightColor = source.FLightColor;
  FMode = source.FMode;
  FShadowColor = source.FShadowColor;
  FStandardStyle = source.FStandardStyle;
  FSupport = source.FSupport;
  Change();
}

std::string TMxBevel::DisplayText() const {
  switch (FMode) {
  case TMxBevelMode::bmCustom: return "{Custom}";
  case TMxBevelMode::bmStandard: return "{Standard}";
  case TMxBevelMode::bmEdge: return "{Edge}";
  case TMxBevelMode::bmWindows: return "{Windows}";
  }
  return {};
}

TMxRect TMxBevel::BevelClientRect(const TMxRect& rect) const {
  if (FMode == TMxBevelMode::bmCustom && FStyleInner == TMxBevelStyle::bvShadow) {
    int lt = FWidthInner + FBorderInnerWidth;
    int rb = FWidthInner + FWidthOuter + FBorderInnerWidth;
    return {rect.Left + lt, rect.Top + lt, rect.Right - rb, rect.Bottom - rb};
  }
  return Inset(rect, FExt);
}

TMxRect TMxBevel::PaintRing(IMxBevelCanvas& canvas, TMxRect r, int width, bool transparent) const {
  for (int i = 0; i < width; ++i) {
    if (!transparent) {
      canvas.FrameRect(r, FBorderColor);
    }
    r = Inset(r, 1);
  }
  return r;
}

TMxRect TMxBevel::PaintOne(IMxBevelCanvas& canvas, TMxRect r, TMxBevelStyle style, int w) const {
  if (style == TMxBevelStyle::bvNone || style == TMxBevelStyle::bvShadow || w == 0) {
    return r;
  }
  TColor topLeft = FShadowColor;
  TColor bottomRight = FLightColor;
  switch (style) {
  case TMxBevelStyle::bvSpace: return Inset(r, w);
  case TMxBevelStyle::bvRaised:
    topLeft = FLightColor;
    bottomRight = FShadowColor;
    break;
  case TMxBevelStyle::bvNormal: topLeft = bottomRight = clBlack; break;
  case TMxBevelStyle::bvFrameLowered:
  case TMxBevelStyle::bvFrameRaised: {
    TColor first = style == TMxBevelStyle::bvFrameLowered ? FLightColor : FShadowColor;
    TColor second = style == TMxBevelStyle::bvFrameLowered ? FShadowColor : FLightColor;
    for (int k = 0; k < w; ++k) {
      canvas.FrameRect({r.Left + k + 1, r.Top + k + 1, r.Right, r.Bottom}, first);
      canvas.FrameRect({r.Left, r.Top, r.Right - k - 1, r.Bottom - k - 1}, second);
    }
    return Inset(r, w + 1);
  }
  default: break;
  }
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  if (w == 1) {
    canvas.Polyline({{R - 1, T}, {R - 1, B - 1}, {L - 1, B - 1}}, bottomRight);
    canvas.Polyline({{L, B - 2}, {L, T}, {R - 1, T}}, topLeft);
  } else {
    // Polygons are outlined through their vertices, so the vertices lie on the last pixel
    // of each band: the bands are w pixels deep and stay inside [L, R) x [T, B).
    const int r1 = R - 1, b1 = B - 1;
    canvas.Polygon({{r1, T}, {r1, b1}, {L, b1}, {L + w - 1, B - w}, {R - w, B - w}, {R - w, T + w - 1}},
                   bottomRight);
    canvas.Polygon({{L, T}, {r1, T}, {R - w, T + w - 1}, {L + w - 1, T + w - 1}, {L + w - 1, B - w}, {L, b1}},
                   topLeft);
  }
  return Inset(r, w);
}

TMxRect TMxBevel::PaintStandard(IMxBevelCanvas& canvas, TMxRect r, TMxBorderStyle style) const {
  using namespace MxEdge;
  constexpr unsigned all = MxSide::All | MxSide::Adjust;
  switch (style) {
  case TMxBorderStyle::lsNone: break;
  case TMxBorderStyle::lsSingle:
    canvas.DrawEdge(r, SunkenOuter, MxSide::Top | MxSide::Left | MxSide::Soft | MxSide::Adjust);
    canvas.DrawEdge(r, RaisedOuter, MxSide::Right | MxSide::Bottom);
    break;
  case TMxBorderStyle::lsLowered: canvas.DrawEdge(r, Sunken, all | MxSide::Soft); break;
  case TMxBorderStyle::lsRaised: canvas.DrawEdge(r, Raised, all | MxSide::Soft); break;
  case TMxBorderStyle::lsRaisedspb:
  case TMxBorderStyle::lsRaisedExt:
    canvas.DrawEdge(r, RaisedOuter, all | MxSide::Soft);
    canvas.DrawEdge(r, RaisedInner, MxSide::Right | MxSide::Bottom | MxSide::Adjust);
    if (style == TMxBorderStyle::lsRaisedExt) {
      ++r.Left;
      ++r.Top;
    }
    break;
  case TMxBorderStyle::lsLoweredspb:
  case TMxBorderStyle::lsLoweredExt:
    canvas.DrawEdge(r, SunkenOuter, all);
    canvas.DrawEdge(r, SunkenInner, MxSide::Left | MxSide::Top | MxSide::Adjust);
    if (style == TMxBorderStyle::lsLoweredExt) {
      --r.Right;
      --r.Bottom;
    }
    break;
  case TMxBorderStyle::lsFrameInset: canvas.DrawEdge(r, Etched, all); break;
  case TMxBorderStyle::lsFrameOffset:
    canvas.DrawEdge(r, RaisedInner, all);
    canvas.DrawEdge(r, SunkenOuter, all);
    break;
  case TMxBorderStyle::lsWindowBorder:
    canvas.DrawEdge(r, RaisedOuter, MxSide::Right | MxSide::Bottom | MxSide::Adjust);
    ++r.Left;
    ++r.Top;
    canvas.DrawEdge(r, RaisedInner, all);
    break;
  case TMxBorderStyle::lsSingleRaised: canvas.DrawEdge(r, RaisedInner, all); break;
  case TMxBorderStyle::lsSingleLowered: canvas.DrawEdge(r, SunkenOuter, all); break;
  case TMxBorderStyle::lsDoubleRaised:
    canvas.DrawEdge(r, RaisedInner, all);
    canvas.DrawEdge(r, RaisedInner, all);
    break;
  case TMxBorderStyle::lsDoubleLowered:
    canvas.DrawEdge(r, SunkenOuter, all);
    canvas.DrawEdge(r, SunkenOuter, all);
    break;
  }
  return r;
}

TMxRect TMxBevel::PaintBevel(IMxBevelCanvas& canvas, const TMxRect& rect, bool transparent) const {
  if (FExt == 0) {
    return rect;
  }
  TMxRect r = rect;
  switch (FMode) {
  case TMxBevelMode::bmCustom:
    if (FStyleInner == TMxBevelStyle::bvShadow) {
      const int w = FWidthOuter;
      canvas.FillRect({r.Right - w, r.Top + w, r.Right, r.Bottom}, FShadowColor);
      canvas.FillRect({r.Left + w, r.Bottom - w, r.Right, r.Bottom}, FShadowColor);
      if (!transparent) {
        canvas.FillRect({r.Right - w, r.Top, r.Right, r.Top + w}, FBorderColor);
        canvas.FillRect({r.Left, r.Bottom - w, r.Left + w, r.Bottom}, FBorderColor);
      }
      r.Right -= w;
      r.Bottom -= w;
      for (int i = 0; i < FWidthInner; ++i) {
        canvas.FrameRect(r, FLightColor);
        r = Inset(r, 1);
      }
    } else {
      r = PaintOne(canvas, r, FStyleOuter, FWidthOuter);
      r = PaintRing(canvas, r, FBorderWidth, transparent);
      r = PaintOne(canvas, r, FStyleInner, FWidthInner);
    }
    break;
  case TMxBevelMode::bmStandard: r = PaintStandard(canvas, r, FStandardStyle); break;
  case TMxBevelMode::bmEdge:
    if (FBorderSides != 0) {
      static constexpr unsigned kEdges[] = {MxEdge::RaisedInner, MxEdge::RaisedOuter, MxEdge::SunkenInner,
                                            MxEdge::SunkenOuter, MxEdge::Bump,        MxEdge::Etched,
                                            MxEdge::Raised,      MxEdge::Sunken};
      unsigned sides = 0;
      if (FBorderSides & MxBorderSide::fsLeft) {
        sides |= MxSide::Left;
      }
      if (FBorderSides & MxBorderSide::fsTop) {
        sides |= MxSide::Top;
      }
      if (FBorderSides & MxBorderSide::fsRight) {
        sides |= MxSide::Right;
      }
      if (FBorderSides & MxBorderSide::fsBottom) {
        sides |= MxSide::Bottom;
      }
      TMxRect edge = r;
      canvas.DrawEdge(edge, kEdges[static_cast<int>(FEdgeStyle)], sides);
      TMxRect inner = r;
      if (sides & MxSide::Left) {
        inner.Left += 2;
      }
      if (sides & MxSide::Top) {
        inner.Top += 2;
      }
      if (sides & MxSide::Right) {
        inner.Right -= 2;
      }
      if (sides & MxSide::Bottom) {
        inner.Bottom -= 2;
      }
      if (!transparent) {
        if (!(sides & MxSide::Left)) {
          canvas.FillRectBackground({r.Left, r.Top, r.Left + 2, r.Bottom});
        }
        if (!(sides & MxSide::Top)) {
          canvas.FillRectBackground({r.Left, r.Top, r.Right, r.Top + 2});
        }
        if (!(sides & MxSide::Right)) {
          canvas.FillRectBackground({r.Right - 2, r.Top, r.Right, r.Bottom});
        }
        if (!(sides & MxSide::Bottom)) {
          canvas.FillRectBackground({r.Left, r.Bottom - 2, r.Right, r.Bottom});
        }
      }
      r = inner;
    }
    break;
  case TMxBevelMode::bmWindows:
    if (!FSupport) {
      r = PaintStandard(canvas, r, TMxBorderStyle::lsLoweredExt);
    }
    break;
  }
  return PaintRing(canvas, r, FBorderInnerWidth, transparent);
}
