// A real popup menu under Wine, classic path (no theme paints menus): opened, driven by keys
// and the mouse through SendInput, a sub-menu opened by hovering, clicks running after the
// menus have closed, and a quit message during tracking.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Abort.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "menus/SkMenuTracker.h"
#include "menus/win32/tests/PopupWindows.h"

#include "menus/win32/SkPopupMenu.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkCanvas.h"
#include <oleacc.h>

namespace {

std::vector<HWND> Popups() { return ShownPopupWindows(); }

class PopupMenuTest : public testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSW c{};
      c.lpfnWndProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_LBUTTONDOWN) {
          ++OwnerPresses;
        }
        if (msg == WM_CHAR) {
          OwnerChars.push_back(wchar_t(wp));
        }
        return DefWindowProcW(w, msg, wp, lp);
      };
      c.hInstance = GetModuleHandleW(nullptr);
      c.lpszClassName = L"MenuTestOwner";
      return RegisterClassW(&c) != 0;
    }();
    ASSERT_TRUE(registered);
    OwnerPresses = 0;
    OwnerChars.clear();
    Owner = CreateWindowExW(0, L"MenuTestOwner", L"owner", WS_POPUP | WS_VISIBLE, 600, 600, 200, 200, nullptr,
                            nullptr, nullptr, nullptr);
    SetForegroundWindow(Owner);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {700, 700}); // park the pointer on the owner
    PumpPending();
    auto add = [this](TSkItem& parent, const wchar_t* caption) {
      TSkItem* item = parent.Add(std::make_unique<TSkItem>());
      item->Caption = caption;
      item->OnClick = [this](TSkItem& i) {
        Clicked += i.Caption;
        OpenWhenClicked = !Popups().empty();
      };
      return item;
    };
    add(Menu.Items(), L"&Buka")->Checked = true;
    add(Menu.Items(), L"-");
    Sub = add(Menu.Items(), L"&Sub");
    add(*Sub, L"&Satu");
    add(*Sub, L"&Dua");
    add(Menu.Items(), L"&Tutup");
  }
  void TearDown() override { DestroyWindow(Owner); }

  // Runs step() on every 30 ms tick while the menu tracks (it runs inside the nested loop).
  void PopupWith(std::function<void()> step, bool pumpAfter = true, TSkPopupMenu* menu = nullptr) {
    Step = std::move(step);
    Self = this;
    StepTimer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
      if (Self && Self->Step) {
        Self->Step();
      }
    });
    (menu ? *menu : Menu).Popup(100, 100);
    KillStepTimer();
    if (pumpAfter) {
      PumpPending(); // the deferred click runs here, after the menus closed
    }
  }
  void KillStepTimer() {
    if (StepTimer) {
      KillTimer(nullptr, StepTimer);
      StepTimer = 0;
    }
    Step = nullptr;
  }

  static inline PopupMenuTest* Self = nullptr;
  static inline int OwnerPresses = 0;
  static inline std::wstring OwnerChars;
  HWND Owner = nullptr;
  TSkPopupMenu Menu;
  TSkItem* Sub = nullptr;
  std::wstring Clicked;
  bool OpenWhenClicked = false;
  std::function<void()> Step;
  UINT_PTR StepTimer = 0;
};

TEST_F(PopupMenuTest, KeysOpenSubMenuAndChooseWithClickAfterClose) {
  int n = 0;
  PopupWith([&] {
    if (n++ == 0) {
      for (WORD vk : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) {
        SendKeyPress(vk);
      }
    }
  });
  EXPECT_EQ(Clicked, L"&Dua");
  EXPECT_FALSE(OpenWhenClicked);
  EXPECT_TRUE(Popups().empty());
}

TEST_F(PopupMenuTest, EscapeClosesOnlyTheSubMenu) {
  int n = 0;
  std::size_t levelsAfterEscape = 0;
  PopupWith([&] {
    ++n;
    if (n == 1) {
      for (WORD vk : {VK_DOWN, VK_RIGHT, VK_ESCAPE}) {
        SendKeyPress(vk);
      }
    }
    if (n == 10) {
      levelsAfterEscape = Popups().size();
      SendKeyPress(VK_DOWN);
      SendKeyPress(VK_RETURN);
    }
  });
  EXPECT_EQ(levelsAfterEscape, 1u);
  EXPECT_EQ(Clicked, L"&Tutup");
}

