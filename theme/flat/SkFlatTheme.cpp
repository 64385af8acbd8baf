#include "theme/flat/SkFlatTheme.h"

#include "framework/Scale.h"

#include <array>

namespace {

constexpr TColor kBtnFace = 0xFF00000F;
constexpr TColor kGrey = 0x808080;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

// Caption button groups from the right: close, maximize/restore, minimize, roll, tray, help.
constexpr std::array<std::uint16_t, 6> kGroups = {1u << kwbClose,
                                                  (1u << kwbMaximize) | (1u << kwbRestore),
                                                  (1u << kwbMinimize) | (1u << kwbRestoreMinimized),
                                                  (1u << kwbRollUp) | (1u << kwbRollDown),
                                                  1u << kwbTray,
                                                  1u << kwbHelp};

TskRect Centred(std::int32_t w, std::int32_t h, const TskRect& outer) {
  return CentreRect({0, 0, w, h}, outer);
}

// The frame's lengths below are pixels at 96 per inch, scaled to the window's density.
TScale FrameScale(const TskWindowInfo& info) {
  return TScale(TScale::kDesignPixelsPerInch, info.PixelsPerInch);
}

} // namespace

void TSkFlatTheme::SetDefaultColors() {
  TskThemeColors& c = Colors();
  c.SetColor(kcCaptionNormal, 0x9CDEF7);
  c.SetColor(kcCaptionInactive, kBtnFace);
  c.SetColor(kcWindowBorder, 0x808080);
  c.SetColor(kcWindow, kBtnFace);
  c.SetColor(kcBorder, 0x8396A0);
  for (TskColorIndex i : {kcPanelNormal, kcPanelDisabled, kcButtonNormal, kcButtonDisabled}) {
    c.SetColor(i, kBtnFace);
  }
  c.SetColor(kcButtonHot, 0xE1EAEB);
  c.SetColor(kcButtonPressed, 0x996633);
  c.SetColor(kcButtonFocused, 0x996633);
  for (TskColorIndex i : {kcEditNormal, kcEditHot, kcEditFocused, kcEditDisabled, kcList, kcTree, kcGrid}) {
    c.SetColor(i, kWhite);
  }
  c.SetColor(kcEditSelection, 0xB59285);
  ShiftColors();
}

void TSkFlatTheme::SetDefaultFonts() { SetFlatFonts(kBlack, kGrey, true); }

void TSkFlatTheme::SetFlatFonts(TColor captionNormal, TColor captionInactive, bool staticTexts) {
  TskThemeFonts& f = Fonts();
  for (std::size_t i = 0; i < kSkThemeFontCount; ++i) {
    f.Font(i) = TskFontDesc{};
  }
  auto set = [&f](int i, std::int32_t size, TColor color, std::uint8_t style = 0) {
    TskFontDesc& d = f.Font(std::size_t(i));
    d.Size = size;
    d.Color = color;
    d.Style = style;
  };
  set(kfCaptionTextNormal, 10, captionNormal, fsBold);
  set(kfCaptionTextInactive, 10, captionInactive, fsBold);
  set(kfSmCaptionTextNormal, 8, kWhite, fsBold);
  set(kfSmCaptionTextInactive, 8, 0xC0C0C0, fsBold);
  if (staticTexts) {
    for (int i : {kfStaticTextNormal, kfStaticTextHot, kfStaticTextFocused, kfStaticTextDisabled}) {
      set(i, 8, kBlack);
    }
  }
  for (int i : {kfButtonTextNormal, kfButtonTextPressed, kfButtonTextHot, kfButtonTextFocused}) {
    set(i, 8, kBlack);
  }
  for (int i = kfCheckBoxTextNormal; i <= kfEditBoxTextHot; ++i) {
    set(i, 8, kBlack);
  }
  for (int i = kfHeaderSectionTextNormal; i <= kfHeaderSectionTextDisabled; ++i) {
    set(i, 8, kBlack);
  }
  for (int i : {kfButtonTextDisabled, kfEditBoxTextDisabled, kfMenuItemTextDisabled, kfToolItemTextDisabled,
                kfPopupMenuItemTextDisabled}) {
    set(i, 8, kGrey);
  }
  set(kfEditBoxTextSelected, 8, kWhite);
  ShiftFonts();
}

// ---- Window family -------------------------------------------------------------------------

TskRect TSkFlatTheme::WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName) {
  const TskRect r = info.Rect;
  const TScale s = FrameScale(info);
  const std::int32_t edge = s.Apply(3);
  switch (kind) {
  case 0:
  case 1: return DeflateRect(r, edge, s.Apply(23), edge, edge);
  case 6: return DeflateRect(r, edge, s.Apply(19), edge, edge);
  case 2: return DeflateRect(r, edge, edge, edge, edge);
  default: return r;
  }
}

