// TSkThemeMsStyles, painting: the Window family (frame, caption, caption buttons, client) and
// the other control families, each drawn from its sections of the description.
#include "visualstyles/VsThemeMsStyles.h"

#include "theme/SkMasks.h"
#include "theme/SkText.h"
#include "visualstyles/VsSysColorRefs.h"

#include <algorithm>
#include <array>

namespace {

// One state-to-frame table lookup; `fallback` for states beyond the table.
template <std::size_t N>
std::int32_t FrameOf(const std::array<std::uint8_t, N>& table, std::uint8_t state,
                     std::int32_t fallback = 1) {
  return state < N ? table[state] : fallback;
}

class TCanvasMeasure : public TskTextMeasure {
public:
  explicit TCanvasMeasure(ISkPaintCanvas& canvas) : FCanvas(canvas) {}
  std::int32_t TextWidth(const std::wstring& text) override {
    return std::int32_t(RectWidth(FCanvas.MeasureText(text, {0, 0, 0, 0}, dtSingleLine | dtNoPrefix)));
  }

private:
  ISkPaintCanvas& FCanvas;
};

} // namespace

// ---- Window family ----

bool TSkThemeMsStyles::WindowAvailable(std::uint8_t kind, TName) {
  return kind == 6 ? HasSection("Window.SmallCaption") : HasSection("Window") && HasSection("Window.Caption");
}

TskRect TSkThemeMsStyles::WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName) {
  if (kind != 0 && kind != 1 && kind != 6) {
    return info.Rect;
  }
  const std::int32_t bw = Bw(kind), cbh = Cbh(kind);
  return DeflateRect(info.Rect, bw, cbh + bw, bw, bw);
}

TskRect TSkThemeMsStyles::WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
  const TskRect client = WindowClientRect(kind, info, objectName);
  const TvsThemeObject* caption = Section("Window.Caption");
  TvsMargins m = caption->CaptionMargins;
  if (!caption->Prop("captionmargins")) {
    m = {0, 0, Bw(kind), 0};
  }
  TskRect r{client.Left + m.Left, info.Rect.Top + m.Top, client.Right - m.Right, client.Top - m.Bottom};
  if (info.Buttons & (1u << kwbIcon)) {
    r.Left += Cbh(kind);
  }
  return r;
}

TskRect TSkThemeMsStyles::WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                           std::uint8_t button) {
  if (button > kwbTray || !(info.Buttons & (1u << button))) {
    return kSkNoRect;
  }
  const TskRect& w = info.Rect;
  const auto has = [&](TskWindowButton b) { return (info.Buttons & (1u << b)) != 0; };
  if (kind == 6) {
    if (button != kwbClose) {
      return kSkNoRect;
    }
    return {w.Right - FSmBorderWidth - FSmCaptionBarHeight + 1, FSmBorderWidth + 1,
            w.Right - FSmBorderWidth - 1, w.Top + FSmCaptionBarHeight + FSmBorderWidth - 1};
  }
  if (kind != 0 && kind != 1) {
    return kSkNoRect;
  }
  const std::int32_t cbh = FCaptionBarHeight, bw = FBorderWidth, side = cbh - bw;
  if (button == kwbIcon) {
    const TskRect client = WindowClientRect(kind, info, objectName);
    return {client.Left, 5, client.Left + side, side + 5};
  }
  const int close = has(kwbClose) ? 1 : 0;
  const int maxOrRestore = has(kwbMaximize) || has(kwbRestore) ? 1 : 0;
  const int minOrRestore = has(kwbMinimize) || has(kwbRestoreMinimized) ? 1 : 0;
  int slot = 0;
  switch (button) {
  case kwbClose: slot = 0; break;
  case kwbMaximize:
  case kwbRestore: slot = close; break;
  case kwbMinimize:
  case kwbRestoreMinimized:
    // Every button to its right counts, so minimize never lands on close's slot.
    slot = close + maxOrRestore;
    break;
  case kwbHelp: slot = close + maxOrRestore + minOrRestore; break;
  default: return kSkNoRect;
  }
  const std::int32_t dx = slot * (side + 2);
  return {w.Right - cbh - 1 - dx, bw + 1, w.Right - bw - 1 - dx, w.Top + cbh + 1};
}