TEST_F(PopupMenuTest, HoverOpensSubMenuAndMouseClicksItem) {
  int n = 0;
  std::size_t hoverLevels = 0;
  int clickAt = -1;
  PopupWith([&] {
    ++n;
    std::vector<HWND> p = Popups();
    if (p.empty()) {
      return;
    }
    RECT r;
    GetWindowRect(p[0], &r);
    const TskRect sub = Sub->ItemRect;
    if (n == 1) {
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                {r.left + 20, r.top + 3 + (sub.Top + sub.Bottom) / 2});
    }
    if (p.size() == 2 && hoverLevels == 0) {
      hoverLevels = 2;
      if (std::getenv("TABIRA_SHOT_DIR")) {
        RECT both;
        RECT r2;
        GetWindowRect(p[1], &r2);
        UnionRect(&both, &r, &r2);
        SaveShot("menu-submenu.bmp", GrabScreen(both));
      }
      RECT r2Out;
      GetWindowRect(p[1], &r2Out);
      const TSkItem& satu = *Sub->Items(0);
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                {r2Out.left + 20, r2Out.top + 3 + (satu.ItemRect.Top + satu.ItemRect.Bottom) / 2});
      clickAt = n + 3; // once the move has been handled, a few ticks on
    }
    if (n == clickAt && p.size() == 2) {
      // Where the sub-menu stands now (it may have been placed anew since it opened).
      RECT now;
      GetWindowRect(p[1], &now);
      const TSkItem& satu = *Sub->Items(0);
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                {now.left + 20, now.top + 3 + (satu.ItemRect.Top + satu.ItemRect.Bottom) / 2});
      SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
      SendMouseButtons(MOUSEEVENTF_LEFTUP);
    }
    if (n > 200) {
      SendKeyPress(VK_F10); // give up rather than hang
    }
  });
  EXPECT_EQ(hoverLevels, 2u);
  EXPECT_EQ(Clicked, L"&Satu");
}

TEST_F(PopupMenuTest, OutsideClickClosesAndReachesTheWindowUnderTheMouse) {
  int n = 0;
  PopupWith([&] {
    if (n++ == 0) {
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {700, 700});
      SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
      SendMouseButtons(MOUSEEVENTF_LEFTUP);
    }
  });
  EXPECT_TRUE(Clicked.empty());
  EXPECT_TRUE(Popups().empty());
  EXPECT_TRUE(WaitUntil([] { return OwnerPresses > 0; }, 1000)); // the press reached the owner
}

TEST_F(PopupMenuTest, QuitEndsTrackingAndIsPostedAgain) {
  int n = 0;
  PopupWith(
      [&] {
        if (n++ == 0) {
          PostQuitMessage(5);
        }
      },
      false);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 5u);
  EXPECT_TRUE(Popups().empty());
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(PopupMenuTest, LongMenuScrollsToKeepTheHighlightInView) {
  TSkPopupMenu longMenu;
  for (int i = 0; i < 1000; ++i) {
    longMenu.Items().Add(std::make_unique<TSkItem>())->Caption = L"Baris " + std::to_wstring(i);
  }
  longMenu.Items().Scrolled = true;
  longMenu.Items().ScrollCount = 12;
  int n = 0;
  PopupWith(
      [&] {
        ++n;
        if (n == 1) {
          SendKeyPress(VK_UP); // wraps to the last item
        }
        if (n == 8) {
          std::vector<HWND> p = Popups();
          if (!p.empty() && std::getenv("TABIRA_SHOT_DIR")) {
            SaveShot("menu-scrolled.bmp", GrabWindow(p[0]));
          }
          SendKeyPress(VK_ESCAPE);
        }
      },
      true, &longMenu);
  EXPECT_EQ(longMenu.Items().FirstVisible, 988);
  EXPECT_TRUE(Popups().empty());
}

} // namespace

