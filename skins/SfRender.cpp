// Skin object rendering: layout by alignment, drawing (fills, text, bitmaps by tile style and
// in nine sections, the state variants of every class), regions and hit testing, and the
// built-in pixel font.
#include "skins/SfSkinObject.h"
#include "theme/SkPixelDraw.h"
#include "theme/SkText.h"

#include <algorithm>

namespace {

std::int32_t Clamp32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, -kSfMaxCoordinate * 4ll, kSfMaxCoordinate * 4ll));
}

TskRect MakeRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  return {Clamp32(l), Clamp32(t), Clamp32(r), Clamp32(b)};
}

bool Meets(const TskRect& a, const TskRect& b) { return !IsRectEmpty(IntersectRects(a, b)); }

// Swaps a value for the duration of a draw and puts it back however the draw ends.
template <typename T>
class TScopedValue {
public:
  TScopedValue(T& target, const T& value) : FTarget(target), FSaved(target) { FTarget = value; }
  ~TScopedValue() { FTarget = std::move(FSaved); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

private:
  T& FTarget;
  T FSaved;
};

} // namespace

// ---- geometry and layout ----

TskRect TSfSkinObject::Bounds() const {
  return MakeRect(FLeft, FTop, std::int64_t(FLeft) + FWidth, std::int64_t(FTop) + FHeight);
}

void TSfSkinObject::SetNodeBounds(const TskRect& r, ISfTextEngine* text) {
  const TskRect current = Bounds();
  if (r == current) {
    return;
  }
  FPrevBounds = current;
  FLeft = std::clamp(r.Left, -kSfMaxCoordinate, kSfMaxCoordinate);
  FTop = std::clamp(r.Top, -kSfMaxCoordinate, kSfMaxCoordinate);
  FWidth = std::int32_t(std::clamp<std::int64_t>(RectWidth(r), 0, kSfMaxCoordinate));
  FHeight = std::int32_t(std::clamp<std::int64_t>(RectHeight(r), 0, kSfMaxCoordinate));
  LayoutChildren(text);
  FPrevBounds = Bounds();
}

void TSfSkinObject::SetLeft(std::int32_t v) {
  SetNodeBounds(MakeRect(v, FTop, std::int64_t(v) + FWidth, std::int64_t(FTop) + FHeight));
}
void TSfSkinObject::SetTop(std::int32_t v) {
  SetNodeBounds(MakeRect(FLeft, v, std::int64_t(FLeft) + FWidth, std::int64_t(v) + FHeight));
}
void TSfSkinObject::SetWidth(std::int32_t v) {
  SetNodeBounds(MakeRect(FLeft, FTop, std::int64_t(FLeft) + v, std::int64_t(FTop) + FHeight));
}
void TSfSkinObject::SetHeight(std::int32_t v) {
  SetNodeBounds(MakeRect(FLeft, FTop, std::int64_t(FLeft) + FWidth, std::int64_t(FTop) + v));
}

