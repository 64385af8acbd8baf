// TSkDefaultForm, message dispatch: what the hooked window's messages do to the frame (hit
// testing, activation, non-client painting and sizing, the mouse, keys and the system menu),
// and what follows the window procedure.
#include "form/win32/SkForm.h"

#include "form/win32/SkFormShared.h"

#include "form/SkFrameCompose.h"
#include "form/win32/SkFormAccessible.h"
#include "theme/SkRect.h"

#include "framework/win32/Application.h"

#include <windows.h>
#include <windowsx.h>

#include <oleacc.h>

#include <algorithm>

namespace {

LRESULT PlatformHit(TskPlatformHit hit) {
  switch (hit) {
  case TskPlatformHit::phClient: return HTCLIENT;
  case TskPlatformHit::phCaption: return HTCAPTION;
  case TskPlatformHit::phLeft: return HTLEFT;
  case TskPlatformHit::phTop: return HTTOP;
  case TskPlatformHit::phRight: return HTRIGHT;
  case TskPlatformHit::phBottom: return HTBOTTOM;
  case TskPlatformHit::phTopLeft: return HTTOPLEFT;
  case TskPlatformHit::phTopRight: return HTTOPRIGHT;
  case TskPlatformHit::phBottomLeft: return HTBOTTOMLEFT;
  case TskPlatformHit::phBottomRight: return HTBOTTOMRIGHT;
  case TskPlatformHit::phClose: return HTCLOSE;
  case TskPlatformHit::phHelp: return HTHELP;
  case TskPlatformHit::phMinimize: return HTMINBUTTON;
  case TskPlatformHit::phMaximize: return HTMAXBUTTON;
  case TskPlatformHit::phSysMenu: return HTSYSMENU;
  case TskPlatformHit::phBorder: return HTBORDER;
  }
  return HTCLIENT;
}

} // namespace

// ---- messages ----