namespace {

// With the flat theme current the menu is painted by the theme (the themed path); the other
// tests run without a current theme and see the platform-style painting.
TEST_F(PopupMenuTest, TheCurrentThemePaintsTheMenu) {
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  const COLORREF hotFill =
      TskCanvas::ToColorRef(TskThemeManager::Instance().CurrentTheme()->Rgb(kcButtonHot));
  COLORREF background = 0, hot = 0;
  bool frameFits = false;
  int step = 0;
  PopupWith([&] {
    const std::vector<HWND> p = Popups();
    if (p.empty()) {
      return;
    }
    ++step;
    if (step == 2) {
      SendKeyPress(VK_DOWN); // from the first item over the separator: "Sub" hot
    } else if (step == 6) {
      RECT r;
      GetWindowRect(p[0], &r);
      const TSkItem& first = *Menu.Items().Items(2);
      const TSkItem& last = *Menu.Items().Items(3);
      // The items stand inside the frame the theme asks for.
      const TskRect inner =
          TskThemeManager::Instance().CurrentTheme()->MenuClientRect(1, {0, 0, 200, 200}, "default");
      const int ox = inner.Left, oy = inner.Top;
      // Right of the image column, inside the hot item and the last (normal) one.
      hot = GrabScreen({r.left + ox + 60, r.top + oy + first.ItemRect.Top + 2, r.left + ox + 61,
                        r.top + oy + first.ItemRect.Top + 3})
                .At(0, 0);
      background = GrabScreen({r.left + ox + 60, r.top + oy + last.ItemRect.Top + 2, r.left + ox + 61,
                               r.top + oy + last.ItemRect.Top + 3})
                       .At(0, 0);
      // The last item's bottom row is the theme's frame's first row away from the window's edge.
      const int height = r.bottom - r.top;
      frameFits = height == oy + last.ItemRect.Bottom + (200 - inner.Bottom);
      SaveShot("menu-flat.bmp", GrabWindow(p[0]));
      SendKeyPress(VK_ESCAPE);
    }
  });
  TskThemeManager::Instance().ClearCurrentTheme();
  EXPECT_EQ(background, RGB(255, 255, 255));
  EXPECT_EQ(hot, hotFill);
  EXPECT_TRUE(frameFits) << "the window is the items plus the theme's menu frame";
}

} // namespace

namespace {

TEST_F(PopupMenuTest, AnotherMenuPoppingUpClosesTheFirst) {
  TSkPopupMenu second;
  second.Items().Add(std::make_unique<TSkItem>())->Caption = L"&Lain";
  std::size_t firstLevelsInside = 99;
  int n = 0;
  PopupWith([&] {
    if (n++ == 0) {
      second.Popup(300, 300);              // tracks until the Escape below
      firstLevelsInside = Popups().size(); // the first menu's windows, if it were still up
    } else if (second.Shown()) {
      SendKeyPress(VK_ESCAPE); // closes the second; the first must be gone already
    }
  });
  EXPECT_EQ(firstLevelsInside, 0u) << "the first menu closed when the second popped up";
  EXPECT_TRUE(Popups().empty());
  EXPECT_FALSE(Menu.Shown());
}

TEST_F(PopupMenuTest, LosingTheMouseClosesTheMenu) {
  int n = 0;
  PopupWith([&] {
    if (n++ == 1) {
      SetCapture(Owner);
    }
  });
  EXPECT_TRUE(Popups().empty());
  EXPECT_TRUE(Clicked.empty());
  ReleaseCapture();
}

} // namespace