TskRect TSkFlatTheme::WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
  const TskRect c = WindowClientRect(kind, info, objectName);
  return {c.Left, info.Rect.Top + FrameScale(info).Apply(3), c.Right, c.Top};
}

TskRect TSkFlatTheme::WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                       std::uint8_t button) {
  if (button > kwbTray || !(info.Buttons & (1u << button))) {
    return kSkNoRect;
  }
  const TskRect c = WindowClientRect(kind, info, objectName);
  const std::int32_t top = info.Rect.Top;
  const TScale s = FrameScale(info);
  if (button == kwbIcon) {
    return {c.Left, top + s.Apply(4), c.Left + s.Apply(22), c.Top - 1};
  }
  std::int32_t shift = 0;
  for (std::uint16_t group : kGroups) {
    if (group & (1u << button)) {
      return {c.Right - s.Apply(22) - shift, top + s.Apply(3), c.Right - shift, c.Top};
    }
    if (info.Buttons & group) {
      shift += s.Apply(24);
    }
  }
  return kSkNoRect;
}

void TSkFlatTheme::PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskWindowInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  canvas.FrameRect(info.Rect, Colors()[kcBorder]);
  // A one-pixel line, then the button face out to the client's edge.
  const std::int32_t edge = FrameScale(info).Apply(3);
  for (std::int32_t i = 1; i < edge; ++i) {
    canvas.FrameRect(DeflateRect(info.Rect, i, i, i, i), Colors()[kcButtonNormal]);
  }
  const TskRect caption = WindowCaptionRect(kind, info, objectName);
  if (IsRectEmpty(caption)) {
    return;
  }
  canvas.FillRect(caption, Colors()[(info.State & wsActive) ? kcCaptionNormal : kcCaptionInactive]);
  canvas.FrameRect(caption, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                      const TskRect& rect, const TskWindowInfo& info) {
  if (IsRectEmpty(rect)) {
    return;
  }
  TskClipGuard clip(canvas, rect);
  canvas.SetFont(
      Fonts().FontFor((info.State & wsActive) ? kfCaptionTextNormal : kfCaptionTextInactive, objectName));
  TskRect r = rect;
  const TScale s = FrameScale(info);
  if (kind == 0 || kind == 1) {
    r.Left += s.Apply(20);
  }
  if (kind == 6) {
    r.Left += s.Apply(5);
  }
  PaintTextInfo(canvas, SkTextInfoFromDrawTextBits(r, info.Caption, dtVCenter | dtSingleLine | dtNoPrefix));
}

void TSkFlatTheme::PaintWindowButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                     const TskWindowButtonInfo& info) {
  const TskRect r = info.Rect;
  if (IsRectEmpty(r) || info.Button > kwbTray) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (info.Button == kwbIcon) {
    if (info.Icon.Empty()) {
      return;
    }
    const TskPixels& p = *info.Icon.Pixels;
    canvas.DrawImage(info.Icon, Centred(p.Width(), p.Height(), r));
    return;
  }
  const TColor face = info.State == bsHot ? Colors()[kcButtonHot] : Colors()[kcButtonNormal];
  canvas.FillRect(r, face);
  canvas.FrameRect(r, Colors()[kcBorder]);
  const TskRect inner = DeflateRect(r, 1, 1, 1, 1);
  if (info.State == bsPressed) {
    canvas.BevelFrame(inner, Shifted(face, -100), Shifted(face, 100));
  }
  if (info.State == bsHot) {
    canvas.BevelFrame(inner, Shifted(face, 100), Shifted(face, -100));
  }
  const bool pushed = info.State == bsPressed;
  switch (info.Button) {
  case kwbClose: canvas.MonoGlyph(TskMonoGlyph::mgClose, pushed, r, kBlack); break;
  case kwbHelp: canvas.MonoGlyph(TskMonoGlyph::mgHelp, pushed, r, kBlack); break;
  case kwbMinimize: canvas.MonoGlyph(TskMonoGlyph::mgMinimize, pushed, r, kBlack); break;
  case kwbRestoreMinimized:
  case kwbRestore: canvas.MonoGlyph(TskMonoGlyph::mgRestore, pushed, r, kBlack); break;
  case kwbMaximize: canvas.MonoGlyph(TskMonoGlyph::mgMaximize, pushed, r, kBlack); break;
  case kwbRollUp:
  case kwbRollDown: {
    TskRect t = DeflateRect(r, 5, 7, 5, 7);
    if (IsRectEmpty(t)) {
      break; // too small for the arrow
    }
    if (pushed) {
      t = OffsetRect(t, -1, -1);
    }
    const std::int32_t mid = std::int32_t((std::int64_t(t.Left) + t.Right) / 2);
    if (info.Button == kwbRollUp) {
      const TskPoint up[] = {{t.Left, t.Bottom}, {t.Right, t.Bottom}, {mid, t.Top}};
      canvas.FillPolygon(up, kBlack);
    } else {
      const TskPoint down[] = {{t.Left, t.Top}, {t.Right, t.Top}, {mid, t.Bottom}};
      canvas.FillPolygon(down, kBlack);
    }
    break;
  }
  case kwbTray: {
    const TskRect t = DeflateRect(r, 3, 3, 3, 3);
    if (IsRectEmpty(t)) {
      break;
    }
    TskRect square{t.Right - 3, t.Bottom - 3, t.Right, t.Bottom};
    if (!pushed) {
      square = OffsetRect(square, 1, 1);
    }
    canvas.FillRect(square, kBlack);
    break;
  }
  default: break;
  }
}

