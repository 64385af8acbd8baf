#pragma once
// TLabel: a line of text in its own font and colour over its container's colour. It takes
// no focus.
#include "framework/win32/WinControl.h"

class TLabel : public TWinControl {
public:
  explicit TLabel(TWinControl* parent);

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;
  void FontChanged() override { Invalidate(); }
};
