// A plain window (classic look, no theme) shown through the transition seam under real
// windows: the frames reach the screen over what was behind the window, at least five are
// drawn, and the window ends showing its own paint. With animations disabled, as the
// calculator keeps them, the window appears at once.
#include "effects/win32/SkEffectHost.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBody = RGB(0, 160, 0), kMark = RGB(200, 0, 0);
constexpr int kWidth = 160, kHeight = 120;

void PaintDemo(HDC dc) {
  HBRUSH body = CreateSolidBrush(kBody), mark = CreateSolidBrush(kMark);
  RECT all{0, 0, kWidth, kHeight}, centre{60, 40, 100, 80};
  FillRect(dc, &all, body);
  FillRect(dc, &centre, mark);
  DeleteObject(body);
  DeleteObject(mark);
}

LRESULT CALLBACK DemoProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintDemo(dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  case WM_PRINTCLIENT: PaintDemo(reinterpret_cast<HDC>(wparam)); return 0;
  case WM_ERASEBKGND: return 1;
  default: return DefWindowProcW(hwnd, msg, wparam, lparam);
  }
}

HWND CreateDemo(int x, int y) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DemoProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TabiraEffectDemo";
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);
    registered = true;
  }
  return CreateWindowExW(WS_EX_TOPMOST, L"TabiraEffectDemo", L"demo", WS_POPUP, x, y, kWidth, kHeight,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

struct TFrames {
  int Count = 0;
  COLORREF WorkPixel = 0, ScreenPixel = 0;
};

TFrames g_frames;

void WatchFrames(int probeX, int probeY) {
  g_frames = {};
  SkSetPresentHook([probeX, probeY](const TskPixels& work, HDC, int x, int y) {
    if (++g_frames.Count != 3) {
      return;
    }
    const TskColor p = work.GetPixel(probeX, probeY);
    g_frames.WorkPixel = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    const TScreenShot shot = GrabScreen({x + probeX, y + probeY, x + probeX + 1, y + probeY + 1});
    g_frames.ScreenPixel = shot.At(0, 0);
  });
}

TEST(SkEffectShow, PlainWindowAppearsThroughAFade) {
  HWND demo = CreateDemo(120, 100);
  ASSERT_TRUE(demo);
  TskAnimationRec rec;
  rec.SetEnabled(true);
  rec.SetEffect("Fade");
  rec.SetTime(200);
  WatchFrames(5, 5);
  EXPECT_TRUE(SkShowWindowAnimated(demo, rec));
  SkSetPresentHook(nullptr);
  EXPECT_GE(g_frames.Count, 5);
  EXPECT_EQ(g_frames.ScreenPixel, g_frames.WorkPixel); // the frame is on the screen
  EXPECT_NE(g_frames.WorkPixel, kBody);                // partway: not yet the window's paint
  EXPECT_FALSE(IsAnimating(0));
  Pump(150);
  ASSERT_TRUE(IsWindowVisible(demo));
  const TScreenShot shot = GrabWindow(demo);
  ASSERT_EQ(shot.Width, kWidth);
  EXPECT_EQ(shot.At(5, 5), kBody);
  EXPECT_EQ(shot.At(kWidth - 3, kHeight - 3), kBody);
  EXPECT_EQ(shot.At(80, 60), kMark);
  DestroyWindow(demo);
}

TEST(SkEffectShow, RandomEffectWithRotationAndTilesPlaysToTheEnd) {
  HWND demo = CreateDemo(320, 100);
  ASSERT_TRUE(demo);
  TskAnimationRec rec;
  rec.SetEnabled(true);
  rec.SetTime(150);
  rec.SetRotation(krRotate90);
  rec.SetTileCount(2);
  rec.SetResolution(3);
  WatchFrames(0, 0);
  EXPECT_TRUE(SkShowWindowAnimated(demo, rec));
  SkSetPresentHook(nullptr);
  EXPECT_GE(g_frames.Count, 5);
  Pump(150);
  EXPECT_EQ(GrabWindow(demo).At(80, 60), kMark);
  DestroyWindow(demo);
}

TEST(SkEffectShow, DisabledAnimationShowsTheWindowAtOnce) {
  HWND demo = CreateDemo(520, 100);
  ASSERT_TRUE(demo);
  TskAnimationRec rec; // Enabled is False by default
  rec.SetEffect("Fade");
  WatchFrames(0, 0);
  EXPECT_FALSE(SkShowWindowAnimated(demo, rec));
  SkSetPresentHook(nullptr);
  EXPECT_EQ(g_frames.Count, 0);
  EXPECT_TRUE(IsWindowVisible(demo));
  DestroyWindow(demo);
}

} // namespace
