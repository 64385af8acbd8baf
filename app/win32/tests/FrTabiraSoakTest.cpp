// Long runs on the calculator window, in-process with real windows: 100 roll-up and restore
// cycles, 100 minimise and restore cycles and 1,000 openings and closings of the system menu,
// and 1,000 switches between the flat, the Office XP and the demo skin's theme, leave no GDI
// or USER object behind and the window where it was. A theme of ours is always current (the
// layout's theme engine makes the flat one so), so the themed frame is the one exercised.
#include "app/ThemeChoice.h"
#include "app/win32/Startup.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/tests/TestInput.h"
#include "menus/win32/tests/PopupWindows.h"
#include "theme/SkThemeManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class FrTabiraSoak : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTabiraClasses();
    Window = std::make_unique<TfrTabira>();
    ASSERT_EQ(Window->Load(), "");
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(120);
    Frame = dynamic_cast<TSkForm*>(Window->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    ASSERT_TRUE(Frame->Geometry().Themed());
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
  }
  HWND W() const { return Window->Handle(); }
  RECT Bounds() const {
    RECT r{};
    GetWindowRect(W(), &r);
    return r;
  }
  // Rolled up and back, minimised and back, the system menu opened from the keyboard and
  // closed with Escape.
  void Cycles(int rollups, int minimises, int menus) {
    for (int i = 0; i < rollups; ++i) {
      Frame->Rollup();
      PumpPending();
      ASSERT_EQ(Frame->WindowState(), kwsRollup);
      Frame->Restore();
      PumpPending();
      ASSERT_EQ(Frame->WindowState(), kwsNormal);
    }
    for (int i = 0; i < minimises; ++i) {
      Frame->Minimize();
      ASSERT_TRUE(WaitUntil([&] { return IsIconic(W()) != FALSE; }));
      Frame->Restore();
      ASSERT_TRUE(WaitUntil([&] { return !IsIconic(W()); }));
      ASSERT_EQ(Frame->WindowState(), kwsNormal);
    }
    // Each opening is closed by Escape once its window shows.
    static int opened = 0;
    opened = 0;
    const UINT_PTR t = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
      const auto popups = ShownPopupWindows();
      if (!popups.empty()) {
        ++opened;
        PostMessageW(popups.front(), WM_KEYDOWN, VK_ESCAPE, 0);
      }
    });
    for (int i = 0; i < menus; ++i) {
      SendMessageW(W(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    }
    KillTimer(nullptr, t);
    EXPECT_EQ(opened, menus);
    Pump(40);
  }

  std::unique_ptr<TfrTabira> Window;
  TSkForm* Frame = nullptr;
};

TEST_F(FrTabiraSoak, StatesAndTheSystemMenuLeaveNoObjectsBehind) {
  const RECT designed = Bounds();
  // Caches filled first: the menus' first openings make objects that stay for the process
  // (not always at the same opening), so the warm-up opens it a good number of times.
  Cycles(2, 2, 50);
  const TObjectCounts before = CountGuiObjects();
  Cycles(100, 100, 1000);
  const TObjectCounts after = CountGuiObjects();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
  const RECT now = Bounds();
  EXPECT_TRUE(EqualRect(&now, &designed)) << Text(now) << " vs " << Text(designed);
  EXPECT_EQ(Frame->WindowState(), kwsNormal);
}

TEST_F(FrTabiraSoak, ThemeSwitchesLeaveNoObjectsBehind) {
  const char* skin = std::getenv("TABIRA_DEMO_SKIN");
  ASSERT_NE(skin, nullptr) << "TABIRA_DEMO_SKIN names the packed demo skin";
  const std::vector<std::string> looks{"Flat", "OfficeXP", skin};
  const RECT designed = Bounds();
  TskThemeManager& manager = TskThemeManager::Instance();
  // Switches to looks[i % 3] through the same choice as the command line, as a user's pick would.
  const auto switchTo = [&](int i) {
    TTabiraThemeChoice choice = ChooseTabiraTheme({looks[i % looks.size()]}, manager);
    ASSERT_NE(choice.Theme, nullptr) << looks[i % looks.size()];
    const TskTheme* theme = choice.Theme.get();
    manager.SetCurrentTheme(std::move(choice.Theme));
    PumpPending();
    ASSERT_TRUE(manager.IsCurrentTheme(theme));
    // Office XP leaves the frame to the platform; the flat theme and the skin draw it.
    ASSERT_EQ(Frame->Geometry().Themed(), i % looks.size() != 1) << looks[i % looks.size()];
  };
  int i = 0;
  for (; i < 6; ++i) { // every look once or twice before counting
    switchTo(i);
  }
  // Each look keeps the client's size, so the window's size is the look's own: compared on
  // the same look, and the flat look's bounds are the designed ones again at the end.
  const RECT onSkin = Bounds();
  const TObjectCounts before = CountGuiObjects();
  for (const int end = i + 1002; i < end; ++i) { // ends on the look counted from
    switchTo(i);
    if (HasFatalFailure()) {
      return;
    }
  }
  const TObjectCounts after = CountGuiObjects();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
  RECT now = Bounds();
  EXPECT_TRUE(EqualRect(&now, &onSkin)) << Text(now) << " vs " << Text(onSkin);
  switchTo(0);
  now = Bounds();
  EXPECT_TRUE(EqualRect(&now, &designed)) << Text(now) << " vs " << Text(designed);
}

} // namespace
