// TSkDefaultForm, the mouse on the frame: hot and pressed caption buttons, their actions and
// the system menu; moving and sizing the window by its frame, with snapping and the outline.
#include "form/win32/SkForm.h"

#include "form/win32/SkFormShared.h"

#include "theme/SkRect.h"

#include "framework/win32/Handles.h"

#include <windows.h>

// ---- mouse on the caption buttons ----

void TSkDefaultForm::SetHotCode(std::uint8_t code) {
  if (code == FHotCode) {
    return;
  }
  FHotCode = code;
  RedrawFrame();
  HWND w = FrameWindow();
  if (w && IsButtonCode(code) && !FHoverTimer) {
    // The highlight dies at the latest one tick after the pointer has left without a message.
    FHoverTimer = SetTimer(w, kSkHoverTimerId, 400, nullptr) != 0;
  }
}

void TSkDefaultForm::ShowSystemMenu(POINT at) {
  FMenuPoint = at;
  PopupSystemMenu();
  // The place was for this opening only: the next one from the keyboard opens at the window.
  FMenuPoint = {};
}

void TSkDefaultForm::ButtonAction(std::uint8_t code) {
  HWND w = FrameWindow();
  // Actions are posted: they run after this message's handling has finished with the form.
  switch (code) {
  case khtClose: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faClose), 0); break;
  case khtMinimize: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faMinimize), 0); break;
  case khtMaximize: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faMaximize), 0); break;
  case khtRoll: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faRollup), 0); break;
  case khtTray: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faTray), 0); break;
  case khtHelp: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faHelp), 0); break;
  case khtSysMenu: {
    RECT r{};
    GetWindowRect(w, &r);
    const TskRect icon = Geometry().ButtonRect(kbiSystemMenu);
    ShowSystemMenu({r.left + icon.Left, r.top + icon.Bottom});
    break;
  }
  default: break;
  }
}

// ---- moving and sizing by the frame ----

bool TSkDefaultForm::BeginDrag(std::uint8_t code, POINT screen) {
  HWND w = FrameWindow();
  RECT r{};
  GetWindowRect(w, &r);
  const TskFrameGeometry g = Geometry();
  TskDragStart start;
  start.Code = code;
  start.Pointer = {screen.x, screen.y};
  start.Bounds = {r.left, r.top, r.right, r.bottom};
  start.MinTrack = g.MinTrackSize();
  start.MaxTrack = MaxTrackSize();
  start.Moveable = Moveable();
  start.Sizeable = Sizeable();
  start.State = IsZoomed(w) ? kwsMaximized : FStates.Data.State;
  FDrag.Begin(start);
  if (!FDrag.Active()) {
    return false;
  }
  FDragMonitor = {};
  BOOL full = TRUE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  FOutlineMode = FDragging.EffectiveMode(full != FALSE) == kfdmBorder;
  FOutlineShown = false;
  SendMessageW(w, WM_ENTERSIZEMOVE, 0, 0);
  if (FOutlineMode) {
    FPaintingEnabled = false;
  }
  SetCapture(w);
  RedrawFrame();
  return true;
}

void TSkDefaultForm::DrawOutline(const RECT& r) {
  // A two-pixel frame drawn by inverting the screen: drawing it again erases it.
  TWindowDC screen(nullptr);
  const int t = 2;
  const RECT parts[] = {{r.left, r.top, r.right, r.top + t},
                        {r.left, r.bottom - t, r.right, r.bottom},
                        {r.left, r.top + t, r.left + t, r.bottom - t},
                        {r.right - t, r.top + t, r.right, r.bottom - t}};
  for (const RECT& p : parts) {
    InvertRect(screen.Get(), &p);
  }
}

void TSkDefaultForm::DragTo(POINT screen) {
  HWND w = FrameWindow();
  // The monitor under the pointer is asked for again only when the pointer leaves it.
  if (!PtInRect(&FDragMonitor, screen)) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), &info);
    FDragMonitor = info.rcMonitor;
    FDragArea = FStayOnTop ? info.rcMonitor : info.rcWork;
  }
  const TskRect area{FDragArea.left, FDragArea.top, FDragArea.right, FDragArea.bottom};
  const std::optional<TskRect> bounds =
      FDrag.Move({screen.x, screen.y}, &FGravitation, &area, FShadow.Enabled() ? FShadow.Size() : 0);
  if (!bounds) {
    return;
  }
  const RECT r{bounds->Left, bounds->Top, bounds->Right, bounds->Bottom};
  if (FOutlineMode) {
    if (FOutlineShown) {
      DrawOutline(FOutlineRect);
    }
    FOutlineRect = r;
    DrawOutline(FOutlineRect);
    FOutlineShown = true;
    return;
  }
  RECT now{};
  GetWindowRect(w, &now);
  if (EqualRect(&now, &r)) {
    return;
  }
  // A move alone keeps the window's contents: nothing is measured or painted again.
  const bool sameSize = now.right - now.left == r.right - r.left && now.bottom - now.top == r.bottom - r.top;
  SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | (sameSize ? SWP_NOSIZE : 0));
  UpdateWindow(w);
}

void TSkDefaultForm::EndDrag(bool apply) {
  HWND w = FrameWindow();
  if (!FDrag.Active()) {
    return;
  }
  FDrag.End();
  if (FOutlineMode) {
    if (FOutlineShown) {
      DrawOutline(FOutlineRect);
      FOutlineShown = false;
      if (apply) {
        const RECT& r = FOutlineRect;
        SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    FOutlineMode = false;
  }
  FPaintingEnabled = true;
  FPressedCode = 0;
  if (GetCapture() == w) {
    ReleaseCapture();
  }
  SendMessageW(w, WM_EXITSIZEMOVE, 0, 0);
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