void TSfSkinObject::LayoutChildren(ISfTextEngine* text) {
  if (FChildren.empty()) {
    return;
  }
  // The alignments present among the children: a step with none of its alignments is passed
  // over, so that many unaligned children cost one pass.
  std::uint32_t present = 0;
  for (const auto& c : FChildren) {
    present |= 1u << (c->FAlign & 31);
  }
  auto has = [present](std::initializer_list<TSfAlign> aligns) {
    for (TSfAlign a : aligns) {
      if ((present >> a) & 1) {
        return true;
      }
    }
    return false;
  };
  std::int64_t l = FLeft, t = FTop, r = std::int64_t(FLeft) + FWidth, b = std::int64_t(FTop) + FHeight;
  auto visible = [this](std::size_t i) { return FChildren[i]->FNodeVisible; };
  auto vertical = [&](TSfAlign top, TSfAlign bottom) {
    for (std::size_t i = 0; i < FChildren.size(); ++i) {
      TSfSkinObject& c = *FChildren[i];
      if (!visible(i)) {
        continue;
      }
      if (c.FAlign == top) {
        const std::int64_t h = c.FHeight;
        c.SetNodeBounds(MakeRect(l, t, r, t + h), text);
        t += h;
      } else if (c.FAlign == bottom) {
        const std::int64_t h = c.FHeight;
        c.SetNodeBounds(MakeRect(l, b - h, r, b), text);
        b -= h;
      }
    }
  };
  auto horizontal = [&](TSfAlign left, TSfAlign right) {
    for (std::size_t i = 0; i < FChildren.size(); ++i) {
      TSfSkinObject& c = *FChildren[i];
      if (!visible(i)) {
        continue;
      }
      if (c.FAlign == left) {
        const std::int64_t w = c.FWidth;
        c.SetNodeBounds(MakeRect(l, t, l + w, b), text);
        l += w;
      } else if (c.FAlign == right) {
        const std::int64_t w = c.FWidth;
        c.SetNodeBounds(MakeRect(r - w, t, r, b), text);
        r -= w;
      }
    }
  };
  if (has({saMostTop, saMostBottom})) {
    vertical(saMostTop, saMostBottom);
  }
  if (has({saMostLeft, saMostRight})) {
    horizontal(saMostLeft, saMostRight);
  }
  if (has({saTop, saBottom})) {
    vertical(saTop, saBottom);
  }
  if (has({saLeft, saRight})) {
    horizontal(saLeft, saRight);
  }
  for (std::size_t i = has({saText}) ? FChildren.size() : 0; i-- > 0;) {
    TSfSkinObject& c = *FChildren[i];
    if (visible(i) && c.FAlign == saText) {
      const std::int64_t w = (text ? text->TextWidth(c.FNodeText, c.FFont) : 0) +
                             std::int64_t(c.FTextMarginLeft) + c.FTextMarginRight;
      c.SetNodeBounds(MakeRect(c.FLeft, c.FTop, c.FLeft + w, std::int64_t(c.FTop) + c.FHeight), text);
    }
  }
  for (std::size_t i = has({saCenter}) ? FChildren.size() : 0; i-- > 0;) {
    TSfSkinObject& c = *FChildren[i];
    if (visible(i) && c.FAlign == saCenter) {
      const std::int64_t x = l + (r - l - c.FWidth) / 2, y = t + (b - t - c.FHeight) / 2;
      c.SetNodeBounds(MakeRect(x, y, x + c.FWidth, y + c.FHeight), text);
    }
  }
  for (std::size_t i = 0; has({saClient}) && i < FChildren.size(); ++i) {
    if (visible(i) && FChildren[i]->FAlign == saClient) {
      FChildren[i]->SetNodeBounds(MakeRect(l, t, r, b), text);
    }
  }
  // Corner anchors follow the change from the previous bounds (none on the first layout).
  const std::int64_t prevW = RectWidth(FPrevBounds), prevH = RectHeight(FPrevBounds);
  if (prevW <= 0 || !has({saTopLeft, saTopRight, saBottomLeft, saBottomRight})) {
    return;
  }
  const std::int64_t dx = std::int64_t(FLeft) - FPrevBounds.Left, dy = std::int64_t(FTop) - FPrevBounds.Top;
  const std::int64_t dw = std::int64_t(FWidth) - prevW, dh = std::int64_t(FHeight) - prevH;
  for (auto& cp : FChildren) {
    TSfSkinObject& c = *cp;
    const std::int64_t cw = c.FWidth, ch = c.FHeight;
    switch (c.FAlign) {
    case saTopLeft:
      c.SetNodeBounds(MakeRect(c.FLeft + dx, c.FTop + dy, c.FLeft + dx + cw, c.FTop + dy + ch), text);
      break;
    case saTopRight:
      c.SetNodeBounds(MakeRect(c.FLeft + dx + dw, c.FTop + dy, c.FLeft + dx + dw + cw, c.FTop + dy + ch),
                      text);
      break;
    case saBottomLeft: c.FTop = Clamp32(c.FTop + dh); break;
    // Anchored to the bottom-right corner: follows the move and the growth both ways.
    case saBottomRight:
      c.SetNodeBounds(
          MakeRect(c.FLeft + dx + dw, c.FTop + dy + dh, c.FLeft + dx + dw + cw, c.FTop + dy + dh + ch), text);
      break;
    default: break;
    }
  }
}

// ---- state ----

void TSfSkinObject::SetNodeState(std::uint8_t state) {
  FNodeState = state;
  for (auto& c : FChildren) {
    c->SetNodeState(state);
  }
}

void TSfSkinObject::SetNodeActive(bool active) {
  if (FNodeActive == active) {
    return;
  }
  FNodeActive = active;
  for (auto& c : FChildren) {
    c->SetNodeActive(active);
  }
}

void TSfSkinObject::SetNodeButtons(std::uint16_t buttons) {
  FButtonSet = buttons;
  for (auto& c : FChildren) {
    c->SetNodeButtons(buttons);
  }
}

namespace {

// Caption-button visibility from the window's button set: the bit of the button's action.
void ApplyButtons(TSfSkinObject& node, TSfAction action, std::uint16_t buttons) {
  int bit = -1;
  switch (action) {
  case sbaClose: bit = 1; break;
  case sbaHelp: bit = 2; break;
  case sbaMinimize: bit = 3; break;
  case sbaMaximize: bit = 5; break;
  case sbaRestore: bit = node.FNodeState == 2 ? 6 : 4; break;
  case sbaRollUp: bit = 7; break;
  case sbaRollDown: bit = 8; break;
  case sbaTray: bit = 9; break;
  case sbaSysMenu: bit = 0; break;
  default: break;
  }
  if (bit >= 0) {
    node.FNodeVisible = (buttons >> bit) & 1;
  }
}

// Caption-button visibility from the window state (0 normal, 2 maximized, 3 minimized, 4
// rolled up).
void ApplyState(TSfSkinObject& node, TSfAction action, std::uint8_t state) {
  switch (state) {
  case 0:
  case 2:
    node.FNodeVisible = !((action == sbaRestore && state == 0) || (action == sbaMaximize && state == 2) ||
                          action == sbaRollDown);
    break;
  case 3:
    node.FNodeVisible =
        !(action == sbaMinimize || action == sbaMaximize || action == sbaRollUp || action == sbaRollDown);
    break;
  case 4: node.FNodeVisible = !(action == sbaRestore || action == sbaRollUp); break;
  default: break;
  }
}

} // namespace