namespace {

std::vector<std::pair<DWORD, LONG>> gMenuEvents;
void CALLBACK OnMenuEvent(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG child, DWORD, DWORD) {
  gMenuEvents.push_back({event, child});
}

// The open menu as a screen reader sees it: a popup menu of items named without their marks,
// with their states; the highlight announced as the focus; an item chosen through its default
// action runs its click after the menus have closed.
TEST_F(PopupMenuTest, ScreenReadersSeeTheItemsAndCanChooseOne) {
  CoInitialize(nullptr);
  gMenuEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnMenuEvent, GetCurrentProcessId(), 0,
                                       WINEVENT_OUTOFCONTEXT);
  std::vector<std::wstring> names;
  std::vector<LONG> states;
  LONG role = 0;
  HRESULT chosen = E_FAIL;
  int n = 0;
  PopupWith([&] {
    const auto popups = Popups();
    ++n;
    if (n > 40) {
      SendKeyPress(VK_ESCAPE); // never left open, whatever failed
    }
    if (popups.empty() || n > 3) {
      return;
    }
    if (n == 1) {
      SendKeyPress(VK_DOWN); // the highlight moves from "&Buka" to "&Sub"
      return;
    }
    if (n == 2) {
      return; // the key is handled meanwhile
    }
    IAccessible* menu = nullptr;
    if (FAILED(AccessibleObjectFromWindow(popups.front(), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&menu))) ||
        !menu) {
      return;
    }
    VARIANT v, self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (SUCCEEDED(menu->get_accRole(self, &v))) {
      role = v.lVal;
    }
    long count = 0;
    menu->get_accChildCount(&count);
    for (long i = 1; i <= count; ++i) {
      VARIANT child;
      VariantInit(&child);
      child.vt = VT_I4;
      child.lVal = i;
      BSTR name = nullptr;
      menu->get_accName(child, &name);
      names.push_back(name ? std::wstring(name) : L"");
      SysFreeString(name);
      menu->get_accState(child, &v);
      states.push_back(v.lVal);
    }
    VARIANT tutup;
    VariantInit(&tutup);
    tutup.vt = VT_I4;
    tutup.lVal = 4;
    chosen = menu->accDoDefaultAction(tutup);
    menu->Release();
  });
  Pump(100); // events from outside the context arrive as messages
  UnhookWinEvent(hook);
  EXPECT_EQ(role, ROLE_SYSTEM_MENUPOPUP);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Buka", L"", L"Sub", L"Tutup"}));
  ASSERT_EQ(states.size(), 4u);
  EXPECT_TRUE(states[0] & STATE_SYSTEM_CHECKED);
  EXPECT_FALSE(states[0] & STATE_SYSTEM_FOCUSED);
  EXPECT_TRUE(states[2] & STATE_SYSTEM_FOCUSED) << "the highlight";
  EXPECT_TRUE(states[2] & STATE_SYSTEM_HASPOPUP);
  EXPECT_FALSE(states[3] & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE));
  EXPECT_EQ(chosen, S_OK);
  EXPECT_EQ(Clicked, L"&Tutup");
  EXPECT_TRUE(Popups().empty());
  auto seen = [](DWORD event, LONG child) {
    return std::find(gMenuEvents.begin(), gMenuEvents.end(), std::pair<DWORD, LONG>{event, child}) !=
           gMenuEvents.end();
  };
  EXPECT_TRUE(seen(EVENT_SYSTEM_MENUPOPUPSTART, CHILDID_SELF));
  EXPECT_TRUE(seen(EVENT_OBJECT_FOCUS, 3)) << "\"&Sub\" highlighted";

  CoUninitialize();
}

} // namespace

namespace {

TEST_F(PopupMenuTest, OptionsMakeTheWindowsTranslucentAndAnimateTheFirst) {
  Menu.PopupMenuOptions().Blending.SetEnabled(true);
  Menu.PopupMenuOptions().Blending.SetValue(200);
  Menu.PopupMenuOptions().Animation.SetEffect("Fade");
  Menu.PopupMenuOptions().Animation.SetTime(100);
  Menu.PopupMenuOptions().Animation.SetEnabled(true);
  std::vector<BYTE> alphas;
  int n = 0;
  int ticks = 0;
  PopupWith([&] {
    if (++ticks > 200) {
      SendKeyPress(VK_ESCAPE); // never left open, whatever failed
    }
    if (Popups().empty() && n == 0) {
      return; // still appearing: the first window shows once its animation has played
    }
    ++n;
    if (n == 1) {
      for (WORD vk : {VK_DOWN, VK_RIGHT}) { // the sub-menu: a second window, not animated
        SendKeyPress(vk);
      }
    } else if (n == 4) {
      for (HWND w : Popups()) {
        BYTE alpha = 0;
        DWORD flags = 0;
        if ((GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) &&
            GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)) {
          alphas.push_back(alpha);
        }
      }
      SendKeyPress(VK_ESCAPE);
      SendKeyPress(VK_ESCAPE);
    }
  });
  EXPECT_EQ(alphas, (std::vector<BYTE>{200, 200})) << "both levels at the blending value";
  EXPECT_TRUE(Popups().empty());
}

} // namespace