std::uint8_t TSkThemeMsStyles::WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                             std::int32_t x, std::int32_t y) {
  const std::uint8_t code = TskTheme::WindowHitTest(kind, info, objectName, x, y);
  const TskRect client = WindowClientRect(kind, info, objectName);
  const bool inBand = x >= client.Left && x < client.Right && y >= Bw(kind) && y < client.Top;
  return inBand && (code == khtTop || code == khtNowhere) ? std::uint8_t(khtCaption) : code;
}

void TSkThemeMsStyles::PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                   const TskWindowInfo& info) {
  const bool small = kind == 6;
  const std::int32_t index = (info.State & wsActive) ? 1 : 2;
  const TskRect w = info.Rect;
  const TskRect c = WindowClientRect(kind, info, objectName);
  const TskRect clip = info.ClipRect == kSkNoRect ? TskRect{} : info.ClipRect;
  DrawSection(canvas, small ? "Window.SmallCaption" : "Window.Caption", {w.Left, w.Top, w.Right, c.Top},
              index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameLeft" : "Window.FrameLeft", {w.Left, c.Top, c.Left, c.Bottom},
              index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameRight" : "Window.FrameRight",
              {c.Right, c.Top, w.Right, c.Bottom}, index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameBottom" : "Window.FrameBottom",
              {w.Left, c.Bottom, w.Right, w.Bottom}, index, clip);
}

std::vector<TskRect> TSkThemeMsStyles::WindowRegion(std::uint8_t kind, const TskWindowInfo& info,
                                                    TName objectName) {
  const TskRect w = info.Rect;
  TskPixels picture;
  if (!picture.SetSize(std::int32_t(RectWidth(w)), std::int32_t(RectHeight(w)))) {
    return {};
  }
  picture.Fill(skKeyColor);
  const bool small = kind == 6;
  const TskRect c = OffsetRect(WindowClientRect(kind, info, objectName), -w.Left, -w.Top);
  const TskRect all = picture.Bounds();
  const std::pair<const char*, TskRect> parts[] = {
      {small ? "Window.SmallCaption" : "Window.Caption", {0, 0, all.Right, c.Top}},
      {small ? "Window.SmallFrameLeft" : "Window.FrameLeft", {0, c.Top, c.Left, c.Bottom}},
      {small ? "Window.SmallFrameRight" : "Window.FrameRight", {c.Right, c.Top, all.Right, c.Bottom}},
      {small ? "Window.SmallFrameBottom" : "Window.FrameBottom", {0, c.Bottom, all.Right, all.Bottom}}};
  for (const auto& [name, rect] : parts) {
    const TvsThemeObject* s = Section(name);
    if (!s || IsRectEmpty(rect)) {
      continue;
    }
    if (s->BgType == vbImage) {
      s->RenderImage(picture, rect, (info.State & wsActive) ? 1 : 2, {}, Images(), false);
    } else if (s->BgType == vbBorderFill ? s->BorderSize > 0 || s->FillColor != 0x1FFFFFFF
                                         : s->BgType == vbFill && s->FillColor != 0x1FFFFFFF) {
      // Fills cover their band; a section that draws nothing leaves it outside.
      picture.FillRect(rect, 0xFF000000);
    }
  }
  // The client area is always part of the window.
  picture.FillRect(c, 0xFF000000);
  return SkRegionRuns(picture, w.Left, w.Top);
}

void TSkThemeMsStyles::PaintWindowClient(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
}

void TSkThemeMsStyles::PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                          const TskRect& rect, const TskWindowInfo& info) {
  const bool active = (info.State & wsActive) != 0;
  TskFontDesc font = Fonts().Font(active ? kfCaptionTextNormal : kfCaptionTextInactive);
  TskRect r = rect;
  if (kind == 0 || kind == 1) {
    const auto has = [&](TskWindowButton b) { return (info.Buttons & (1u << b)) != 0; };
    const int groups = int(has(kwbClose)) + int(has(kwbMaximize) || has(kwbRestore)) +
                       int(has(kwbMinimize) || has(kwbRestoreMinimized)) + int(has(kwbHelp)) +
                       int(has(kwbTray)) + int(has(kwbRollUp) || has(kwbRollDown));
    const std::int64_t limit =
        RectWidth(info.Rect) - 2 * std::int64_t(FBorderWidth) - std::int64_t(groups) * FCaptionBarHeight;
    if (limit < RectWidth(r)) {
      r.Right = std::int32_t(std::max<std::int64_t>(r.Left, r.Left + limit));
    }
  }
  if (IsRectEmpty(r)) {
    return;
  }
  canvas.SetFont(font);
  TCanvasMeasure measure(canvas);
  const std::wstring text = EllipsisText(measure, info.Caption, std::int32_t(RectWidth(r)));
  const TvsThemeObject* caption = Section("Window.Caption");
  const std::uint32_t align = caption->ContentAlignment == 1   ? std::uint32_t(dtCenter)
                              : caption->ContentAlignment == 2 ? std::uint32_t(dtRight)
                                                               : 0u;
  const std::uint32_t bits = dtSingleLine | dtVCenter | dtNoPrefix | align;
  const TvsThemeObject* state = Section(active ? "Window.Caption(Active)" : "Window.Caption(Inactive)");
  if (state->TextShadowType == 1) {
    TskFontDesc shadow = font;
    shadow.Color = caption->TextShadowColor;
    canvas.SetFont(shadow);
    canvas.PaintText(text, OffsetRect(r, state->TextShadowOffset.X, state->TextShadowOffset.Y), bits);
    canvas.SetFont(font);
  }
  canvas.PaintText(text, r, bits);
}

