#pragma once
// TMxCustomButtonsHost: the window side of an edit's custom buttons. The edit's window
// gives it its mouse, capture and timer messages first; the host routes them to the
// button under the pointer, holds the capture while a button is pressed, runs the repeat
// and hover timers, shows a button's drop-down menu, and paints the buttons.
//
// Relayout requests of the edit arrive here: "now" runs the window's relayout function at
// once, "posted" posts MXM_RELAYOUT, which the host handles by running the same function.
// The function lays out with the window's real client rectangle. Over a button the pointer
// is the button's Cursor.
#include "maskedit/engine/MxCustomEdit.h"
#include "maskedit/win32/MxMessages.h"
#include "maskedit/win32/MxSpeedButtonPainter.h"

#include <windows.h>

#include <functional>
#include <map>

// The platform's pointer resource for a cursor; null for crNone (no pointer) and crDefault.
LPCSTR MxCursorResource(TCursor cursor);

class TMxCustomButtonsHost {
public:
  static constexpr UINT_PTR RepeatTimerId = 0x4D42;
  static constexpr UINT_PTR HoverTimerId = 0x4D43;
  using TMenuCommand = std::function<void(TMxSpecialButton& item, UINT command)>;

  explicit TMxCustomButtonsHost(TMxCustomEdit& edit);
  ~TMxCustomButtonsHost();
  TMxCustomButtonsHost(const TMxCustomButtonsHost&) = delete;
  TMxCustomButtonsHost& operator=(const TMxCustomButtonsHost&) = delete;

  // The window the buttons are drawn in; relayout runs the window's layout (it must take
  // the client rectangle from the window, never from a message).
  void Attach(HWND window, std::function<void()> relayout);
  void Detach();

  // True when the message was the buttons' (then result holds the answer).
  bool HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void Paint(HDC dc, const TMxButtonPaintContext& context);
  // The union of the buttons' bounds (empty without buttons).
  RECT StripRect();

  // A platform popup menu shown by the button of item (not owned; null removes it).
  // The chosen command goes to OnMenuCommand.
  void SetDropDownMenu(TMxSpecialButton& item, HMENU menu);
  TMenuCommand OnMenuCommand;

private:
  TMxSpecialButton* ItemAt(int x, int y);
  bool Alive(const TMxSpecialButton* item) const;
  void ArmRepeat();
  void EndCapture();
  void InvalidateStrip();
  void ShowMenu(TMxSpecialButton& item, int x, int y);

  TMxCustomEdit& Edit;
  HWND Window = nullptr;
  std::function<void()> Relayout;
  TMxSpecialButton* Captured = nullptr;
  bool HoverRunning = false;
  std::map<const TMxSpecialButton*, HMENU> Menus;
};
