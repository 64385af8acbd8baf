#include "effects/win32/SkEffectHost.h"

#include "framework/win32/Handles.h"
#include "framework/win32/UtilityWindow.h"
#include "theme/win32/SkBitmap.h"

#include <memory>

TskTimer::TskTimer() {
  QueryPerformanceFrequency(&FFrequency);
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  QueryPerformanceCounter(&b);
  FReadCost = b.QuadPart - a.QuadPart;
}

void TskTimer::Start() { QueryPerformanceCounter(&FStart); }
void TskTimer::Stop() { QueryPerformanceCounter(&FStop); }

double TskTimer::ElapsedSeconds() const {
  if (FFrequency.QuadPart == 0) {
    return 0;
  }
  const LONGLONG ticks = FStop.QuadPart - FStart.QuadPart - FReadCost;
  return ticks > 0 ? double(ticks) / double(FFrequency.QuadPart) : 0.0;
}

namespace {

constexpr UINT_PTR kFrameTimerId = 1;
constexpr UINT kFrameIntervalMs = 20;

TskPresentHook& PresentHook() {
  static TskPresentHook hook;
  return hook;
}

// The object whose method serves the frame timer: it also draws the frames.
class TskMultiObject final : public ISkAnimationHost {
public:
  TskMultiObject()
      : FWindow([this](UINT msg, WPARAM wparam, LPARAM, LRESULT& result) {
          if (msg != WM_TIMER || wparam != kFrameTimerId) {
            return false;
          }
          OnTick();
          result = 0;
          return true;
        }) {}
  void SetDriver(TskAnimationDriver* driver) { FDriver = driver; }

  void SetTimerEnabled(bool enabled) override {
    if (enabled) {
      SetTimer(FWindow.Handle(), kFrameTimerId, kFrameIntervalMs, nullptr);
    } else {
      KillTimer(FWindow.Handle(), kFrameTimerId);
    }
  }

  void Present(const TskPixels& work, TskAnimationTarget target, int x, int y) override {
    HDC dc = reinterpret_cast<HDC>(target);
    if (!dc || work.Empty()) {
      return;
    }
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = work.Width();
    bmi.bmiHeader.biHeight = -work.Height(); // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    // The player's images are packed (stride = width).
    SetDIBitsToDevice(dc, x, y, DWORD(work.Width()), DWORD(work.Height()), 0, 0, 0, UINT(work.Height()),
                      work.ScanLine(0), &bmi, DIB_RGB_COLORS);
    GdiFlush();
    if (PresentHook()) {
      PresentHook()(work, dc, x, y);
    }
  }

private:
  // A tick: every slot's frame step, timed; the time it took is added to every slot.
  void OnTick() {
    if (!FDriver) {
      return;
    }
    FStopwatch.Start();
    FDriver->StepAll();
    FStopwatch.Stop();
    FDriver->AddElapsed(FStopwatch.ElapsedSeconds() * 1000.0);
  }
  TskTimer FStopwatch;
  TskAnimationDriver* FDriver = nullptr;
  TUtilityWindow FWindow;
};

} // namespace

std::uint32_t ClockSeed() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return std::uint32_t(now.QuadPart) ^ std::uint32_t(now.QuadPart >> 32) ^ GetTickCount();
}

TskAnimationDriver& SkAnimationDriver() {
  static TskMultiObject host;
  static TskAnimationDriver driver(&host, ClockSeed());
  static const bool linked = (host.SetDriver(&driver), true);
  (void)linked;
  return driver;
}

void SkSetPresentHook(TskPresentHook hook) { PresentHook() = std::move(hook); }

int StartAnimation(HDC dc, int x, int y, int slot, const TskAnimationRec& rec, const TskPixels& next,
                   const TskPixels& old) {
  return SkAnimationDriver().StartAnimation(reinterpret_cast<TskAnimationTarget>(dc), x, y, slot, rec, next,
                                            old);
}

bool IsAnimating(int slot) { return SkAnimationDriver().IsAnimating(slot); }

void StopAnimation(int slot, bool finalFrame) { SkAnimationDriver().StopAnimation(slot, finalFrame); }

bool RunAnimation(HDC dc, int x, int y, const TskAnimationRec& rec, const TskPixels& next,
                  const TskPixels& old) {
  const int slot = StartAnimation(dc, x, y, -1, rec, next, old);
  if (slot < 0) {
    return false;
  }
  while (IsAnimating(slot)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        StopAnimation(slot, true);
        PostQuitMessage(int(msg.wParam));
        return true;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (!IsAnimating(slot)) {
        return true;
      }
    }
    // Nothing queued: sleep until a message arrives or the frame timer is due. The timeout
    // only guards against a timer message that never comes.
    MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return true;
}

namespace {
// The window's pixels through WM_PRINT, fully opaque; outside its window region, if it has
// one, the key colour with alpha 0.
bool CaptureWindow(HWND window, int width, int height, TskBitmap& capture) {
  capture.SetSize(width, height);
  capture.Fill(0xFF000000u);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(capture.DC()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN | PRF_OWNED);
  TskPixels& pixels = capture.Pixels();
  pixels.SetAlpha(255);
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (region && GetWindowRgn(window, region.Get()) != ERROR) {
    for (int y = 0; y < height; ++y) {
      TskColor* row = pixels.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        if (!PtInRegion(region.Get(), x, y)) {
          row[x] = skKeyColor;
        }
      }
    }
  }
  return true;
}
} // namespace

bool SkShowWindowAnimated(HWND window, const TskAnimationRec& rec, int showCmd) {
  bool played = false;
  if (rec.Enabled() && window && !IsWindowVisible(window)) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width > 0 && height > 0) {
      HDC screen = GetDC(nullptr);
      if (screen) {
        try {
          TskBitmap old, next;
          old.SetSize(width, height);
          BitBlt(old.DC(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
          old.Pixels().SetAlpha(255);
          CaptureWindow(window, width, height, next);
          played = RunAnimation(screen, r.left, r.top, rec, next.Pixels(), old.Pixels());
        } catch (...) {
          ReleaseDC(nullptr, screen);
          throw;
        }
        ReleaseDC(nullptr, screen);
      }
    }
  }
  if (IsWindow(window)) {
    ShowWindow(window, showCmd);
    UpdateWindow(window);
  }
  return played;
}
