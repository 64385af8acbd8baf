// TSkSkinFile: storage, the object cache with the frame split, and the window family.
#include "skins/SfSkinFile.h"

#include "skins/SfPaintTarget.h"

#include <algorithm>
#include <cstring>

const std::array<const char*, ceCount> kSfCacheNames = {
    "Form",        "ToolWindow", "Button",    "Checkbox", "RadioButton", "GroupBox",  "ScrollBar",
    "ProgressBar", "Edit",       "ComboBox",  "TrackBar", "MenuBar",     "PopupMenu", "Header",
    "StatusBar",   "Tabs",       "Container", "Frame",    "ScrollBox",   "Splitter",  "SpinButton",
    "ControlBar",  "Grid",       "ListBox",   "Hint",     "SpeedButton", "ToolBar",   "Panel"};

namespace {

TSfAction ActionOf(const TSfSkinObject& n) {
  if (auto* b = dynamic_cast<const TSfSystemButton*>(&n)) {
    return b->FAction;
  }
  if (auto* b = dynamic_cast<const TSfSysButtonSkinObject*>(&n)) {
    return b->FAction;
  }
  return sbaNone;
}

void SetButtonState(TSfSkinObject& n, std::uint8_t state) {
  if (auto* b = dynamic_cast<TSfSystemButton*>(&n)) {
    b->FNodeButtonState = state;
  } else if (auto* s = dynamic_cast<TSfSysButtonSkinObject*>(&n)) {
    s->FNodeButtonState = state;
  }
}

// The first node of the tree (depth first) with the caption-button action.
TSfSkinObject* FindByAction(TSfSkinObject& node, TSfAction action) {
  if (ActionOf(node) == action) {
    return &node;
  }
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    if (TSfSkinObject* f = FindByAction(*node.Child(i), action)) {
      return f;
    }
  }
  return nullptr;
}

// The action of each caption-button kind (TskWindowButton).
constexpr TSfAction kButtonActions[] = {sbaSysMenu,  sbaClose,   sbaHelp,   sbaMinimize, sbaRestore,
                                        sbaMaximize, sbaRestore, sbaRollUp, sbaRollDown, sbaTray};

bool IsDefault(const std::string& name) { return name.empty() || name == "default"; }

TSfFont ToSfFont(const TskFontDesc& d) {
  TSfFont f;
  f.Name = d.Name;
  f.SetSize(d.Size);
  f.Charset = std::uint8_t(d.Charset);
  f.Color = d.Color;
  f.Style = d.Style;
  return f;
}

} // namespace

TSkSkinFile::TSkSkinFile()
    : FPaint(std::make_unique<TSfPaintTarget>()), FFramePaint(std::make_unique<TSfPaintTarget>()) {}
TSkSkinFile::~TSkSkinFile() = default;

TskThemeConfig TSkSkinFile::GetThemeConfig() { return {false, true, true, SkinFileFilter(), "mskn"}; }

bool TSkSkinFile::IsThemeStream(TskByteReader& in) {
  std::uint8_t head[5] = {};
  if (!in.ReadBytes(head, sizeof head)) {
    return false;
  }
  return FilterBySignature(head) != nullptr || std::memcmp(head, "QVLZ", 4) == 0;
}

bool TSkSkinFile::LoadFromSource(TSfSkinSource source) {
  if (source.ObjectCount() == 0) {
    FError = "the skin holds no object";
    return false;
  }
  FSource = std::move(source);
  ApplyDefaults();
  return true;
}

bool TSkSkinFile::LoadFromStream(TskByteReader& in) {
  std::vector<std::uint8_t> bytes(in.Remaining());
  if (!in.ReadBytes(bytes.data(), bytes.size())) {
    FError = "cannot read the stream";
    return false;
  }
  TSfSkinSource loaded(TskTheme::SysColorSource());
  if (!loaded.LoadFromStream(bytes, FLimits)) {
    FError = loaded.LastError();
    return false;
  }
  return LoadFromSource(std::move(loaded));
}