void TSkThemeMsStyles::PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                         const TskWindowButtonInfo& info) {
  if (info.Button == kwbIcon) {
    canvas.DrawImage(info.Icon, info.Rect);
    return;
  }
  const char* section = nullptr;
  if (kind == 6) {
    section = info.Button == kwbClose ? "Window.SmallCloseButton" : nullptr;
  } else {
    switch (info.Button) {
    case kwbClose: section = "Window.CloseButton"; break;
    case kwbHelp: section = "Window.HelpButton"; break;
    case kwbMinimize: section = "Window.MinButton"; break;
    case kwbMaximize: section = "Window.MaxButton"; break;
    case kwbRestore:
    case kwbRestoreMinimized:
    case kwbRollDown: section = "Window.RestoreButton"; break;
    default: break;
    }
  }
  if (section && info.State <= 3) {
    DrawSection(canvas, section, info.Rect, info.State + 1);
  }
}

// ---- other families ----

void TSkThemeMsStyles::Bevel(ISkPaintCanvas& canvas, const TskRect& rect) const {
  const TColor face = SysColor(kClBtnFace);
  canvas.BevelFrame(rect, ShiftBrightness(face, 30), ShiftBrightness(face, -30));
}

void TSkThemeMsStyles::PaintPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
  Bevel(canvas, rect);
}

void TSkThemeMsStyles::PaintSplitter(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
}

bool TSkThemeMsStyles::ButtonAvailable(std::uint8_t kind, TName) {
  if (kind >= 4 && kind <= 7) {
    return HasSection("Spin.Up") && HasSection("Spin.Down") && HasSection("Spin.Uphorz") &&
           HasSection("Spin.Downhorz");
  }
  return HasSection("Button.Pushbutton");
}

bool TSkThemeMsStyles::ButtonTransparent(std::uint8_t, TName) {
  return Section("Button.Pushbutton")->Transparent;
}

