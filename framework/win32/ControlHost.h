#pragma once
// IControlHost: what a control tells the top-level window that holds it (a form). The window
// base calls these and knows nothing else of the window above it; each call is made after
// the control's own handling is done.
#include <windows.h>

class TWinControl;

class IControlHost {
public:
  // The control's window received the focus.
  virtual void ControlFocused(TWinControl& control) = 0;
  // A control without a window of its own moved or changed size.
  virtual void ControlMoved(TWinControl& control) = 0;
  // The control's window was destroyed and made again.
  virtual void ControlRecreated(TWinControl& control) = 0;
  // The control is being destroyed: the host drops every reference to it.
  virtual void ControlDestroyed(TWinControl& control) = 0;
  // The pointer moved over one of the host's windows (the host's own included).
  virtual void PointerMoved() = 0;
  // The window that shows the hints, once it exists (null before).
  virtual HWND TooltipWindow() const = 0;

protected:
  ~IControlHost() = default;
};
