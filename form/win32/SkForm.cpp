// TSkDefaultForm and TSkForm: the frame's geometry, painting and buffering, moving and sizing, and
// its messages; the window states, tray and system menu are in SkFormWindowStates.cpp.
#include "form/win32/SkForm.h"

#include "form/SkFrameCompose.h"
#include "theme/SkRect.h"
#include "form/win32/SkFormAccessible.h"

#include "framework/ComponentRegistry.h"
#include "framework/GuardedCall.h"
#include "framework/PropertyTable.h"
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"
#include "theme/SkThemeLink.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr std::uint8_t kFirstButtonCode = khtClose;
constexpr std::uint8_t kLastButtonCode = khtSysMenu;

bool IsButtonCode(std::uint8_t code) { return code >= kFirstButtonCode && code <= kLastButtonCode; }

RECT ToRect(const TskRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

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

// The shared frame buffer of every form that asks for one: screen-sized plus a margin.
TskBitmap& SharedFrameBuffer() {
  static TskBitmap shared;
  return shared;
}

} // namespace

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
  return TskFrameGeometry(s, FMetrics, FrameTheme(), FrameObject(), FrameFallsBackToDefault());
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
  return FShadow.Enabled() && !(w && IsZoomed(w)) && FStates.Data.State != kwsMaximized ? FShadow.Size() : 0;
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

// ---- painting ----

TskBitmap* TSkDefaultForm::FrameBuffer(std::int32_t width, std::int32_t height) {
  switch (FPerformance) {
  case kfpSharedBuffer: {
    TskBitmap& shared = SharedFrameBuffer();
    const std::int32_t w = std::max(width, GetSystemMetrics(SM_CXSCREEN) + 500);
    const std::int32_t h = std::max(height, GetSystemMetrics(SM_CYSCREEN) + 500);
    if (shared.Empty() || shared.Width() < width || shared.Height() < height) {
      if (!shared.TrySetSize(w, h)) {
        return nullptr;
      }
    }
    return &shared;
  }
  case kfpPersistentBuffer:
    if (FPersistentBuffer.Empty() || FPersistentBuffer.Width() != width ||
        FPersistentBuffer.Height() != height) {
      if (!FPersistentBuffer.TrySetSize(width, height)) {
        return nullptr;
      }
    }
    return &FPersistentBuffer;
  default: return nullptr;
  }
}

void TSkDefaultForm::RedrawFrame() {
  HWND w = FrameWindow();
  if (!w || !FPaintingEnabled) {
    return;
  }
  const TskFrameGeometry g = Geometry(true);
  const TskWindowInfo info = g.WindowInfo();
  const std::int32_t shadow = ShadowSize();
  const std::int32_t frameWidth = info.Rect.Right, frameHeight = info.Rect.Bottom;
  const std::int32_t width = frameWidth + shadow, height = frameHeight + shadow;
  const TskRect client = g.ClientArea();
  if (frameWidth <= 0 || frameHeight <= 0 || (client == info.Rect && shadow == 0)) {
    return;
  }
  // A fresh window context for each paint.
  TWindowDC windowDC(w, TWindowDC::TArea::Window);
  if (!windowDC.Get()) {
    return;
  }
  TskBitmap scratch; // for one paint
  TskBitmap* target = nullptr;
  const bool composed = Composed() && HasSnapshot();
  if (composed || FPerformance == kfpDoubleBuffer) {
    target = scratch.TrySetSize(width, height) ? &scratch : nullptr;
  } else if (FPerformance != kfpNoBuffer) {
    target = FrameBuffer(width, height);
  }
  if (!target) {
    // No buffer (or none could be had): straight onto the window.
    PaintFrameDirect(windowDC.Get(), g);
    return;
  }
  {
    TSavedDC saved(target->DC());
    IntersectClipRect(target->DC(), 0, 0, width, height);
    ExcludeClipRect(target->DC(), client.Left, client.Top, client.Right, client.Bottom);
    IntersectClipRect(target->DC(), 0, 0, frameWidth, frameHeight);
    PaintFrame(target->DC(), g);
  }
  if (composed) {
    TskPixels& pixels = target->Pixels();
    const TskPixels& behind = FSnapshot->Pixels();
    if (FBlending.Enabled()) {
      const std::int32_t a = FBlending.Value();
      for (const TskRect& band : BandsAround({0, 0, frameWidth, frameHeight}, client)) {
        SkBlendOverSnapshot(pixels, behind, band, a);
      }
    }
    SkComposeShadow(pixels, behind, frameWidth, frameHeight, shadow);
  }
  // Only the four strips around the client area are copied.
  HDC from = target->DC(), to = windowDC.Get();
  BitBlt(to, 0, 0, width, client.Top, from, 0, 0, SRCCOPY);
  BitBlt(to, 0, client.Top, client.Left, height - client.Top, from, 0, client.Top, SRCCOPY);
  BitBlt(to, client.Right, client.Top, width - client.Right, height - client.Top, from, client.Right,
         client.Top, SRCCOPY);
  BitBlt(to, client.Left, client.Bottom, client.Right - client.Left, height - client.Bottom, from,
         client.Left, client.Bottom, SRCCOPY);
}