void TSfSystemButton::SetNodeState(std::uint8_t state) {
  TSfSkinObject::SetNodeState(state);
  ApplyState(*this, FAction, state);
}
void TSfSystemButton::SetNodeButtons(std::uint16_t buttons) {
  TSfSkinObject::SetNodeButtons(buttons);
  ApplyButtons(*this, FAction, buttons);
}
void TSfSysButtonSkinObject::SetNodeState(std::uint8_t state) {
  TSfSkinObject::SetNodeState(state);
  ApplyState(*this, FAction, state);
}
void TSfSysButtonSkinObject::SetNodeButtons(std::uint16_t buttons) {
  TSfSkinObject::SetNodeButtons(buttons);
  ApplyButtons(*this, FAction, buttons);
}

// ---- drawing helpers ----

namespace {

bool SkipDraw(const TSfSkinObject& n, const TskRect& clip) {
  if (!n.FNodeVisible || n.FWidth <= 0 || n.FHeight <= 0) {
    return true;
  }
  return !IsRectEmpty(clip) && !Meets(n.Bounds(), clip);
}

TskDrawMode LinkMode(const TSfBitmapRef& link, bool masked) {
  return SkDrawModeOf(link.Bitmap->AlphaBlend, masked);
}

// Tiles `src` over `dest`: large tiles tile by tile, narrow or low ones (skins tile
// one-pixel strips) row by row.
void Tile(TskPixels& dst, const TskRect& dest, const TskPixels& img, const TskRect& src, const TskRect& clip,
          TskDrawMode mode) {
  const std::int64_t sw = RectWidth(src), sh = RectHeight(src);
  if (sw <= 0 || sh <= 0 || !RectContains(src, img.Bounds())) {
    return;
  }
  if ((sw >= 64 && sh >= 64) || (RectWidth(dest) <= sw && RectHeight(dest) <= sh)) {
    SkTile(dst, dest, img, src, clip, mode);
    return;
  }
  SfTileRows(dst, dest, img, src, clip, mode);
}

// Draws rectangle `src` of the link's bitmap into `dest` by a tile style.
void DrawStyled(TSfCanvas& canvas, const TSfBitmapRef& link, const TskRect& src, const TskRect& dest,
                TscTileStyle style, bool masked, const TskRect& clip, bool tileClip = true) {
  if (IsRectEmpty(src) || IsRectEmpty(dest)) {
    return;
  }
  const TskPixels& img = link.Bitmap->Pixels;
  const TskDrawMode mode = LinkMode(link, masked);
  const TskRect* clipPtr = IsRectEmpty(clip) ? nullptr : &clip;
  const std::int64_t sw = RectWidth(src), sh = RectHeight(src), dw = RectWidth(dest), dh = RectHeight(dest);
  switch (style) {
  case tsTile: Tile(canvas.Pixels, dest, img, src, tileClip ? clip : TskRect{}, mode); break;
  case tsStretch: SkDraw(canvas.Pixels, dest, img, src, mode, clipPtr); break;
  case tsCenter:
    SkDrawAt(canvas.Pixels, Clamp32(dest.Left + (dw - sw) / 2), Clamp32(dest.Top + (dh - sh) / 2), img, src,
             mode, clipPtr);
    break;
  case tsVertCenterStretch:
  case tsVertCenterTile: {
    const std::int64_t x = dest.Left + (dw - sw) / 2;
    const TskRect t = MakeRect(x, dest.Top, x + sw, dest.Bottom);
    if (style == tsVertCenterStretch) {
      SkDraw(canvas.Pixels, t, img, src, mode, clipPtr);
    } else {
      Tile(canvas.Pixels, t, img, src, clip, mode);
    }
    break;
  }
  case tsHorzCenterStretch:
  case tsHorzCenterTile: {
    const std::int64_t y = dest.Top + (dh - sh) / 2;
    const TskRect t = MakeRect(dest.Left, y, dest.Right, y + sh);
    if (style == tsHorzCenterStretch) {
      SkDraw(canvas.Pixels, t, img, src, mode, clipPtr);
    } else {
      Tile(canvas.Pixels, t, img, src, clip, mode);
    }
    break;
  }
  }
}

// The style a margin section is drawn with: stretch, tile, or (for tsCenter) centred in its
// destination unscaled.
TscTileStyle SectionStyle(TscTileStyle s) {
  switch (s) {
  case tsStretch:
  case tsVertCenterStretch:
  case tsHorzCenterStretch: return tsStretch;
  case tsCenter: return tsCenter;
  default: return tsTile;
  }
}

struct TSections {
  TskRect Src[9];
  TskRect Dst[9];
};

// The nine sections (centre, top, bottom, left, right edge, four corners) of link rectangle
// L over frame F with margins ml, mt, mr, mb.
TSections NineSections(const TskRect& L, const TskRect& F, std::int64_t ml, std::int64_t mt, std::int64_t mr,
                       std::int64_t mb) {
  TSections s;
  s.Src[0] = MakeRect(L.Left + ml, L.Top + mt, L.Right - mr, L.Bottom - mb);
  s.Dst[0] = MakeRect(F.Left + ml, F.Top + mt, F.Right - mr, F.Bottom - mb);
  s.Src[1] = MakeRect(L.Left + ml, L.Top, L.Right - mr, L.Top + mt);
  s.Dst[1] = MakeRect(F.Left + ml, F.Top, F.Right - mr, F.Top + mt);
  s.Src[2] = MakeRect(L.Left + ml, L.Bottom - mb, L.Right - mr, L.Bottom);
  s.Dst[2] = MakeRect(F.Left + ml, F.Bottom - mb, F.Right - mr, F.Bottom);
  s.Src[3] = MakeRect(L.Left, L.Top + mt, L.Left + ml, L.Bottom - mb);
  s.Dst[3] = MakeRect(F.Left, F.Top + mt, F.Left + ml, F.Bottom - mb);
  s.Src[4] = MakeRect(L.Right - mr, L.Top + mt, L.Right, L.Bottom - mb);
  s.Dst[4] = MakeRect(F.Right - mr, F.Top + mt, F.Right, F.Bottom - mb);
  s.Src[5] = MakeRect(L.Left, L.Top, L.Left + ml, L.Top + mt);
  s.Dst[5] = MakeRect(F.Left, F.Top, F.Left + ml, F.Top + mt);
  s.Src[6] = MakeRect(L.Right - mr, L.Top, L.Right, L.Top + mt);
  s.Dst[6] = MakeRect(F.Right - mr, F.Top, F.Right, F.Top + mt);
  s.Src[7] = MakeRect(L.Left, L.Bottom - mb, L.Left + ml, L.Bottom);
  s.Dst[7] = MakeRect(F.Left, F.Bottom - mb, F.Left + ml, F.Bottom);
  s.Src[8] = MakeRect(L.Right - mr, L.Bottom - mb, L.Right, L.Bottom);
  s.Dst[8] = MakeRect(F.Right - mr, F.Bottom - mb, F.Right, F.Bottom);
  return s;
}

class TMeasureAdapter : public TskTextMeasure {
public:
  TMeasureAdapter(ISfTextEngine& e, const TSfFont& f) : E(e), F(f) {}
  std::int32_t TextWidth(const std::wstring& text) override { return E.TextWidth(text, F); }

private:
  ISfTextEngine& E;
  const TSfFont& F;
};

} // namespace

