#pragma once
// TButton: the platform's push button. A click (mouse, Space) runs OnClick; so does Alt with
// the caption's "&" letter, through the form, without moving the focus.
#include "framework/win32/WinControl.h"

class TButton : public TWinControl {
public:
  explicit TButton(TWinControl* parent);
  bool IsAccelerator(char key) const override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CommandNotify(WORD code) override;
  // Owner-drawn while the program's control painter draws buttons (framework/win32/ControlPainter.h).
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
};