void TSkDefaultForm::PaintFrameDirect(HDC windowDC, const TskFrameGeometry& g) {
  const TskWindowInfo info = g.WindowInfo();
  const std::int32_t width = info.Rect.Right, height = info.Rect.Bottom;
  const TskRect client = g.ClientArea();
  // The caption strip (with its buttons) is composed off-screen and copied whole, so it never
  // flickers; the rest of the frame is drawn straight, around the strip and the client area.
  // The strip's bitmap is kept from paint to paint while the frame keeps its width.
  TskBitmap& strip = FStripBuffer;
  const bool stripped =
      client.Top > 0 && ((strip.Width() == width && strip.Height() == client.Top && !strip.Empty()) ||
                         strip.TrySetSize(width, client.Top));
  {
    TSavedDC saved(windowDC);
    ExcludeClipRect(windowDC, client.Left, client.Top, client.Right, client.Bottom);
    if (stripped) {
      ExcludeClipRect(windowDC, 0, 0, width, client.Top);
    }
    PaintFrame(windowDC, g);
  }
  if (stripped) {
    PaintFrame(strip.DC(), g);
    BitBlt(windowDC, 0, 0, width, client.Top, strip.DC(), 0, 0, SRCCOPY);
  }
  (void)height;
}

void TSkDefaultForm::PaintFrame(HDC dc, const TskFrameGeometry& g) {
  if (g.Themed()) {
    PaintThemed(dc, g);
  } else if (FBorderStyle != kbsNone) {
    PaintClassic(dc, g);
  }
}

void TSkDefaultForm::DrawWindowIcon(HDC dc, const TskRect& r) {
  if (IsRectEmpty(r)) {
    return;
  }
  HWND w = FrameWindow();
  auto icon = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
  if (!icon) {
    icon = reinterpret_cast<HICON>(GetClassLongPtrW(w, GCLP_HICONSM));
  }
  if (!icon) {
    icon = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
  }
  if (!icon) {
    icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // the platform's application icon
  }
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  DrawIconEx(dc, (r.Left + r.Right - cx) / 2, (r.Top + r.Bottom - cy) / 2, icon, cx, cy, 0, nullptr,
             DI_NORMAL);
}

