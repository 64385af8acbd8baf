#include "maskedit/win32/MxCustomBevelPanel.h"

#include <algorithm>

#include "framework/Font.h"
#include "framework/PropertyTable.h"
#include "framework/win32/Canvas.h"
#include "maskedit/win32/MxGdiBevelCanvas.h"

TMxCustomBevelPanel::TMxCustomBevelPanel(TWinControl* parent)
    : TMxCustomPanel(parent), FBevel(std::make_unique<TMxBevel>()) {
  FBevel->SetSupport(true);
  FBevel->SetOnChange([this](TMxObject* sender) { BevelChanged(sender); });
}

TMxCustomBevelPanel::~TMxCustomBevelPanel() { FBevel->SetOnChange(nullptr); }

void TMxCustomBevelPanel::BevelChanged(TMxObject* sender) {
  if (IsLoading() || IsDestroying()) {
    return;
  }
  if (sender == FBevel.get()) {
    RecreateWnd();
  } else {
    Invalidate();
  }
}

void TMxCustomBevelPanel::ScaleMetrics(const TScale& scale) {
  TMxCustomPanel::ScaleMetrics(scale);
  if (FBevel->Mode() == TMxBevelMode::bmWindows) {
    return;
  }
  if (FStoredPixelsPerInch == 0) {
    FStoredPixelsPerInch = scale.From();
    FStoredWidths[0] = FBevel->WidthInner();
    FStoredWidths[1] = FBevel->WidthOuter();
    FStoredWidths[2] = FBevel->BorderWidth();
    FStoredWidths[3] = FBevel->BorderInnerWidth();
  }
  const TScale fromStored(FStoredPixelsPerInch, scale.To());
  const auto width = [&](int i) {
    return static_cast<std::uint8_t>(std::clamp(fromStored.Apply(FStoredWidths[i]), 0, 255));
  };
  // One change for all four widths: a change of the bevel makes the window again.
  TMxBevel scaled;
  scaled.Assign(*FBevel);
  scaled.SetWidthInner(width(0));
  scaled.SetWidthOuter(width(1));
  scaled.SetBorderWidth(width(2));
  scaled.SetBorderInnerWidth(width(3));
  if (scaled.WidthInner() != FBevel->WidthInner() || scaled.WidthOuter() != FBevel->WidthOuter() ||
      scaled.BorderWidth() != FBevel->BorderWidth() ||
      scaled.BorderInnerWidth() != FBevel->BorderInnerWidth()) {
    FBevel->Assign(scaled);
  }
}

