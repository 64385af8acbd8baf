// The theme services on a real system (Wine in the test runs): notifications reaching real
// windows as messages, the platform's colour changes turned into notification 5, and turned
// text through the device-context canvas. Nothing here depends on the visual style.
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::pair<WPARAM, LPARAM>> gReceived;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == kSkThemeMessage) {
    gReceived.emplace_back(wparam, lparam);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

struct TRecordingClient : ISkThemeClient {
  std::vector<std::pair<std::uint32_t, std::intptr_t>> Log;
  void ThemeNotify(std::uint32_t code, std::intptr_t param) override { Log.emplace_back(code, param); }
  bool WantsColorChanges() const override { return true; }
};

} // namespace

TEST(SkThemeServices, WindowsReceiveNotificationsAsMessages) {
  SkStartThemeServices();
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkThemeReceiver";
  RegisterClassW(&wc);
  HWND hwnd =
      CreateWindowExW(0, L"SkThemeReceiver", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  TskThemeManager& manager = TskThemeManager::Instance();
  TskWindowThemeClient client(hwnd);
  gReceived.clear();
  manager.RegisterClient(&client);
  manager.SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  manager.SetCurrentDeltaHue(30);
  EXPECT_EQ(gReceived,
            (std::vector<std::pair<WPARAM, LPARAM>>{{1, 0}, {3, 0}, {2, 0}})); // hidden: no colour change
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  manager.SetCurrentDeltaHue(0);
  EXPECT_EQ(gReceived.back(), (std::pair<WPARAM, LPARAM>{5, 1}));
  manager.UnregisterClient(&client);
  DestroyWindow(hwnd);

  // The platform's colour change reaches clients as notification 5 with LParam 0.
  TRecordingClient recorder;
  manager.RegisterClient(&recorder);
  recorder.Log.clear();
  ASSERT_NE(SkThemeServicesWindow(), nullptr);
  SendMessageW(SkThemeServicesWindow(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(recorder.Log, (std::vector<std::pair<std::uint32_t, std::intptr_t>>{{5, 0}}));
  manager.UnregisterClient(&recorder);
  manager.ClearCurrentTheme();
}

TEST(TskGdiCanvas, TurnedTextRunsDownTheTarget) {
  TskBitmap target;
  target.SetSize(60, 120);
  target.Fill(0xFFFFFFFF);
  {
    TskGdiCanvas canvas(target.DC());
    canvas.SetFont({"Tahoma", 10, 1, 0x000000, fsBold});
    TskTheme theme;
    theme.PaintTextInfo(canvas, {{0, 0, 60, 120}, L"Tabira", 4, tfSingleLine, 1});
  }
  TskRect ink{1000, 1000, -1, -1};
  for (std::int32_t y = 0; y < 120; ++y) {
    for (std::int32_t x = 0; x < 60; ++x) {
      if ((target.GetPixel(x, y) & 0x00FFFFFF) == 0x00FFFFFF) {
        continue;
      }
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
             std::max(ink.Bottom, y + 1)};
    }
  }
  ASSERT_FALSE(IsRectEmpty(ink)) << "no text drawn (are the platform's fonts installed?)";
  EXPECT_GT(RectHeight(ink), 2 * RectWidth(ink)); // a word turned on its side
  // Centred, give or take the two pixels of room above and the glyphs' side bearings.
  EXPECT_LT(std::abs((ink.Top + ink.Bottom) / 2 - 60), 10);
  EXPECT_LT(std::abs((ink.Left + ink.Right) / 2 - 30), 4);
}
