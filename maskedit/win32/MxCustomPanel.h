#pragma once
// TMxCustomPanel: a custom control that holds child controls and can show its parent's
// pixels behind itself (Transparent).
#include "maskedit/win32/MxCustomControl.h"

class TMxCustomPanel : public TMxCustomControl {
public:
  explicit TMxCustomPanel(TWinControl* parent) : TMxCustomControl(parent) {}
  bool AcceptsControls() const override { return true; }

protected:
  // Asks the parent to paint its background and content into dc, shifted so that the part
  // under this control lands at rect.
  bool CopyParentBackground(HDC dc, const RECT& rect) override;
};