// ---- Panel and dock ------------------------------------------------------------------------

void TSkFlatTheme::PaintPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  if (IsRectEmpty(rect)) {
    return;
  }
  TskClipGuard clip(canvas, rect);
  canvas.FillRect(rect, Colors()[kcPanelNormal]);
  if (FlatBorder) {
    canvas.FrameRect(rect, Colors()[kcBorder]);
  } else {
    canvas.BevelFrame(rect, Shifted(Colors()[kcPanelNormal], LightDelta),
                      Shifted(Colors()[kcPanelNormal], DarkDelta));
  }
}

void TSkFlatTheme::PaintDock(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, Colors()[kcButtonNormal]);
}

// ---- Menu family ---------------------------------------------------------------------------

void TSkFlatTheme::PaintGutter(ISkPaintCanvas& canvas, const TskRect& rect) {
  canvas.FillRect(rect, kWhite);
  canvas.FillRect({rect.Left, rect.Top, rect.Left + MenuGutter, rect.Bottom}, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  if (IsRectEmpty(rect)) {
    return;
  }
  TskClipGuard clip(canvas, rect);
  if (kind == 0) {
    canvas.FillRect(rect, Colors()[kcButtonNormal]);
  } else if (kind == 1) {
    canvas.FillRect(rect, kWhite);
    canvas.FillRect({rect.Left, rect.Top, rect.Left + MenuGutter + 2, rect.Bottom}, Colors()[kcButtonNormal]);
    canvas.FrameRect(rect, kGrey);
  }
}

void TSkFlatTheme::PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  switch (info.Part) {
  case 0:
    if (kind == 0) {
      if (info.State == 1) {
        canvas.FillRect(r, Colors()[kcButtonHot]);
        canvas.FrameRect(r, Colors()[kcBorder]);
      } else if (info.State == 2) {
        canvas.FillRect(r, Colors()[kcButtonNormal]);
        canvas.FrameRect(r, kGrey);
      } else {
        canvas.FillRect(r, Colors()[kcButtonNormal]);
      }
    } else if (info.State == 1 || info.State == 2) {
      canvas.FillRect(r, Colors()[kcButtonHot]);
      canvas.FrameRect(r, Colors()[kcBorder]);
    } else {
      PaintGutter(canvas, r);
    }
    break;
  case 1: {
    PaintGutter(canvas, r);
    const std::int32_t half = std::int32_t(RectHeight(r) / 2);
    TskRect line = DeflateRect(r, 5, half, 5, half);
    line.Left += MenuGutter + 2;
    canvas.FillRect(line, kGrey);
    break;
  }
  case 3:
  case 4:
    PaintGutter(canvas, r);
    if (info.State == 1 || info.State == 2) {
      canvas.FrameRect(r, kGrey);
    }
    canvas.MonoGlyph(info.Part == 3 ? TskMonoGlyph::mgScrollUp : TskMonoGlyph::mgScrollDown, false,
                     Centred(14, 14, r), kGrey);
    break;
  case 7: canvas.MonoGlyph(TskMonoGlyph::mgMinimize, false, r, kBlack); break;
  case 8: canvas.MonoGlyph(TskMonoGlyph::mgRestore, false, r, kBlack); break;
  case 9: canvas.MonoGlyph(TskMonoGlyph::mgClose, false, r, kBlack); break;
  default: break;
  }
}

void TSkFlatTheme::PaintItemGlyph(ISkPaintCanvas& canvas, std::uint8_t itemState, const TskGlyphInfo& glyph) {
  const TskRect r = glyph.Rect;
  switch (glyph.GlyphKind) {
  case gkSubMenuArrow:
    canvas.MonoGlyph(TskMonoGlyph::mgMenuArrow, false, Centred(16, 16, r), canvas.Font().Color);
    break;
  case gkImageList: {
    if (glyph.Glyph.Empty()) {
      break;
    }
    const TskPixels& p = *glyph.Glyph.Pixels;
    TskRect at = Centred(p.Width(), p.Height(), r);
    if (itemState == 1 || itemState == 2) {
      // The shadow is the glyph's silhouette; the caller's image itself is not changed.
      at = OffsetRect(at, -1, -1);
      canvas.DrawImageShadow(glyph.Glyph, at.Left + 2, at.Top + 2, kGrey);
    }
    canvas.DrawImage(glyph.Glyph, at);
    break;
  }
  case gkBitmap: {
    if (glyph.Glyph.Empty()) {
      break;
    }
    const TskPixels& p = *glyph.Glyph.Pixels;
    canvas.DrawImage(glyph.Glyph, Centred(p.Width(), p.Height(), r));
    break;
  }
  default: break;
  }
}

