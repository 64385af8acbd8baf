#include "maskedit/win32/MxEditMouse.h"

#include "maskedit/engine/MxEditCommands.h"
#include "maskedit/win32/MxMaskEdit.h"

namespace {

constexpr UINT kAutoScrollMs = 200;

int XOf(LPARAM pos) { return static_cast<short>(LOWORD(pos)); }
int YOf(LPARAM pos) { return static_cast<short>(HIWORD(pos)); }

} // namespace

TMxEditMouse::TMxEditMouse(TMxMaskEdit& owner)
    : FOwner(owner),
      FClicks(GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)) {}

void TMxEditMouse::LeftButtonDown(LPARAM pos) {
  if (!FOwner.Enabled()) {
    return;
  }
  FLastMousePos = pos;
  if (!FOwner.TWinControl::Focused()) {
    FOwner.SetFocus();
  }
  if (!FOwner.HandleAllocated()) {
    return; // a focus handler may have destroyed the window
  }
  TMxCustomMaskEdit& edit = FOwner.Edit();
  if (edit.GetMaskType() == meDate) {
    // A click selects the date part under the mouse; there is no drag selection.
    edit.ClickAt(FOwner.CharIndexFromX(XOf(pos)));
    return;
  }
  SetCapture(FOwner.Handle());
  TrackMouse();
  if (!FMouseTimer) {
    FMouseTimer = SetTimer(FOwner.Handle(), kAutoScrollTimer, kAutoScrollMs, nullptr) != 0;
  }
}

void TMxEditMouse::TrackMouse() {
  TMxCustomMaskEdit& edit = FOwner.Edit();
  const int p = FOwner.CharIndexFromX(XOf(FLastMousePos));
  const int selStart = edit.GetSelStart(), selLength = edit.GetSelLength();
  if (!edit.TextDragging && selStart < p && p < static_cast<long long>(selStart) + selLength) {
    FSavedCursor = GetCursor();
    edit.TextDragging = true;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
  edit.SetCursorPos(p);
  if (edit.GetSelLength() != selLength) {
    edit.PaintText(edit.GetCursorPos());
  }
}

void TMxEditMouse::MouseMove(WPARAM keys, LPARAM pos) {
  if (!FOwner.Enabled()) {
    return;
  }
  FLastMousePos = pos;
  if (keys != MK_LBUTTON || !FMouseTimer) {
    return;
  }
  TMxCustomMaskEdit& edit = FOwner.Edit();
  const int before = edit.GetCursorPos();
  if (edit.AllowSelecting) {
    edit.ExtendSelection = true;
  }
  edit.SetCursorPos(FOwner.CharIndexFromX(XOf(pos)));
  edit.ExtendSelection = false;
  if (edit.GetCursorPos() != before) {
    edit.PaintText(edit.GetCursorPos());
  }
}

void TMxEditMouse::AutoScrollTick() {
  if (GetCapture() != FOwner.Handle()) {
    StopAutoScroll();
    return;
  }
  TMxCustomMaskEdit& edit = FOwner.Edit();
  if (edit.GetSelLength() != 0) {
    edit.ExtendSelection = true;
  }
  TrackMouse();
  edit.ExtendSelection = false;
}

void TMxEditMouse::StopAutoScroll() {
  if (FMouseTimer && FOwner.HandleAllocated()) {
    KillTimer(FOwner.Handle(), kAutoScrollTimer);
  }
  FMouseTimer = false;
}

void TMxEditMouse::EndTextDrag() {
  TMxCustomMaskEdit& edit = FOwner.Edit();
  if (!edit.TextDragging) {
    return;
  }
  edit.TextDragging = false;
  if (FSavedCursor) {
    SetCursor(FSavedCursor);
  }
  FSavedCursor = nullptr;
}

void TMxEditMouse::LeftButtonUp() {
  const bool pressed = FMouseTimer;
  StopAutoScroll();
  TMxCustomMaskEdit& edit = FOwner.Edit();
  if (edit.TextDragging) {
    if (FSavedCursor) {
      SetCursor(FSavedCursor);
    }
    FSavedCursor = nullptr;
    edit.TextDragging = false;
    MxEditCommands::DropSelection(edit, edit.GetCursorPos());
  }
  if (pressed && GetCapture() == FOwner.Handle()) {
    ReleaseCapture();
  }
}

void TMxEditMouse::DoubleClick(LPARAM pos) {
  TMxCustomMaskEdit& edit = FOwner.Edit();
  if (!FOwner.Enabled() || !edit.AllowSelecting) {
    return;
  }
  FLastMousePos = pos;
  edit.BeginUpdate();
  edit.SelectWordAtCursor();
  edit.EndUpdate(true);
  edit.PaintText(edit.GetCursorPos());
}

void TMxEditMouse::CountClick(LPARAM pos) {
  if (!FClicks.Press(GetTickCount(), XOf(pos), YOf(pos))) {
    return;
  }
  EndTextDrag();
  FOwner.Edit().SelectAll();
}