bool TSkSkinFile::LoadFromFile(const std::string& fileName) {
  TSfSkinSource loaded(TskTheme::SysColorSource());
  if (!loaded.LoadFromFile(fileName, FLimits)) {
    FError = loaded.LastError();
    return false;
  }
  if (!LoadFromSource(std::move(loaded))) {
    return false;
  }
  FFileName = fileName;
  return true;
}

namespace {

// The source as it is to be stored: the theme's colours and fonts, its own system colours.
TSfSkinSource StoredCopy(const TSfSkinSource& source, const TskTheme& theme) {
  TSfSkinSource copy(source.SysColors());
  copy.Assign(source);
  for (std::size_t i = 0; i < copy.FTables.Colors.size(); ++i) {
    copy.FTables.Colors[i] = theme.Colors().Color(i);
  }
  for (std::size_t i = 0; i < copy.FTables.Fonts.size(); ++i) {
    copy.FTables.Fonts[i] = ToSfFont(theme.Fonts().Font(i));
  }
  return copy;
}

} // namespace

bool TSkSkinFile::SaveToStream(TskByteWriter& out) const {
  std::vector<std::uint8_t> bytes;
  if (!StoredCopy(FSource, *this).SaveToStream(bytes, fkMaxCompression)) {
    return false;
  }
  out.WriteBytes(bytes.data(), bytes.size());
  return true;
}

bool TSkSkinFile::SaveToFile(const std::string& fileName) const {
  return StoredCopy(FSource, *this).SaveToFile(fileName);
}

void TSkSkinFile::Assign(const TskTheme& source) {
  TskTheme::Assign(source);
  if (auto* other = dynamic_cast<const TSkSkinFile*>(&source)) {
    FSource.Assign(other->FSource);
    ApplyDefaults();
  }
}

void TSkSkinFile::ApplyDefaults() {
  FWorkSource.Assign(FSource);
  RebuildObjectCache();
  if (FSource.ObjectCount() > 0) {
    SetName(FSource.FSkinName);
  }
  TskTheme::ApplyDefaults();
}

void TSkSkinFile::SetDefaultColors() {
  if (FWorkSource.ObjectCount() == 0) {
    TskTheme::SetDefaultColors();
    return;
  }
  for (std::size_t i = 0; i < FWorkSource.FTables.Colors.size(); ++i) {
    Colors().SetColor(i, FWorkSource.FTables.Colors[i]);
  }
  ShiftColors();
}

void TSkSkinFile::SetDefaultSysColors() {
  if (FWorkSource.ObjectCount() == 0) {
    TskTheme::SetDefaultSysColors();
    return;
  }
  // The platform's values, the skin's own rows over them, then the shifts once.
  SysColors().LoadFromSystem(TskTheme::SysColorSource());
  // Rows the skin leaves at the platform's value carry the marker 0x20000000.
  for (std::size_t row = 0; row < FWorkSource.FTables.SysColors.size(); ++row) {
    const TColor c = FWorkSource.FTables.SysColors[row];
    if (c != 0x20000000) {
      SysColors().Store(kSkSysColorRows[row].Value, c);
    }
  }
  SysColors().ChangeHue(DeltaHue());
  SysColors().ChangeBrightness(DeltaBrightness());
}

void TSkSkinFile::SetDefaultFonts() {
  TskTheme::SetDefaultFonts();
  if (FWorkSource.ObjectCount() == 0) {
    return;
  }
  for (std::size_t i = 0; i < FWorkSource.FTables.Fonts.size(); ++i) {
    TskFontDesc& d = Fonts().Font(i);
    const TSfFont& f = FWorkSource.FTables.Fonts[i];
    d = TSfCanvasText::FontDesc(f);
  }
  ShiftFonts();
}

