#include "framework/win32/Label.h"

#include "framework/win32/Canvas.h"
#include "framework/win32/ControlPainter.h"

TLabel::TLabel(TWinControl* parent) : TWinControl(parent) {
  // A label shows through to its container unless it stores a colour.
  SetParentColor(true);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  TColor color = Font().Color;
  if (IControlPainter* painter = ControlPainter(); painter && ParentColor()) {
    painter->LabelColor(*this, color);
  }
  canvas.SetFontHandle(FontHandle(), color);
  canvas.DrawText(Caption(), r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}
