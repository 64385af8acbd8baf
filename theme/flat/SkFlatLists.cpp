// The flat theme's container and item elements: edits, group boxes, boxes, roll panels, tabs,
// lists, trees and grids.
#include "theme/flat/SkFlatTheme.h"

namespace {

constexpr TColor kGreen = 0x008000;
constexpr TColor kYellow = 0x00FFFF;

std::int32_t Mid(std::int32_t a, std::int32_t b) { return std::int32_t((std::int64_t(a) + b) / 2); }

TskColorIndex FaceByState(std::uint8_t state) {
  switch (state) {
  case 1: return kcButtonHot;
  case 2: return kcButtonPressed;
  case 3: return kcButtonDisabled;
  default: return kcButtonNormal;
  }
}

} // namespace

// ---- Edit family ---------------------------------------------------------------------------

void TSkFlatTheme::PaintEdit(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  if (info.State != 6) {
    FillFramed(canvas, info.Rect, Colors()[kcEditNormal]);
  } else if (!IsRectEmpty(info.Rect)) {
    TskClipGuard clip(canvas, info.Rect);
    canvas.FillRect(info.Rect, Colors()[kcEditSelection]);
  }
}

void TSkFlatTheme::PaintEditButton(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskColorIndex face = kcButtonNormal;
  switch (info.Part) {
  case 1: face = kcButtonHot; break;
  case 2: face = kcButtonPressed; break;
  case 4: face = kcButtonDisabled; break;
  default: break;
  }
  TskClipGuard clip(canvas, r);
  FillFramed(canvas, r, Colors()[face]);
  if (info.State == 0 || info.State == 3) {
    canvas.MonoGlyph(TskMonoGlyph::mgScrollDown, false, r, Colors()[kcBorder]);
  } else if (info.State == 2) {
    canvas.MonoGlyph(TskMonoGlyph::mgScrollUp, false, r, Colors()[kcBorder]);
  }
}

// ---- GroupBox, EditBox, Box and ScrollBox families -----------------------------------------

void TSkFlatTheme::PaintGroupBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskGroupBoxInfo& info) {
  const TskRect& f = info.Rect;
  if (IsRectEmpty(f)) {
    return;
  }
  TskClipGuard clip(canvas, f);
  // A rounded outline of radius 5: corners cut by two pixels.
  const std::int32_t l = f.Left, t = f.Top, r = f.Right - 1, b = f.Bottom - 1;
  const TskPoint outline[] = {{l + 2, t}, {r - 2, t}, {r, t + 2}, {r, b - 2}, {r - 2, b},
                              {l + 2, b}, {l, b - 2}, {l, t + 2}, {l + 2, t}};
  const TskRect c = IntersectRects(info.CaptionRect, f);
  if (IsRectEmpty(c)) {
    canvas.Polyline(outline, Colors()[kcBorder]);
    return;
  }
  // The caption is left out: the outline is drawn through the four bands around it.
  for (const TskRect& band : BandsAround(f, c)) {
    if (IsRectEmpty(band)) {
      continue;
    }
    TskClipGuard part(canvas, band);
    canvas.Polyline(outline, Colors()[kcBorder]);
  }
}

void TSkFlatTheme::PaintEditBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcEditNormal]);
}

void TSkFlatTheme::PaintBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintScrollBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  FillFramed(canvas, rect, Colors()[kcButtonNormal]);
}

// ---- RollPanel family ----------------------------------------------------------------------

