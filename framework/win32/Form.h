#pragma once
// TForm: a top-level window built from a stored layout. Loading reads the layout into
// components (only stored properties), creates the windows, runs every component's
// Loaded(), then the creation handler OnCreate.
//
// Focus: the form keeps its active control. When the focus moves from one of its controls
// to another, the old control's OnExit runs (after that control's own focus-loss handling),
// then the new one's OnEnter, synchronously, before anything else reaches the new control
// (so before a button's click). Focus that leaves for another window (a message box, another
// program) fires nothing, and comes back to the active control when the form is activated.
// The form is the host (IControlHost) of the controls in it.
#include "framework/LayoutLoader.h"
#include "framework/win32/WinControl.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class TForm : public TWinControl, public IControlHost {
public:
  // className is the class name the layout must describe (and the window class).
  explicit TForm(std::string className);
  ~TForm() override;

  // The form whose window holds control (the form itself for a form), or null.
  static TForm* Of(const TWinControl& control);
  // Every form that exists, in creation order.
  static const std::vector<TForm*>& All();

  // Whether destroying the window ends the message loop (the application's main form).
  bool EndsProgram() const { return FEndsProgram; }
  void SetEndsProgram(bool ends) { FEndsProgram = ends; }

  const std::string& ClassName() const { return FClassName; }
  bool AcceptsControls() const override { return true; }

  // Reads layout text and builds the form and its windows. Returns an empty string on
  // success, otherwise what is wrong; a failed load leaves no window behind.
  [[nodiscard]] std::string LoadFromText(std::string_view text);
  // The same from an RCDATA resource of the running module.
  [[nodiscard]] std::string LoadFromResource(const char* resourceName);

  // Names the layout can bind events to.
  void RegisterMethod(const std::string& name, TNotifyEvent handler);
  TNotifyEvent FindMethod(const std::string& name) const override;

  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }

  // The density the form is laid out for: the layout's own until the windows are made, then
  // the density of the form's window. Loading scales the layout to the window's density, and
  // WM_DPICHANGED scales it again (from the current density) into the suggested rectangle.
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Lays the form out for another density; with a window, the window takes the new client
  // size (at suggested, when given: its top-left corner, and its size where the frame agrees).
  void ScaleTo(int pixelsPerInch, const RECT* suggested = nullptr);
  // The client size and, below the form, what TWinControl scales.
  void ChangeScale(const TScale& scale) override;
  void Show();
  void Close();

  TWinControl* ActiveControl() const { return FActiveControl; }
  // The focusable tab stops in keyboard order.
  std::vector<TWinControl*> TabOrderList() const;
  // Moves the focus to the next (or previous) tab stop; false when there is none.
  bool SelectNext(bool forward);
  // Runs the click handler of the control whose accelerator is key, without moving the
  // focus. False when no visible, enabled control has it.
  bool HandleAccelerator(char key);

  // The tooltip text for a control ("" for none): the part before "|" of the nearest
  // non-empty hint up the parent chain, when ShowHint is in effect for the control.
  static std::string HintTextFor(const TWinControl& control);
  // The same text in its wide form when that hint is a packed wide one (framework/Hint.h),
  // else "".
  static std::wstring WideHintTextFor(const TWinControl& control);
  // The tooltip window, made (with a tool for every control that has a tooltip text) on
  // first use: here, or shortly after the pointer first moves over the form's windows.
  HWND TooltipHandle();
  void EnsureTooltips();
  // Makes the tooltips a moment after the pointer first moves over the form: a tip shows
  // only after the pointer has rested, and the start-up paint does not wait for them.
  void ScheduleTooltips();

  TNotifyEvent OnCreate;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;

  // IControlHost. Focus moves the active control, firing the events; a recreated window gets
  // its tools again; a control without a window that moved takes its tool along; a
  // destroyed control stops being the active one; a pointer move schedules the tooltips.
  void ControlFocused(TWinControl& control) override;
  void ControlMoved(TWinControl& control) override;
  void ControlRecreated(TWinControl& control) override;
  void ControlDestroyed(TWinControl& control) override;
  void PointerMoved() override { ScheduleTooltips(); }
  HWND TooltipWindow() const override { return FTooltip.Get(); }

  // Border icons the layout may store. The platform's frame always has the system menu (and its
  // close button) and, as the form's size is fixed, never the maximize button.
  enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  // The form's icon at the platform's large or small size (shared; null without one).
  HICON FormIcon(bool small) const;
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

private:
  void AddTooltips(TWinControl& control);
  void AllControls(TWinControl& parent, std::vector<TWinControl*>& out) const;
  std::string Load(std::string_view text);
  // Sizes the window so that its client area is ClientWidth x ClientHeight.
  void FitWindowToClient(const RECT* suggested);

  std::string FClassName;
  std::map<std::string, TNotifyEvent> FMethods;
  TWinControl* FActiveControl = nullptr;
  bool FEndsProgram = false;
  int FClientWidth = 0, FClientHeight = 0;
  // The client size as stored and its density (0 until the form is first scaled).
  int FStoredPixelsPerInch = 0, FStoredClientWidth = 0, FStoredClientHeight = 0;
  unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  int FIconId = 0;
  int FPixelsPerInch = TScale::kDesignPixelsPerInch;
  TWindowHandle FTooltip;
  bool FTooltipScheduled = false;
  mutable HICON FIcons[2] = {nullptr, nullptr}; // large, small (shared handles)
};