void TSkSkinFile::RebuildObjectCache() {
  ++FGeneration;
  FCache.fill(nullptr);
  FForm = {};
  FToolWindow = {};
  if (FWorkSource.ObjectCount() == 0) {
    return;
  }
  FWorkSource.ChangeHue(DeltaHue());
  FWorkSource.ChangeBrightness(DeltaBrightness());
  for (std::size_t i = 0; i < ceCount; ++i) {
    FCache[i] = FWorkSource.ObjectByName(kSfCacheNames[i]);
  }
  SplitFrame(FCache[ceForm], FForm);
  SplitFrame(FCache[ceToolWindow], FToolWindow);
}

void TSkSkinFile::SplitFrame(TSfSkinObject* frame, TSfFrameEntry& entry) {
  entry.Frame = frame;
  if (!frame) {
    return;
  }
  // Without a client node there is nothing to split: the entry stays not ready and the
  // window family is not offered for it.
  TSfSkinObject* client = frame->FindByKind(skClient);
  if (!client || client == frame) {
    return;
  }
  auto placeholder = std::make_unique<TSfSkinObject>();
  placeholder->FColor = kSfNoColor;
  placeholder->FKind = skClient;
  placeholder->FAlign = client->FAlign;
  entry.Placeholder = frame->AddChild(std::move(placeholder));
  entry.Layout = frame->Clone(FWorkSource.FBitmaps);
  entry.Buttons = frame->Clone(FWorkSource.FBitmaps);
  entry.Client = client->Clone(FWorkSource.FBitmaps);
  client->Owner()->RemoveChild(client);
  // The frame is drawn without its caption buttons; the button copy draws them.
  for (TSfAction a : {sbaSysMenu, sbaClose, sbaHelp, sbaMinimize, sbaMaximize, sbaRestore, sbaRollUp,
                      sbaRollDown, sbaTray}) {
    if (TSfSkinObject* n = FindByAction(*frame, a)) {
      n->FNodeVisible = false;
    }
  }
}

// ---- object choice ----

TSfSkinObject* TSkSkinFile::Named(TName objectName) const {
  return IsDefault(objectName) ? nullptr : FWorkSource.ObjectByName(objectName);
}

TSfSkinObject* TSkSkinFile::Pick(TSfCacheEntry e, TName objectName) const {
  if (TSfSkinObject* n = Named(objectName)) {
    return n;
  }
  return FCache[e];
}

TSfSkinObject* TSkSkinFile::Sub(TSfSkinObject* object, const char* name) {
  return object ? object->FindByName(name) : nullptr;
}

void TSkSkinFile::Draw(ISkPaintCanvas& canvas, TSfSkinObject* node, const TskRect& rect, int state) {
  if (!node) {
    return;
  }
  if (state >= 0) {
    node->SetNodeState(std::uint8_t(state));
  }
  FPaint->Draw(canvas, *node, rect);
}

TSkSkinFile::TWindowObjects TSkSkinFile::WindowObjects(std::uint8_t kind, TName objectName) {
  if (TSfSkinObject* n = Named(objectName)) {
    TSfSkinObject* client = n->FindByKind(skClient);
    return {n, client, n, n, client, true};
  }
  const TSfFrameEntry* e = kind == 6 ? &FToolWindow : (kind <= 2 || kind == 4) ? &FForm : nullptr;
  if (!e || !e->Ready()) {
    return {};
  }
  return {e->Frame, e->Placeholder, e->Layout.get(), e->Buttons.get(), e->Client.get(), false};
}

