#include "maskedit/win32/MxEditMouse.h"

#include "maskedit/engine/MxEditCommands.h"
#include "maskedit/win32/MxGlobalTimer.h"

namespace {

constexpr UINT kAutoScrollMs = 200;
// Ticks of the shared timer that make one auto-scroll step.
constexpr unsigned kGlobalTicksPerStep = kAutoScrollMs / TMxGlobalTimer::kInterval;

int XOf(LPARAM pos) { return static_cast<short>(LOWORD(pos)); }
int YOf(LPARAM pos) { return static_cast<short>(HIWORD(pos)); }

} // namespace

TMxEditMouse::TMxEditMouse(IMxEditMouseHost& host, TMxCustomMaskEdit& edit)
    : FHost(host), FEdit(edit),
      FClicks(GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)) {}

TMxEditMouse::~TMxEditMouse() {
  // The shared timer outlives the edit: it must not call into it afterwards.
  if (FGlobalClient != 0) {
    TMxGlobalTimer::Instance().RemoveClient(FGlobalClient);
  }
}

void TMxEditMouse::LeftButtonDown(LPARAM pos) {
  if (!FHost.Enabled()) {
    return;
  }
  FLastMousePos = pos;
  if (!FHost.Focused()) {
    FHost.TakeFocus();
  }
  if (FHost.Window() == nullptr) {
    return; // a focus handler may have destroyed the window
  }
  if (FEdit.GetMaskType() == meDate) {
    // A click selects the date part under the mouse; there is no drag selection.
    FEdit.ClickAt(FHost.CharIndexFromX(XOf(pos)));
    return;
  }
  SetCapture(FHost.Window());
  TrackMouse();
  if (!FMouseTimer) {
    if (FHost.UseGlobalTimer()) {
      FGlobalTicks = 0;
      FGlobalClient = TMxGlobalTimer::Instance().AddClient([this] {
        if (++FGlobalTicks % kGlobalTicksPerStep == 0) {
          AutoScrollTick();
        }
      });
      FMouseTimer = true;
    } else {
      FMouseTimer = SetTimer(FHost.Window(), kAutoScrollTimer, kAutoScrollMs, nullptr) != 0;
    }
  }
}

void TMxEditMouse::TrackMouse() {
  const int p = FHost.CharIndexFromX(XOf(FLastMousePos));
  const int selStart = FEdit.GetSelStart(), selLength = FEdit.GetSelLength();
  if (!FEdit.TextDragging && selStart < p && p < static_cast<long long>(selStart) + selLength) {
    FSavedCursor = GetCursor();
    FEdit.TextDragging = true;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
  FEdit.SetCursorPos(p);
  if (FEdit.GetSelLength() != selLength) {
    FEdit.PaintText(FEdit.GetCursorPos());
  }
}

void TMxEditMouse::MouseMove(WPARAM keys, LPARAM pos) {
  if (!FHost.Enabled()) {
    return;
  }
  FLastMousePos = pos;
  if (keys != MK_LBUTTON || !FMouseTimer) {
    return;
  }
  const int before = FEdit.GetCursorPos();
  if (FEdit.AllowSelecting) {
    FEdit.ExtendSelection = true;
  }
  FEdit.SetCursorPos(FHost.CharIndexFromX(XOf(pos)));
  FEdit.ExtendSelection = false;
  if (FEdit.GetCursorPos() != before) {
    FEdit.PaintText(FEdit.GetCursorPos());
  }
}

void TMxEditMouse::AutoScrollTick() {
  if (GetCapture() != FHost.Window()) {
    StopAutoScroll();
    return;
  }
  if (FEdit.GetSelLength() != 0) {
    FEdit.ExtendSelection = true;
  }
  TrackMouse();
  FEdit.ExtendSelection = false;
}

void TMxEditMouse::StopAutoScroll() {
  if (FGlobalClient != 0) {
    TMxGlobalTimer::Instance().RemoveClient(FGlobalClient);
    FGlobalClient = 0;
  } else if (FMouseTimer && (FHost.Window() != nullptr)) {
    KillTimer(FHost.Window(), kAutoScrollTimer);
  }
  FMouseTimer = false;
}

void TMxEditMouse::EndTextDrag() {
  if (!FEdit.TextDragging) {
    return;
  }
  FEdit.TextDragging = false;
  if (FSavedCursor) {
    SetCursor(FSavedCursor);
  }
  FSavedCursor = nullptr;
}

void TMxEditMouse::LeftButtonUp() {
  const bool pressed = FMouseTimer;
  StopAutoScroll();
  if (FEdit.TextDragging) {
    if (FSavedCursor) {
      SetCursor(FSavedCursor);
    }
    FSavedCursor = nullptr;
    FEdit.TextDragging = false;
    MxEditCommands::DropSelection(FEdit, FEdit.GetCursorPos());
  }
  if (pressed && GetCapture() == FHost.Window()) {
    ReleaseCapture();
  }
}

void TMxEditMouse::DoubleClick(LPARAM pos) {
  if (!FHost.Enabled() || !FEdit.AllowSelecting) {
    return;
  }
  FLastMousePos = pos;
  FEdit.BeginUpdate();
  FEdit.SelectWordAtCursor();
  FEdit.EndUpdate(true);
  FEdit.PaintText(FEdit.GetCursorPos());
}

void TMxEditMouse::CountClick(LPARAM pos) {
  if (!FClicks.Press(GetTickCount(), XOf(pos), YOf(pos))) {
    return;
  }
  EndTextDrag();
  FEdit.SelectAll();
}
