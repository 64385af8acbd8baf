#include "maskedit/win32/MxSpeedButtonPainter.h"

#include "framework/win32/Graphics.h"
#include "framework/win32/Handles.h"
#include "maskedit/win32/MxThemeServices.h"
#include "theme/win32/SkBitmap.h"

#include <algorithm>

namespace {
// Visual-style parts and states (vssym32.h values).
constexpr int BpPushButton = 1, TpButton = 1;
constexpr int StateNormal = 1, StateHot = 2, StatePressed = 3, StateDisabled = 4, ToolbarChecked = 5;

COLORREF Blend(COLORREF a, COLORREF b, int percentA) {
  const auto mix = [&](int ca, int cb) { return (ca * percentA + cb * (100 - percentA)) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
  const TBrushHandle brush(CreateSolidBrush(c));
  FillRect(dc, &r, brush.Get());
}

void Frame(HDC dc, const RECT& r, COLORREF c) {
  const TBrushHandle brush(CreateSolidBrush(c));
  FrameRect(dc, &r, brush.Get());
}

// A small down-pointing triangle centred in r.
void Arrow(HDC dc, const RECT& r, COLORREF c) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
  for (int row = 0; row < 3; ++row) {
    RECT line{cx - 2 + row, cy + row, cx + 3 - row, cy + row + 1};
    Fill(dc, line, c);
  }
}

bool DrawThemed(const TMxSpeedButton& b, const TMxButtonPaintContext& ctx, HDC dc, const RECT& r) {
  if (!ctx.Themed) {
    return false;
  }
  const TMxButtonFamily family = MxButtonFamily(b.Style);
  const bool push = family == TMxButtonFamily::Classic || family == TMxButtonFamily::Win40 ||
                    family == TMxButtonFamily::Combo;
  int state = StateNormal;
  switch (b.Look()) {
  case sblNormal: state = StateNormal; break;
  case sblHot: state = StateHot; break;
  case sblPressed: state = StatePressed; break;
  case sblLatched: state = push ? StatePressed : ToolbarChecked; break;
  case sblDisabled: state = StateDisabled; break;
  }
  if (family == TMxButtonFamily::Combo) {
    // The combo look is the drop-down button of the style's combo box (its states are
    // numbered as the push button's).
    constexpr int CpDropDownButton = 1;
    return TMxThemeServices::Instance().DrawElement(ctx.Window, L"COMBOBOX", CpDropDownButton, state, dc, r);
  }
  return TMxThemeServices::Instance().DrawElement(ctx.Window, push ? L"BUTTON" : L"TOOLBAR",
                                                  push ? BpPushButton : TpButton, state, dc, r);
}

// Frame and background; returns the content rectangle.
RECT DrawFace(const TMxSpeedButton& b, HDC dc, RECT r) {
  const TMxSpeedButtonLook look = b.Look();
  const bool down = look == sblPressed || look == sblLatched;
  const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_HIGHLIGHT);
  switch (MxButtonFamily(b.Style)) {
  case TMxButtonFamily::Classic:
    Fill(dc, r, face);
    Frame(dc, r, GetSysColor(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_ADJUST);
    break;
  case TMxButtonFamily::Win40: {
    UINT s =
        DFCS_BUTTONPUSH | (look == sblPressed ? DFCS_PUSHED : 0) | (look == sblLatched ? DFCS_CHECKED : 0);
    s |= look == sblDisabled ? DFCS_INACTIVE : 0;
    s |= b.Style == ubsWin40Ext && look == sblHot ? DFCS_HOT : 0;
    RECT f = r;
    DrawFrameControl(dc, &f, DFC_BUTTON, s);
    InflateRect(&r, -2, -2);
    break;
  }
  case TMxButtonFamily::Combo: {
    UINT s = DFCS_SCROLLCOMBOBOX | (down ? DFCS_PUSHED : 0) | (look == sblDisabled ? DFCS_INACTIVE : 0);
    RECT f = r;
    DrawFrameControl(dc, &f, DFC_SCROLL, s);
    InflateRect(&r, -2, -2);
    break;
  }
  case TMxButtonFamily::Raised:
    Fill(dc, r, look == sblHot ? Blend(face, RGB(255, 255, 255), 60) : face);
    DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    break;
  case TMxButtonFamily::Flat: {
    COLORREF back = face;
    if (b.Style == ubsFlatUnColored) {
      back = GetSysColor(COLOR_WINDOW);
    } else if (b.Style == ubsExplorerColored && (look == sblHot || down)) {
      back = Blend(highlight, face, down ? 45 : 25);
    } else if (look == sblLatched) {
      back =
          Blend(face, RGB(255, 255, 255), 50); // a latched flat button is lighter, as a checked tool button
    } else if (look == sblHot && b.Style == ubsNavigator) {
      back = Blend(face, RGB(255, 255, 255), 70); // always framed: the hot state shows in the face
    }
    Fill(dc, r, back);
    if (down) {
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (look == sblHot || b.Style == ubsNavigator) {
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    InflateRect(&r, -1, -1);
    break;
  }
  case TMxButtonFamily::Office: {
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    if (look == sblHot || down) {
      Fill(dc, r, Blend(highlight, window, look == sblPressed ? 50 : look == sblLatched ? 20 : 30));
      Frame(dc, r, highlight);
    } else if (b.Style == ubsOffice) {
      Fill(dc, r, face);
    } // the transparent look leaves the background as it is
    InflateRect(&r, -1, -1);
    break;
  }
  }
  return r;
}

// A glyph's pixels as a bitmap that blends over what is there: the key colour and, when
// some pixel has an alpha, the pixels without one are see-through; a glyph without any
// alpha is opaque.
bool GlyphBitmap(const TMxGlyph& glyph, TskBitmap& bitmap) {
  if (glyph.Empty() || glyph.Pixels.size() != static_cast<std::size_t>(glyph.Width) * glyph.Height ||
      !bitmap.TrySetSize(glyph.Width, glyph.Height)) {
    return false;
  }
  const bool anyAlpha =
      std::any_of(glyph.Pixels.begin(), glyph.Pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  const std::uint32_t opaque = anyAlpha ? 0 : 0xFF000000u;
  for (int y = 0; y < glyph.Height; ++y) {
    const std::uint32_t* from = &glyph.Pixels[static_cast<std::size_t>(y) * glyph.Width];
    std::transform(from, from + glyph.Width, bitmap.ScanLine(y),
                   [opaque](std::uint32_t p) { return p | opaque; });
  }
  bitmap.SetTransparentColor(skKeyColor);
  bitmap.AlphaBlend = true;
  return true;
}

// A disabled glyph is its silhouette in the shadow colour, partly transparent.
void DrawGlyph(HDC dc, const TMxGlyph& glyph, int x, int y, bool disabled) {
  TskBitmap bitmap;
  if (!GlyphBitmap(glyph, bitmap)) {
    return;
  }
  if (disabled) {
    TskBitmap::DrawDisabledGlyph(dc, x, y, clBtnShadow, bitmap);
  } else {
    bitmap.Draw(dc, x, y);
  }
}

// The caption in its box, in the layers of its 3D look. Without a 3D look a disabled
// caption is embossed (a light copy below right, the shadow colour on top).
// The box reaches to contentRight, so that the layers' offsets cut nothing that fits.
void DrawCaption(HDC dc, const TMxSpeedButton& b, const RECT& box, int contentRight, COLORREF color,
                 bool disabled) {
  const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  const TMx3DCaption& fx = b.FontFX;
  TMxTextLayerPlan plan;
  if (fx.Style() == tdNone) {
    if (disabled) {
      plan.Layers.push_back({1, 1, static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT))});
      plan.Layers.push_back({0, 0, static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW))});
    } else {
      plan.Layers.push_back({0, 0, static_cast<TColor>(color)});
    }
  } else {
    const bool faded = disabled && fx.DisabledStyle() != dsNone;
    plan = fx.Layers(faded ? static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT)) : static_cast<TColor>(color),
                     ColorToRGB(fx.LightColor()), ColorToRGB(fx.ShadowColor()),
                     faded && fx.DisabledStyle() == ds3d);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextCharacterExtra(dc, fx.Tracing());
  const int length = static_cast<int>(b.Caption.size());
  for (const TMxTextLayer& layer : plan.Layers) {
    RECT r = box;
    r.right = std::max<LONG>(box.left, contentRight - plan.RightReduction);
    OffsetRect(&r, layer.DX, layer.DY);
    if (layer.Outline) {
      const TPenHandle pen(CreatePen(PS_SOLID, std::max(1, layer.PenWidth), ColorToRGB(layer.Color)));
      const TSelectGuard penGuard(dc, pen.Get());
      BeginPath(dc);
      DrawTextA(dc, b.Caption.c_str(), length, &r, format);
      EndPath(dc);
      StrokePath(dc);
    } else {
      SetTextColor(dc, ColorToRGB(layer.Color));
      DrawTextA(dc, b.Caption.c_str(), length, &r, format);
    }
  }
  SetTextCharacterExtra(dc, 0);
}
} // namespace

