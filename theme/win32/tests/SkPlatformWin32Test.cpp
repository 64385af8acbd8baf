// The capability layer and the canvas routines on a real system (Wine in the test runs).
#include "theme/SkCanvasMath.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkPlatform.h"

#include <gtest/gtest.h>

TEST(TskPlatform, CapabilitiesReadTrueWhereTheSystemHasTheFunction) {
  TskPlatform& p = TskPlatform::Get();
  HMODULE user32 = GetModuleHandleA("user32.dll");
  EXPECT_TRUE(p.IsNT);
  EXPECT_EQ(p.LayeredAvailable, GetProcAddress(user32, "SetLayeredWindowAttributes") != nullptr);
  EXPECT_TRUE(p.LayeredAvailable);
  EXPECT_NE(p.UpdateLayeredWindow, nullptr);
  EXPECT_TRUE(p.VisualStylesLoaded());
  EXPECT_NE(p.UxProc(TskUxFunc::OpenThemeData), nullptr);
  EXPECT_NE(p.UxProc(TskUxFunc::DrawThemeBackground), nullptr);
  EXPECT_TRUE(p.TransparentBltAvailable);
  EXPECT_NE(p.MonitorFromRect, nullptr);
  EXPECT_NE(p.MonitorFromPoint, nullptr);
  EXPECT_NE(p.MonitorFromWindow, nullptr);
  EXPECT_NE(p.GetMonitorInfoA, nullptr);
  EXPECT_NE(p.GetScrollBarInfo, nullptr);
  EXPECT_TRUE(p.MMXAvailable);
  EXPECT_NE(p.ScreenPixelFormat, TskPixelFormat::pfDevice);
  using BoolFn = BOOL(WINAPI*)();
  const bool active = p.Ux<BoolFn>(TskUxFunc::IsAppThemed)() && p.Ux<BoolFn>(TskUxFunc::IsThemeActive)();
  EXPECT_EQ(p.VisualStylesActive(), active);
}

TEST(TskPlatform, VisualStylesLoadCountNeverGoesBelowZero) {
  TskPlatform& p = TskPlatform::Get();
  const std::int32_t start = p.VisualStylesLoadCount();
  ASSERT_GE(start, 1);
  ASSERT_TRUE(p.LoadVisualStyles());
  EXPECT_EQ(p.VisualStylesLoadCount(), start + 1);
  for (std::int32_t i = 0; i <= start; ++i) {
    EXPECT_TRUE(p.UnloadVisualStyles());
  }
  EXPECT_FALSE(p.VisualStylesLoaded());
  EXPECT_EQ(p.UxProc(TskUxFunc::OpenThemeData), nullptr);
  EXPECT_FALSE(p.VisualStylesActive());
  EXPECT_FALSE(p.UnloadVisualStyles()); // an extra unload is ignored
  EXPECT_EQ(p.VisualStylesLoadCount(), 0);
  for (std::int32_t i = 0; i < start; ++i) {
    EXPECT_TRUE(p.LoadVisualStyles());
  }
  EXPECT_TRUE(p.VisualStylesLoaded());
  EXPECT_NE(p.UxProc(TskUxFunc::OpenThemeData), nullptr);
}