TPropertyResult TMxCustomBevelPanel::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxCustomBevelPanel>;
  const auto Width = [](void (*apply)(TMxBevel&, std::uint8_t)) {
    return P::Int(
        0, 255, [apply](TMxCustomBevelPanel& c, int v) { apply(*c.FBevel, static_cast<std::uint8_t>(v)); },
        "0 to 255");
  };
  const auto Colour = [](void (*apply)(TMxBevel&, TColor)) -> P::TReader {
    return [apply](TMxCustomBevelPanel& c, const TLayoutValue& v) {
      const std::optional<TColor> colour = LayoutColor(v);
      if (!colour) {
        return TPropertyResult::Bad("a colour");
      }
      apply(*c.FBevel, *colour);
      return TPropertyResult::Ok();
    };
  };
  const auto BevelStyle = [](void (*apply)(TMxBevel&, TMxBevelStyle)) {
    return P::Enum<TMxBevelStyle>(
        {{"bvNone", TMxBevelStyle::bvNone},
         {"bvLowered", TMxBevelStyle::bvLowered},
         {"bvRaised", TMxBevelStyle::bvRaised},
         {"bvFrameLowered", TMxBevelStyle::bvFrameLowered},
         {"bvFrameRaised", TMxBevelStyle::bvFrameRaised},
         {"bvNormal", TMxBevelStyle::bvNormal},
         {"bvShadow", TMxBevelStyle::bvShadow},
         {"bvSpace", TMxBevelStyle::bvSpace}},
        [apply](TMxCustomBevelPanel& c, TMxBevelStyle v) { apply(*c.FBevel, v); }, "a bevel style");
  };
  static const P kTable{
      // Loading: the change of mode is ignored, the window is made with the stored mode.
      {"Bevel.Mode",
       P::Enum<TMxBevelMode>(
           {{"bmCustom", TMxBevelMode::bmCustom},
            {"bmStandard", TMxBevelMode::bmStandard},
            {"bmEdge", TMxBevelMode::bmEdge},
            {"bmWindows", TMxBevelMode::bmWindows}},
           [](TMxCustomBevelPanel& c, TMxBevelMode m) { c.FBevel->SetMode(m); }, "a bevel mode")},
      {"Bevel.BorderInnerWidth",
       P::Int(
           0, 255,
           [](TMxCustomBevelPanel& c, int v) { c.FBevel->SetBorderInnerWidth(static_cast<std::uint8_t>(v)); },
           "0 to 255")},
      {"Bevel.BorderWidth", Width([](TMxBevel& b, std::uint8_t v) { b.SetBorderWidth(v); })},
      {"Bevel.WidthInner", Width([](TMxBevel& b, std::uint8_t v) { b.SetWidthInner(v); })},
      {"Bevel.WidthOuter", Width([](TMxBevel& b, std::uint8_t v) { b.SetWidthOuter(v); })},
      {"Bevel.StyleInner", BevelStyle([](TMxBevel& b, TMxBevelStyle v) { b.SetStyleInner(v); })},
      {"Bevel.StyleOuter", BevelStyle([](TMxBevel& b, TMxBevelStyle v) { b.SetStyleOuter(v); })},
      {"Bevel.BorderColor", Colour([](TMxBevel& b, TColor v) { b.SetBorderColor(v); })},
      {"Bevel.LightColor", Colour([](TMxBevel& b, TColor v) { b.SetLightColor(v); })},
      {"Bevel.ShadowColor", Colour([](TMxBevel& b, TColor v) { b.SetShadowColor(v); })},
      {"Bevel.Support", P::Bool([](TMxCustomBevelPanel& c, bool v) { c.FBevel->SetSupport(v); })},
      {"Bevel.BorderSides",
       P::Set(
           {{"fsBottom", MxBorderSide::fsBottom},
            {"fsLeft", MxBorderSide::fsLeft},
            {"fsRight", MxBorderSide::fsRight},
            {"fsTop", MxBorderSide::fsTop}},
           [](TMxCustomBevelPanel& c, unsigned v) { c.FBevel->SetBorderSides(static_cast<std::uint8_t>(v)); },
           "a set of sides", [](const std::string& item) { return "no side: " + item; })},
      {"Bevel.EdgeStyle",
       P::Enum<TMxEdgeStyle>(
           {{"etRaisedInner", TMxEdgeStyle::etRaisedInner},
            {"etRaisedOuter", TMxEdgeStyle::etRaisedOuter},
            {"etSunkenInner", TMxEdgeStyle::etSunkenInner},
            {"etSunkenOuter", TMxEdgeStyle::etSunkenOuter},
            {"etBump", TMxEdgeStyle::etBump},
            {"etEtched", TMxEdgeStyle::etEtched},
            {"etRaised", TMxEdgeStyle::etRaised},
            {"etSunken", TMxEdgeStyle::etSunken}},
           [](TMxCustomBevelPanel& c, TMxEdgeStyle v) { c.FBevel->SetEdgeStyle(v); }, "an edge style")},
      {"Bevel.StandardStyle",
       P::Enum<TMxBorderStyle>(
           {{"lsNone", TMxBorderStyle::lsNone},
            {"lsSingle", TMxBorderStyle::lsSingle},
            {"lsLowered", TMxBorderStyle::lsLowered},
            {"lsRaised", TMxBorderStyle::lsRaised},
            {"lsRaisedspb", TMxBorderStyle::lsRaisedspb},
            {"lsLoweredspb", TMxBorderStyle::lsLoweredspb},
            {"lsRaisedExt", TMxBorderStyle::lsRaisedExt},
            {"lsLoweredExt", TMxBorderStyle::lsLoweredExt},
            {"lsFrameInset", TMxBorderStyle::lsFrameInset},
            {"lsFrameOffset", TMxBorderStyle::lsFrameOffset},
            {"lsWindowBorder", TMxBorderStyle::lsWindowBorder},
            {"lsSingleRaised", TMxBorderStyle::lsSingleRaised},
            {"lsSingleLowered", TMxBorderStyle::lsSingleLowered},
            {"lsDoubleRaised", TMxBorderStyle::lsDoubleRaised},
            {"lsDoubleLowered", TMxBorderStyle::lsDoubleLowered}},
           [](TMxCustomBevelPanel& c, TMxBorderStyle v) { c.FBevel->SetStandardStyle(v); },
           "a border style")},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TMxCustomPanel::ReadProperty(name, value);
}