namespace {

// A sub-menu whose before-drop-down handler throws (the silent abort, or an error) ends the
// whole menu as any other end does: the exception reaches the caller of Popup, no menu window
// is left, the mouse is free, the tracking timer is gone, and the next Popup works (classic).
TEST_F(PopupMenuTest, AThrowingHandlerStillEndsTheMenuCleanly) {
  const struct {
    const char* name;
    std::function<void()> raise;
  } cases[] = {{"abort", [] { Abort(); }}, {"error", [] { throw std::runtime_error("no sub-menu"); }}};
  for (const auto& c : cases) {
    Sub->OnBeforeDropDown = [&](TSkItem&) { c.raise(); };
    int n = 0;
    bool threw = false;
    try {
      PopupWith(
          [&] {
            if (n++ == 0) {
              SendKeyPress(VK_DOWN);
              SendKeyPress(VK_RIGHT); // "&Sub" drops down: its handler throws
            }
            if (n > 100) {
              SendKeyPress(VK_ESCAPE); // never left open, whatever failed
            }
          },
          false);
    } catch (const std::exception&) {
      threw = true;
    }
    KillStepTimer();
    EXPECT_TRUE(threw) << c.name << ": passed on to the caller";
    EXPECT_TRUE(AllPopupWindows().empty()) << c.name;
    EXPECT_EQ(GetCapture(), nullptr) << c.name;
    EXPECT_FALSE(Menu.Shown()) << c.name;
    Sleep(3 * 50);
    bool trackTimer = false;
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
      trackTimer = trackTimer || m.hwnd == nullptr;
      if (m.hwnd) {
        DispatchMessageW(&m);
      }
    }
    EXPECT_FALSE(trackTimer) << c.name << ": the 50 ms timer was killed";
    PumpPending();
  }
  // The menu works again, down to a sub-menu and a click.
  Sub->OnBeforeDropDown = nullptr;
  int n = 0;
  PopupWith([&] {
    if (n++ == 0) {
      for (WORD vk : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) {
        SendKeyPress(vk);
      }
    }
    if (n > 100) {
      SendKeyPress(VK_ESCAPE);
    }
  });
  EXPECT_EQ(Clicked, L"&Dua");
  EXPECT_TRUE(AllPopupWindows().empty());
}

// The first window plays its show animation inside Popup; a second Popup of the same menu
// meanwhile is refused at once, because the menu counts as shown from the start (classic).
TEST_F(PopupMenuTest, ASecondPopupDuringTheShowAnimationIsRefused) {
  Menu.PopupMenuOptions().Animation.SetEffect("Fade");
  Menu.PopupMenuOptions().Animation.SetTime(400);
  Menu.PopupMenuOptions().Animation.SetEnabled(true);
  bool tried = false, shownMeanwhile = false, escaped = false;
  int nestedSteps = -1;
  int n = 0;
  PopupWith([&] {
    ++n;
    if (n > 300) {
      SendKeyPress(VK_ESCAPE); // never left open, whatever failed
    }
    if (!tried) {
      if (AllPopupWindows().size() == 1 && Popups().empty()) { // created, still appearing
        tried = true;
        shownMeanwhile = Menu.Shown();
        const int before = n;
        Menu.Popup(300, 300);
        nestedSteps = n - before;
      }
      return;
    }
    if (!escaped && !Popups().empty()) {
      escaped = true;
      SendKeyPress(VK_ESCAPE);
    }
  });
  ASSERT_TRUE(tried) << "a step ran during the animation";
  EXPECT_TRUE(shownMeanwhile);
  EXPECT_EQ(nestedSteps, 0) << "the second Popup returned at once";
  EXPECT_TRUE(AllPopupWindows().empty());
}

