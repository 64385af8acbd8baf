#include "framework/win32/Button.h"

#include "framework/Accelerator.h"
#include "framework/win32/ControlPainter.h"

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

LRESULT TButton::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    // The button's kind follows the painter before it draws: owner-drawn while the painter
    // draws buttons, a push button otherwise.
    const IControlPainter* painter = ControlPainter();
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const LONG_PTR kind = painter && painter->PaintsButtons() ? BS_OWNERDRAW : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) != kind) {
      SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~LONG_PTR(BS_TYPEMASK)) | kind);
    }
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}

bool TButton::DrawItem(const DRAWITEMSTRUCT& item) {
  IControlPainter* painter = ControlPainter();
  if (!painter || !painter->PaintsButtons()) {
    return false;
  }
  painter->PaintButton(*this, item);
  return true;
}
