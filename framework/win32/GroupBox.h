#pragma once
// TGroupBox: a container window of our own class: its colour as background, an etched frame
// and its caption in its own font. Unlike the platform's group box it passes its children's
// notifications (commands, colour requests) on to their control objects, and it answers
// WM_PRINTCLIENT so that themed children draw their corners over its colour.
#include "framework/win32/WinControl.h"

class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TWinControl* parent);
  bool AcceptsControls() const override { return true; }
  // A grouping named by its caption, with the labels it paints.
  bool AccessibleFacts(TAccessibleFacts& facts) const override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;
  void FontChanged() override { Invalidate(); }
};