// ---- tiling by rows ----

void SfTileRows(TskPixels& dst, const TskRect& dest, const TskPixels& img, const TskRect& src,
                const TskRect& clip, TskDrawMode mode) {
  const std::int64_t sw = RectWidth(src), sh = RectHeight(src);
  if (sw <= 0 || sh <= 0 || !RectContains(src, img.Bounds()) || IsRectEmpty(dest)) {
    return;
  }
  TskRect area = dest;
  if (RectWidth(clip) > 0 && RectHeight(clip) > 0) {
    // Whole tiles that meet the clip, as SkTile draws them.
    auto down = [](std::int64_t v, std::int64_t origin, std::int64_t step) {
      const std::int64_t d = v - origin;
      return origin + (d >= 0 ? d / step : -((-d + step - 1) / step)) * step;
    };
    const TskRect c = IntersectRects(clip, dest);
    if (IsRectEmpty(c)) {
      return;
    }
    area = IntersectRects(dest, MakeRect(down(c.Left, dest.Left, sw), down(c.Top, dest.Top, sh),
                                         down(std::int64_t(c.Right) - 1, dest.Left, sw) + sw,
                                         down(std::int64_t(c.Bottom) - 1, dest.Top, sh) + sh));
  }
  area = IntersectRects(area, dst.Bounds());
  if (IsRectEmpty(area)) {
    return;
  }
  // Each source row the area needs, repeated across the area's width once; then every
  // destination row is one row draw.
  const std::int32_t aw = std::int32_t(RectWidth(area));
  const std::int64_t rows = std::min<std::int64_t>(sh, RectHeight(area));
  thread_local std::vector<TskColor> pattern;
  pattern.resize(std::size_t(rows) * std::size_t(aw));
  const std::int64_t x0 = ((std::int64_t(area.Left) - dest.Left) % sw + sw) % sw;
  const std::int64_t y0 = ((std::int64_t(area.Top) - dest.Top) % sh + sh) % sh;
  for (std::int64_t k = 0; k < rows; ++k) {
    const TskColor* line = img.ScanLine(std::int32_t(src.Top + (y0 + k) % sh)) + src.Left;
    TskColor* out = pattern.data() + std::size_t(k) * std::size_t(aw);
    std::int64_t x = x0;
    for (std::int32_t i = 0; i < aw; ++i) {
      out[i] = line[x];
      if (++x == sw) {
        x = 0;
      }
    }
  }
  for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
    const std::size_t k = std::size_t((y - area.Top) % rows);
    TskPixels row = TskPixels::View(pattern.data() + k * std::size_t(aw), aw, 1, aw);
    SkDrawAt(dst, area.Left, y, row, row.Bounds(), mode);
  }
}

