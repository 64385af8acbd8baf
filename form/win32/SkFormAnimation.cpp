// TSkDefaultForm: the show transition, painting the frame into a device context it is given,
// the client background through OnPaint, and the form's private paint and maximise messages.
//
// The show transition runs inside the WM_WINDOWPOSCHANGING of the show, while the window is
// still hidden: the form paints its future look into a bitmap, grabs the screen behind it and
// plays the transition on the screen through the effect driver, dispatching messages until it
// has ended; the show then goes on and the window paints itself over the last frame.
#include "form/SkFrameCompose.h"
#include "form/win32/SkForm.h"
#include "theme/SkRect.h"

#include "effects/win32/SkEffectHost.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Puts a value back on scope exit.
template <class T>
class TRestore {
public:
  TRestore(T& field, T value) : FField(field), FOld(field) { field = value; }
  ~TRestore() { FField = FOld; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

private:
  T& FField;
  T FOld;
};

bool IsDeviceContext(HDC dc) {
  const DWORD type = dc ? GetObjectType(dc) : 0;
  return type == OBJ_DC || type == OBJ_MEMDC;
}

// The rectangles of a window's region; empty when the window has none (it is all window).
std::vector<RECT> RegionRects(HWND w) {
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (!region || GetWindowRgn(w, region.Get()) == ERROR) {
    return {};
  }
  const DWORD size = GetRegionData(region.Get(), 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  if (size < sizeof(RGNDATAHEADER) || GetRegionData(region.Get(), size, data) != size) {
    return {};
  }
  const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
  return {first, first + data->rdh.nCount};
}

} // namespace

// ---- painting into a given device context ----

void TSkDefaultForm::PaintClientBackground(HDC dc, const TskFrameGeometry& g) {
  if (OnPaint && !IsLoading()) {
    TRestore<HDC> canvas(FPaintDC, dc);
    OnPaint(this);
    return;
  }
  PaintClient(dc, g);
}

bool TSkDefaultForm::PaintTo(HDC dc, int x, int y) {
  if (!FrameWindow() || !IsDeviceContext(dc)) {
    return false;
  }
  TRestore<bool> active(FIsActive, true);
  const TskFrameGeometry g = Geometry(true);
  const TskRect c = g.ClientArea();
  TSavedDC saved(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  {
    TSavedDC frame(dc);
    ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
    PaintFrame(dc, g);
  }
  OffsetViewportOrgEx(dc, c.Left, c.Top, nullptr);
  IntersectClipRect(dc, 0, 0, c.Right - c.Left, c.Bottom - c.Top);
  PaintClientBackground(dc, g);
  return true;
}

bool TSkDefaultForm::HandleShowMessage(TskMessage& m) {
  switch (m.Msg) {
  case kSkPaintToMessage:
    // A context that is none is passed on, as if nobody had asked.
    if (!IsDeviceContext(reinterpret_cast<HDC>(m.LParam))) {
      m.Result = 0;
      return false;
    }
    PaintTo(reinterpret_cast<HDC>(m.LParam), std::int16_t(LOWORD(m.WParam)), std::int16_t(HIWORD(m.WParam)));
    m.Result = 1;
    MarkHandled();
    return true;
  case kSkMaximizeMessage:
    RunAction(TSkFormAction::faMaximize);
    m.Result = 0;
    MarkHandled();
    return true;
  default: return false;
  }
}

// ---- the show transition ----

void TSkDefaultForm::PrintChildren(HWND w, HDC dc, const TskRect& client) {
  // The form's own painting (its labels, which have no window) through WM_PRINTCLIENT, clipped
  // to them: the background under them stays the form's.
  if (TWinControl* form = HookedControl()) {
    TRegionHandle labels(CreateRectRgn(0, 0, 0, 0));
    bool any = false;
    for (TWinControl* child : form->Controls()) {
      if (child->HasWindow() || !child->Visible() || !child->Placed()) {
        continue;
      }
      TRegionHandle part(CreateRectRgn(client.Left + child->Left(), client.Top + child->Top(),
                                       client.Left + child->Left() + child->Width(),
                                       client.Top + child->Top() + child->Height()));
      CombineRgn(labels.Get(), labels.Get(), part.Get(), RGN_OR);
      any = true;
    }
    if (any) {
      TSavedDC saved(dc);
      SelectClipRgn(dc, labels.Get()); // device coordinates: the capture's own
      SetViewportOrgEx(dc, client.Left, client.Top, nullptr);
      SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
  }
  // Every child window meant to be seen, at its place, with its own children.
  for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) {
      continue;
    }
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
    // Each child paints into a bitmap of its own, as into a context of its own: its painting
    // may move the context's origin to ask its parent for the background.
    TskBitmap part;
    if (!part.TrySetSize(r.right - r.left, r.bottom - r.top)) {
      continue;
    }
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(part.DC()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    BitBlt(dc, client.Left + r.left, client.Top + r.top, r.right - r.left, r.bottom - r.top, part.DC(), 0, 0,
           SRCCOPY);
  }
}

bool TSkDefaultForm::CaptureShow(HWND w, const RECT& screen, const TskPixels& behind, TskBitmap& capture) {
  const std::int32_t width = screen.right - screen.left, height = screen.bottom - screen.top;
  if (!capture.TrySetSize(width, height)) {
    return false;
  }
  capture.Fill(0xFF000000u);
  TRestore<bool> active(FIsActive, true);
  const TskFrameGeometry g = Geometry(true);
  const TskRect c = g.ClientArea();
  if (!PaintTo(capture.DC(), 0, 0)) {
    return false;
  }
  // A translucent frame and the shadow are composed over what lies behind, as on screen; the
  // children stay opaque.
  TskPixels& pixels = capture.Pixels();
  const std::int32_t shadow = ShadowSize();
  const std::int32_t frameWidth = width - shadow, frameHeight = height - shadow;
  if (FBlending.Enabled()) {
    const std::int32_t a = FBlending.Value();
    for (const TskRect& band : BandsAround({0, 0, frameWidth, frameHeight}, c)) {
      SkBlendOverSnapshot(pixels, behind, band, a);
    }
    SkBlendOverSnapshot(pixels, behind, c, a);
  }
  if (shadow > 0) {
    SkComposeShadow(pixels, behind, frameWidth, frameHeight, shadow);
  }
  PrintChildren(w, capture.DC(), c);
  capture.Pixels().SetAlpha(255);
  // Outside the window's shape the screen stays as it was.
  if (const std::vector<RECT> parts = RegionRects(w); !parts.empty()) {
    std::vector<std::uint8_t> inside(std::size_t(width) * std::size_t(height), 0);
    for (const RECT& r : parts) {
      for (LONG y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y) {
        for (LONG x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x) {
          inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] = 1;
        }
      }
    }
    for (std::int32_t y = 0; y < height; ++y) {
      TskColor* row = pixels.ScanLine(y);
      for (std::int32_t x = 0; x < width; ++x) {
        if (!inside[std::size_t(y) * std::size_t(width) + std::size_t(x)]) {
          row[x] = skKeyColor;
        }
      }
    }
  }
  return true;
}

void TSkDefaultForm::CutShowTransition(bool finalFrame) {
  const int slot = FShowSlot;
  if (slot < 0) {
    return;
  }
  FShowSlot = -1;
  StopAnimation(slot, finalFrame);
}

void TSkDefaultForm::ShowTransition(WINDOWPOS& pos) {
  HWND w = FrameWindow();
  if (FShowSlot >= 0) {
    if (pos.flags & SWP_SHOWWINDOW) {
      // Shown again while its transition plays: the transition ends on its last frame and this
      // show goes through at once.
      CutShowTransition(true);
    }
    return;
  }
  if (!(pos.flags & SWP_SHOWWINDOW) || !FAnimation.Enabled() || !w || IsLoading() || IsWindowVisible(w) ||
      IsIconic(w) || FStates.Busy() || FApplyingDeferredState || FStates.Data.Pending != kwsNormal ||
      FStates.Data.State == kwsMinimized || FStates.Data.State == kwsTray) {
    return;
  }
  // Where the window will stand once this change is done.
  RECT screen{};
  GetWindowRect(w, &screen);
  if (!(pos.flags & SWP_NOMOVE)) {
    POINT to{pos.x, pos.y}; // in the parent's client coordinates for a child window
    if (HWND parent = GetAncestor(w, GA_PARENT); parent && parent != GetDesktopWindow()) {
      ClientToScreen(parent, &to);
    }
    OffsetRect(&screen, to.x - screen.left, to.y - screen.top);
  }
  if (!(pos.flags & SWP_NOSIZE)) {
    screen.right = screen.left + pos.cx;
    screen.bottom = screen.top + pos.cy;
  }
  const std::int32_t width = screen.right - screen.left, height = screen.bottom - screen.top;
  RECT now{};
  GetWindowRect(w, &now);
  if (width <= 0 || height <= 0 || width != now.right - now.left || height != now.bottom - now.top) {
    // Nothing to show, or a show that also sizes the window: its frame is measured anew first,
    // so it appears at once.
    return;
  }
  TWindowDC screenDC(nullptr);
  TskBitmap behind, capture;
  if (!screenDC.Get() || !behind.TrySetSize(width, height)) {
    return;
  }
  BitBlt(behind.DC(), 0, 0, width, height, screenDC.Get(), screen.left, screen.top, SRCCOPY);
  behind.Pixels().SetAlpha(255);
  if (!CaptureShow(w, screen, behind.Pixels(), capture)) {
    return;
  }
  const int slot = StartAnimation(screenDC.Get(), screen.left, screen.top, -1, FAnimation.Rec(),
                                  capture.Pixels(), behind.Pixels());
  if (slot < 0) {
    return; // nothing to play: the window appears at once
  }
  FShowSlot = slot;
  struct TEnd {
    TSkDefaultForm& Form;
    int Slot;
    ~TEnd() {
      if (Form.FShowSlot == Slot) {
        Form.CutShowTransition(false);
      }
    }
  } end{*this, slot};
  // The driver's frames come from its timer: dispatch until the transition has ended (or was
  // ended by a second show or the window's end), sleeping while nothing is queued.
  bool gone = false;
  while (FShowSlot == slot && IsAnimating(slot)) {
    MSG msg;
    bool quit = false;
    while (FShowSlot == slot && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        CutShowTransition(true);
        PostQuitMessage(int(msg.wParam));
        quit = true;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (!IsWindow(w)) {
        CutShowTransition(false);
        gone = true;
        break;
      }
    }
    if (quit || gone || FShowSlot != slot || !IsAnimating(slot)) {
      break;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  if (FShowSlot == slot) {
    FShowSlot = -1; // played to its end: the driver has released the slot
  }
  if (gone) {
    // What the frames covered is painted again.
    RedrawWindow(nullptr, &screen, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  } else if (IsWindowVisible(w)) {
    // Shown by a second show while the frames were drawn over it: it paints itself again.
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}
