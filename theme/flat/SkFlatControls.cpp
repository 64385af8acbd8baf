// The flat theme's control elements: buttons, check boxes, splitters, scroll bars, progress
// bars, track bars, headers and status bars.
#include "theme/flat/SkFlatTheme.h"

namespace {

constexpr TColor kBtnFace = 0xFF00000F;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kRed = 0x0000FF;

TskRect Centred(std::int32_t w, std::int32_t h, const TskRect& outer) {
  return CentreRect({0, 0, w, h}, outer);
}

std::int32_t Mid(std::int32_t a, std::int32_t b) { return std::int32_t((std::int64_t(a) + b) / 2); }

} // namespace

void TSkFlatTheme::FillFramed(ISkPaintCanvas& canvas, const TskRect& r, TColor fill) {
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  canvas.FillRect(r, fill);
  canvas.FrameRect(r, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintCheckMark(ISkPaintCanvas& canvas, std::int32_t cx, std::int32_t cy) {
  const TskPoint a[] = {{cx - 2, cy - 2}, {cx, cy},         {cx + 4, cy - 4}, {cx + 4, cy - 3},
                        {cx, cy + 1},     {cx - 2, cy - 1}, {cx - 2, cy - 2}};
  const TskPoint b[] = {{cx - 3, cy - 2}, {cx - 3, cy - 1}, {cx, cy + 2}, {cx + 5, cy - 3}, {cx + 5, cy - 5}};
  canvas.Polyline(a, Colors()[kcBorder]);
  canvas.Polyline(b, Colors()[kcBorder]);
}

// ---- Button family -------------------------------------------------------------------------

void TSkFlatTheme::PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const TskRect& r = info.Rect;
  if (kind > 9 || IsRectEmpty(r)) {
    return;
  }
  TskColorIndex face = kcButtonNormal;
  switch (info.State) {
  case 3: face = kcButtonDisabled; break;
  case 2: face = kcButtonPressed; break;
  case 1: face = kcButtonHot; break;
  case 4:
  case 6: face = kcButtonFocused; break;
  default: break;
  }
  TskClipGuard clip(canvas, r);
  FillFramed(canvas, r, Colors()[face]);
  if (kind == 2) {
    canvas.FillRoundRect(Centred(5, 5, r), 3, kRed);
  }
  if (kind >= 4 && kind <= 7) {
    static constexpr TskMonoGlyph kSpin[] = {TskMonoGlyph::mgScrollUp, TskMonoGlyph::mgScrollDown,
                                             TskMonoGlyph::mgScrollLeft, TskMonoGlyph::mgScrollRight};
    const std::int32_t d = info.State == 2 ? 1 : 0;
    canvas.MonoGlyph(kSpin[kind - 4], false, OffsetRect(r, d, d), Colors()[kcBorder]);
  }
}

// ---- Check family --------------------------------------------------------------------------

void TSkFlatTheme::PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const TskRect& r = info.Rect;
  const std::uint8_t s = info.State;
  if (kind > 1 || IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  if (kind == 0) {
    TskColorIndex face = kcButtonNormal;
    if (s == 1 || s == 6 || s == 11) {
      face = kcButtonHot;
    } else if (s == 2 || s == 7 || s == 12) {
      face = kcButtonFocused;
    }
    FillFramed(canvas, r, Colors()[face]);
    if (s < 4) {
      PaintCheckMark(canvas, Mid(r.Left, r.Right) - 1, Mid(r.Top, r.Bottom) + 1);
    } else if (s >= 10 && s <= 13) {
      canvas.FillRect(DeflateRect(r, 3, 3, 3, 3), Colors()[kcBorder]);
    }
    return;
  }
  TskColorIndex face = kcButtonNormal;
  if (s == 1 || s == 6) {
    face = kcButtonHot;
  } else if (s == 2 || s == 7) {
    face = kcButtonFocused;
  }
  canvas.FillRoundRect(r, 10, Colors()[kcBorder]);
  canvas.FillRoundRect(DeflateRect(r, 1, 1, 1, 1), 10, Colors()[face]);
  if (s < 4) {
    canvas.FillRoundRect(DeflateRect(r, 3, 3, 3, 3), 10, Colors()[kcBorder]);
  }
}

void TSkFlatTheme::PaintSplitter(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  FillFramed(canvas, rect, Colors()[kcButtonNormal]);
}

// ---- ScrollBar family ----------------------------------------------------------------------

void TSkFlatTheme::PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                      const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (kind != 0 || IsRectEmpty(r)) {
    return;
  }
  TskColorIndex face = kcButtonNormal;
  switch (info.State) {
  case 3: face = kcButtonDisabled; break;
  case 1: face = kcButtonFocused; break;
  case 2: face = kcButtonHot; break;
  default: break;
  }
  TskClipGuard clip(canvas, r);
  FillFramed(canvas, r, Colors()[face]);
  TskMonoGlyph glyph;
  switch (info.Part) {
  case 0: glyph = TskMonoGlyph::mgScrollUp; break;
  case 1: glyph = TskMonoGlyph::mgScrollDown; break;
  case 4: glyph = TskMonoGlyph::mgScrollLeft; break;
  case 5: glyph = TskMonoGlyph::mgScrollRight; break;
  default: return;
  }
  canvas.MonoGlyph(glyph, false, r, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintScrollTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                    const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (kind != 0 || IsRectEmpty(r)) {
    return;
  }
  // Face colour with white dots where x and y have the same parity, aligned to the origin.
  TskClipGuard clip(canvas, r);
  canvas.FillRect(r, kBtnFace);
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    for (std::int32_t x = r.Left + ((r.Left ^ y) & 1); x < r.Right; x += 2) {
      canvas.FillRect({x, y, x + 1, y + 1}, kWhite);
    }
  }
}