// ---- base drawing ----

void TSfSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (SkipDraw(*this, clip)) {
    return;
  }
  if (FChildren.empty() || FDrawIfOwner) {
    if (FColor != kSfNoColor) {
      canvas.Pixels.FillRect(Bounds(), ColorToSkColor(FColor, 255, canvas.SysColors));
    }
    DrawNodeText(canvas);
  }
  DrawNodeChildren(canvas, clip);
}

void TSfSkinObject::DrawNodeChildren(TSfCanvas& canvas, const TskRect& clip) {
  for (auto& c : FChildren) {
    if (c->FNodeVisible && c->FWidth > 0 && c->FHeight > 0 &&
        (IsRectEmpty(clip) || Meets(c->Bounds(), clip))) {
      c->DrawNode(canvas, clip);
    }
  }
}

void TSfSkinObject::DrawNodeText(TSfCanvas& canvas) {
  const TSfFont& font = CurrentFont();
  const TskRect node = Bounds();
  if (FNodeText == L"-") {
    const std::int64_t y = std::int64_t(FTop) + FHeight / 2 - 1;
    canvas.Pixels.FillRect(MakeRect(std::int64_t(node.Left) + 3, y, std::int64_t(node.Right) - 3, y + 1),
                           ColorToSkColor(font.Color, 255, canvas.SysColors));
    return;
  }
  const TskRect tr =
      MakeRect(std::int64_t(node.Left) + FTextMarginLeft, std::int64_t(node.Top) + FTextMarginTop,
               std::int64_t(node.Right) - FTextMarginRight, node.Bottom);
  const TColor color = FNodeEnabled ? font.Color : TColor(0x808080);
  const TskRect clip = IntersectRects(tr, canvas.Pixels.Bounds());
  bool swap = canvas.RightToLeftEnabled && FRightToLeft != 0;
  auto place = [&](const std::wstring& text, TSfTextAlign align) {
    if (text.empty() || IsRectEmpty(clip)) {
      return;
    }
    const std::int64_t tw = canvas.Text.TextWidth(text, font), th = canvas.Text.TextHeight(font);
    const int col = align % 3, row = align / 3; // 0 left/top, 1 centre, 2 right/bottom
    int hc = col == 1 ? 1 : (swap ? 2 - col : col);
    const std::int64_t x = hc == 0 ? tr.Left : hc == 1 ? tr.Left + (RectWidth(tr) - tw) / 2 : tr.Right - tw;
    const std::int64_t y = row == 0 ? tr.Top : row == 1 ? tr.Top + (RectHeight(tr) - th) / 2 : tr.Bottom - th;
    if (FTextEffect == teShadow) {
      canvas.Text.DrawText(canvas.Pixels, text, Clamp32(x + 1), Clamp32(y + 1), font, 0x808080, clip);
    }
    canvas.Text.DrawText(canvas.Pixels, text, Clamp32(x), Clamp32(y), font, color, clip);
  };
  std::wstring text = FNodeText;
  if (FKind == skTitle && !text.empty()) {
    TMeasureAdapter m(canvas.Text, font);
    text = EllipsisText(m, text, Clamp32(std::int64_t(FWidth) - FTextMarginLeft - FTextMarginRight));
  }
  place(text, FTextAlign);
  if (!FNodeSideText.empty()) {
    static constexpr TSfTextAlign kMirror[] = {taTopRight,    taTopCenter,    taTopLeft,
                                               taRight,       taCenter,       taLeft,
                                               taBottomRight, taBottomCenter, taBottomLeft};
    place(FNodeSideText, kMirror[FTextAlign % 9]);
  }
}

// ---- bitmap objects ----

void TSfBitmapObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  DrawWithLink(canvas, clip, FBitmap);
}