void TSkSkinFile::PrepareLayout(TSfSkinObject& layout, const TskWindowInfo& info) {
  // A window shows restore in place of maximize when maximized, in place of minimize when
  // minimized, and roll down in place of roll up when rolled up, whatever else the set says.
  std::uint16_t buttons = info.Buttons;
  if (buttons & (1u << kwbRestore)) {
    buttons &= std::uint16_t(~(1u << kwbMaximize));
  }
  if (buttons & (1u << kwbRestoreMinimized)) {
    buttons &= std::uint16_t(~(1u << kwbMinimize));
  }
  if (buttons & (1u << kwbRollDown)) {
    buttons &= std::uint16_t(~(1u << kwbRollUp));
  }
  layout.SetNodeState(0);
  if (info.Buttons & (1u << kwbRestore)) {
    layout.SetNodeState(2);
  }
  if (info.Buttons & (1u << kwbRestoreMinimized)) {
    layout.SetNodeState(3);
  }
  if (info.Buttons & (1u << kwbRollDown)) {
    layout.SetNodeState(4);
  }
  layout.SetNodeButtons(buttons);
  layout.SetNodeBounds(info.Rect, &FMeasure);
  SfLayoutTree(layout, &FMeasure);
}

// ---- window family ----

bool TSkSkinFile::WindowAvailable(std::uint8_t kind, TName objectName) {
  if (Named(objectName)) {
    return bool(WindowObjects(kind, objectName));
  }
  switch (kind) {
  case 0:
  case 1: return FForm.Ready();
  case 6: return FToolWindow.Ready();
  default: return false;
  }
}

std::vector<TskRect> TSkSkinFile::WindowRegion(std::uint8_t kind, const TskWindowInfo& info,
                                               TName objectName) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w) {
    return {};
  }
  w.Frame->SetNodeBounds(info.Rect, &FMeasure);
  SfLayoutTree(*w.Frame, &FMeasure);
  // Bounded by the window: nothing outside it is drawn or answered.
  return w.Frame->TreeRegion(FMeasure, info.Rect);
}

std::uint8_t TSkSkinFile::WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                        std::int32_t x, std::int32_t y) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (w) {
    PrepareLayout(*w.Layout, info);
    if (TSfSkinObject* hit = w.Layout->NodeHitTest({x, y})) {
      if (hit->FKind == skCaption || hit->FKind == skTitle) {
        return khtCaption;
      }
      if (hit->FKind == skTop) {
        return khtTop;
      }
    }
  }
  return TskTheme::WindowHitTest(kind, info, objectName, x, y);
}

TskRect TSkSkinFile::WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w) {
    return TskTheme::WindowClientRect(kind, info, objectName);
  }
  w.Frame->SetNodeBounds(info.Rect, &FMeasure);
  SfLayoutTree(*w.Frame, &FMeasure);
  return w.Placeholder->Bounds();
}

TskRect TSkSkinFile::WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w || !w.Frame->FindByKind(skTitle)) {
    return TskTheme::WindowCaptionRect(kind, info, objectName);
  }
  // Measured on the layout copy, where the caption buttons the window shows take their room:
  // the caption text never runs under the window icon or a button.
  PrepareLayout(*w.Layout, info);
  w.Layout->SetNodeActive(info.State & wsActive);
  TSfSkinObject* title = w.Layout->FindByKind(skTitle);
  if (!title) {
    return TskTheme::WindowCaptionRect(kind, info, objectName);
  }
  title->FNodeText = info.Caption;
  if (title->Owner()) {
    SfLayoutTree(*title->Owner(), &FMeasure);
  }
  const TskRect r = title->Bounds();
  title->FNodeText.clear();
  return r;
}

TskRect TSkSkinFile::WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                      std::uint8_t button) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w || button >= std::size(kButtonActions) || !((info.Buttons >> button) & 1)) {
    return kSkNoRect;
  }
  PrepareLayout(*w.Layout, info);
  TSfSkinObject* node = FindByAction(*w.Layout, kButtonActions[button]);
  if (!node || !node->FNodeVisible) {
    return kSkNoRect;
  }
  return node->Bounds();
}