TMxButtonFamily MxButtonFamily(TMxUserButtonStyle style) {
  switch (style) {
  case ubsWin31: return TMxButtonFamily::Classic;
  case ubsWin40:
  case ubsWin40Ext: return TMxButtonFamily::Win40;
  case ubsCombo: return TMxButtonFamily::Combo;
  case ubsCorvel: return TMxButtonFamily::Raised;
  case ubsOffice:
  case ubsOfficeTransp: return TMxButtonFamily::Office;
  default: return TMxButtonFamily::Flat;
  }
}

void MxPaintSpeedButton(HDC dc, const TMxSpeedButton& b, const TMxButtonPaintContext& ctx) {
  if (b.Width <= 0 || b.Height <= 0) {
    return;
  }
  const RECT bounds{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  const TSavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  RECT content = bounds;
  if (DrawThemed(b, ctx, dc, bounds)) {
    InflateRect(&content, -2, -2);
  } else {
    content = DrawFace(b, dc, bounds);
  }
  const TMxSpeedButtonLook look = b.Look();
  const bool disabled = look == sblDisabled;
  const COLORREF text = GetSysColor(COLOR_BTNTEXT), grey = GetSysColor(COLOR_GRAYTEXT);

  if (b.HasDropDownMenu) {
    RECT arrow = content;
    arrow.left = std::max(content.left, content.right - (b.DropDownCombo ? b.DropDownComboWidth - 2 : 8));
    if (b.DropDownCombo && arrow.left > content.left) {
      // The separate arrow part is divided from the face by an etched line.
      RECT line{arrow.left - 1, content.top + 1, arrow.left + 1, content.bottom - 1};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
    Arrow(dc, arrow, disabled ? grey : text);
    content.right = arrow.left - 1;
  }
  // The combo look is its arrow; a glyph or caption would be drawn over it.
  if (content.right <= content.left || MxButtonFamily(b.Style) == TMxButtonFamily::Combo) {
    return;
  }
  if (look == sblPressed && MxButtonFamily(b.Style) != TMxButtonFamily::Office) {
    OffsetRect(&content, 1, 1);
  }
  // The edit's font and the button text colour, or the button's own font and its colour.
  std::shared_ptr<const TFontHandle> own;
  HFONT font = ctx.Font;
  COLORREF color = text;
  if (!b.ParentFont) {
    own = SharedFont(b.Font);
    font = own ? own->Get() : ctx.Font;
    color = ColorToRGB(b.Font.Color);
  }
  const TSelectGuard fontGuard(dc, font);
  SIZE extent{0, 0};
  if (!b.Caption.empty()) {
    GetTextExtentPoint32A(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &extent);
  }
  const TMxButtonContent place =
      MxArrangeButtonContent(content.left, content.top, content.right, content.bottom, b.Glyph.Width,
                             b.Glyph.Height, extent.cx, extent.cy, b.Layout);
  if (!b.Glyph.Empty()) {
    DrawGlyph(dc, b.Glyph, place.GlyphX, place.GlyphY, disabled);
  }
  if (b.Caption.empty() || place.TextRight <= place.TextLeft) {
    return;
  }
  RECT box{place.TextLeft, place.TextTop, place.TextRight, place.TextBottom};
  DrawCaption(dc, b, box, content.right, disabled ? grey : color, disabled);
}
