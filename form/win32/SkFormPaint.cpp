// TSkDefaultForm, frame painting: the frame buffer (a form's own, the shared one, or none),
// the themed and the classic frame, the window icon and the client area under a translucent frame.
#include "form/win32/SkForm.h"

#include "form/win32/SkFormShared.h"

#include "form/SkFrameCompose.h"
#include "theme/SkRect.h"

#include "framework/win32/Dpi.h"
#include "framework/win32/Handles.h"
#include "framework/win32/WinControl.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// The shared frame buffer of every form that asks for one: screen-sized plus a margin.
TskBitmap& SharedFrameBuffer() {
  static TskBitmap shared;
  return shared;
}

} // namespace

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
  const int dpi = FrameMetrics().PixelsPerInch;
  const int cx = SystemMetricForDpi(SM_CXSMICON, dpi), cy = SystemMetricForDpi(SM_CYSMICON, dpi);
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
  if (client.Top <= FrameMetrics().BorderWidth) {
    return;
  }
  // Caption strip: a gradient between the caption colour and its gradient colour.
  const bool active = FIsActive;
  RECT strip{client.Left, FrameMetrics().BorderWidth, client.Right, client.Top - 1};
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