void TSkSkinFile::PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskWindowInfo& info) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w) {
    return;
  }
  const bool active = info.State & wsActive;
  w.Frame->SetNodeActive(active);
  if (w.Named || !IsRectEmpty(info.ClipRect)) {
    FPaint->Draw(canvas, *w.Frame, info.Rect, info.ClipRect, w.Named ? nullptr : w.Placeholder);
    return;
  }
  // The frame of the cached objects draws the same for the same size and activity until the
  // objects are rebuilt.
  FFramePaint->DrawKept(canvas, *w.Frame, info.Rect, w.Placeholder, FGeneration * 2 + (active ? 1 : 0));
}

void TSkSkinFile::PaintWindowClient(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                    const TskRect& rect) {
  TSfSkinObject* client = nullptr;
  if (TSfSkinObject* n = Named(objectName)) {
    client = n->FindByKind(skClient);
  } else if (kind == 0 || kind == 1) {
    client = FForm.Client.get();
  } else if (kind == 6) {
    client = FToolWindow.Client.get();
  }
  if (!client) {
    TskTheme::PaintWindowClient(kind, canvas, objectName, rect);
    return;
  }
  Draw(canvas, client, rect);
}

void TSkSkinFile::PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                     const TskRect& rect, const TskWindowInfo& info) {
  const TWindowObjects w = WindowObjects(kind, objectName);
  TSfSkinObject* title = w ? w.Frame->FindByKind(skTitle) : nullptr;
  if (!title || IsRectEmpty(rect)) {
    return;
  }
  const bool active = info.State & wsActive;
  const TSfFont savedFont = title->FFont;
  const std::int32_t savedMargin = title->FTextMarginRight;
  title->SetNodeActive(active);
  if (w.Named) {
    title->SetNodeState(active ? 7 : 0);
  } else {
    title->FFont = ToSfFont(Fonts().Font(active ? kfCaptionTextNormal : kfCaptionTextInactive));
  }
  if (title->FTextMarginRightStretch) {
    std::int32_t left = rect.Right;
    for (std::uint8_t b = 0; b <= 12; ++b) {
      const TskRect r = WindowButtonRect(kind, info, objectName, b);
      if (!IsRectEmpty(r) && r.Left > rect.Left && r.Left < left) {
        left = r.Left;
      }
    }
    title->FTextMarginRight = rect.Right - left;
  }
  title->FNodeText = info.Caption;
  FPaint->Draw(canvas, *title, rect);
  title->FNodeText.clear();
  title->FFont = savedFont;
  title->FTextMarginRight = savedMargin;
}

void TSkSkinFile::PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                    const TskWindowButtonInfo& info) {
  if (IsRectEmpty(info.Rect) || info.Button >= std::size(kButtonActions)) {
    return;
  }
  const TWindowObjects w = WindowObjects(kind, objectName);
  if (!w) {
    return;
  }
  if (TSfSkinObject* node = FindByAction(*w.Buttons, kButtonActions[info.Button])) {
    node->FNodeVisible = true;
    node->SetNodeActive(info.State != 3);
    SetButtonState(*node, info.State == 2 ? 2 : info.State == 1 ? 1 : 0);
    FPaint->Draw(canvas, *node, info.Rect);
  }
  if (info.Button == kwbIcon && !info.Icon.Empty()) {
    const std::int32_t iw = info.Icon.Pixels->Width(), ih = info.Icon.Pixels->Height();
    const std::int32_t x = info.Rect.Left + (RectWidth(info.Rect) - iw) / 2;
    const std::int32_t y = info.Rect.Top + (RectHeight(info.Rect) - ih) / 2;
    canvas.DrawImage(info.Icon, {x, y, x + iw, y + ih});
  }
}

void TSkSkinFile::PaintWindowGripper(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                     const TskStateInfo& info) {
  PaintWindowClient(kind, canvas, objectName, info.Rect);
  Draw(canvas, Sub(FCache[ceStatusBar], "Gripper"), info.Rect, 0);
}