void TSkFlatTheme::PaintMenuItemGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                                      const TskGlyphInfo& glyph) {
  const TskRect r = glyph.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (glyph.GlyphKind == gkCheck) {
    canvas.FillRect(DeflateRect(r, 1, 1, 1, 1), Colors()[kcButtonHot]);
    canvas.FrameRect(DeflateRect(r, 1, 1, 1, 1), Colors()[kcBorder]);
    const TskRect s = Centred(16, 16, r);
    const std::int32_t cx = std::int32_t((std::int64_t(s.Left) + s.Right) / 2 - 2);
    const std::int32_t cy = std::int32_t((std::int64_t(s.Top) + s.Bottom) / 2 + 1);
    const TskPoint a[] = {{cx - 2, cy - 2}, {cx, cy},         {cx + 4, cy - 4}, {cx + 4, cy - 3},
                          {cx, cy + 1},     {cx - 2, cy - 1}, {cx - 2, cy - 2}};
    const TskPoint b[] = {
        {cx - 3, cy - 2}, {cx - 3, cy - 1}, {cx, cy + 2}, {cx + 5, cy - 3}, {cx + 5, cy - 5}};
    canvas.Polyline(a, canvas.Font().Color);
    canvas.Polyline(b, canvas.Font().Color);
  } else if (glyph.GlyphKind == gkRadio) {
    canvas.FillRoundRect(Centred(6, 6, r), 3, kBlack);
  } else {
    PaintItemGlyph(canvas, info.State, glyph);
  }
}

// ---- Tool family ---------------------------------------------------------------------------

void TSkFlatTheme::PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  if (IsRectEmpty(rect)) {
    return;
  }
  TskClipGuard clip(canvas, rect);
  if (kind == 2) {
    canvas.FillRect(rect, kWhite);
    canvas.FrameRect(rect, kGrey);
  } else {
    const TColor face = Colors()[kcButtonNormal];
    canvas.FillRect(rect, Shifted(face, 10));
    canvas.BevelFrame(rect, Shifted(face, 30), Shifted(face, -30));
  }
}

void TSkFlatTheme::PaintToolItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  auto stateFill = [&] {
    switch (info.State) {
    case 1:
    case 6:
      canvas.FillRect(r, Colors()[kcButtonHot]);
      canvas.FrameRect(r, Colors()[kcBorder]);
      break;
    case 2:
      canvas.FillRect(r, Colors()[kcButtonPressed]);
      canvas.FrameRect(r, Colors()[kcBorder]);
      break;
    case 5:
      canvas.FillRect(r, Shifted(Colors()[kcButtonPressed], 10));
      canvas.FrameRect(r, Colors()[kcBorder]);
      break;
    default: break;
    }
  };
  switch (info.Part) {
  case 0:
  case 3:
  case 4:
  case 5:
  case 8:
    stateFill();
    if (info.Part == 4) {
      canvas.MonoGlyph(TskMonoGlyph::mgScrollDown, false, InflateRect(r, 2, 0), Colors()[kcBorder]);
    }
    break;
  case 1: {
    const std::int32_t half = std::int32_t(RectWidth(r) / 2);
    TskRect line = DeflateRect(r, 5, half, 5, half);
    line.Right = line.Left + 1;
    canvas.FillRect(line, kGrey);
    break;
  }
  case 10: canvas.MonoGlyph(TskMonoGlyph::mgMinimize, false, r, kBlack); break;
  case 11: canvas.MonoGlyph(TskMonoGlyph::mgRestore, false, r, kBlack); break;
  case 12: canvas.MonoGlyph(TskMonoGlyph::mgClose, false, r, kBlack); break;
  case 13:
  case 14: {
    const TskRect g = DeflateRect(r, 1, 1, 1, 1);
    canvas.FillRect(g, Colors()[kcButtonHot]);
    canvas.FrameRect(g, Colors()[kcBorder]);
    break;
  }
  default: break;
  }
}

void TSkFlatTheme::PaintToolItemGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                                      const TskGlyphInfo& glyph) {
  if (IsRectEmpty(glyph.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, glyph.Rect);
  if (glyph.GlyphKind >= gkSubMenuArrow) {
    PaintItemGlyph(canvas, info.State, glyph);
  }
}
