#include "framework/win32/Button.h"

#include "framework/Accelerator.h"

TButton::TButton(TWinControl* parent) : TWinControl(parent) { SetTabStop(true); }

bool TButton::IsAccelerator(char key) const { return ::IsAccelerator(key, Caption()); }

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "BUTTON";
  params.NativeClass = true;
  params.Style |= BS_PUSHBUTTON;
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) {
    Click();
  }
}