TEST(TskPlatform, NestedCaptureReleasesOnceAndIgnoresExtraEnds) {
  const TWindowHandle window(
      CreateWindowExA(0, "STATIC", "capture", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  const HWND w = window.Get();
  ASSERT_NE(w, nullptr);
  BeginCapture(w);
  BeginCapture(w);
  EXPECT_EQ(GetCapture(), w);
  EndCapture();
  EXPECT_EQ(GetCapture(), w);
  EndCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EndCapture();
  EXPECT_EQ(CaptureDepth(), 0);
  BeginCapture(w);
  EXPECT_EQ(GetCapture(), w);
  EndCapture();
}

TEST(TskPlatform, SmallRoutines) {
  EXPECT_EQ(ToWide(1252, ""), L"");
  EXPECT_EQ(ToWide(1252, "Rp \xA4"), L"Rp \u00A4");
  EXPECT_EQ(ToWide(65001, "a\xC3\xA9"), L"a\u00E9");
  const RECT work = MonitorWorkArea(POINT{10, 10}, true);
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_GT(work.bottom - work.top, 0);
  int delay = 0;
  DWORD speed = 0;
  SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  EXPECT_EQ(KeyRepeatDelay(), SkKeyRepeatDelay(delay));
  EXPECT_EQ(KeyRepeatInterval(), SkKeyRepeatInterval(std::int32_t(speed)));

  TskBitmap b;
  b.SetSize(200, 20);
  const std::int32_t dots = TextWidthW(b.DC(), L"...");
  EXPECT_GT(dots, 0);
  EXPECT_EQ(EllipsisText(b.DC(), L"A caption that is long", dots - 1), L"...");
  const std::wstring fitted = EllipsisText(b.DC(), L"A caption that is long", 60);
  EXPECT_LE(TextWidthW(b.DC(), fitted), 60);
  EXPECT_EQ(fitted.substr(fitted.size() - 3), L"...");
}

TEST(TskCanvas, BevelGradientAndCheckerPixels) {
  TskBitmap b;
  b.SetSize(16, 8);
  b.Fill(0);
  TskCanvas::BevelFrameColors(b.DC(), {0, 0, 4, 4}, 0x0000FF, 0x00FF00);
  const TskColor red = 0xFF0000, green = 0x00FF00;
  const struct {
    int x, y;
    TskColor c;
  } bevel[] = {{0, 0, red},   {1, 0, red},   {2, 0, red},   {0, 1, red},   {0, 2, red},
               {3, 0, green}, {3, 1, green}, {3, 2, green}, {3, 3, green}, {2, 3, green},
               {1, 3, green}, {0, 3, green}, {1, 1, 0},     {2, 2, 0}};
  for (const auto& p : bevel) {
    EXPECT_EQ(b.GetPixel(p.x, p.y) & 0x00FFFFFF, p.c) << p.x << "," << p.y;
  }

  TskCanvas::GradientFill(b.DC(), {4, 0, 14, 4}, 0x000000, false, 0xFFFFFF);
  const auto bands = SkGradientBands({4, 0, 14, 4}, 0x000000, false, 0xFFFFFF);
  for (int x = 4; x < 14; ++x) {
    EXPECT_EQ(b.GetPixel(x, 2) & 0x00FFFFFF, ColorToSkColor(bands[std::size_t(x - 4)].Color, 0)) << x;
  }
  EXPECT_EQ(b.GetPixel(14, 2), 0u);

  TskCanvas::CheckerFill(b.DC(), {-3, 4, 16, 8}, 0x0000FF, 0xFFFFFF);
  for (int y = 4; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(b.GetPixel(x, y) & 0x00FFFFFF, ((x & 1) == (y & 1)) ? 0xFFFFFFu : red) << x << "," << y;
    }
  }
}

TEST(TskPlatform, FallbacksWorkWithoutTheOptionalFunctions) {
  TskPlatform& p = TskPlatform::Get();
  // Without the scroll-bar function the wrapper reports an invisible bar.
  const auto scrollBarInfo = p.GetScrollBarInfo;
  p.GetScrollBarInfo = nullptr;
  SCROLLBARINFO info{};
  EXPECT_FALSE(GetScrollBarInfoSafe(nullptr, OBJID_VSCROLL, info));
  EXPECT_EQ(info.rgstate[0], DWORD(STATE_SYSTEM_INVISIBLE));
  p.GetScrollBarInfo = scrollBarInfo;

  // Without the transparent blit, key-coloured drawing onto a plain context still works.
  TskBitmap glyph;
  glyph.SetSize(3, 1);
  glyph.SetPixel(0, 0, 0xFF0000FF);
  glyph.SetPixel(1, 0, skKeyColor);
  glyph.SetPixel(2, 0, 0x00FF0000);
  glyph.Transparent = true;
  TBitmapHandle device(CreateCompatibleBitmap(TWindowDC(nullptr).Get(), 3, 1));
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(dc.Get(), device.Get());
  for (bool available : {true, false}) {
    p.TransparentBltAvailable = available;
    TskCanvas::FillRectColor(dc.Get(), {0, 0, 3, 1}, 0x00FF00);
    glyph.Draw(dc.Get(), 0, 0);
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 255)) << available;
    EXPECT_EQ(GetPixel(dc.Get(), 1, 0), RGB(0, 255, 0)) << available;
    EXPECT_EQ(GetPixel(dc.Get(), 2, 0), RGB(255, 0, 0)) << available;
  }
  p.TransparentBltAvailable = p.TransparentBlt != nullptr;
  SelectObject(dc.Get(), old);
}
