#include "maskedit/win32/MxCustomBevelPanel.h"

#include "framework/win32/Canvas.h"
#include "maskedit/win32/MxGdiBevelCanvas.h"

TMxCustomBevelPanel::TMxCustomBevelPanel(TWinControl* parent)
    : TMxCustomPanel(parent), FBevel(std::make_unique<TMxBevel>()) {
  FBevel->SetSupport(true);
  FBevel->SetOnChange([this](TMxObject* sender) { BevelChanged(sender); });
}

TMxCustomBevelPanel::~TMxCustomBevelPanel() {
  FBevel->SetOnChange(nullptr);
}

void TMxCustomBevelPanel::BevelChanged(TMxObject* sender) {
  if (IsLoading() || IsDestroying()) return;
  if (sender == FBevel.get()) RecreateWnd();
  else Invalidate();
}

TPropertyResult TMxCustomBevelPanel::ReadProperty(const std::string& name, const TLayoutValue& value) {
  if (name == "Bevel.Mode") {
    if (value.Kind != TLayoutValue::TKind::Identifier) return TPropertyResult::Bad("a bevel mode");
    static const std::pair<const char*, TMxBevelMode> kModes[] = {{"bmCustom", TMxBevelMode::bmCustom},
                                                                  {"bmStandard", TMxBevelMode::bmStandard},
                                                                  {"bmEdge", TMxBevelMode::bmEdge},
                                                                  {"bmWindows", TMxBevelMode::bmWindows}};
    for (const auto& [text, mode] : kModes) {
      if (value.Text == text) {
        // Loading: the change is ignored, the window is made with the stored mode.
        FBevel->SetMode(mode);
        return TPropertyResult::Ok();
      }
    }
    return TPropertyResult::Bad("a bevel mode");
  }
  if (name == "Bevel.BorderInnerWidth") {
    auto v = LayoutInt(value, 0, 255);
    if (!v) return TPropertyResult::Bad("0 to 255");
    FBevel->SetBorderInnerWidth(static_cast<std::uint8_t>(*v));
    return TPropertyResult::Ok();
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
    if (Ctl3D()) params.ExStyle |= WS_EX_CLIENTEDGE;
    else params.Style |= WS_BORDER;
  }
}

void TMxCustomBevelPanel::ThemeModeChanged() {
  if (IsLoading()) return;
  for (TWinControl* child : Controls()) {
    if (child->HandleAllocated()) SendMessageA(child->Handle(), WM_THEMECHANGED, 0, 0);
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
