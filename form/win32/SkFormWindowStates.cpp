// TSkDefaultForm's window states, tray icon and system menu: the host side of TskFormStates.
#include "form/win32/SkForm.h"

#include "framework/GuardedCall.h"
#include "framework/win32/Application.h"
#include "framework/win32/Handles.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace {

RECT ToRect(const TskRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The hot code an action leaves: no caption button's.
constexpr std::uint8_t kHotAfterAction = 18;
constexpr UINT kTrayIconId = 1;
const wchar_t kTrayClass[] = L"TSkTrayWindow";

// The system menu's pictures, by image index: close, minimise, maximise, restore, roll up,
// tray. A picture missing from the program's resources leaves its place empty.
HIMAGELIST SystemMenuImages() {
  static HIMAGELIST list = [] {
    HIMAGELIST l = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 0);
    for (const wchar_t* name : {L"SK_FORM_CLOSE", L"SK_FORM_MINIMIZE", L"SK_FORM_MAXIMIZE",
                                L"SK_FORM_RESTORE", L"SK_FORM_ROLLUP", L"SK_FORM_TRAY"}) {
      HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), name);
      if (!bitmap) {
        // A blank place (TSelectGuard lets the bitmap go before the list copies it).
        TWindowDC screen(nullptr);
        bitmap = CreateCompatibleBitmap(screen.Get(), 16, 16);
        TMemoryDC dc(CreateCompatibleDC(screen.Get()));
        TSelectGuard select(dc.Get(), bitmap);
        RECT all{0, 0, 16, 16};
        TBrushHandle magenta(CreateSolidBrush(RGB(255, 0, 255)));
        FillRect(dc.Get(), &all, magenta.Get());
      }
      ImageList_AddMasked(l, bitmap, RGB(255, 0, 255));
      DeleteObject(bitmap);
    }
    return l;
  }();
  return list;
}

} // namespace

// ---- window states ----

void TSkDefaultForm::RunAction(TSkFormAction action) {
  if (!FrameWindow()) {
    return;
  }
  FStates.Run(action);
  RedrawFrame();
}

void TSkDefaultForm::SetWindowState(TSkWindowState state) {
  if (IsLoading()) {
    FStates.Data.Pending = state;
    return;
  }
  if (state != FStates.Data.State) {
    RunAction(TskFormStates::ActionFor(state));
  }
}