void TSkThemeMsStyles::PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                   const TskStateInfo& info) {
  static constexpr std::array<std::uint8_t, 12> kFrames = {1, 2, 3, 4, 5, 2, 5, 2, 3, 4, 3, 3};
  static constexpr const char* kSpin[] = {"Spin.Up", "Spin.Down", "Spin.Uphorz", "Spin.Downhorz"};
  const char* section = kind >= 4 && kind <= 7 ? kSpin[kind - 4] : "Button.Pushbutton";
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::CheckAvailable(std::uint8_t, TName) { return HasSection("button.checkbox"); }

void TSkThemeMsStyles::PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                  const TskStateInfo& info) {
  static constexpr std::array<std::uint8_t, 15> kFrames = {5, 6, 7, 8, 5, 1, 2, 3, 4, 1, 9, 10, 11, 12, 9};
  DrawSection(canvas, kind == 1 ? "button.radiobutton" : "button.checkbox", info.Rect,
              FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::ScrollAvailable(std::uint8_t, TName) { return HasSection("ScrollBar.ArrowBtn"); }

void TSkThemeMsStyles::PaintScrollTrack(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskPartInfo& info) {
  DrawSection(canvas, info.Part == 1 ? "ScrollBar.UpperTrackHorz" : "ScrollBar.UpperTrackVert", info.Rect, 1);
}

void TSkThemeMsStyles::PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                          const TskPartInfo& info) {
  if (kind != 0) {
    return;
  }
  static constexpr std::array<std::uint8_t, 4> kFrames = {1, 3, 2, 4};
  const std::int32_t frame = FrameOf(kFrames, info.State);
  auto thumb = [&](const char* button, const char* gripper) {
    DrawSection(canvas, button, info.Rect, frame);
    const TvsThemeObject* g = Section(gripper);
    const TskRect f = g->FrameRect(g->Image, frame, Images());
    if (!IsRectEmpty(f) && RectWidth(f) < RectWidth(info.Rect) && RectHeight(f) < RectHeight(info.Rect)) {
      DrawSection(canvas, gripper, info.Rect, frame);
    }
  };
  switch (info.Part) {
  case 0:
  case 1:
  case 4:
  case 5: {
    const std::int32_t add = info.Part == 1 ? 4 : info.Part == 4 ? 8 : info.Part == 5 ? 12 : 0;
    DrawSection(canvas, "ScrollBar.ArrowBtn", info.Rect, frame + add);
    break;
  }
  case 8: thumb("ScrollBar.ThumbBtnHorz", "ScrollBar.GripperHorz"); break;
  case 9: thumb("ScrollBar.ThumbBtnVert", "ScrollBar.GripperVert"); break;
  default: break;
  }
}

bool TSkThemeMsStyles::ProgressAvailable(std::uint8_t, TName) { return HasSection("Progress"); }

void TSkThemeMsStyles::PaintProgress(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr const char* kParts[] = {"Progress.BarVert", "Progress.Bar",       "Progress.ChunkVert",
                                           "Progress.Chunk",   "Progress.ChunkVert", "Progress.Chunk"};
  if (info.Part < std::size(kParts)) {
    DrawSection(canvas, kParts[info.Part], info.Rect, 1);
  }
}

bool TSkThemeMsStyles::TrackAvailable(std::uint8_t, TName) { return HasSection("TrackBar"); }

void TSkThemeMsStyles::PaintTrack(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, info.Part == 0 ? "TrackBar.TrackVert" : "TrackBar.Track", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTrackThumb(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr const char* kParts[] = {"TrackBar.ThumbVert", "TrackBar.ThumbRight",  "TrackBar.ThumbLeft",
                                           "TrackBar.Thumb",     "TrackBar.ThumbBottom", "TrackBar.ThumbTop"};
  if (info.Part < std::size(kParts)) {
    DrawSection(canvas, kParts[info.Part], info.Rect, info.State + 1);
  }
}

bool TSkThemeMsStyles::HeaderAvailable(std::uint8_t, TName) { return HasSection("header"); }

void TSkThemeMsStyles::PaintHeader(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "header", info.Rect, 1);
}

void TSkThemeMsStyles::PaintHeaderSection(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                          const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 6> kFrames = {1, 3, 1, 2, 2, 3};
  DrawSection(canvas, "header.headeritem", info.Rect, FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::StatusAvailable(std::uint8_t, TName) { return HasSection("status"); }

void TSkThemeMsStyles::PaintStatus(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "status", info.Rect, 1);
}

void TSkThemeMsStyles::PaintStatusPanel(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskStateInfo& info) {
  static constexpr const char* kParts[] = {"status.pane", "status.pane", "status.gripperpane",
                                           "status.gripper"};
  if (info.State < std::size(kParts)) {
    DrawSection(canvas, kParts[info.State], info.Rect, 1);
  }
}

bool TSkThemeMsStyles::EditAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const bool combo = kind >= 4 && kind <= 6;
  DrawSection(canvas, combo ? "combobox" : "edit", info.Rect, 1);
  const char* fillFrom = nullptr;
  if (combo) {
    fillFrom = info.State == 4 ? "combobox(disabled)" : nullptr;
  } else {
    fillFrom = info.State == 4   ? "edit.edittext(disabled)"
               : info.State == 5 ? "edit.edittext(readonly)"
                                 : nullptr;
  }
  const TskRect inner = DeflateRect(info.Rect, 2, 2, 2, 2);
  if (fillFrom && Section(fillFrom)->FillColor != 0x1FFFFFFF) {
    canvas.FillRect(inner, Section(fillFrom)->FillColor);
  } else if (!combo && info.State == 6) {
    canvas.FillRect(inner, SysColor(kClHighlight));
  }
}

void TSkThemeMsStyles::PaintEditButton(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // The face state is the low byte of the element word (Part), as for every theme.
  const std::uint8_t low = info.Part;
  const std::int32_t frame = low == 1 ? 2 : low == 2 ? 3 : low == 4 ? 4 : 1;
  DrawSection(canvas, "Combobox.DropDownButton", info.Rect, frame);
}

bool TSkThemeMsStyles::GroupBoxAvailable(std::uint8_t, TName) { return HasSection("button.groupbox"); }

bool TSkThemeMsStyles::GroupBoxTransparent(std::uint8_t, TName) {
  return Section("button.groupbox")->Transparent;
}

void TSkThemeMsStyles::PaintGroupBox(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                     const TskGroupBoxInfo& info) {
  const TskRect& r = info.Rect;
  const TskRect& c = info.CaptionRect;
  if (IsRectEmpty(c) || c == kSkNoRect) {
    DrawSection(canvas, "button.groupbox", r, 1);
    return;
  }
  // Everything but the caption's rectangle, as four bands around it.
  for (const TskRect& band : BandsAround(r, c)) {
    if (!IsRectEmpty(band)) {
      DrawSection(canvas, "button.groupbox", r, 1, band);
    }
  }
}

bool TSkThemeMsStyles::EditBoxAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintEditBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "edit", info.Rect, 1);
  const TskRect inner = DeflateRect(info.Rect, 2, 2, 2, 2);
  const char* fillFrom = info.State == 3   ? "edit.edittext(disabled)"
                         : info.State == 4 ? "edit.edittext(readonly)"
                                           : nullptr;
  if (fillFrom && Section(fillFrom)->FillColor != 0x1FFFFFFF) {
    canvas.FillRect(inner, Section(fillFrom)->FillColor);
  } else if (info.State == 5) {
    canvas.FillRect(inner, SysColor(kClHighlight));
  }
}

