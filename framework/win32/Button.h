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
};