void TSkDefaultForm::SetStayOnTop(bool value) {
  if (value == FStayOnTop) {
    return;
  }
  FStayOnTop = value;
  if (HWND w = FrameWindow(); w && !IsLoading()) {
    SetWindowPos(w, value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool TSkDefaultForm::ActionAllowed(TSkFormAction action) {
  const TSkFormActionEvent* event = nullptr;
  switch (action) {
  case TSkFormAction::faMaximize: event = &OnMaximize; break;
  case TSkFormAction::faMinimize: event = &OnMinimize; break;
  case TSkFormAction::faRollup: event = &OnRollup; break;
  case TSkFormAction::faTray: event = &OnMinToTray; break;
  case TSkFormAction::faClose: event = &OnClose; break;
  default: break;
  }
  bool callDefault = true;
  if (event && *event) {
    GuardedCall([&] { (*event)(this, callDefault); });
  }
  return callDefault;
}

void TSkDefaultForm::ClearHot() { SetHotCode(kHotAfterAction); }

TskRect TSkDefaultForm::Bounds() const {
  HWND w = FrameWindow();
  RECT r{};
  if (w && IsIconic(w)) {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    GetWindowPlacement(w, &p);
    r = p.rcNormalPosition;
  } else if (w) {
    GetWindowRect(w, &r);
  }
  return {r.left, r.top, r.right, r.bottom};
}

void TSkDefaultForm::SetBounds(const TskRect& b) {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  if (IsIconic(w)) {
    // Out of the platform's minimised state first, straight to the new place.
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    GetWindowPlacement(w, &p);
    p.showCmd = SW_RESTORE;
    p.rcNormalPosition = ToRect(b);
    SetWindowPlacement(w, &p);
  }
  SetWindowPos(w, nullptr, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, SWP_NOZORDER | SWP_NOACTIVATE);
}

TskRect TSkDefaultForm::ReferenceArea() const {
  HWND w = FrameWindow();
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT r = FStayOnTop ? mi.rcMonitor : mi.rcWork;
  return {r.left, r.top, r.right, r.bottom};
}

TskRect TSkDefaultForm::MaximizedBounds() const {
  TskRect r = ReferenceArea();
  const TskFrameGeometry g = Geometry();
  if (!g.Themed()) {
    // The platform's look keeps its borders off-screen.
    const std::int32_t inset = g.ClientArea().Left;
    r = {r.Left - inset, r.Top - inset, r.Right + inset, r.Bottom + inset};
  }
  return r;
}

TskPoint TSkDefaultForm::MaxTrackSize() const { return Geometry().MaxTrackSize(MaximizedBounds()); }

void TSkDefaultForm::SetConstraints(const TskSizeConstraints& constraints) {
  FConstraints = constraints;
  if (!IsLoading()) {
    RecomputeFrame();
    HoldToTrackSizes();
  }
}

void TSkDefaultForm::HoldToTrackSizes() {
  HWND w = FrameWindow();
  if (!w || IsIconic(w)) {
    return;
  }
  // The new limits grow or shrink the window at once.
  RECT r{};
  GetWindowRect(w, &r);
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TskRect TSkDefaultForm::MinimizedBounds() const {
  HWND w = FrameWindow();
  RECT window{}, client{};
  GetWindowRect(w, &window);
  GetClientRect(w, &client);
  const std::int32_t height = (window.bottom - window.top) - client.bottom;
  TskRect area = ReferenceArea();
  if (HWND parent = GetParent(w); parent && (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) {
    RECT pc{};
    GetClientRect(parent, &pc);
    area = {0, 0, pc.right, pc.bottom};
  }
  return {0, area.Bottom - height, GetSystemMetrics(SM_CXMINIMIZED), area.Bottom};
}

TskRect TSkDefaultForm::RollupBounds() const {
  HWND w = FrameWindow();
  RECT window{}, client{};
  GetWindowRect(w, &window);
  GetClientRect(w, &client);
  return {window.left, window.top, window.right, window.top + (window.bottom - window.top) - client.bottom};
}

void TSkDefaultForm::FrameChanged() {
  if (HWND w = FrameWindow()) {
    InvalidateRect(w, nullptr, TRUE);
    RedrawFrame();
  }
}

bool TSkDefaultForm::HasOwner() const { return GetWindow(FrameWindow(), GW_OWNER) != nullptr; }

HWND TSkDefaultForm::ApplicationWindow() const {
  HWND w = FrameWindow();
  HWND root = GetAncestor(w, GA_ROOTOWNER);
  return root ? root : w;
}

void TSkDefaultForm::NativeMinimize() {
  PostMessageW(FrameWindow(), WM_SYSCOMMAND, SC_MINIMIZE, kOwnMinimize);
}

void TSkDefaultForm::MinimizeApplication() {
  // The form is minimised already; its own handler has nothing to do meanwhile.
  const bool was = FInAppHandler;
  FInAppHandler = true;
  TApplication::Instance().Minimize();
  FInAppHandler = was;
}

void TSkDefaultForm::JoinApplication() {
  if (FAppHandlers || !FStates.MinimizeApplication) {
    return;
  }
  const auto guarded = [this](auto&& body) {
    if (FInAppHandler) {
      return;
    }
    struct TInHandler {
      bool& Flag;
      ~TInHandler() { Flag = false; }
    } inHandler{FInAppHandler = true};
    body();
  };
  FAppHandlers = TApplication::Instance().AddStateHandlers(
      [this, guarded] {
        guarded([this] {
          if (FStates.Data.State != kwsMinimized && FStates.Data.State != kwsTray) {
            RunAction(TSkFormAction::faMinimize);
          }
        });
      },
      [this, guarded] {
        guarded([this] {
          if (FStates.Data.State == kwsMinimized) {
            RunAction(TSkFormAction::faRestore);
            RedrawFrame();
          }
        });
      });
}

bool TSkDefaultForm::TrayVetoed() {
  HWND w = FrameWindow();
  return SendMessageW(w, kSkTrayQueryMessage, WPARAM(w), 0) == 1;
}

LRESULT CALLBACK TSkDefaultForm::TrayProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* form = reinterpret_cast<TSkDefaultForm*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (form) {
    switch (msg) {
    case kSkTrayMessage: GuardedCall([&] { form->TrayMessage(msg, wp, lp); }); return 0;
    case WM_QUERYENDSESSION: return 1;
    case WM_ENDSESSION: form->RemoveTrayIcon(); return 0;
    default: break;
    }
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void TSkDefaultForm::TrayMessage(UINT, WPARAM, LPARAM lp) {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  switch (LOWORD(lp)) {
  case WM_LBUTTONDBLCLK: PostMessageW(w, kSkActionMessage, WPARAM(TSkFormAction::faRestore), 0); break;
  case WM_RBUTTONUP:
    // The menu must own the foreground, or a click elsewhere would not close it.
    SetForegroundWindow(FTrayWindow);
    PopupSystemMenu();
    break;
  default: break;
  }
}

bool TSkDefaultForm::AddTrayIcon(bool application) {
  HWND w = FrameWindow();
  if (!FTrayWindow) {
    static const bool registered = [] {
      WNDCLASSW c{};
      c.lpfnWndProc = TrayProc;
      c.hInstance = GetModuleHandleW(nullptr);
      c.lpszClassName = kTrayClass;
      return RegisterClassW(&c) != 0;
    }();
    if (!registered) {
      return false;
    }
    FTrayWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!FTrayWindow) {
      return false;
    }
    SetWindowLongPtrW(FTrayWindow, GWLP_USERDATA, LONG_PTR(this));
  }
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = FTrayWindow;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kSkTrayMessage;
  HWND source = application ? ApplicationWindow() : w;
  data.hIcon = reinterpret_cast<HICON>(SendMessageW(source, WM_GETICON, ICON_SMALL2, 0));
  if (!data.hIcon) {
    data.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(source, GCLP_HICONSM));
  }
  if (!data.hIcon) {
    data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  }
  // The tip: the window's caption, at most 63 characters.
  GetWindowTextW(source, data.szTip, 64);
  FTrayIconShown = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return FTrayIconShown;
}

void TSkDefaultForm::HideForTray(bool application) {
  HWND target = application ? ApplicationWindow() : FrameWindow();
  ShowWindow(target, SW_HIDE);
}

void TSkDefaultForm::RemoveTrayIcon() {
  if (!FTrayIconShown) {
    return;
  }
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = FTrayWindow;
  data.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  FTrayIconShown = false;
}

void TSkDefaultForm::ShowFromTray(bool application) {
  HWND target = application ? ApplicationWindow() : FrameWindow();
  ShowWindow(target, IsIconic(target) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(target);
}

void TSkDefaultForm::CloseWindow() { PostMessageW(FrameWindow(), WM_CLOSE, 0, 0); }

void TSkDefaultForm::ContextHelp() { PostMessageW(FrameWindow(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0); }

// ---- the system menu ----

void TSkDefaultForm::PopupSystemMenu() {
  HWND w = FrameWindow();
  if (!w || (FSystemMenu && FSystemMenu->Shown())) {
    return; // a menu that is shown is never rebuilt under its own tracking
  }
  POINT at = FMenuPoint;
  if (FStates.Data.State == kwsTray) {
    GetCursorPos(&at);
  } else if (at.x == 0 && at.y == 0) {
    ClientToScreen(w, &at);
  }
  const bool tray = FStates.Data.State == kwsTray;
  if (tray && FTrayMenuLink) {
    SetHotCode(kHotAfterAction);
    FTrayMenuLink->SetPopupMenuOptions(FTrayMenuOptions);
    FTrayMenuLink->Popup(at.x, at.y);
    return;
  }
  if (!tray && FSystemMenuLink && !FSystemMenuLinkMerge) {
    SetHotCode(kHotAfterAction);
    FSystemMenuLink->SetPopupMenuOptions(FSystemMenuOptions);
    FSystemMenuLink->Popup(at.x, at.y);
    return;
  }
  FSystemMenu = std::make_unique<TSkPopupMenu>();
  FSystemMenu->SetImages(SystemMenuImages());
  FSystemMenu->SetPopupMenuOptions(tray ? FTrayMenuOptions : FSystemMenuOptions);
  for (const TskSystemMenuEntry& entry : SkSystemMenuEntries(FBorderIcons, FStates.Data.State)) {
    TSkItem* item = FSystemMenu->Items().Add(std::make_unique<TSkItem>());
    item->Caption = entry.Caption;
    item->ImageIndex = entry.ImageIndex;
    item->ShortCut = entry.ShortCut;
    item->OnClick = [this](TSkItem& chosen) {
      if (const auto action = SkSystemMenuAction(chosen.Caption)) {
        RunAction(*action);
      }
    };
  }
  if (!tray && FSystemMenuLink) {
    // The linked items keep their own handlers, even where a caption equals one of the form's.
    SkMergeItems(FSystemMenuLink->Items(), FSystemMenu->Items(), FSystemMenuLinkMergeAtFirst);
  }
  if (!tray && OnBuildSystemMenu) {
    OnBuildSystemMenu(FSystemMenu->Items());
  }
  SetHotCode(kHotAfterAction);
  FSystemMenu->Popup(at.x, at.y);
}
