#include "maskedit/win32/MxCustomButtonsHost.h"

#include "maskedit/win32/MxThemeServices.h"

#include <windowsx.h>

#include <algorithm>

namespace {
std::int64_t Now() { return static_cast<std::int64_t>(GetTickCount64()); }
} // namespace

LPCSTR MxCursorResource(TCursor cursor) {
  switch (cursor) {
  case crArrow: return IDC_ARROW;
  case crCross: return IDC_CROSS;
  case crIBeam: return IDC_IBEAM;
  case crSizeNESW: return IDC_SIZENESW;
  case crSizeNS: return IDC_SIZENS;
  case crSizeNWSE: return IDC_SIZENWSE;
  case crSizeWE: return IDC_SIZEWE;
  case crUpArrow: return IDC_UPARROW;
  case crHourGlass: return IDC_WAIT;
  case crNo: return IDC_NO;
  case crAppStart: return IDC_APPSTARTING;
  case crHelp: return IDC_HELP;
  case crHandPoint: return IDC_HAND;
  case crSizeAll: return IDC_SIZEALL;
  default: return nullptr;
  }
}

TMxCustomButtonsHost::TMxCustomButtonsHost(TMxCustomEdit& edit) : Edit(edit) {}

TMxCustomButtonsHost::~TMxCustomButtonsHost() { Detach(); }

void TMxCustomButtonsHost::Attach(HWND window, std::function<void()> relayout) {
  Window = window;
  Relayout = std::move(relayout);
  Edit.OnRelayoutRequest = [this](TMxRelayout when) {
    if (!Window) {
      return;
    }
    if (when == rlNow) {
      if (Relayout) {
        Relayout();
      }
    } else {
      PostMessageA(Window, MXM_RELAYOUT, 0, 0);
    }
  };
}

void TMxCustomButtonsHost::Detach() {
  if (Window) {
    KillTimer(Window, RepeatTimerId);
    KillTimer(Window, HoverTimerId);
    if (Captured && GetCapture() == Window) {
      Captured = nullptr;
      ReleaseCapture();
    }
  }
  Captured = nullptr;
  HoverRunning = false;
  Edit.OnRelayoutRequest = nullptr;
  Window = nullptr;
}

bool TMxCustomButtonsHost::Alive(const TMxSpecialButton* item) const {
  return item && Edit.CustomButtons().IndexOf(item) >= 0;
}

TMxSpecialButton* TMxCustomButtonsHost::ItemAt(int x, int y) {
  TMxSpecialButtons& buttons = Edit.CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    if (buttons.Item(i).Control().Contains(x, y)) {
      return &buttons.Item(i);
    }
  }
  return nullptr;
}

RECT TMxCustomButtonsHost::StripRect() {
  RECT r{0, 0, 0, 0};
  TMxSpecialButtons& buttons = Edit.CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    const TMxSpeedButton& b = buttons.Item(i).Control();
    const RECT br{b.Left, b.Top, b.Left + std::max(b.Width, 0), b.Top + std::max(b.Height, 0)};
    UnionRect(&r, &r, &br);
  }
  return r;
}

void TMxCustomButtonsHost::InvalidateStrip() {
  if (Window) {
    const RECT r = StripRect();
    if (!IsRectEmpty(&r)) {
      InvalidateRect(Window, &r, FALSE);
    }
  }
}

void TMxCustomButtonsHost::ArmRepeat() {
  if (!Window) {
    return;
  }
  const std::int64_t due = Alive(Captured) ? Captured->Control().NextRepeatDue() : -1;
  if (due < 0) {
    KillTimer(Window, RepeatTimerId);
    return;
  }
  const std::int64_t wait = std::clamp<std::int64_t>(due - Now(), USER_TIMER_MINIMUM, 60000);
  SetTimer(Window, RepeatTimerId, static_cast<UINT>(wait), nullptr);
}

void TMxCustomButtonsHost::EndCapture() {
  Captured = nullptr;
  if (Window) {
    KillTimer(Window, RepeatTimerId);
    if (GetCapture() == Window) {
      ReleaseCapture();
    }
  }
}

void TMxCustomButtonsHost::SetDropDownMenu(TMxSpecialButton& item, HMENU menu) {
  TMxSpeedButton& b = item.Control();
  if (!menu) {
    Menus.erase(&item);
    b.HasDropDownMenu = false;
    b.OnPopup = nullptr;
    return;
  }
  Menus[&item] = menu;
  b.HasDropDownMenu = true;
  b.OnPopup = [this, &item](TMxSpeedButton*, int x, int y) { ShowMenu(item, x, y); };
}

