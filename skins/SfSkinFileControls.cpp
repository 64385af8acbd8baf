// TSkSkinFile: the control families. Each element is a named node of a family's object,
// drawn into the element's rectangle in a node state mapped from the element state.
#include "skins/SfPaintTarget.h"
#include "skins/SfSkinFile.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using TStateMap = std::initializer_list<std::pair<int, int>>;

// The node state for an element state (0 when the map does not list it).
int MapState(int state, TStateMap map) {
  for (const auto& [from, to] : map) {
    if (from == state) {
      return to;
    }
  }
  return 0;
}

TskRect LessMargins(const TskRect& r, const TSfSkinObject* n) {
  return n ? DeflateRect(r, n->FMarginLeft, n->FMarginTop, n->FMarginRight, n->FMarginBottom) : r;
}

// The first of the named nodes the object has.
TSfSkinObject* First(TSfSkinObject* object, std::initializer_list<const char*> names) {
  if (!object) {
    return nullptr;
  }
  for (const char* n : names) {
    if (TSfSkinObject* f = object->FindByName(n)) {
      return f;
    }
  }
  return nullptr;
}

TskRect Centred(const TskRect& r, std::int32_t w, std::int32_t h) {
  const std::int32_t x = r.Left + (RectWidth(r) - w) / 2, y = r.Top + (RectHeight(r) - h) / 2;
  return {x, y, x + w, y + h};
}

} // namespace

// ---- hint, panel ----

TskRect TSkSkinFile::HintClientRect(std::uint8_t, const TskRect& rect, TName) {
  return DeflateRect(rect, 4, 3, 4, 3);
}

void TSkSkinFile::PaintHint(std::uint8_t, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {
  if (TSfSkinObject* hint = Pick(ceHint, objectName)) {
    Draw(canvas, hint, rect, 0);
    return;
  }
  canvas.FillRect(rect, 0xFF000018); // the platform's hint background
  canvas.FrameRect(rect, 0x808080);
}

bool TSkSkinFile::PanelAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind == 0 && FCache[ceContainer]);
}

TskRect TSkSkinFile::PanelClientRect(std::uint8_t, const TskRect& rect, TName objectName) {
  return LessMargins(rect, Sub(Pick(ceContainer, objectName), "Panel"));
}

void TSkSkinFile::PaintPanel(std::uint8_t, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {
  Draw(canvas, Sub(Pick(ceContainer, objectName), "Panel"), rect, 0);
}

// ---- button, check, splitter ----

bool TSkSkinFile::ButtonAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind == 0 && FCache[ceButton]) ||
         ((kind == 4 || kind == 5) && FCache[ceSpinButton]);
}

bool TSkSkinFile::ButtonTransparent(std::uint8_t kind, TName objectName) {
  TSfSkinObject* face = Sub(Pick(kind == 4 || kind == 5 ? ceSpinButton : ceButton, objectName), "Face");
  return face && face->FMasked;
}

void TSkSkinFile::PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskStateInfo& info) {
  const bool spin = kind == 4 || kind == 5;
  TSfSkinObject* object = Pick(spin ? ceSpinButton : ceButton, objectName);
  TSfSkinObject* face = Sub(object, "Face");
  Draw(canvas, face ? face : object, info.Rect,
       MapState(info.State, {{1, 5}, {5, 5}, {7, 5}, {2, 6}, {8, 6}, {4, 7}, {6, 7}, {3, 8}}));
  if (spin) {
    const std::int32_t d = info.State == 2 ? 1 : 0;
    canvas.MonoGlyph(kind == 4 ? TskMonoGlyph::mgScrollUp : TskMonoGlyph::mgScrollDown, false,
                     OffsetRect(info.Rect, d, d), Colors()[kcBorder]);
  }
}