// Enter and Escape end the menu without leaving their character for the focused window; a
// letter still chooses its item through its character (classic).
TEST_F(PopupMenuTest, KeysThatEndTheMenuLeaveNoCharacterBehind) {
  SetFocus(Owner);
  ASSERT_EQ(GetFocus(), Owner) << "the keys are addressed to the owner";
  const struct {
    WORD vk;
    const wchar_t* clicked;
  } cases[] = {{VK_RETURN, L"&Buka"}, {VK_ESCAPE, L""}, {'T', L"&Tutup"}};
  for (const auto& c : cases) {
    Clicked.clear();
    OwnerChars.clear();
    int n = 0;
    PopupWith([&] {
      if (n++ == 0) {
        SendKeyPress(c.vk);
      }
      if (n > 100) {
        SendKeyPress(VK_F10);
      }
    });
    Pump(50);
    EXPECT_EQ(Clicked, c.clicked) << c.vk;
    EXPECT_EQ(OwnerChars, L"") << c.vk;
  }
}

// Items removed while their menu is shown: the emptied sub-menu closes, and the first level
// shrinks by the removed item (classic).
TEST_F(PopupMenuTest, ItemsRemovedWhileShownCloseOrShrinkTheirLevels) {
  int n = 0, changedAt = -1;
  LONG heightBefore = 0, heightAfter = 0, tutupHeight = 0;
  std::size_t levelsAfter = 0;
  PopupWith([&] {
    ++n;
    if (n > 200) {
      SendKeyPress(VK_ESCAPE);
    }
    const std::vector<HWND> p = Popups();
    if (n == 1) {
      SendKeyPress(VK_DOWN);
      SendKeyPress(VK_RIGHT);
      return;
    }
    RECT r{};
    if (changedAt < 0 && p.size() == 2) {
      GetWindowRect(p[0], &r);
      heightBefore = r.bottom - r.top;
      TSkItem* tutup = Menu.Items().Items(3);
      tutupHeight = RectHeight(tutup->ItemRect);
      Sub->Clear();
      (void)Menu.Items().Remove(tutup); // freed here
      changedAt = n;
    } else if (changedAt > 0 && n == changedAt + 3) {
      levelsAfter = p.size();
      if (!p.empty()) {
        GetWindowRect(p[0], &r);
        heightAfter = r.bottom - r.top;
      }
      SendKeyPress(VK_UP); // walks the changed level
      SendKeyPress(VK_ESCAPE);
    }
  });
  ASSERT_GT(changedAt, 0);
  EXPECT_EQ(levelsAfter, 1u);
  EXPECT_GT(tutupHeight, 0);
  EXPECT_EQ(heightAfter, heightBefore - tutupHeight);
  EXPECT_TRUE(AllPopupWindows().empty());
  EXPECT_TRUE(Clicked.empty());
}

// Whether the windows carry the platform's drop shadow follows the menu's shadow option.
TEST_F(PopupMenuTest, TheShadowOptionDecidesTheDropShadow) {
  for (const bool shadow : {false, true}) {
    Menu.PopupMenuOptions().Shadow.SetEnabled(shadow);
    ULONG_PTR style = 0;
    bool seen = false;
    int n = 0;
    PopupWith([&] {
      ++n;
      const std::vector<HWND> p = Popups();
      if (!seen && !p.empty()) {
        seen = true;
        style = GetClassLongPtrW(p[0], GCL_STYLE);
        SendKeyPress(VK_ESCAPE);
      }
      if (n > 100) {
        SendKeyPress(VK_ESCAPE);
      }
    });
    ASSERT_TRUE(seen);
    EXPECT_EQ((style & CS_DROPSHADOW) != 0, shadow);
  }
}

// The themed path: a theme that records the states it is asked to paint items and scroll
// strips in. The highlight is painted selected (2), a disabled item disabled (3); the upper
// strip cannot scroll at first (3), the lower one is 0 until the pointer rests on it (2).
struct TPaintedPart {
  std::uint8_t Part, State;
  std::int32_t Top;
};
std::vector<TPaintedPart> gPainted;
class TRecordingTheme : public TSkFlatTheme {
public:
  void PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override {
    gPainted.push_back({info.Part, info.State, info.Rect.Top});
    TSkFlatTheme::PaintMenuItem(kind, canvas, objectName, info);
  }
};