void TSfBitmapObject::DrawWithLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link) {
  if (SkipDraw(*this, clip) || !link.Valid()) {
    return;
  }
  const TskRect node = Bounds();
  const std::int64_t ml = FMarginLeft, mt = FMarginTop, mr = FMarginRight, mb = FMarginBottom;
  if (ml == 0 && mt == 0 && mr == 0 && mb == 0) {
    if (FColor == kSfNoColor) {
      TSfSkinObject::DrawNode(canvas, clip);
      return;
    }
    DrawStyled(canvas, link, link.Rect, node, FTileStyle, link.Masks.Masked, clip);
  } else {
    const TskRect& L = link.Rect;
    const std::int64_t lw = RectWidth(L), lh = RectHeight(L), w = FWidth, h = FHeight;
    TskRect f = MakeRect(0, 0, w, h);
    switch (FTileStyle) {
    case tsCenter: f = MakeRect((w - lw) / 2, (h - lh) / 2, (w - lw) / 2 + lw, (h - lh) / 2 + lh); break;
    case tsVertCenterStretch:
    case tsVertCenterTile: f = MakeRect((w - lw) / 2, 0, (w - lw) / 2 + lw, h); break;
    case tsHorzCenterStretch:
    case tsHorzCenterTile: f = MakeRect(0, (h - lh) / 2, w, (h - lh) / 2 + lh); break;
    default: break;
    }
    f = MakeRect(std::int64_t(f.Left) + node.Left, std::int64_t(f.Top) + node.Top,
                 std::int64_t(f.Right) + node.Left, std::int64_t(f.Bottom) + node.Top);
    const TSections s = NineSections(L, f, ml, mt, mr, mb);
    DrawStyled(canvas, link, s.Src[0], s.Dst[0], SectionStyle(FTileStyle), link.Masks.Masked, clip);
    for (int i = 1; i <= 4; ++i) {
      DrawStyled(canvas, link, s.Src[i], s.Dst[i], SectionStyle(FBorderTileStyle), link.Masks.MaskedBorder,
                 clip);
    }
    for (int i = 5; i <= 8; ++i) {
      if (!IsRectEmpty(s.Src[i])) {
        SkDrawAt(canvas.Pixels, s.Dst[i].Left, s.Dst[i].Top, link.Bitmap->Pixels, s.Src[i],
                 LinkMode(link, link.Masks.MaskedAngles), IsRectEmpty(clip) ? nullptr : &clip);
      }
    }
  }
  DrawNodeText(canvas);
  LayoutChildren(&canvas.Text);
  DrawNodeChildren(canvas, clip);
}

void TSfActiveBitmap::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const bool active = FNodeActive || (FNodeState >= 5 && FNodeState <= 7);
  DrawWithLink(canvas, clip, active && FActiveBitmap.Valid() ? FActiveBitmap : FBitmap);
}

void TSfSystemButton::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (FAction == sbaSysMenu) {
    if (!SkipDraw(*this, clip) && canvas.Icon && !canvas.Icon->Empty()) {
      SkDrawAt(canvas.Pixels, FLeft, FTop, *canvas.Icon, canvas.Icon->Bounds(), TskDrawMode::dmBlend,
               IsRectEmpty(clip) ? nullptr : &clip);
    }
    return;
  }
  auto childStates = [this](std::uint8_t s) {
    for (std::size_t i = 0; i < ChildCount(); ++i) {
      Child(i)->SetNodeState(s);
    }
  };
  struct TRestore {
    TSfSystemButton& B;
    std::function<void(std::uint8_t)> States;
    bool WasActive;
    ~TRestore() {
      B.SetNodeActive(WasActive);
      States(0);
    }
  } restore{*this, childStates, FNodeActive};
  if (!FNodeActive) {
    childStates(8);
    TSfActiveBitmap::DrawNode(canvas, clip);
    return;
  }
  const TSfBitmapRef* link = FNodeButtonState == 1   ? &FBitmapHot
                             : FNodeButtonState == 2 ? &FBitmapPressed
                                                     : nullptr;
  if (!link) {
    TSfActiveBitmap::DrawNode(canvas, clip);
    return;
  }
  SetNodeActive(false);
  childStates(FNodeButtonState == 1 ? 5 : 6);
  DrawWithLink(canvas, clip, link->Valid() ? *link : FBitmap);
}

void TSfButtonObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const TSfBitmapRef* link = FNodeState == 7   ? &FBitmapFocused
                             : FNodeState == 5 ? &FBitmapHot
                             : FNodeState == 8 ? &FBitmapDisabled
                             : FNodeState == 6 ? &FBitmapPressed
                                               : nullptr;
  DrawWithLink(canvas, clip, link && link->Valid() ? *link : FBitmap);
}

void TSfBitmapSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  DrawLink(canvas, clip, FBitmap);
}

void TSfBitmapSkinObject::DrawLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link) {
  if (SkipDraw(*this, clip) || !link.Valid()) {
    return;
  }
  if (FTileStyle == tsTile || FTileStyle == tsStretch || FTileStyle == tsCenter) {
    DrawStyled(canvas, link, link.Rect, Bounds(), FTileStyle, link.Masks.Masked, clip, false);
  }
  DrawNodeText(canvas);
}

void TSfFormBitmapSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  DrawLink(canvas, clip, !FNodeActive && FInactiveBitmap.Valid() ? FInactiveBitmap : FBitmap);
}

void TSfSysButtonSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (FAction == sbaSysMenu) {
    if (!SkipDraw(*this, clip) && canvas.Icon && !canvas.Icon->Empty()) {
      SkDrawAt(canvas.Pixels, FLeft, FTop, *canvas.Icon, canvas.Icon->Bounds(), TskDrawMode::dmBlend,
               IsRectEmpty(clip) ? nullptr : &clip);
    }
    return;
  }
  const TSfBitmapRef* link = FNodeButtonState == 1   ? &FBitmapHover
                             : FNodeButtonState == 2 ? &FBitmapDown
                                                     : nullptr;
  DrawLink(canvas, clip, link && link->Valid() ? *link : FBitmap);
}