void TSkSkinFile::PaintButtonText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskStateInfo& info, const TskTextInfo& text) {
  TskTextInfo t = text;
  if (auto* named = dynamic_cast<TSfTextObject*>(Named(objectName))) {
    // Skin alignments run along rows (top-left, top-centre, ...), text records down columns
    // (top-left, left, bottom-left, top, ...).
    const int a = named->FTextAlign % 9;
    t.Alignment = std::uint8_t((a % 3) * 3 + a / 3);
  }
  TskTheme::PaintButtonText(kind, canvas, objectName, info, t);
}

bool TSkSkinFile::CheckAvailable(std::uint8_t kind, TName) {
  return (kind == 0 && FCache[ceCheckbox]) || (kind == 1 && FCache[ceRadioButton]);
}

TskPoint TSkSkinFile::CheckGlyphSize(std::uint8_t kind, TName) {
  TSfSkinObject* checked = Sub(FCache[kind == 1 ? ceRadioButton : ceCheckbox], "Checked");
  return checked ? TskPoint{checked->FWidth, checked->FHeight} : TskPoint{13, 13};
}

void TSkSkinFile::PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  TSfSkinObject* object = FCache[kind == 1 ? ceRadioButton : ceCheckbox];
  static constexpr int kStates[] = {0, 5, 6, 8}; // normal, hot, pressed, disabled
  const int s = info.State;
  const char* name = s <= 3                              ? "Checked"
                     : (s >= 5 && s <= 8)                ? "Unchecked"
                     : (s >= 10 && s <= 13 && kind == 0) ? "Mixed"
                                                         : nullptr;
  TSfSkinObject* node = name ? Sub(object, name) : nullptr;
  if (!node) {
    return;
  }
  Draw(canvas, node, Centred(info.Rect, node->FWidth, node->FHeight), kStates[s % 5]);
}

bool TSkSkinFile::SplitterAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceSplitter]; }

void TSkSkinFile::PaintSplitter(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  Draw(canvas, FCache[ceSplitter], rect, 0);
}

// ---- scroll bar, progress bar ----

bool TSkSkinFile::ScrollAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind == 0 && FCache[ceScrollBar]);
}

bool TSkSkinFile::ScrollTransparent(std::uint8_t, TName objectName) {
  TSfSkinObject* o = Pick(ceScrollBar, objectName);
  return o && o->FMasked;
}

void TSkSkinFile::PaintScrollFrame(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                   const TskPartInfo& info) {
  Draw(canvas, Sub(Pick(ceScrollBar, objectName), "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintScrollElement(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                     const TskPartInfo& info) {
  const char* name = nullptr;
  switch (info.Part) {
  case 0: name = "TopButton"; break;
  case 1: name = "BottomButton"; break;
  case 4: name = "LeftButton"; break;
  case 5: name = "RightButton"; break;
  case 8: name = "HorzSlider"; break;
  case 9: name = "VertSlider"; break;
  default: return;
  }
  Draw(canvas, Sub(Pick(ceScrollBar, objectName), name), info.Rect,
       MapState(info.State, {{1, 6}, {2, 5}, {3, 8}}));
}

void TSkSkinFile::PaintScrollTrack(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                   const TskPartInfo& info) {
  Draw(canvas, Sub(Pick(ceScrollBar, objectName), info.Part ? "HorzFrame" : "VertFrame"), info.Rect,
       MapState(info.State, {{1, 6}, {2, 5}, {3, 8}}));
}

bool TSkSkinFile::ProgressAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind == 0 && FCache[ceProgressBar]);
}

bool TSkSkinFile::ProgressTransparent(std::uint8_t, TName objectName) {
  TSfSkinObject* frame = Sub(Pick(ceProgressBar, objectName), "Frame");
  return frame && frame->FMasked;
}

void TSkSkinFile::PaintProgress(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                const TskPartInfo& info) {
  TSfSkinObject* o = Pick(ceProgressBar, objectName);
  TSfSkinObject* node = nullptr;
  switch (info.Part) {
  case 0: node = First(o, {"FrameVert", "Frame"}); break;
  case 1: node = First(o, {"FrameHorz", "Frame"}); break;
  case 2: node = First(o, {"BarVert", "Bar"}); break;
  case 3: node = First(o, {"BarHorz", "Bar"}); break;
  case 4: node = First(o, {"SolidVert", "Solid", "BarVert", "Bar"}); break;
  case 5: node = First(o, {"SolidHorz", "Solid", "BarHorz", "Bar"}); break;
  default: break;
  }
  Draw(canvas, node, info.Rect, 0);
}

