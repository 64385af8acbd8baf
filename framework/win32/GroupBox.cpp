#include "framework/win32/GroupBox.h"

#include "framework/win32/Canvas.h"

TGroupBox::TGroupBox(TWinControl* parent) : TWinControl(parent) {}

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "Tabira.GroupBox";
  params.Style |= WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TGroupBox::Paint(TCanvas& canvas) {
  canvas.SetFontHandle(FontHandle(), Font().Color);
  RECT client = ClientRect();
  SIZE text = canvas.TextExtent(Caption().empty() ? std::string_view("0") : std::string_view(Caption()));
  RECT frame{client.left, client.top + text.cy / 2, client.right, client.bottom};
  canvas.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty())
    return;
  RECT label{8, 0, 8 + text.cx, text.cy};
  canvas.FillRect(label, Color());
  canvas.DrawText(Caption(), label, DT_LEFT | DT_TOP | DT_SINGLELINE);
}