void TSkDefaultForm::HandleMessage(TskMessage& m) {
  HWND w = FrameWindow();
  if (!w || HandleShowMessage(m)) {
    return;
  }
  switch (m.Msg) {
  case WM_NCCALCSIZE: {
    RECT* proposed = reinterpret_cast<RECT*>(m.LParam);
    const RECT window = *proposed;
    const std::int32_t shadow = ShadowSize();
    const TskFrameGeometry g =
        Geometry(window.right - window.left - shadow, window.bottom - window.top - shadow);
    const TskRect c = g.ClientArea();
    RECT client{window.left + c.Left, window.top + c.Top, window.left + c.Right, window.top + c.Bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    *proposed = client;
    if (m.WParam) {
      reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[1] = client;
    }
    m.Result = 0;
    MarkHandled();
    break;
  }
  case WM_NCHITTEST: {
    const POINT p = WindowPoint(m.LParam);
    const TskFrameGeometry g = Geometry();
    if (p.x >= g.WindowInfo().Rect.Right || p.y >= g.WindowInfo().Rect.Bottom) {
      // The shadow is no part of the window a click could mean.
      m.Result = HTNOWHERE;
    } else {
      const std::uint8_t code = g.HitTest(p.x, p.y);
      m.Result = PlatformHit(SkPlatformHit(code, Moveable(), Sizeable(), FStates.Data.State == kwsMaximized));
    }
    MarkHandled();
    break;
  }
  case WM_NCPAINT:
    RedrawFrame();
    m.Result = 0;
    MarkHandled();
    break;
  case WM_NCACTIVATE:
    JoinApplication();
    FIsActive = m.WParam != 0;
    RedrawFrame();
    m.Result = 1;
    MarkHandled();
    break;
  case WM_ERASEBKGND: {
    if (FPaintingEnabled) {
      const auto dc = reinterpret_cast<HDC>(m.WParam);
      const TskFrameGeometry g = Geometry();
      const TskRect c = g.ClientArea();
      TskBitmap scratch;
      if (FBlending.Enabled() && HasSnapshot() && scratch.TrySetSize(c.Right - c.Left, c.Bottom - c.Top)) {
        // The client background at the blending opacity over what lies behind the window.
        PaintClientBackground(scratch.DC(), g);
        SkBlendClientOverSnapshot(scratch.Pixels(), FSnapshot->Pixels(), c, FBlending.Value());
        BitBlt(dc, 0, 0, c.Right - c.Left, c.Bottom - c.Top, scratch.DC(), 0, 0, SRCCOPY);
      } else {
        PaintClientBackground(dc, g);
      }
    }
    m.Result = 1;
    MarkHandled();
    break;
  }
  case WM_PAINT:
    if (!FShown) {
      FShown = true;
      if (OnFormShown) {
        OnFormShown(this);
      }
    }
    break;
  case WM_SETTEXT:
  case WM_SETICON: {
    // The platform draws its own caption for these while the window has a caption style:
    // take the style away for the moment, draw ours afterwards.
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION) {
      SetWindowLongPtrW(w, GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
      FCaptionStripped = true;
    }
    break;
  }
  case WM_WINDOWPOSCHANGING: {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (!(pos->flags & SWP_NOSIZE) && !IsIconic(w)) {
      // The size the window will have: the snapshot below is taken at it.
      const TskPoint size =
          SkClampTrackSize({pos->cx, pos->cy}, Geometry().MinTrackSize(), MaxTrackSize(), FStates.Data.State);
      pos->cx = size.X;
      pos->cy = size.Y;
    }
    if (Composed()) {
      RECT now{};
      GetWindowRect(w, &now);
      RECT next = now;
      if (!(pos->flags & SWP_NOMOVE)) {
        OffsetRect(&next, pos->x - now.left, pos->y - now.top);
      }
      if (!(pos->flags & SWP_NOSIZE)) {
        next.right = next.left + pos->cx;
        next.bottom = next.top + pos->cy;
      }
      if ((pos->flags & SWP_SHOWWINDOW) || !EqualRect(&next, &FSnapshotRect)) {
        RefreshSnapshot(next);
        pos->flags |= SWP_NOCOPYBITS;
      }
    }
    ShowTransition(*pos);
    break;
  }
  case WM_GETMINMAXINFO: {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    const TskPoint min = Geometry().MinTrackSize();
    const TskPoint max = MaxTrackSize();
    info->ptMinTrackSize = {min.X, min.Y};
    info->ptMaxTrackSize = {max.X, max.Y};
    if (FStates.Data.State == kwsRollup || FStates.Data.State == kwsMinimized) {
      info->ptMinTrackSize.y = 0; // only the frame is left
    }
    m.Result = 0;
    MarkHandled();
    break;
  }
  case WM_NCMOUSEMOVE:
    if (!FLeftHeld) {
      const POINT p = WindowPoint(m.LParam);
      SetHotCode(Geometry().HitTest(p.x, p.y));
    }
    // The hit codes are the form's: the platform would track caption buttons of its own.
    m.Result = 0;
    MarkHandled();
    break;
  case WM_MOUSEMOVE:
    if (FDrag.Active()) {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ClientToScreen(w, &p);
      DragTo(p);
    } else if (FLeftHeld) {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ClientToScreen(w, &p);
      const POINT wp = WindowPoint(MAKELPARAM(p.x, p.y));
      SetHotCode(Geometry().HitTest(wp.x, wp.y));
    } else if (FHotCode) {
      SetHotCode(0);
    }
    break;
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK: {
    const POINT p = WindowPoint(m.LParam);
    const TskFrameGeometry g = Geometry();
    const std::uint8_t code = g.HitTest(p.x, p.y);
    if (m.Msg == WM_NCLBUTTONDBLCLK && code == khtCaption) {
      if (FBorderIcons & SkIcons(kbiMaximize)) {
        PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faMaximize), 0);
      }
      m.Result = 0;
      MarkHandled();
      break;
    }
    if (m.Msg == WM_NCLBUTTONDBLCLK && code == khtSysMenu) {
      PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faClose), 0);
      m.Result = 0;
      MarkHandled();
      break;
    }
    if (IsButtonCode(code)) {
      if (GetForegroundWindow() != w) {
        SetForegroundWindow(w);
      }
      FPressedCode = code;
      FLeftHeld = true;
      FHotCode = code;
      SetCapture(w);
      RedrawFrame();
      m.Result = 0;
      MarkHandled();
    }
    if (m.Msg == WM_NCLBUTTONDOWN && TskFrameDrag::StartsDrag(code)) {
      // Caption, borders and corners: the form moves and sizes the window itself.
      POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (GetForegroundWindow() != w) {
        SetForegroundWindow(w);
      }
      BeginDrag(code, screen);
      m.Result = 0;
      MarkHandled();
    }
    break;
  }
  case WM_NCRBUTTONDOWN:
    m.Result = 0;
    MarkHandled();
    break;
  case WM_SYSCOMMAND:
    switch (m.WParam & 0xFFF0) {
    case SC_MINIMIZE:
      if (m.LParam == kOwnMinimize) {
        // The form's own minimise, posted by the action: the platform does it, unless the
        // window was restored meanwhile.
        if (FStates.Data.State == kwsMinimized) {
          break;
        }
      } else {
        RunAction(TSkFormAction::faMinimize);
      }
      m.Result = 0;
      MarkHandled();
      break;
    case SC_MAXIMIZE:
    case SC_RESTORE:
    case SC_CLOSE:
      RunAction((m.WParam & 0xFFF0) == SC_MAXIMIZE  ? TSkFormAction::faMaximize
                : (m.WParam & 0xFFF0) == SC_RESTORE ? TSkFormAction::faRestore
                                                    : TSkFormAction::faClose);
      m.Result = 0;
      MarkHandled();
      break;
    case SC_KEYMENU:
      // Alt+Space opens the form's system menu; Alt with a letter opens nothing here.
      if (m.LParam == ' ' && (FBorderIcons & SkIcons(kbiSystemMenu))) {
        ShowSystemMenu({}); // at the client area's top-left corner
      }
      m.Result = 0;
      MarkHandled();
      break;
    case SC_MOUSEMENU:
      m.Result = 0;
      MarkHandled();
      break;
    default: break;
    }
    break;
  case WM_GETOBJECT:
    if (const LRESULT object = SkTitleBarObjectResult(w, m.WParam, m.LParam)) {
      m.Result = object;
      MarkHandled();
    }
    break;
  case kSkTitleBarQuery: {
    auto* e = reinterpret_cast<TAccessibleElements*>(m.LParam);
    RECT window{};
    GetWindowRect(w, &window);
    const TskFrameGeometry g = Geometry();
    e->Self.Role = ROLE_SYSTEM_TITLEBAR;
    e->Self.Name = Caption();
    e->Self.Screen = {window.left, window.top, window.right - ShadowSize(), window.top + g.ClientArea().Top};
    e->Self.State = FIsActive ? STATE_SYSTEM_FOCUSABLE : 0;
    e->Children.clear();
    for (const TskTitleBarButton& b : SkTitleBarButtons(FBorderIcons, FStates.Data.State)) {
      TAccessibleElement button;
      button.Role = ROLE_SYSTEM_PUSHBUTTON;
      button.Name = b.Name;
      const TskRect r = b.Icon ? g.ButtonRect(*b.Icon) : TskRect{};
      if (!b.Present || IsRectEmpty(r)) {
        button.State = STATE_SYSTEM_INVISIBLE;
      } else {
        button.Screen = {window.left + r.Left, window.top + r.Top, window.left + r.Right,
                         window.top + r.Bottom};
        button.DefaultAction = L"Press";
        const std::uint8_t code = TskFrameGeometry::HitCodeOf(*b.Icon);
        button.State = (FHotCode == code ? STATE_SYSTEM_HOTTRACKED : 0) |
                       (FLeftHeld && FPressedCode == code ? STATE_SYSTEM_PRESSED : 0);
      }
      e->Children.push_back(button);
    }
    m.Result = 1;
    MarkHandled();
    break;
  }
  case kSkTitleBarPress: {
    const auto buttons = SkTitleBarButtons(FBorderIcons, FStates.Data.State);
    const std::size_t i = std::size_t(m.WParam) - 1;
    m.Result = 0;
    if (i < buttons.size() && buttons[i].Present && buttons[i].Action && buttons[i].Icon &&
        !IsRectEmpty(Geometry().ButtonRect(*buttons[i].Icon))) {
      // Posted, as a click on the button would run it: after this call has returned.
      PostMessageW(w, kSkActionMessage, WPARAM(*buttons[i].Action), 0);
      m.Result = 1;
    }
    MarkHandled();
    break;
  }
  case kSkActionMessage:
    if (m.WParam <= WPARAM(TSkFormAction::faHelp)) {
      RunAction(TSkFormAction(m.WParam));
    }
    m.Result = 0;
    MarkHandled();
    break;
  case kSkDeferredStateMessage:
    if (!FApplyingDeferredState && m.WParam >= kwsMaximized && m.WParam <= kwsTray) {
      FApplyingDeferredState = true;
      RunAction(TskFormStates::ActionFor(TSkWindowState(m.WParam)));
      FApplyingDeferredState = false;
    }
    m.Result = 0;
    MarkHandled();
    break;
  case WM_NCRBUTTONUP: {
    // The form's system menu at the pointer; the platform's never comes as well.
    const POINT p = WindowPoint(m.LParam);
    if (Geometry().HitTest(p.x, p.y) == khtCaption) {
      ShowSystemMenu({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    }
    m.Result = 0;
    MarkHandled();
    break;
  }
  case WM_LBUTTONUP:
    if (FDrag.Active()) {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ClientToScreen(w, &p);
      DragTo(p);
      EndDrag(true);
    } else if (FLeftHeld) {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ClientToScreen(w, &p);
      const POINT wp = WindowPoint(MAKELPARAM(p.x, p.y));
      const std::uint8_t code = Geometry().HitTest(wp.x, wp.y);
      const std::uint8_t pressed = FPressedCode;
      FLeftHeld = false;
      FPressedCode = 0;
      ReleaseCapture();
      RedrawFrame();
      if (code == pressed) {
        ButtonAction(code);
      }
    }
    break;
  case WM_CAPTURECHANGED:
    if (FDrag.Active() && reinterpret_cast<HWND>(m.LParam) != w) {
      // The mouse was taken away mid-drag: the drag ends where it is, painting comes back.
      EndDrag(false);
    }
    if (FLeftHeld && reinterpret_cast<HWND>(m.LParam) != w) {
      // Someone took the mouse away mid-press: the press ends without an action.
      FLeftHeld = false;
      FPressedCode = 0;
      RedrawFrame();
    }
    break;
  case WM_TIMER:
    if (m.WParam == kSkHoverTimerId) {
      POINT cursor{};
      GetCursorPos(&cursor);
      const POINT p = WindowPoint(MAKELPARAM(cursor.x, cursor.y));
      const bool inside = WindowFromPoint(cursor) == w;
      const std::uint8_t code = inside ? Geometry().HitTest(p.x, p.y) : 0;
      if (!FLeftHeld) {
        SetHotCode(IsButtonCode(code) ? code : 0);
      }
      if (!IsButtonCode(FHotCode) && !FLeftHeld) {
        KillTimer(w, kSkHoverTimerId);
        FHoverTimer = false;
      }
      m.Result = 0;
      MarkHandled();
    }
    break;
  case WM_THEMECHANGED:
  case WM_SETTINGCHANGE:
    FMetrics = PlatformMetrics();
    RecomputeFrame();
    break;
  default: break;
  }
}