void TSfBitmapBoxObject::DrawLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link) {
  if (FMarginLeft == 0 && FMarginTop == 0 && FMarginRight == 0 && FMarginBottom == 0) {
    TSfBitmapSkinObject::DrawLink(canvas, clip, link);
    return;
  }
  if (SkipDraw(*this, clip) || !link.Valid()) {
    return;
  }
  const bool masked = link.Masks.Masked;
  const TSections s = NineSections(link.Rect, Bounds(), FMarginLeft, FMarginTop, FMarginRight, FMarginBottom);
  if (FTileStyle == tsTile || FTileStyle == tsStretch || FTileStyle == tsCenter) {
    DrawStyled(canvas, link, s.Src[0], s.Dst[0], FTileStyle, masked, clip);
  }
  if (FBorderTileStyle == tsTile || FBorderTileStyle == tsStretch || FBorderTileStyle == tsCenter) {
    for (int i = 1; i <= 4; ++i) {
      DrawStyled(canvas, link, s.Src[i], s.Dst[i], FBorderTileStyle, masked, clip);
    }
  }
  for (int i = 5; i <= 8; ++i) {
    if (!IsRectEmpty(s.Src[i])) {
      SkDrawAt(canvas.Pixels, s.Dst[i].Left, s.Dst[i].Top, link.Bitmap->Pixels, s.Src[i],
               LinkMode(link, masked), IsRectEmpty(clip) ? nullptr : &clip);
    }
  }
  DrawNodeText(canvas);
}

void TSfActiveBitmapBoxObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const bool focused = (FNodeState == 7 || FNodeState == 5) && FFocusedBitmap.Valid();
  DrawLink(canvas, clip, focused ? FFocusedBitmap : FBitmap);
}

void TSfButtonBitmapBoxObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const TSfBitmapRef* link = FNodeState == 7   ? &FFocusedBitmap
                             : FNodeState == 5 ? &FHotBitmap
                             : FNodeState == 8 ? &FDisabledBitmap
                             : FNodeState == 6 ? &FPressedBitmap
                                               : nullptr;
  DrawLink(canvas, clip, link && link->Valid() ? *link : FBitmap);
}

// ---- colour and font variants ----

void TSfActiveObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (FNodeActive || (FNodeState >= 5 && FNodeState <= 7)) {
    TScopedValue color(FColor, FActiveColor);
    TScopedValue font(FFont, FActiveFont);
    TSfSkinObject::DrawNode(canvas, clip);
  } else if (FNodeState == 8) {
    TScopedValue font(FFont, FDisabledFont);
    TSfSkinObject::DrawNode(canvas, clip);
  } else {
    TSfSkinObject::DrawNode(canvas, clip);
  }
}

void TSfActiveSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (FNodeState == 5 || FNodeState == 7) {
    TScopedValue color(FColor, FActiveColor);
    TScopedValue font(FFont, FActiveFont);
    TSfSkinObject::DrawNode(canvas, clip);
  } else {
    TSfSkinObject::DrawNode(canvas, clip);
  }
}

void TSfTextObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const TSfFont* f = FNodeState == 5   ? &FFontHot
                     : FNodeState == 6 ? &FFontPressed
                     : FNodeState == 7 ? &FFontFocused
                     : FNodeState == 8 ? &FFontDisabled
                                       : nullptr;
  if (f) {
    TScopedValue font(FFont, *f);
    TSfSkinObject::DrawNode(canvas, clip);
  } else {
    TSfSkinObject::DrawNode(canvas, clip);
  }
}

void TSfColorButtonObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  const int i = FNodeState >= 5 && FNodeState <= 8 ? FNodeState - 5 : -1;
  if (i < 0) {
    TSfSkinObject::DrawNode(canvas, clip);
    return;
  }
  const TColor colors[] = {FHotColor, FPressedColor, FFocusedColor, FDisabledColor};
  const TSfFont* fonts[] = {&FHotFont, &FPressedFont, &FFocusedFont, &FDisabledFont};
  TScopedValue color(FColor, colors[i]);
  TScopedValue font(FFont, *fonts[i]);
  TSfSkinObject::DrawNode(canvas, clip);
}