// ---- header, status bar ----

bool TSkSkinFile::HeaderAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceHeader]; }

void TSkSkinFile::PaintHeader(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskPartInfo& info) {
  if (TSfSkinObject* frame = Sub(FCache[ceHeader], "Frame")) {
    Draw(canvas, frame, info.Rect, 0);
    return;
  }
  TskTheme::PaintHeader(kind, canvas, objectName, info);
}

void TSkSkinFile::PaintHeaderSection(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  Draw(canvas, Sub(FCache[ceHeader], "Section"), info.Rect,
       MapState(info.State, {{1, 6}, {5, 6}, {2, 8}, {6, 8}, {3, 5}, {4, 5}}));
}

bool TSkSkinFile::StatusAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceStatusBar]; }

void TSkSkinFile::PaintStatus(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  Draw(canvas, Sub(FCache[ceStatusBar], "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintStatusPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  if (info.State <= 2) {
    TskRect r = info.Rect;
    if (info.State == 2) {
      r.Right += 7;
    }
    Draw(canvas, Sub(FCache[ceStatusBar], "Panel"), r, 0);
  } else if (info.State == 3) {
    Draw(canvas, Sub(FCache[ceStatusBar], "Gripper"), info.Rect, 0);
  }
}

void TSkSkinFile::PaintStatusText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskStateInfo& info, const TskTextInfo& text) {
  TskTextInfo t = text;
  if (TSfSkinObject* panel = Sub(Pick(ceStatusBar, objectName), "Panel")) {
    t.Rect = DeflateRect(t.Rect, panel->FTextMarginLeft, panel->FTextMarginTop, panel->FTextMarginRight, 0);
  }
  TskTheme::PaintStatusText(kind, canvas, objectName, info, t);
}

// ---- edits ----

bool TSkSkinFile::EditAvailable(std::uint8_t kind, TName) {
  return (kind == 0 && FCache[ceEdit]) || ((kind == 5 || kind == 6) && FCache[ceComboBox]);
}

TskRect TSkSkinFile::EditClientRect(std::uint8_t, const TskRect& rect, TName) {
  return InflateRect(rect, -4, -4);
}

void TSkSkinFile::PaintEdit(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  if (info.State == 6) {
    canvas.FillRect(info.Rect, Colors()[kcEditSelection]);
    return;
  }
  Draw(canvas, Sub(FCache[ceEdit], "Frame"), info.Rect, MapState(info.State, {{1, 5}, {4, 8}}));
}

void TSkSkinFile::PaintEditButton(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // The 16-bit element word: the state code in its low byte, the button kind in its high one.
  const int low = info.Part, high = info.State;
  TSfSkinObject* object = high == 0                  ? FCache[ceComboBox]
                          : (high >= 2 && high <= 9) ? FCache[ceEdit]
                                                     : nullptr;
  Draw(canvas, Sub(object, "Button"), info.Rect, MapState(low, {{1, 5}, {2, 6}, {4, 8}}));
}

bool TSkSkinFile::EditBoxAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceEdit]; }

TskRect TSkSkinFile::EditBoxClientRect(std::uint8_t, const TskRect& rect, TName) {
  return InflateRect(rect, -4, -4);
}

void TSkSkinFile::PaintEditBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  Draw(canvas, Sub(FCache[ceEdit], "Frame"), info.Rect, MapState(info.State, {{3, 8}}));
}

// ---- menus ----

bool TSkSkinFile::MenuAvailable(std::uint8_t kind, TName) {
  return (kind == 0 && FCache[ceMenuBar]) || (kind == 1 && FCache[cePopupMenu]);
}

