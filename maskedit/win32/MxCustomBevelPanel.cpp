#include "maskedit/win32/MxCustomBevelPanel.h"

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
  if (IsLoading() || IsDestroying())
    return;
  if (sender == FBevel.get())
    RecreateWnd();
  else
    Invalidate();
}

TPropertyResult TMxCustomBevelPanel::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxCustomBevelPanel>;
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
    if (Ctl3D())
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
}

void TMxCustomBevelPanel::ThemeModeChanged() {
  if (IsLoading())
    return;
  for (TWinControl* child : Controls()) {
    if (child->HandleAllocated())
      SendMessageA(child->Handle(), WM_THEMECHANGED, 0, 0);
  }
  RecreateWnd();
}

void TMxCustomBevelPanel::Paint(TCanvas& canvas) {
  RECT client = ClientRect();
  DrawBackground(canvas.Handle(), client);
  if (FBevel->Mode() == TMxBevelMode::bmWindows && ThemeInUse() != 0) {
    DrawThemedFrame(canvas.Handle(), client);
    return;
  }
  if (Focused() || !Flat()) {
    TMxGdiBevelCanvas bevelCanvas(canvas);
    canvas.SetBrushColor(Color());
    FBevel->PaintBevel(bevelCanvas, TMxGdiBevelCanvas::FromRect(client), Transparent());
  } else {
    DrawNormalLook();
  }
}
