#pragma once
// TLabel: a line of text in its own font and colour over its container's colour. It takes
// no focus and has no window: its container paints it.
//
// At the density its layout was read at, a label keeps its stored size. At any other it is
// as large as its bounds scaled, and never smaller than its text in its scaled font: a face
// whose widths do not grow in proportion (a bitmap face comes in a few sizes) still shows
// whole.
#include "framework/win32/WinControl.h"

class TLabel : public TWinControl {
public:
  explicit TLabel(TWinControl* parent);
  bool HasWindow() const override { return false; }
  void ChangeScale(const TScale& scale) override;

protected:
  void Paint(TCanvas& canvas) override;
  void FontChanged() override { Invalidate(); }

private:
  int FStoredPixelsPerInch = 0; // the density of the stored layout, once scaled
};