void TSkThemeMsStyles::PaintBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  canvas.FillRect(info.Rect, SysColor(kClBtnFace));
  canvas.FrameRect(info.Rect, Section("edit")->BorderColor);
}

void TSkThemeMsStyles::PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, FMenuColor);
  if (kind == 1 || kind == 2) {
    canvas.FrameRect(rect, FMenuHilightColor);
  }
}

void TSkThemeMsStyles::PaintMenuItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  const bool lit = info.State == 1 || info.State == 2;
  switch (info.Part) {
  case 1: { // separator: a line at mid-height
    canvas.FillRect(r, FMenuColor);
    const std::int32_t half = std::int32_t(RectHeight(r) / 2);
    canvas.FillRect(DeflateRect(r, 5, half, 5, half), FMenuHilightColor);
    break;
  }
  case 3:
  case 4: { // scroll areas of a long popup
    canvas.FillRect(r, FMenuColor);
    if (lit) {
      // A rounded frame: the highlight shape with the menu colour inside it.
      canvas.FillRoundRect(r, 3, FMenuHilightColor);
      canvas.FillRoundRect(DeflateRect(r, 1, 1, 1, 1), 3, FMenuColor);
    }
    canvas.MonoGlyph(info.Part == 3 ? TskMonoGlyph::mgScrollUp : TskMonoGlyph::mgScrollDown, false,
                     CentreRect({0, 0, 14, 14}, r), 0x808080);
    break;
  }
  case 7:
  case 8:
  case 9: { // child-window buttons
    static constexpr const char* kParts[] = {"Window.MDIMinButton", "Window.MDIRestoreButton",
                                             "Window.MDICloseButton"};
    static constexpr std::array<std::uint8_t, 4> kFrames = {1, 2, 2, 3};
    DrawSection(canvas, kParts[info.Part - 7], r, FrameOf(kFrames, info.State));
    break;
  }
  default: canvas.FillRect(r, lit ? FMenuHilightColor : FMenuColor); break;
  }
}

void TSkThemeMsStyles::PaintDock(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  DrawSection(canvas, "rebar", rect, 1);
}

bool TSkThemeMsStyles::ToolAvailable(std::uint8_t, TName) { return HasSection("rebar"); }

void TSkThemeMsStyles::PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskRect& rect) {
  if (kind == 2) {
    PaintMenu(1, canvas, objectName, rect);
    return;
  }
  Bevel(canvas, rect);
}