void TSkDefaultForm::AfterWindowProc(TskMessage& m) {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  switch (m.Msg) {
  case WM_SETTEXT:
  case WM_SETICON:
    if (FCaptionStripped) {
      FCaptionStripped = false;
      SetWindowLongPtrW(w, GWL_STYLE, GetWindowLongPtrW(w, GWL_STYLE) | WS_CAPTION);
    }
    RedrawFrame();
    break;
  case WM_WINDOWPOSCHANGED: {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)) {
      UpdateRegion();
    }
    // Moved or sized by the user in the normal state: that is where a restore returns to.
    if (!FStates.Busy() && FStates.Data.State == kwsNormal && FStates.Data.Pending == kwsNormal &&
        !IsIconic(w) && IsWindowVisible(w)) {
      FStates.Data.NormalBounds = Bounds();
    }
    break;
  }
  case WM_SIZE:
    if (FStates.Busy() || FApplyingDeferredState) {
      break;
    }
    // Minimised or restored by someone else (the taskbar, "show the desktop", a program): the
    // states follow.
    if (m.WParam == SIZE_MINIMIZED && FStates.Data.State != kwsMinimized && FStates.Data.State != kwsTray) {
      FStates.Data.Previous = FStates.Data.State;
      FStates.Data.State = kwsMinimized;
      RedrawFrame();
    } else if (m.WParam != SIZE_MINIMIZED && FStates.Data.State == kwsMinimized && !IsIconic(w)) {
      PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faRestore), 0);
    }
    break;
  default: break;
  }
}