TEST_F(PopupMenuTest, TheThemePaintsTheStatesOfItemsAndStrips) {
  gPainted.clear();
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TRecordingTheme>());
  TSkPopupMenu menu;
  for (int i = 0; i < 8; ++i) {
    TSkItem* item = menu.Items().Add(std::make_unique<TSkItem>());
    item->Caption = L"Baris " + std::to_wstring(i);
    item->Enabled = i != 1;
  }
  menu.Items().Scrolled = true;
  menu.Items().ScrollCount = 5;
  auto stateOf = [](const std::vector<TPaintedPart>& painted, std::uint8_t part, std::int32_t top) {
    int state = -1;
    for (const TPaintedPart& p : painted) {
      if (p.Part == part && (top < 0 || p.Top == top)) {
        state = p.State;
      }
    }
    return state;
  };
  std::vector<TPaintedPart> first, resting;
  std::int32_t itemHeight = 0;
  int n = 0;
  PopupWith(
      [&] {
        ++n;
        if (n > 200) {
          SendKeyPress(VK_ESCAPE);
        }
        const std::vector<HWND> p = Popups();
        if (p.empty()) {
          return;
        }
        if (first.empty() && !gPainted.empty()) {
          first = gPainted;
          gPainted.clear();
          itemHeight = std::int32_t(RectHeight(menu.Items().Items(0)->ItemRect));
          RECT r;
          GetWindowRect(p[0], &r);
          SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {(r.left + r.right) / 2, r.bottom - 2 - 5});
        } else if (!first.empty() && resting.empty() &&
                   std::any_of(gPainted.begin(), gPainted.end(),
                               [](const TPaintedPart& p) { return p.Part == 4 && p.State == 2; })) {
          resting = gPainted;
          SendKeyPress(VK_ESCAPE);
        }
      },
      true, &menu);
  TskThemeManager::Instance().ClearCurrentTheme();
  const std::int32_t in = 2; // the flat theme's menu frame
  const std::int32_t itemTop0 = in + SkScrollButtonHeight;
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(stateOf(first, 0, itemTop0), 2) << "the highlight is selected";
  ASSERT_GT(itemHeight, 0);
  EXPECT_EQ(stateOf(first, 0, itemTop0 + itemHeight), 3) << "disabled";
  EXPECT_EQ(stateOf(first, 0, itemTop0 + 2 * itemHeight), 0);
  EXPECT_EQ(stateOf(first, 3, -1), 3) << "nothing above to scroll to";
  EXPECT_EQ(stateOf(first, 4, -1), 0);
  EXPECT_FALSE(resting.empty()) << "the lower strip was painted pressed while the pointer rested on it";
}

} // namespace

namespace {

// Keys typed while the first window is still appearing are the menu's: the letter chooses its
// item once tracking runs, and the window behind the menu gets no character (classic).
TEST_F(PopupMenuTest, KeysTypedDuringTheShowAnimationGoToTheMenu) {
  SetFocus(Owner);
  ASSERT_EQ(GetFocus(), Owner) << "without the menu, the keys would go to the owner";
  Menu.PopupMenuOptions().Animation.SetEffect("Fade");
  Menu.PopupMenuOptions().Animation.SetTime(300);
  Menu.PopupMenuOptions().Animation.SetEnabled(true);
  bool typed = false;
  int n = 0;
  PopupWith([&] {
    ++n;
    if (n > 300) {
      SendKeyPress(VK_F10); // never left open, whatever failed
    }
    if (!typed && AllPopupWindows().size() == 1 && Popups().empty()) { // created, still appearing
      typed = true;
      SendKeyPress('T');
    }
  });
  Pump(50);
  ASSERT_TRUE(typed) << "a step ran during the animation";
  EXPECT_EQ(Clicked, L"&Tutup");
  EXPECT_EQ(OwnerChars, L"");
}

} // namespace

namespace {

// Each menu, one after another, is announced to screen readers as started and as ended, the
// end while its window still exists (classic).
TEST_F(PopupMenuTest, ScreenReadersSeeEveryMenuStartAndEnd) {
  gMenuEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND, nullptr,
                                       OnMenuEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  constexpr int kMenus = 4; // every second one with its sub-menu opened and closed
  for (int i = 0; i < kMenus; ++i) {
    int n = 0;
    PopupWith([&] {
      if (n++ == 1) {
        if (i % 2) {
          for (WORD vk : {VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_ESCAPE}) {
            SendKeyPress(vk);
          }
        } else {
          SendKeyPress(VK_RETURN);
        }
      }
      if (n > 100) {
        SendKeyPress(VK_F10);
      }
    });
  }
  Pump(200); // events from outside the context arrive as messages
  UnhookWinEvent(hook);
  int starts = 0, ends = 0;
  for (const auto& [event, child] : gMenuEvents) {
    starts += event == EVENT_SYSTEM_MENUPOPUPSTART;
    ends += event == EVENT_SYSTEM_MENUPOPUPEND;
  }
  EXPECT_EQ(starts, kMenus + kMenus / 2);
  EXPECT_EQ(ends, kMenus + kMenus / 2);
}

} // namespace

