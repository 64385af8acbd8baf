// TSkDefaultForm and TSkForm: the frame's geometry and metrics, the window region and frame
// recomputation, loading, and TSkForm's theme link. Painting is in SkFormPaint.cpp, the mouse on
// the frame in SkFormMouse.cpp, message dispatch in SkFormMessages.cpp, the layout properties in
// SkFormProperties.cpp; the window states, tray and system menu in SkFormWindowStates.cpp.
#include "form/win32/SkForm.h"

#include "form/win32/SkFormShared.h"

#include "theme/SkRect.h"

#include "framework/ComponentRegistry.h"
#include "framework/win32/Application.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"
#include "theme/SkThemeLink.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

// ---- TSkDefaultForm ----

TSkDefaultForm::TSkDefaultForm() : TSkHook(nullptr), FMetrics(PlatformMetrics()) {
  const auto changed = [this] {
    if (!IsLoading()) {
      RecomputeFrame();
    }
  };
  FBlending.OnChange = changed;
  FShadow.OnChange = changed;
}

TSkDefaultForm::~TSkDefaultForm() {
  if (FAppHandlers) {
    TApplication::Instance().RemoveStateHandlers(FAppHandlers);
  }
  RemoveTrayIcon();
  if (FTrayWindow) {
    DestroyWindow(FTrayWindow);
  }
  if (HWND w = FrameWindow()) {
    if (FHoverTimer) {
      KillTimer(w, kSkHoverTimerId);
    }
    if (FLeftHeld && GetCapture() == w) {
      FLeftHeld = false;
      ReleaseCapture();
    }
  }
}

TskFrameMetrics TSkDefaultForm::PlatformMetrics() {
  TskFrameMetrics m;
  m.BorderWidth = GetSystemMetrics(SM_CXFRAME);
  m.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  m.SmallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  // The classic drawing below is used with or without a visual style, so are its metrics.
  m.VisualStyles = false;
  m.PixelsPerInch = SystemDpi();
  return m;
}

TskFrameMetrics TSkDefaultForm::FrameMetrics() const {
  TWinControl* control = HookedControl();
  const TForm* form = control ? TForm::Of(*control) : nullptr;
  const int dpi = form ? form->PixelsPerInch() : FMetrics.PixelsPerInch;
  if (dpi == FMetrics.PixelsPerInch) {
    return FMetrics;
  }
  TskFrameMetrics m = FMetrics;
  m.PixelsPerInch = dpi;
  m.BorderWidth = SystemMetricForDpi(SM_CXFRAME, dpi);
  m.CaptionHeight = SystemMetricForDpi(SM_CYCAPTION, dpi);
  m.SmallCaptionHeight = SystemMetricForDpi(SM_CYSMCAPTION, dpi);
  return m;
}

HWND TSkDefaultForm::FrameWindow() const {
  TWinControl* control = HookedControl();
  return control && control->HandleAllocated() && Active() ? control->Handle() : nullptr;
}

std::wstring TSkDefaultForm::Caption() const {
  HWND w = FrameWindow();
  if (!w) {
    return {};
  }
  const int length = GetWindowTextLengthW(w);
  std::wstring text(std::size_t(std::max(length, 0)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(w, text.data(), length + 1)));
  return text;
}

TskFrameGeometry TSkDefaultForm::Geometry(std::int32_t width, std::int32_t height, bool withCaption) const {
  TskFrameState s;
  s.BorderStyle = FBorderStyle;
  s.Icons = FBorderIcons;
  s.WindowState = FStates.Data.State;
  s.FrameWidth = width;
  s.FrameHeight = height;
  s.Active = FIsActive;
  if (withCaption) {
    s.Caption = Caption();
  }
  s.HotCode = FHotCode;
  s.PressedCode = FPressedCode;
  s.LeftButtonHeld = FLeftHeld;
  s.Sizeable = FDragging.Sizeable();
  s.Moveable = FDragging.Moveable();
  s.InDrag = FDrag.Active();
  s.ShadowSize = ShadowSize();
  s.Constraints = FConstraints;
  return TskFrameGeometry(s, FrameMetrics(), FrameTheme(), FrameObject(), FrameFallsBackToDefault());
}

TskFrameGeometry TSkDefaultForm::Geometry(bool withCaption) const {
  RECT r{};
  if (HWND w = FrameWindow()) {
    GetWindowRect(w, &r);
  }
  const std::int32_t shadow = ShadowSize();
  return Geometry(r.right - r.left - shadow, r.bottom - r.top - shadow, withCaption);
}