TskRect TSkSkinFile::MenuClientRect(std::uint8_t kind, const TskRect& rect, TName) {
  TSfSkinObject* menu = FCache[kind == 1 ? cePopupMenu : ceMenuBar];
  TSfSkinObject* frame = Sub(menu, "Frame");
  return LessMargins(rect, frame ? frame : menu);
}

void TSkSkinFile::PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  DrawFrame(canvas, FCache[kind == 1 ? cePopupMenu : ceMenuBar], rect);
}

void TSkSkinFile::DrawFrame(ISkPaintCanvas& canvas, TSfSkinObject* object, const TskRect& rect) {
  if (TSfSkinObject* frame = Sub(object, "Frame")) {
    Draw(canvas, frame, rect, 0);
    return;
  }
  if (!object) {
    return;
  }
  std::vector<bool> shown(object->ChildCount());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    shown[i] = object->Child(i)->FNodeVisible;
    object->Child(i)->FNodeVisible = false;
  }
  // Drawn as a leaf.
  const bool drawIfOwner = object->FDrawIfOwner;
  object->FDrawIfOwner = true;
  Draw(canvas, object, rect, 0);
  object->FDrawIfOwner = drawIfOwner;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    object->Child(i)->FNodeVisible = shown[i];
  }
}

void TSkSkinFile::PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const bool popup = kind == 1;
  TSfSkinObject* menu = FCache[popup ? cePopupMenu : ceMenuBar];
  const int state = MapState(info.State, {{1, 5}, {2, 7}, {3, 8}});
  switch (info.Part) {
  case 0: Draw(canvas, Sub(menu, "Item"), info.Rect, state); break;
  case 1: {
    // Node names are matched without regard to case: "Separator" serves both menus.
    TSfSkinObject* node = First(menu, {"Separator", "item"});
    if (node) {
      const std::wstring saved = node->FNodeText;
      node->FNodeText = L"-";
      Draw(canvas, node, info.Rect, 0);
      node->FNodeText = saved;
    }
    break;
  }
  case 3:
  case 4: {
    TSfSkinObject* node =
        popup ? First(menu, {info.Part == 3 ? "upbutton" : "downbutton", "item"}) : Sub(menu, "item");
    Draw(canvas, node, info.Rect, state);
    static constexpr TskFontIndex kFonts[] = {kfMenuItemTextNormal, kfMenuItemTextHot, kfMenuItemTextSelected,
                                              kfMenuItemTextDisabled};
    const TColor color = Fonts().Font(kFonts[info.State <= 3 ? info.State : 0]).Color;
    const TskRect t = Centred(info.Rect, 7, 4);
    // Up: the base along the bottom row; down: along the top row.
    const TskPoint up[] = {{t.Left, t.Bottom - 1}, {t.Left + 6, t.Bottom - 1}, {t.Left + 3, t.Top}};
    const TskPoint down[] = {{t.Left, t.Top}, {t.Left + 6, t.Top}, {t.Left + 3, t.Bottom - 1}};
    canvas.FillPolygon(info.Part == 3 ? std::span<const TskPoint>(up) : std::span<const TskPoint>(down),
                       color);
    break;
  }
  case 7:
  case 8:
  case 9: {
    static constexpr const char* kNames[] = {"Min", "Restore", "Close"};
    static constexpr TskMonoGlyph kGlyphs[] = {TskMonoGlyph::mgMinimize, TskMonoGlyph::mgRestore,
                                               TskMonoGlyph::mgClose};
    const int i = info.Part - 7;
    if (TSfSkinObject* node = Sub(FCache[ceMenuBar], kNames[i])) {
      Draw(canvas, node, Centred(info.Rect, node->FWidth, node->FHeight), state);
    } else {
      canvas.MonoGlyph(kGlyphs[i], false, info.Rect, 0x000000);
    }
    break;
  }
  default: break;
  }
}

// ---- tabs, lists ----

bool TSkSkinFile::TabAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind <= 1 && FCache[ceTabs]);
}