void TSfLinkSkinObject::DrawNode(TSfCanvas& canvas, const TskRect& clip) {
  if (SkipDraw(*this, clip) || FNodeState != 1) {
    return;
  }
  const TskRect r = Bounds();
  canvas.Pixels.FillRect(r, 0xFFFFFFFF);
  const TskColor black = 0xFF000000;
  canvas.Pixels.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, black);
  canvas.Pixels.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, black);
  canvas.Pixels.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, black);
  canvas.Pixels.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, black);
  TSfFont font;
  font.Name = "Arial";
  font.Style = fsItalic;
  font.Color = 0;
  const std::wstring text(FLinkControl.begin(), FLinkControl.end());
  const std::int64_t tw = canvas.Text.TextWidth(text, font), th = canvas.Text.TextHeight(font);
  canvas.Text.DrawText(canvas.Pixels, text, Clamp32(r.Left + (RectWidth(r) - tw) / 2),
                       Clamp32(r.Top + (RectHeight(r) - th) / 2), font, 0,
                       IntersectRects(r, canvas.Pixels.Bounds()));
}

// ---- hit testing ----

TSfSkinObject* TSfSkinObject::NodeHitTest(TskPoint p) {
  // Hidden nodes keep stale rectangles; they never answer.
  if (!FNodeVisible || FKind == skTranparent) {
    return nullptr;
  }
  const TskRect r = Bounds();
  if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) {
    return nullptr;
  }
  TSfSkinObject* hit = this;
  for (auto& c : FChildren) {
    if (TSfSkinObject* h = c->NodeHitTest(p)) {
      hit = h;
    }
  }
  return hit;
}

// ---- the built-in pixel font ----

namespace {

// 3 x 5 glyphs: five rows of three bits (4 = left column), for ' ' to ']'.
struct TGlyph {
  char C;
  std::uint8_t Rows[5];
};
constexpr TGlyph kGlyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},  {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},  {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},  {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},  {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},  {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},  {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},  {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}},  {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},  {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {' ', {0, 0, 0, 0, 0}}, {'.', {0, 0, 0, 0, 2}},  {',', {0, 0, 0, 2, 4}}, {':', {0, 2, 0, 2, 0}},
    {';', {0, 2, 0, 2, 4}}, {'-', {0, 0, 7, 0, 0}},  {'_', {0, 0, 0, 0, 7}}, {'!', {2, 2, 2, 0, 2}},
    {'?', {6, 1, 2, 0, 2}}, {'\'', {2, 2, 0, 0, 0}}, {'"', {5, 5, 0, 0, 0}}, {'(', {1, 2, 2, 2, 1}},
    {')', {4, 2, 2, 2, 4}}, {'/', {1, 1, 2, 4, 4}},  {'+', {0, 2, 7, 2, 0}}, {'=', {0, 7, 0, 7, 0}},
    {'%', {5, 1, 2, 4, 5}}, {'&', {2, 5, 2, 5, 3}},  {'#', {5, 7, 5, 7, 5}}, {'@', {7, 5, 7, 4, 7}},
    {'*', {5, 2, 7, 2, 5}}, {'<', {1, 2, 4, 2, 1}},  {'>', {4, 2, 1, 2, 4}}, {'[', {3, 2, 2, 2, 3}},
    {']', {6, 2, 2, 2, 6}},
};
constexpr std::uint8_t kUnknownGlyph[5] = {7, 5, 5, 5, 7};

const std::uint8_t* GlyphRows(wchar_t c) {
  if (c >= L'a' && c <= L'z') {
    c = wchar_t(c - L'a' + L'A');
  }
  for (const TGlyph& g : kGlyphs) {
    if (wchar_t(g.C) == c) {
      return g.Rows;
    }
  }
  return kUnknownGlyph;
}

std::int32_t Scale(const TSfFont& f) {
  const std::int64_t px = f.Height < 0 ? -std::int64_t(f.Height) : (std::int64_t(f.Height) * 4 + 4) / 5;
  return std::int32_t(std::clamp<std::int64_t>(px / 6, 1, 16));
}

} // namespace

std::int32_t TSfPixelTextEngine::TextWidth(const std::wstring& text, const TSfFont& font) {
  const std::int64_t w = std::int64_t(text.size()) * 4 * Scale(font);
  return std::int32_t(std::min<std::int64_t>(w, kSfMaxCoordinate));
}

std::int32_t TSfPixelTextEngine::TextHeight(const TSfFont& font) { return 7 * Scale(font); }

void TSfPixelTextEngine::DrawText(TskPixels& target, const std::wstring& text, std::int32_t x, std::int32_t y,
                                  const TSfFont& font, TColor color, const TskRect& clip) {
  const std::int32_t s = Scale(font);
  const TskColor pixel = ColorToSkColor(color, 255);
  const TskRect limit = IntersectRects(clip, target.Bounds());
  std::int64_t cx = x;
  for (wchar_t c : text) {
    if (cx >= limit.Right) {
      break;
    }
    const std::uint8_t* rows = GlyphRows(c);
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (!(rows[row] & (4 >> col))) {
          continue;
        }
        const std::int64_t px = cx + std::int64_t(col) * s,
                           py = std::int64_t(y) + (row + 1) * std::int64_t(s);
        const std::int64_t extra = (font.Style & fsBold) ? 1 : 0;
        const TskRect cell = IntersectRects(MakeRect(px, py, px + s + extra, py + s), limit);
        target.FillRect(cell, pixel);
      }
    }
    cx += 4 * std::int64_t(s);
  }
}
