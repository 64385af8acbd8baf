#include "framework/win32/Label.h"

#include "framework/win32/Canvas.h"
#include "framework/win32/ControlPainter.h"
#include "framework/win32/Graphics.h"

#include <algorithm>

TLabel::TLabel(TWinControl* parent) : TWinControl(parent) {
  // A label shows through to its container unless it stores a colour.
  SetParentColor(true);
}

void TLabel::ChangeScale(const TScale& scale) {
  if (scale.Identity()) {
    return;
  }
  if (FStoredPixelsPerInch == 0) {
    FStoredPixelsPerInch = scale.From();
  }
  TWinControl::ChangeScale(scale);
  if (scale.To() == FStoredPixelsPerInch || Caption().empty()) {
    return;
  }
  // Measured with the font the label will draw with, whether or not it is placed yet.
  const std::shared_ptr<const TFontHandle> font = SharedFont(Font());
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font->Get());
  SIZE text{};
  GetTextExtentPoint32A(dc, Caption().data(), static_cast<int>(Caption().size()), &text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int width = std::max(Width(), static_cast<int>(text.cx));
  const int height = std::max(Height(), static_cast<int>(text.cy));
  if (width != Width() || height != Height()) {
    SetScaledBounds(Left(), Top(), width, height);
  }
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
