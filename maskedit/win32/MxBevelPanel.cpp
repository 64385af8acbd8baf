#include "maskedit/win32/MxBevelPanel.h"

#include "framework/win32/Canvas.h"

TMxBevelPanel::TMxBevelPanel(TWinControl* parent) : TMxCustomBevelPanel(parent) {
  Bevel().SetMode(TMxBevelMode::bmWindows);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
}

void TMxBevelPanel::CreateParams(TCreateParams& params) {
  TMxCustomBevelPanel::CreateParams(params);
  params.ClassName = "Tabira.BevelPanel";
}

void TMxBevelPanel::Paint(TCanvas& canvas) {
  TMxCustomBevelPanel::Paint(canvas);
  TMxRect inner = BevelClientRect();
  RECT r{inner.Left + 2, inner.Top, inner.Right - 2, inner.Bottom};
  TFontData font = Font();
  font.Color = clGrayText;
  canvas.SetFont(font);
  canvas.DrawText(Name(), r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (Focused()) {
    RECT focus{inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1};
    DrawFocusRect(canvas.Handle(), &focus);
  }
}

void TMxBevelPanel::FocusGained() {
  TMxCustomBevelPanel::FocusGained();
  Invalidate();
}

void TMxBevelPanel::FocusLost(HWND to) {
  TMxCustomBevelPanel::FocusLost(to);
  Invalidate();
}