TskRect TSkSkinFile::TabClientRect(std::uint8_t, const TskRect& rect, TName) {
  return InflateRect(rect, -2, -2);
}

void TSkSkinFile::PaintTabPane(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                               const TskPartInfo& info) {
  Draw(canvas, Sub(Pick(ceTabs, objectName), "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintTab(std::uint8_t, ISkPaintCanvas& canvas, TName objectName, const TskPartInfo& info) {
  TSfSkinObject* tabs = Pick(ceTabs, objectName);
  const int part = info.Part;
  if (part > 11) {
    return;
  }
  const int state = MapState(info.State, {{1, 5}, {2, 8}, {3, 7}});
  const char* own = part <= 2 ? "TabTop" : part <= 5 ? "TabLeft" : "TabRight";
  if (TSfSkinObject* node = Sub(tabs, own)) {
    Draw(canvas, node, info.Rect, state);
    return;
  }
  TSfSkinObject* tab = Sub(tabs, "Tab");
  if (!tab) {
    return;
  }
  if (part <= 2) {
    Draw(canvas, tab, info.Rect, state);
    return;
  }
  // "Tab" is drawn as a top tab (open side at its bottom) and turned so that its open side
  // faces the pane: left tabs (parts 3-5) a quarter turn counter-clockwise (open side to the
  // right), right tabs (6-8) a quarter turn clockwise (open side to the left), bottom tabs
  // (9-11) flipped top to bottom (open side at the top). Side tabs are drawn with width and
  // height exchanged so that the turned image fills the rectangle.
  const bool side = part <= 8;
  const std::int32_t w = side ? RectHeight(info.Rect) : RectWidth(info.Rect);
  const std::int32_t h = side ? RectWidth(info.Rect) : RectHeight(info.Rect);
  tab->SetNodeState(std::uint8_t(state));
  tab->SetNodeBounds({0, 0, w, h});
  SfLayoutTree(*tab, nullptr);
  FPaint->DrawTurned(canvas, *tab, info.Rect, part <= 5 ? 2 : part <= 8 ? 1 : 3);
}

void TSkSkinFile::PaintTabScrollButton(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                       const TskPartInfo& info) {
  Draw(canvas, Sub(Pick(ceTabs, objectName), info.Part == 1 ? "LeftButton" : "RightButton"), info.Rect,
       MapState(info.State, {{1, 5}, {2, 6}, {3, 8}}));
}

void TSkSkinFile::PaintTabText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskPartInfo& info, const TskTextInfo& text) {
  TskTextInfo t = text;
  if (info.Part >= 3 && info.Part <= 5) {
    t.Rotation = 2;
  } else if (info.Part >= 6 && info.Part <= 8) {
    t.Rotation = 1;
  }
  TskTheme::PaintTabText(kind, canvas, objectName, info, t);
}

bool TSkSkinFile::ListAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind == 0 && FCache[ceListBox]);
}

TskRect TSkSkinFile::ListClientRect(std::uint8_t, const TskRect& rect, TName objectName) {
  return LessMargins(rect, Sub(Pick(ceListBox, objectName), "Frame"));
}