TMxRect TMxCustomBevelPanel::BevelClientRect() const {
  RECT r = ClientRect();
  return FBevel->BevelClientRect(TMxGdiBevelCanvas::FromRect(r));
}

void TMxCustomBevelPanel::CreateParams(TCreateParams& params) {
  TMxCustomPanel::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  if (FBevel->Mode() == TMxBevelMode::bmWindows && ThemeInUse() == 0) {
    if (Ctl3D()) {
      params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      params.Style |= WS_BORDER;
    }
  }
}

void TMxCustomBevelPanel::ThemeModeChanged() {
  if (IsLoading()) {
    return;
  }
  for (TWinControl* child : Controls()) {
    if (child->HandleAllocated()) {
      SendMessageA(child->Handle(), WM_THEMECHANGED, 0, 0);
    }
  }
  RecreateWnd();
}

void TMxCustomBevelPanel::Paint(TCanvas& canvas) {
  RECT client = ClientRect();
  DrawBackground(canvas.Handle(), client);
  const bool themed = ThemeInUse() != 0;
  if (FBevel->Mode() == TMxBevelMode::bmWindows && themed) {
    DrawThemedFrame(canvas.Handle(), client);
    return;
  }
  if (Focused() || !Flat() || themed) {
    TMxGdiBevelCanvas bevelCanvas(canvas);
    canvas.SetBrushColor(Color());
    FBevel->PaintBevel(bevelCanvas, TMxGdiBevelCanvas::FromRect(client), Transparent());
  } else if (MouseInside()) {
    // Flat under the mouse: the active look, the bevel without fills.
    TMxGdiBevelCanvas bevelCanvas(canvas);
    FBevel->PaintBevel(bevelCanvas, TMxGdiBevelCanvas::FromRect(client), true);
  } else if (FBevel->Mode() == TMxBevelMode::bmWindows) {
    DrawNormalLook();
  }
  // (Other modes, flat and at rest: the background just drawn is the normal look.)
}

void TMxCustomBevelPanel::DrawActiveLook() {
  if (!HandleAllocated()) {
    return;
  }
  if (ThemeInUse() != 0) {
    Invalidate();
    return;
  }
  if (FBevel->Mode() == TMxBevelMode::bmWindows) {
    TMxCustomPanel::DrawActiveLook();
    return;
  }
  TWindowDC dc(Handle());
  TCanvas canvas(dc.Get());
  TMxGdiBevelCanvas bevelCanvas(canvas);
  const RECT client = ClientRect();
  FBevel->PaintBevel(bevelCanvas, TMxGdiBevelCanvas::FromRect(client), true);
}

void TMxCustomBevelPanel::DrawNormalLook() {
  if (!HandleAllocated() || Focused() || !Flat() || MouseInside()) {
    return;
  }
  if (ThemeInUse() != 0) {
    Invalidate();
    return;
  }
  if (FBevel->Mode() == TMxBevelMode::bmWindows) {
    TMxCustomPanel::DrawNormalLook();
    return;
  }
  // The frame strips take the background; what lies inside them stays.
  TWindowDC dc(Handle());
  TSavedDC saved(dc.Get());
  const TMxRect inner = BevelClientRect();
  ExcludeClipRect(dc.Get(), inner.Left, inner.Top, inner.Right, inner.Bottom);
  DrawBackground(dc.Get(), ClientRect());
}

void TMxCustomBevelPanel::DoMouseEnter() {
  TMxCustomPanel::DoMouseEnter();
  if (Flat() && !Focused() && !Entered()) {
    DrawActiveLook();
  }
}