std::int32_t TSkDefaultForm::ShadowSize() const {
  HWND w = FrameWindow();
  const TScale scale(TScale::kDesignPixelsPerInch, FrameMetrics().PixelsPerInch);
  return FShadow.Enabled() && !(w && IsZoomed(w)) && FStates.Data.State != kwsMaximized
             ? scale.Apply(FShadow.Size())
             : 0;
}

void TSkDefaultForm::RefreshSnapshot(const RECT& r) {
  if (!Composed() || IsLoading() || EqualRect(&r, &FSnapshotRect)) {
    return;
  }
  auto fresh = std::make_unique<TskBitmap>();
  if (!fresh->TrySetSize(r.right - r.left, r.bottom - r.top)) {
    return;
  }
  TWindowDC screen(nullptr);
  RECT overlap{};
  const bool reuse =
      HasSnapshot() && IntersectRect(&overlap, &r, &FSnapshotRect) && IsWindowVisible(FrameWindow());
  // Where the window stood the screen shows the window itself: that part comes from the old
  // snapshot; the rest from the screen.
  BitBlt(fresh->DC(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(), r.left, r.top, SRCCOPY);
  if (reuse) {
    BitBlt(fresh->DC(), overlap.left - r.left, overlap.top - r.top, overlap.right - overlap.left,
           overlap.bottom - overlap.top, FSnapshot->DC(), overlap.left - FSnapshotRect.left,
           overlap.top - FSnapshotRect.top, SRCCOPY);
  }
  GdiFlush();
  FSnapshot = std::move(fresh);
  FSnapshotRect = r;
}

void TSkDefaultForm::SetBorderStyle(TSkBorderStyle style) {
  FBorderStyle = style;
  if (!IsLoading()) {
    RecomputeFrame();
  }
}

void TSkDefaultForm::SetBorderIcons(TSkBorderIcons icons) {
  FBorderIcons = icons;
  if (!IsLoading()) {
    ApplyNativeStyle();
    RecomputeFrame();
  }
}

POINT TSkDefaultForm::WindowPoint(LPARAM screenPoint) const {
  RECT r{};
  GetWindowRect(FrameWindow(), &r);
  return {GET_X_LPARAM(screenPoint) - r.left, GET_Y_LPARAM(screenPoint) - r.top};
}

// ---- region and frame ----

void TSkDefaultForm::UpdateRegion() {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  const TskFrameGeometry g = Geometry();
  const TskWindowInfo info = g.WindowInfo();
  const std::int32_t shadow = ShadowSize();
  if (info.Rect.Right + shadow == FRegionWidth && info.Rect.Bottom + shadow == FRegionHeight) {
    return;
  }
  FRegionWidth = info.Rect.Right + shadow;
  FRegionHeight = info.Rect.Bottom + shadow;
  std::vector<TskRect> parts = g.Region();
  if (shadow > 0) {
    // The frame and a copy moved by the shadow's size: the two corners beside the shadow stay
    // outside the window.
    if (parts.empty()) {
      parts.push_back(info.Rect);
    }
    const std::size_t n = parts.size();
    for (std::size_t i = 0; i < n; ++i) {
      parts.push_back(OffsetRect(parts[i], shadow, shadow));
    }
  }
  if (parts.empty()) {
    if (FRegionSet) {
      SetWindowRgn(w, nullptr, TRUE);
      FRegionSet = false;
    }
  } else {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const TskRect& r : parts) {
      TRegionHandle part(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
      CombineRgn(region, region, part.Get(), RGN_OR);
    }
    SetWindowRgn(w, region, TRUE); // the window owns the region from here on
    FRegionSet = true;
  }
  if (OnResize) {
    OnResize(this);
  }
}

void TSkDefaultForm::ApplyNativeStyle() {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
  style &= ~LONG_PTR(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
  if (FBorderIcons & SkIcons(kbiMinimize)) {
    style |= WS_MINIMIZEBOX;
  }
  if (FBorderIcons & SkIcons(kbiMaximize)) {
    style |= WS_MAXIMIZEBOX;
  }
  if (FDragging.Sizeable() && FBorderStyle != kbsNone && FBorderStyle != kbsBorder) {
    style |= WS_THICKFRAME;
  }
  // A window without an owner keeps the system menu: the taskbar and Alt+Space use it.
  if (!GetWindow(w, GW_OWNER)) {
    style |= WS_SYSMENU;
  }
  SetWindowLongPtrW(w, GWL_STYLE, style);
}

void TSkDefaultForm::RecomputeFrame() {
  HWND w = FrameWindow();
  if (!w) {
    return;
  }
  RECT before{};
  GetClientRect(w, &before);
  SetWindowPos(w, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after{}, window{};
  GetClientRect(w, &after);
  GetWindowRect(w, &window);
  if (FStates.Data.State == kwsMaximized) {
    // Maximised, the window keeps filling its area, whatever the frame takes now.
    const RECT r = ToRect(MaximizedBounds());
    SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (after.right != before.right || after.bottom != before.bottom) {
    // The client keeps its size; the window takes the difference.
    SetWindowPos(w, nullptr, 0, 0, window.right - window.left + before.right - after.right,
                 window.bottom - window.top + before.bottom - after.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FRegionWidth = FRegionHeight = -1;
  UpdateRegion();
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkDefaultForm::Loaded() {
  TSkHook::Loaded();
  auto* form = dynamic_cast<TForm*>(Owner());
  if (!form) {
    return;
  }
  FIsActive = GetForegroundWindow() == form->Handle();
  AssignControl(form);
  ApplyNativeStyle();
  RecomputeFrame();
  if (FConstraints != TskSizeConstraints{}) {
    HoldToTrackSizes();
  }
  HWND w = FrameWindow();
  if (FStayOnTop) {
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  FStates.Data.NormalBounds = Bounds();
  if (const TSkWindowState pending = FStates.Data.Pending; w && pending != kwsNormal) {
    // Never seen at the designed place: parked below the screen until the state is applied.
    if (pending != kwsRollup) {
      SetWindowPos(w, nullptr, 0, GetSystemMetrics(SM_CYSCREEN), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PostMessageW(w, kSkDeferredStateMessage, WPARAM(pending), 0);
  }
  if (OnCreate) {
    OnCreate(this);
  }
}

void TSkDefaultForm::WindowProcRestoring() {
  if (HWND w = FrameWindow(); w && FHoverTimer) {
    KillTimer(w, kSkHoverTimerId);
    FHoverTimer = false;
  }
}

// ---- TSkForm ----

TSkForm::TSkForm() = default;

TSkForm::~TSkForm() {
  if (FThemeClient) {
    TskThemeManager::Instance().UnregisterClient(FThemeClient.get());
  }
}

TskTheme* TSkForm::FrameTheme() const { return SkPaintingTheme(FThemeLink); }

bool TSkForm::FrameFallsBackToDefault() const { return !(FThemeLink && FThemeLink->GetTheme()); }

void TSkForm::SetThemeObject(const std::string& name) {
  if (name == FThemeObject) {
    return;
  }
  FThemeObject = name;
  if (!IsLoading()) {
    RecomputeFrame();
  }
}

void TSkForm::SetThemeLink(TskCustomThemeLink* link) {
  if (link == FThemeLink) {
    return;
  }
  FThemeLink = link;
  if (!IsLoading()) {
    RecomputeFrame();
  }
}

void TSkForm::Loaded() {
  if (!FThemeLinkName.empty()) {
    const TComponent* root = this;
    while (root->Owner()) {
      root = root->Owner();
    }
    FThemeLink = dynamic_cast<TskCustomThemeLink*>(root->FindComponent(FThemeLinkName));
  }
  TSkDefaultForm::Loaded();
  if (HWND w = HookedHandle(); w && !FThemeClient) {
    FThemeClient = std::make_unique<TskWindowThemeClient>(w);
    TskThemeManager::Instance().RegisterClient(FThemeClient.get());
  }
}

void TSkForm::HandleMessage(TskMessage& m) {
  if (m.Msg == kSkThemeMessage) {
    switch (m.WParam) {
    case 0:
    case 3:
    case 4: RecomputeFrame(); break;
    case 5:
      RedrawFrame();
      if (HWND w = HookedHandle()) {
        InvalidateRect(w, nullptr, TRUE);
      }
      break;
    default: break;
    }
    // The form's own window hears about theme changes too.
    return;
  }
  TSkDefaultForm::HandleMessage(m);
}

void SkRegisterFormComponents() {
  RegisterComponentClass("TSkDefaultForm", [](TComponent&) { return std::make_unique<TSkDefaultForm>(); });
  RegisterComponentClass("TSkForm", [](TComponent&) { return std::make_unique<TSkForm>(); });
}