void TSkDefaultForm::PaintThemed(HDC dc, const TskFrameGeometry& g) {
  TskTheme* theme = g.Theme();
  const std::uint8_t kind = g.WindowKind();
  const std::string& object = g.ObjectName();
  const TskWindowInfo info = g.WindowInfo();
  TskRect iconRect = kSkNoRect;
  {
    TskGdiCanvas canvas(dc);
    theme->PaintWindow(kind, canvas, object, info);
    const TskRect caption = theme->WindowCaptionRect(kind, info, object);
    if (!IsRectEmpty(caption)) {
      theme->PaintWindowCaption(kind, canvas, object, caption, info);
    }
    for (TSkBorderIcon icon :
         {kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiHelp, kbiRollup, kbiTray}) {
      if (!(FBorderIcons & SkIcons(icon))) {
        continue;
      }
      const TskRect r = g.ButtonRect(icon);
      if (icon == kbiSystemMenu) {
        iconRect = r;
        continue;
      }
      theme->PaintWindowButton(kind, canvas, object,
                               SkWindowButtonInfo(r, g.ButtonKind(icon), g.ButtonState(icon)));
    }
  }
  DrawWindowIcon(dc, iconRect);
}

void TSkDefaultForm::PaintClassic(HDC dc, const TskFrameGeometry& g) {
  const TskWindowInfo info = g.WindowInfo();
  RECT whole = ToRect(info.Rect);
  FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
  const TskRect client = g.ClientArea();
  if (client.Top <= FMetrics.BorderWidth) {
    return;
  }
  // Caption strip: a gradient between the caption colour and its gradient colour.
  const bool active = FIsActive;
  RECT strip{client.Left, FMetrics.BorderWidth, client.Right, client.Top - 1};
  const COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  TRIVERTEX v[2] = {{strip.left, strip.top, COLOR16(GetRValue(from) << 8), COLOR16(GetGValue(from) << 8),
                     COLOR16(GetBValue(from) << 8), 0},
                    {strip.right, strip.bottom, COLOR16(GetRValue(to) << 8), COLOR16(GetGValue(to) << 8),
                     COLOR16(GetBValue(to) << 8), 0}};
  GRADIENT_RECT gr{0, 1};
  GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
  // Caption text, shortened to the room left of the buttons.
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  TFontHandle font(
      CreateFontIndirectW(FBorderStyle == kbsToolWindow ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont));
  TSelectGuard select(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT text = ToRect(g.CaptionRect());
  text.left += 2;
  const std::wstring caption = info.Caption;
  DrawTextW(dc, caption.c_str(), int(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
  DrawWindowIcon(dc, g.ButtonRect(kbiSystemMenu));
  const std::pair<TSkBorderIcon, UINT> buttons[] = {{kbiClose, DFCS_CAPTIONCLOSE},
                                                    {kbiMinimize, DFCS_CAPTIONMIN},
                                                    {kbiMaximize, DFCS_CAPTIONMAX},
                                                    {kbiHelp, DFCS_CAPTIONHELP}};
  for (const auto& [icon, glyph] : buttons) {
    RECT r = ToRect(g.ButtonRect(icon));
    if (r.right <= r.left) {
      continue;
    }
    UINT kind = glyph;
    if (icon == kbiMinimize && FStates.Data.State == kwsMinimized) {
      kind = DFCS_CAPTIONRESTORE;
    }
    if (icon == kbiMaximize && FStates.Data.State == kwsMaximized) {
      kind = DFCS_CAPTIONRESTORE;
    }
    if (g.ButtonState(icon) == bsPressed) {
      kind |= DFCS_PUSHED;
    }
    DrawFrameControl(dc, &r, DFC_CAPTION, kind);
  }
  // Roll up (down when rolled up) and the tray: the platform has no caption glyph for them, so
  // they are a scroll arrow and a small bar in the corner on a plain caption button.
  for (TSkBorderIcon icon : {kbiRollup, kbiTray}) {
    RECT r = ToRect(g.ButtonRect(icon));
    if (r.right <= r.left) {
      continue;
    }
    const UINT pushed = g.ButtonState(icon) == bsPressed ? DFCS_PUSHED : 0;
    if (icon == kbiRollup) {
      DrawFrameControl(dc, &r, DFC_SCROLL,
                       (FStates.Data.State == kwsRollup ? DFCS_SCROLLDOWN : DFCS_SCROLLUP) | pushed);
      continue;
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | pushed);
    const int unit = std::max<int>(1, (r.bottom - r.top) / 7);
    const int shift = pushed ? 1 : 0;
    RECT bar{r.right - 2 * unit - 3 * unit + shift, r.bottom - 2 * unit - unit + shift,
             r.right - 2 * unit + shift, r.bottom - 2 * unit + shift};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNTEXT));
  }
}

void TSkDefaultForm::PaintClient(HDC dc, const TskFrameGeometry& g) {
  const TskRect client = g.ClientArea();
  const TskRect local{0, 0, client.Right - client.Left, client.Bottom - client.Top};
  if (g.Themed()) {
    TskGdiCanvas canvas(dc);
    g.Theme()->PaintWindowClient(g.WindowKind(), canvas, g.ObjectName(), local);
    return;
  }
  TColor color = 0xFF00000F; // clBtnFace
  if (TWinControl* control = HookedControl()) {
    color = control->Color();
  }
  TBrushHandle brush(CreateSolidBrush(TskCanvas::ToColorRef(color)));
  RECT r = ToRect(local);
  FillRect(dc, &r, brush.Get());
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

TPropertyResult TSkDefaultForm::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TSkDefaultForm>;
  static const P kTable{
      {"BorderStyle",
       P::Enum<TSkBorderStyle>({{"kbsNone", kbsNone},
                                {"kbsBorder", kbsBorder},
                                {"kbsStandard", kbsStandard},
                                {"kbsDialog", kbsDialog},
                                {"kbsToolWindow", kbsToolWindow}},
                               [](TSkDefaultForm& f, TSkBorderStyle v) { f.FBorderStyle = v; })},
      {"BorderIcons",
       P::Set(
           {{"kbiClose", SkIcons(kbiClose)},
            {"kbiSystemMenu", SkIcons(kbiSystemMenu)},
            {"kbiMinimize", SkIcons(kbiMinimize)},
            {"kbiMaximize", SkIcons(kbiMaximize)},
            {"kbiHelp", SkIcons(kbiHelp)},
            {"kbiRollup", SkIcons(kbiRollup)},
            {"kbiTray", SkIcons(kbiTray)},
            {"kbiTop", SkIcons(kbiTop)},
            {"kbiCustom", SkIcons(kbiCustom)}},
           [](TSkDefaultForm& f, unsigned v) { f.FBorderIcons = TSkBorderIcons(v); }, "a set of border icons",
           [](const std::string& item) { return "'" + item + "' is no border icon"; })},
      {"Performance",
       P::Enum<TSkFormPerformance>({{"kfpNoBuffer", kfpNoBuffer},
                                    {"kfpSharedBuffer", kfpSharedBuffer},
                                    {"kfpPersistentBuffer", kfpPersistentBuffer},
                                    {"kfpDoubleBuffer", kfpDoubleBuffer}},
                                   [](TSkDefaultForm& f, TSkFormPerformance v) { f.FPerformance = v; })},
      {"WindowState",
       P::Enum<TSkWindowState>({{"kwsNormal", kwsNormal},
                                {"kwsMaximized", kwsMaximized},
                                {"kwsMinimized", kwsMinimized},
                                {"kwsRollup", kwsRollup},
                                {"kwsTray", kwsTray}},
                               [](TSkDefaultForm& f, TSkWindowState v) { f.FStates.Data.Pending = v; })},
      {"StayOnTop", P::Bool([](TSkDefaultForm& f, bool v) { f.FStayOnTop = v; })},
      {"StretchBackground", P::Bool([](TSkDefaultForm& f, bool v) { f.FStretchBackground = v; })},
      {"MinimizeApplication", P::Bool([](TSkDefaultForm& f, bool v) { f.FStates.MinimizeApplication = v; })},
      {"SystemMenuLinkMerge", P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuLinkMerge = v; })},
      {"SystemMenuLinkMergeAtFirst",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuLinkMergeAtFirst = v; })},
      {"Dragging.Sizeable", P::Bool([](TSkDefaultForm& f, bool v) { f.FDragging.SetSizeable(v); })},
      {"Dragging.Moveable", P::Bool([](TSkDefaultForm& f, bool v) { f.FDragging.SetMoveable(v); })},
      {"Dragging.DragMode",
       P::Enum<TSkFormDragMode>({{"kfdmBorder", kfdmBorder},
                                 {"kfdmFullDrag", kfdmFullDrag},
                                 {"kfdmSystemSettings", kfdmSystemSettings}},
                                [](TSkDefaultForm& f, TSkFormDragMode v) { f.FDragging.SetDragMode(v); })},
      {"Gravitation.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FGravitation.SetEnabled(v); })},
      {"Gravitation.Size",
       P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FGravitation.SetSize(v); })},
      {"Constraints.MinWidth",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MinWidth = v; })},
      {"Constraints.MinHeight",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MinHeight = v; })},
      {"Constraints.MaxWidth",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MaxWidth = v; })},
      {"Constraints.MaxHeight",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MaxHeight = v; })},
      {"Blending.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FBlending.SetEnabled(v); })},
      {"Blending.Value",
       P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FBlending.SetValue(v); })},
      {"Shadow.Size", P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FShadow.SetSize(v); })},
      {"Shadow.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FShadow.SetEnabled(v); })},
      {"OnPaint", P::Event([](TSkDefaultForm& f) -> TNotifyEvent& { return f.OnPaint; })},
      {"SystemMenuOptions.Animation.EffectKind", P::String([](TSkDefaultForm& f, const std::string& v) {
         f.FSystemMenuOptions.Animation.SetEffect(v);
       })},
      {"SystemMenuOptions.Animation.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuOptions.Animation.SetEnabled(v); })},
      {"SystemMenuOptions.Animation.Time",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FSystemMenuOptions.Animation.SetTime(v); })},
      {"SystemMenuOptions.Blending.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuOptions.Blending.SetEnabled(v); })},
      {"SystemMenuOptions.Blending.Value",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FSystemMenuOptions.Blending.SetValue(v); })},
      {"TrayMenuOptions.Animation.EffectKind",
       P::String([](TSkDefaultForm& f, const std::string& v) { f.FTrayMenuOptions.Animation.SetEffect(v); })},
      {"TrayMenuOptions.Animation.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FTrayMenuOptions.Animation.SetEnabled(v); })},
      {"TrayMenuOptions.Animation.Time",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FTrayMenuOptions.Animation.SetTime(v); })},
      {"TrayMenuOptions.Blending.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FTrayMenuOptions.Blending.SetEnabled(v); })},
      {"TrayMenuOptions.Blending.Value",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FTrayMenuOptions.Blending.SetValue(v); })},
  };
  if (auto r = kTable.Read(*this, name, value)) {
    return *r;
  }
  if (constexpr std::string_view kAnimation = "Animation."; name.starts_with(kAnimation)) {
    return FAnimation.ReadProperty(name.substr(kAnimation.size()), value);
  }
  return TSkHook::ReadProperty(name, value);
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

TPropertyResult TSkForm::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TSkForm>;
  static const P kTable{
      {"ThemeObject", P::String([](TSkForm& f, const std::string& v) { f.FThemeObject = v; })},
      {"ThemeLink",
       [](TSkForm& f, const TLayoutValue& v) {
         if (v.Kind != TLayoutValue::TKind::Identifier) {
           return TPropertyResult::Bad("a component name");
         }
         f.FThemeLinkName = v.Text;
         return TPropertyResult::Ok();
       }},
  };
  if (auto r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TSkDefaultForm::ReadProperty(name, value);
}

void SkRegisterFormComponents() {
  RegisterComponentClass("TSkDefaultForm", [](TComponent&) { return std::make_unique<TSkDefaultForm>(); });
  RegisterComponentClass("TSkForm", [](TComponent&) { return std::make_unique<TSkForm>(); });
}