void TSkFlatTheme::PaintRollPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  FillFramed(canvas, rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintRollPanelCaption(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  FillFramed(canvas, rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintRollPanelButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  FillFramed(canvas, r, Colors()[FaceByState(info.State)]);
  switch (info.Part) {
  case 1: canvas.MonoGlyph(TskMonoGlyph::mgScrollUp, false, r, Colors()[kcBorder]); break;
  case 2: canvas.MonoGlyph(TskMonoGlyph::mgScrollDown, false, r, Colors()[kcBorder]); break;
  case 3: canvas.MonoGlyph(TskMonoGlyph::mgClose, false, r, Colors()[kcBorder]); break;
  default: break;
  }
}

void TSkFlatTheme::PaintRollPanelPart(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  canvas.FillRect(info.Rect, kGreen);
  canvas.FrameRect(info.Rect, kYellow);
}

// ---- Tabs family ---------------------------------------------------------------------------

void TSkFlatTheme::PaintTabPane(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintTab(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  canvas.FillRect(r, Colors()[info.State == 1 ? kcButtonHot : kcButtonNormal]);
  // The selected tab opens into the page: the edge on the page's side is left out.
  TskRect keep = r;
  if (info.State >= 3 && info.State <= 5 && info.Part <= 11) {
    switch (info.Part / 3) {
    case 0: keep.Bottom -= 1; break;
    case 1: keep.Right -= 1; break;
    case 2: keep.Left += 1; break;
    default: keep.Top += 1; break;
    }
  }
  if (IsRectEmpty(keep)) {
    return;
  }
  TskClipGuard edge(canvas, keep);
  canvas.FrameRect(r, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintTabScrollButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  FillFramed(canvas, r, Colors()[FaceByState(info.State)]);
  static constexpr TskMonoGlyph kGlyph[] = {TskMonoGlyph::mgClose, TskMonoGlyph::mgScrollLeft,
                                            TskMonoGlyph::mgScrollDown, TskMonoGlyph::mgScrollUp,
                                            TskMonoGlyph::mgScrollRight};
  if (info.Part <= 4) {
    canvas.MonoGlyph(kGlyph[info.Part], false, r, Colors()[kcBorder]);
  }
}

void TSkFlatTheme::PaintTabText(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                                const TskTextInfo& text) {
  TskTextInfo t = text;
  if (info.Part >= 3 && info.Part <= 5) {
    t.Rotation = 2;
  } else if (info.Part >= 6 && info.Part <= 8) {
    t.Rotation = 1;
  } else {
    t.Rotation = 0;
  }
  PaintTextInfo(canvas, t);
}

// ---- List, Tree and Grid families ----------------------------------------------------------

void TSkFlatTheme::PaintList(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcList]);
}

void TSkFlatTheme::PaintListItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const TskRect& r = info.Rect;
  if (info.State == 2 || info.State == 3) {
    FillFramed(canvas, r, Colors()[kcButtonHot]);
  } else if ((info.State <= 1 || info.State == 4) && !IsRectEmpty(r)) {
    TskClipGuard clip(canvas, r);
    canvas.FillRect(r, Colors()[kcList]);
  }
}

void TSkFlatTheme::PaintListItemCheck(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info,
                                      const TskCheckInfo& check) {
  const TskRect& r = check.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (check.CheckKind <= 2) {
    const TskRect box = CentreRect({0, 0, 13, 13}, r);
    TskColorIndex face = kcButtonNormal;
    if (info.State == 1) {
      face = kcButtonHot;
    } else if (info.State == 2 || info.State == 3) {
      face = kcButtonFocused;
    }
    FillFramed(canvas, box, Colors()[face]);
    if (check.CheckKind == 0) {
      PaintCheckMark(canvas, Mid(box.Left, box.Right) - 1, Mid(box.Top, box.Bottom) + 1);
    } else if (check.CheckKind == 2) {
      canvas.FillRect(DeflateRect(box, 3, 3, 3, 3), Colors()[kcBorder]);
    }
  } else if (check.CheckKind == 3 && !check.Glyph.Empty()) {
    const TskPixels& p = *check.Glyph.Pixels;
    canvas.DrawImage(check.Glyph, CentreRect({0, 0, p.Width(), p.Height()}, r));
  }
}

void TSkFlatTheme::PaintTree(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcTree]);
}

void TSkFlatTheme::PaintTreeItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (info.State == 2 || info.State == 3) {
    canvas.FillRect(r, Colors()[kcButtonHot]);
  } else if (info.State <= 1 || info.State == 4) {
    canvas.FillRect(r, Colors()[kcTree]);
  }
  canvas.FrameRect(r, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintGrid(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  FillFramed(canvas, info.Rect, Colors()[kcGrid]);
}

void TSkFlatTheme::PaintGridCell(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (info.State == 1) {
    canvas.FillRect(r, Colors()[kcButtonNormal]);
    return;
  }
  switch (info.Part) {
  case 0:
  case 4: canvas.FillRect(r, Colors()[kcGrid]); break;
  case 1: canvas.FillRect(r, Colors()[kcButtonHot]); break;
  case 2:
  case 3: FillFramed(canvas, r, Colors()[kcButtonFocused]); break;
  default: break;
  }
}