namespace {

// A sub-menu chosen through accessibility whose before-drop-down handler aborts: the call is
// refused, and the menu ends as it would from the keyboard (classic).
TEST_F(PopupMenuTest, AnAbortWhileChosenByAScreenReaderEndsTheMenu) {
  CoInitialize(nullptr);
  Sub->OnBeforeDropDown = [](TSkItem&) { Abort(); };
  HRESULT chosen = S_OK;
  std::size_t levelsAfter = 99;
  bool asked = false;
  int n = 0;
  PopupWith([&] {
    ++n;
    if (n > 100) {
      SendKeyPress(VK_ESCAPE); // never left open, whatever failed
    }
    const auto popups = Popups();
    if (asked || popups.empty()) {
      return;
    }
    IAccessible* menu = nullptr;
    if (FAILED(AccessibleObjectFromWindow(popups.front(), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&menu))) ||
        !menu) {
      return;
    }
    asked = true;
    VARIANT sub;
    VariantInit(&sub);
    sub.vt = VT_I4;
    sub.lVal = 3; // "&Sub"
    chosen = menu->accDoDefaultAction(sub);
    menu->Release();
    levelsAfter = Popups().size();
  });
  CoUninitialize();
  ASSERT_TRUE(asked);
  EXPECT_NE(chosen, S_OK);
  EXPECT_EQ(levelsAfter, 0u) << "the menu ended with the abort";
  EXPECT_TRUE(AllPopupWindows().empty());
  EXPECT_TRUE(Clicked.empty());
}

} // namespace

namespace {

SIZE* gMenuSize = nullptr; // where the tick below writes the open menu's size

// The first level's window size while the menu is open at the given density (0: its monitor's).
SIZE MenuSizeAt(TSkPopupMenu& menu, int dpi) {
  menu.SetPixelsPerInch(dpi);
  SIZE size{};
  gMenuSize = &size;
  const UINT_PTR tick = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
    const std::vector<HWND> shown = ShownPopupWindows();
    if (!shown.empty() && gMenuSize && gMenuSize->cx == 0) {
      RECT r{};
      GetWindowRect(shown.front(), &r);
      *gMenuSize = {r.right - r.left, r.bottom - r.top};
      SendKeyPress(VK_ESCAPE);
    }
  });
  menu.Popup(100, 100);
  KillTimer(nullptr, tick);
  gMenuSize = nullptr;
  PumpPending();
  return size;
}

} // namespace

TEST_F(PopupMenuTest, TheMenuIsMeasuredAtTheDensityItOpensAt) {
  // Classic path: the fixture's menu is painted by the platform style.
  const SIZE own = MenuSizeAt(Menu, 0);
  const SIZE at96 = MenuSizeAt(Menu, 96);
  ASSERT_GT(at96.cx, 0);
  if (SystemDpi() == 96) {
    EXPECT_EQ(own.cx, at96.cx); // a 96-dpi monitor: the same pixels as ever
    EXPECT_EQ(own.cy, at96.cy);
  }
  for (const int dpi : {120, 144, 192}) {
    const SIZE at = MenuSizeAt(Menu, dpi);
    // Items, margins, glyph columns and the font all grow with the density (within the
    // rounding of the font's sizes).
    EXPECT_NEAR(at.cx, at96.cx * dpi / 96.0, at96.cx * dpi / 96.0 * 0.12) << dpi;
    EXPECT_NEAR(at.cy, at96.cy * dpi / 96.0, at96.cy * dpi / 96.0 * 0.12) << dpi;
  }
  Menu.SetPixelsPerInch(0);
}