void TSkSkinFile::PaintList(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                            const TskStateInfo& info) {
  Draw(canvas, Sub(Pick(ceListBox, objectName), "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintListItem(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                const TskStateInfo& info) {
  Draw(canvas, Sub(Pick(ceListBox, objectName), "Item"), info.Rect,
       MapState(info.State, {{2, 7}, {3, 7}, {4, 8}}));
}

// ---- track bar, group box ----

bool TSkSkinFile::TrackAvailable(std::uint8_t kind, TName) { return kind <= 1 && FCache[ceTrackBar]; }

void TSkSkinFile::PaintTrack(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  TSfSkinObject* o = FCache[ceTrackBar];
  TSfSkinObject* node = info.Part == 0   ? First(o, {"TrackVert", "Track"})
                        : info.Part == 1 ? First(o, {"TrackHorz", "Track"})
                                         : Sub(o, "Track");
  Draw(canvas, node, info.Rect, MapState(info.State, {{1, 8}}));
}

void TSkSkinFile::PaintTrackThumb(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  TSfSkinObject* o = FCache[ceTrackBar];
  static constexpr const char* kOwn[] = {"ThumbVertBoth", "ThumbVertRight",  "ThumbVertLeft",
                                         "ThumbHorzBoth", "ThumbHorzBottom", "ThumbHorzTop"};
  TSfSkinObject* node = info.Part <= 2   ? First(o, {kOwn[info.Part], "ThumbVert"})
                        : info.Part <= 5 ? First(o, {kOwn[info.Part], "ThumbHorz"})
                                         : Sub(o, "Thumb");
  if (node) {
    Draw(canvas, node, Centred(info.Rect, node->FWidth, node->FHeight),
         MapState(info.State, {{1, 5}, {2, 6}, {3, 7}, {4, 8}}));
  }
}

bool TSkSkinFile::GroupBoxAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceGroupBox]; }

bool TSkSkinFile::GroupBoxTransparent(std::uint8_t, TName) {
  TSfSkinObject* frame = Sub(FCache[ceGroupBox], "Frame");
  return frame && frame->FMasked;
}

void TSkSkinFile::PaintGroupBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskGroupBoxInfo& info) {
  TSfSkinObject* frame = Sub(FCache[ceGroupBox], "Frame");
  TSfSkinObject* node = frame ? frame : FCache[ceGroupBox];
  const int state = MapState(info.State, {{1, 8}});
  if (IsRectEmpty(info.CaptionRect)) {
    Draw(canvas, node, info.Rect, state);
    return;
  }
  // The frame is left out under the caption (which keeps what was there).
  const TskRect c = info.CaptionRect, r = info.Rect;
  for (const TskRect& part : BandsAround(r, c)) {
    if (!IsRectEmpty(IntersectRects(part, r))) {
      TskClipGuard clip(canvas, part);
      Draw(canvas, node, info.Rect, state);
    }
  }
}

// ---- dock, tool bars, scroll box, roll panel ----

bool TSkSkinFile::DockAvailable(std::uint8_t, TName objectName) {
  return Named(objectName) || FCache[ceControlBar];
}

void TSkSkinFile::PaintDock(std::uint8_t, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {
  Draw(canvas, Sub(Pick(ceControlBar, objectName), "Back"), rect, 0);
}

bool TSkSkinFile::ToolAvailable(std::uint8_t kind, TName objectName) {
  return Named(objectName) || (kind <= 1 && FCache[ceControlBar]);
}

void TSkSkinFile::PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskRect& rect) {
  if (kind == 2) {
    PaintMenu(1, canvas, objectName, rect);
    return;
  }
  Draw(canvas, Sub(Pick(ceControlBar, objectName), "Frame"), rect, 0);
}

void TSkSkinFile::PaintToolItem(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                const TskPartInfo& info) {
  TSfSkinObject* speed = Pick(ceSpeedButton, objectName);
  TSfSkinObject* bar = Pick(ceControlBar, objectName);
  const int state = MapState(info.State, {{1, 5}, {2, 6}, {5, 6}, {6, 6}, {3, 8}});
  switch (info.Part) {
  case 0:
  case 3:
  case 5: {
    TSfSkinObject* face = First(speed, {"FlatFace", "Face"});
    Draw(canvas, face ? face : speed, info.Rect, state);
    break;
  }
  case 1: Draw(canvas, Sub(speed, "Separator"), InflateRect(info.Rect, 0, -2), 0); break;
  case 4: {
    TSfSkinObject* chevron = First(speed, {"FlatChevron", "Chevron"});
    Draw(canvas, chevron ? chevron : speed, info.Rect, state);
    break;
  }
  case 13: Draw(canvas, Sub(bar, "Grabber"), info.Rect, 0); break;
  case 14: Draw(canvas, First(bar, {"GrabberVert", "Grabber"}), info.Rect, 0); break;
  default: break;
  }
}

