#pragma once
// TMxBevelPanel: a framed panel that takes the focus: white, with the platform's sunken edit
// frame (bmWindows), showing its own name in grey at the right. It holds the place (bounds,
// tab order, focus and exit events) of a control still to come.
#include "maskedit/win32/MxCustomBevelPanel.h"

class TMxBevelPanel : public TMxCustomBevelPanel {
public:
  explicit TMxBevelPanel(TWinControl* parent);

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas) override;
  void FocusGained() override;
  void FocusLost(HWND to) override;
};

// Makes the edit family's controls known to layouts (defined with TMxMaskEdit).
void RegisterMxControls();