void TSkThemeMsStyles::PaintToolItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 8> kFrames = {1, 2, 3, 4, 5, 5, 6, 3};
  const char* section = nullptr;
  switch (info.Part) {
  case 0:
  case 6:
  case 7:
  case 8: section = "toolbar.button"; break;
  case 1: section = "toolbar.separator"; break;
  case 3: section = "toolbar.splitbutton"; break;
  case 4: section = "toolbar.splitbuttondropdown"; break;
  case 5: section = "toolbar.dropdownbutton"; break;
  case 13: section = "rebar.gripper"; break;
  case 14: section = "rebar.grippervert"; break;
  default: return;
  }
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

void TSkThemeMsStyles::PaintScrollBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
  Bevel(canvas, rect);
}

bool TSkThemeMsStyles::RollPanelAvailable(std::uint8_t, TName) { return HasSection("explorerbar"); }

bool TSkThemeMsStyles::RollPanelTransparent(std::uint8_t, TName) {
  return Section("explorerbar.NormalGroupHead")->Transparent;
}

void TSkThemeMsStyles::PaintRollPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  DrawSection(canvas, "explorerbar.SpecialGroupBackground", rect, 1);
}

void TSkThemeMsStyles::PaintRollPanelCaption(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                             const TskRect& rect) {
  DrawSection(canvas, "explorerbar.NormalGroupHead", InflateRect(rect, 1, 1), 1);
}

void TSkThemeMsStyles::PaintRollPanelButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                            const TskPartInfo& info) {
  const std::int32_t frame = info.State == 1 ? 2 : info.State == 2 ? 3 : 1;
  switch (info.Part) {
  case 1: DrawSection(canvas, "explorerbar.NormalGroupCollapse", info.Rect, frame); break;
  case 2: DrawSection(canvas, "explorerbar.NormalGroupExpand", info.Rect, frame); break;
  case 3:
    DrawSection(canvas,
                HasSection("explorerbar.headerclose") ? "explorerbar.headerclose" : "Window.CloseButton",
                info.Rect, frame);
    break;
  default: break;
  }
}

bool TSkThemeMsStyles::TabAvailable(std::uint8_t, TName) { return HasSection("tab"); }

void TSkThemeMsStyles::PaintTabPane(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "tab.pane", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTab(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 6> kFrames = {1, 2, 4, 3, 3, 4};
  const char* section =
      info.Part == 1 && HasSection("tab.toptabitemleftedge") ? "tab.toptabitemleftedge" : "tab.toptabitem";
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

void TSkThemeMsStyles::PaintTabScrollButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                            const TskPartInfo& info) {
  const std::int32_t add = info.Part == 1 ? 8 : info.Part == 2 ? 4 : info.Part == 4 ? 12 : 0;
  DrawSection(canvas, "ScrollBar.ArrowBtn", info.Rect, std::int32_t(info.State) + 1 + add);
}

bool TSkThemeMsStyles::ListAvailable(std::uint8_t, TName) { return HasSection("edit"); }
bool TSkThemeMsStyles::TreeAvailable(std::uint8_t, TName) { return HasSection("edit"); }
bool TSkThemeMsStyles::GridAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintList(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTree(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintGrid(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintListItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const bool selected = info.State == 2 || info.State == 3;
  canvas.FillRect(info.Rect, SysColor(selected ? kClHighlight : kClWindow));
}

void TSkThemeMsStyles::PaintTreeItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                     const TskStateInfo& info) {
  PaintListItem(kind, canvas, objectName, info);
}

void TSkThemeMsStyles::PaintListItemCheck(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo&,
                                          const TskCheckInfo& check) {
  static constexpr std::int32_t kFrames[] = {5, 1, 9};
  if (check.CheckKind < 3) {
    DrawSection(canvas, "button.checkbox", check.Rect, kFrames[check.CheckKind]);
  } else if (!check.Glyph.Empty()) {
    canvas.DrawImage(check.Glyph, CentreRect(check.Glyph.Pixels->Bounds(), check.Rect));
  }
}

void TSkThemeMsStyles::PaintGridCell(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // State 1 is a fixed cell.
  if (info.State == 1) {
    canvas.FillRect(info.Rect, SysColor(kClBtnFace));
    Bevel(canvas, info.Rect);
    return;
  }
  const std::uint8_t low = info.Part;
  const TColor fill = low == 1               ? SysColor(kClBtnFace)
                      : low == 2 || low == 3 ? SysColor(kClHighlight)
                                             : SysColor(kClWindow);
  canvas.FillRect(info.Rect, fill);
}