bool TSkSkinFile::ScrollBoxAvailable(std::uint8_t kind, TName objectName) {
  return kind == 0 && (Named(objectName) || FCache[ceScrollBox]);
}

void TSkSkinFile::PaintScrollBox(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                 const TskRect& rect) {
  Draw(canvas, Sub(Pick(ceScrollBox, objectName), "Frame"), rect, 0);
}

bool TSkSkinFile::RollPanelAvailable(std::uint8_t kind, TName objectName) {
  return kind == 1 && (Named(objectName) || FCache[cePanel]);
}

bool TSkSkinFile::RollPanelTransparent(std::uint8_t, TName objectName) {
  TSfSkinObject* n = Named(objectName);
  if (!n) {
    n = Sub(FCache[cePanel], "Caption");
  }
  return n && n->FMasked;
}

void TSkSkinFile::PaintRollPanel(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                 const TskRect& rect) {
  Draw(canvas, Sub(Pick(cePanel, objectName), "Frame"), rect, 0);
}

void TSkSkinFile::PaintRollPanelCaption(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                        const TskRect& rect) {
  Draw(canvas, Sub(Pick(cePanel, objectName), "Caption"), rect, 0);
}

void TSkSkinFile::PaintRollPanelButton(std::uint8_t, ISkPaintCanvas& canvas, TName objectName,
                                       const TskPartInfo& info) {
  static constexpr const char* kNames[] = {"ButtonRollup", "ButtonRollDown", "ButtonHide"};
  if (info.Part >= 1 && info.Part <= 3) {
    Draw(canvas, Sub(Pick(cePanel, objectName), kNames[info.Part - 1]), info.Rect,
         MapState(info.State, {{1, 5}, {2, 6}, {3, 8}}));
  }
}

// ---- list checks, tree, grid ----

void TSkSkinFile::PaintListItemCheck(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo&,
                                     const TskCheckInfo& check) {
  TSfSkinObject* list = FCache[ceListBox];
  TSfSkinObject* box = FCache[ceCheckbox];
  TSfSkinObject* node = nullptr;
  switch (check.CheckKind) {
  case 0: node = Sub(list, "Checked") ? Sub(list, "Checked") : Sub(box, "Checked"); break;
  case 1: node = Sub(list, "Unchecked") ? Sub(list, "Unchecked") : Sub(box, "Unchecked"); break;
  case 2:
    node = First(list, {"Mixed", "Checked"});
    if (!node) {
      node = First(box, {"Mixed", "Checked"});
    }
    break;
  case 3:
    if (!check.Glyph.Empty()) {
      const std::int32_t w = check.Glyph.Pixels->Width(), h = check.Glyph.Pixels->Height();
      canvas.DrawImage(check.Glyph, Centred(check.Rect, w, h));
    }
    return;
  default: return;
  }
  if (node) {
    Draw(canvas, node, Centred(check.Rect, node->FWidth, node->FHeight), 0);
  }
}

bool TSkSkinFile::TreeAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceListBox]; }

void TSkSkinFile::PaintTree(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  Draw(canvas, Sub(FCache[ceListBox], "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintTreeItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  Draw(canvas, Sub(FCache[ceListBox], "Item"), info.Rect, MapState(info.State, {{2, 7}, {3, 7}, {4, 8}}));
}

bool TSkSkinFile::GridAvailable(std::uint8_t kind, TName) { return kind == 0 && FCache[ceGrid]; }

void TSkSkinFile::PaintGrid(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  Draw(canvas, Sub(FCache[ceGrid], "Frame"), info.Rect, 0);
}

void TSkSkinFile::PaintGridCell(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // The 16-bit element word: the state code in its low byte, fixed cells marked in the high one.
  Draw(canvas, Sub(FCache[ceGrid], info.State == 1 ? "Fixed" : "Cell"), info.Rect,
       MapState(info.Part, {{1, 5}, {2, 7}, {3, 7}, {4, 8}}));
}