// ---- ProgressBar and TrackBar families -----------------------------------------------------

void TSkFlatTheme::PaintProgress(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  if (info.Part <= 1) {
    FillFramed(canvas, info.Rect, Colors()[kcButtonNormal]);
  } else if (info.Part <= 5) {
    FillFramed(canvas, info.Rect, Colors()[kcButtonHot]);
  }
}

void TSkFlatTheme::PaintTrack(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  FillFramed(canvas, DeflateRect(info.Rect, 2, 2, 2, 2), Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintTrackThumb(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const bool hot = info.State == 1 || info.State == 2;
  FillFramed(canvas, info.Rect, Colors()[hot ? kcButtonHot : kcButtonNormal]);
}

// ---- Header family -------------------------------------------------------------------------

void TSkFlatTheme::PaintHeader(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  canvas.FillRect(info.Rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintHeaderSection(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  if (IsRectEmpty(r)) {
    return;
  }
  TskClipGuard clip(canvas, r);
  static constexpr TskColorIndex kFace[] = {kcButtonNormal, kcButtonFocused, kcButtonDisabled, kcButtonHot,
                                            kcButtonHot,    kcButtonFocused, kcButtonDisabled};
  if (info.State < 7) {
    canvas.FillRect(r, Colors()[kFace[info.State]]);
  }
  canvas.FrameRect(r, Colors()[kcBorder]);
}

void TSkFlatTheme::PaintHeaderText(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                                   const TskTextInfo& text) {
  if (info.State != 4) {
    PaintTextInfo(canvas, text);
    return;
  }
  TskTextInfo moved = text;
  moved.Rect = OffsetRect(text.Rect, -1, -1);
  PaintTextInfo(canvas, moved);
}

void TSkFlatTheme::PaintHeaderGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                                    const TskGlyphInfo& glyph) {
  // The pushed glyph moves up and left but stays inside the rectangle it was given.
  if (IsRectEmpty(glyph.Rect) || glyph.Glyph.Empty()) {
    return;
  }
  TskClipGuard clip(canvas, glyph.Rect);
  canvas.DrawImage(glyph.Glyph, info.State == 4 ? OffsetRect(glyph.Rect, -1, -1) : glyph.Rect);
}

// ---- StatusBar family ----------------------------------------------------------------------

void TSkFlatTheme::PaintStatus(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  canvas.FillRect(info.Rect, Colors()[kcButtonNormal]);
}

void TSkFlatTheme::PaintStatusPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const TskRect& rect = info.Rect;
  if (IsRectEmpty(rect)) {
    return;
  }
  TskClipGuard clip(canvas, rect);
  canvas.FillRect(rect, Colors()[kcButtonNormal]);
  const TColor dark = Shifted(Colors()[kcButtonNormal], -40);
  if (info.State == 2) {
    return;
  }
  if (info.State == 3) {
    const TskRect r = OffsetRect(DeflateRect(rect, 5, 5, 5, 5), 3, 3);
    const TskPoint a[] = {{r.Right, r.Top - 2}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Left - 2, r.Bottom}};
    const TskPoint b[] = {{r.Right, r.Top + 2}, {r.Right, r.Bottom}, {r.Left + 2, r.Bottom}};
    canvas.FillPolygon(a, dark);
    canvas.FillPolygon(b, dark);
    return;
  }
  TskRect line = DeflateRect(rect, 1, 1, 1, 1);
  line.Left = line.Right - 1;
  canvas.FrameRect(line, dark);
}

void TSkFlatTheme::PaintStatusGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo&,
                                    const TskGlyphInfo& glyph) {
  if (IsRectEmpty(glyph.Rect) || glyph.Glyph.Empty()) {
    return;
  }
  TskClipGuard clip(canvas, glyph.Rect);
  canvas.DrawImage(glyph.Glyph, glyph.Rect);
}