void TMxCustomButtonsHost::ShowMenu(TMxSpecialButton& item, int x, int y) {
  const auto found = Menus.find(&item);
  if (!Window || found == Menus.end()) {
    return;
  }
  POINT at{x, y};
  ClientToScreen(Window, &at);
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(found->second, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON, at.x, at.y,
                     0, Window, nullptr));
  // The click that closed the menu must not reach the edit as well.
  MSG pending;
  while (PeekMessageA(&pending, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  if (GetCapture()) {
    ReleaseCapture();
  }
  if (command != 0 && OnMenuCommand && Alive(&item)) {
    OnMenuCommand(item, command);
  }
}

void TMxCustomButtonsHost::Paint(HDC dc, const TMxButtonPaintContext& context) {
  TMxSpecialButtons& buttons = Edit.CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    // A button draws themed with its edit, or by its own theme mode (which the older themed
    // style names set) when the platform's visual styles are in use.
    const TMxSpecialButton& item = buttons.Item(i);
    TMxButtonPaintContext own = context;
    own.Themed = context.Themed || (item.ThemeMode != TMxThemeMode::ttmNone &&
                                    TMxThemeServices::Instance().ThemeInUse(item.ThemeMode, false) != 0);
    MxPaintSpeedButton(dc, item.Control(), own);
  }
}

bool TMxCustomButtonsHost::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (!Window) {
    return false;
  }
  result = 0;
  const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
  switch (msg) {
  case MXM_RELAYOUT:
    if (Relayout) {
      Relayout();
    }
    return true;
  case WM_MOUSEMOVE: {
    if (Alive(Captured)) {
      Captured->Control().MouseMove(x, y);
      InvalidateStrip();
      return true;
    }
    bool hot = false;
    TMxSpecialButtons& buttons = Edit.CustomButtons();
    for (int i = 0; i < buttons.Count(); ++i) {
      buttons.Item(i).Control().MouseMove(x, y);
      hot = hot || buttons.Item(i).Control().Hot();
    }
    if (hot && !HoverRunning) {
      HoverRunning = SetTimer(Window, HoverTimerId, TMxSpeedButton::HoverCheckInterval, nullptr) != 0;
    }
    InvalidateStrip();
    return ItemAt(x, y) != nullptr;
  }
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    TMxSpecialButton* item = ItemAt(x, y);
    if (!item) {
      return false;
    }
    TMxSpeedButton& b = item->Control();
    if (!b.GetEnabled()) {
      return true; // a disabled button takes the click away from the text
    }
    Captured = item;
    SetCapture(Window);
    b.MouseDown(x, y, Now()); // may click (repeat) or show the menu, and so free the item
    if (!Alive(Captured) || !Captured->Control().Tracking()) {
      EndCapture();
    } else {
      ArmRepeat();
    }
    InvalidateStrip();
    return true;
  }
  case WM_LBUTTONUP: {
    if (!Captured) {
      return false;
    }
    TMxSpecialButton* item = Captured;
    EndCapture();
    if (Alive(item)) {
      item->Control().MouseUp(x, y, Now()); // may click and so free the item
    }
    InvalidateStrip();
    return true;
  }
  case WM_SETCURSOR: {
    // The pointer over a button is the button's own (crDefault leaves it to the edit).
    if (LOWORD(lparam) != HTCLIENT || GetCapture() == Window) {
      return false;
    }
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(Window, &p);
    const TMxSpecialButton* item = ItemAt(p.x, p.y);
    if (!item || item->GetCursor() == crDefault) {
      return false;
    }
    const LPCSTR shape = MxCursorResource(item->GetCursor());
    SetCursor(shape ? LoadCursorA(nullptr, shape) : nullptr);
    result = TRUE;
    return true;
  }
  case WM_CAPTURECHANGED:
    if (Captured && reinterpret_cast<HWND>(lparam) != Window) {
      if (Alive(Captured)) {
        Captured->Control().CancelMode();
      }
      Captured = nullptr;
      KillTimer(Window, RepeatTimerId);
      InvalidateStrip();
    }
    return false;
  case WM_TIMER:
    if (wparam == RepeatTimerId) {
      if (Alive(Captured)) {
        Captured->Control().Tick(Now()); // may click and so free the item
      }
      if (!Alive(Captured)) {
        EndCapture();
      } else {
        ArmRepeat();
      }
      InvalidateStrip();
      return true;
    }
    if (wparam == HoverTimerId) {
      POINT p{};
      GetCursorPos(&p);
      ScreenToClient(Window, &p);
      bool hot = false;
      TMxSpecialButtons& buttons = Edit.CustomButtons();
      for (int i = 0; i < buttons.Count(); ++i) {
        buttons.Item(i).Control().HoverCheck(p.x, p.y);
        hot = hot || buttons.Item(i).Control().Hot();
      }
      if (!hot) {
        KillTimer(Window, HoverTimerId);
        HoverRunning = false;
      }
      InvalidateStrip();
      return true;
    }
    return false;
  default: return false;
  }
}
