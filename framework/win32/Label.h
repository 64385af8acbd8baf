#pragma once
// TLabel: a line of text in its own font and colour over its container's colour. It takes
// no focus and has no window: its container paints it.
#include "framework/win32/WinControl.h"

class TLabel : public TWinControl {
public:
  explicit TLabel(TWinControl* parent);
  bool HasWindow() const override { return false; }

protected:
  void Paint(TCanvas& canvas) override;
  void FontChanged() override { Invalidate(); }
};
