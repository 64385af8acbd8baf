// Window states on a framed window with every caption button, under Wine with the flat theme
// current (the themed frame): every round trip through maximised, minimised, rolled up and the
// notification area, the platform's minimised state agreeing with the form's, one event per
// action, the themed system menu opened three ways, and the tray icon bringing the window back.
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "menus/win32/tests/PopupWindows.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSettleMs = 60;

std::vector<HWND> Popups() { return ShownPopupWindows(); }

RECT WorkArea(HWND w) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  return mi.rcWork;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class SkFormStatesWin32 : public ::testing::Test {
public:
  void SetUp() override {
    SkStartThemeServices();
    SkRegisterFormComponents();
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
    Load("");
  }
  void TearDown() override {
    Form.reset();
    PumpPending();
  }
  void Load(const std::string& extra) {
    Form.reset();
    Form = std::make_unique<TForm>("TStatesDemo");
    ASSERT_EQ(
        Form->LoadFromText("TStatesDemo D {\n  Caption = \"Semua tombol\"\n  Left = 240\n  Top = 160\n"
                           "  ClientWidth = 360\n  ClientHeight = 220\n"
                           "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize, "
                           "kbiMaximize, kbiHelp, kbiRollup, kbiTray]\n" +
                           extra + "  }\n}\n"),
        "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Frame = dynamic_cast<TSkForm*>(Form->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    ASSERT_TRUE(Frame->Geometry().Themed());
    for (auto* event : {&Frame->OnMinimize, &Frame->OnMaximize, &Frame->OnRollup, &Frame->OnMinToTray}) {
      *event = [this, event](TComponent*, bool& callDefault) {
        Events.push_back(event == &Frame->OnMinimize   ? "minimize"
                         : event == &Frame->OnMaximize ? "maximize"
                         : event == &Frame->OnRollup   ? "rollup"
                                                       : "tray");
        callDefault = !Refuse;
      };
    }
    Pump(kSettleMs);
    Designed = Bounds();
  }
  HWND W() const { return Form->Handle(); }
  RECT Bounds() const {
    RECT r{};
    GetWindowRect(W(), &r);
    return r;
  }
  // An action as the platform asks for it, then the posted work done.
  void SysCommand(WPARAM command, LPARAM lp = 0) {
    SendMessageW(W(), WM_SYSCOMMAND, command, lp);
    Pump(kSettleMs);
  }
  void Settle() { Pump(kSettleMs); }
  // The form's state and the platform's agree: minimised exactly when iconic, hidden exactly
  // in the tray.
  void ExpectState(TSkWindowState state) {
    EXPECT_EQ(Frame->WindowState(), state);
    EXPECT_EQ(IsIconic(W()) != FALSE, state == kwsMinimized);
    EXPECT_EQ(IsWindowVisible(W()) != FALSE, state != kwsTray);
  }
  // Opens the system menu with open(), reads its captions while it is shown, closes it.
  std::wstring MenuWhileShown(const std::function<void()>& open) {
    static SkFormStatesWin32* self = nullptr;
    self = this;
    Seen.clear();
    Shown = false;
    const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
      if (!self || self->Shown || Popups().empty() || !self->Frame->SystemMenu()) {
        return;
      }
      self->Shown = true;
      TSkItem& items = self->Frame->SystemMenu()->Items();
      for (int i = 0; i < items.Count(); ++i) {
        self->Seen += (i ? L"|" : L"") + items.Items(i)->Caption;
      }
      SendKeyPress(VK_ESCAPE);
    });
    open();
    EXPECT_TRUE(WaitUntil([&] { return Shown && Popups().empty(); }, 3000))
        << "the menu was shown and closed";
    KillTimer(nullptr, t);
    Settle();
    return Seen;
  }

  std::unique_ptr<TForm> Form;
  TSkForm* Frame = nullptr;
  RECT Designed{};
  std::vector<std::string> Events;
  bool Refuse = false;
  std::wstring Seen;
  bool Shown = false;
};

TEST_F(SkFormStatesWin32, EveryStateRoundTripReturnsToTheDesignedBounds) {
  const RECT work = WorkArea(W());
  SysCommand(SC_MAXIMIZE);
  ExpectState(kwsMaximized);
  EXPECT_TRUE(SameRect(Bounds(), work)) << Text(Bounds()) << " vs " << Text(work);
  SysCommand(SC_RESTORE);
  ExpectState(kwsNormal);
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());

  SysCommand(SC_MINIMIZE);
  ExpectState(kwsMinimized);
  SysCommand(SC_RESTORE);
  ExpectState(kwsNormal);
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());

  Frame->Rollup();
  Settle();
  ExpectState(kwsRollup);
  RECT client{};
  GetClientRect(W(), &client);
  EXPECT_EQ(client.bottom, 0) << "only the frame is left";
  EXPECT_EQ(Bounds().top, Designed.top);
  EXPECT_LT(Bounds().bottom - Bounds().top, 60);
  Frame->Rollup(); // rolled up already: rolls down
  Settle();
  ExpectState(kwsNormal);
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());

  const std::vector<std::string> want{"maximize", "minimize", "rollup", "rollup"};
  EXPECT_EQ(Events, want) << "one event per action, none for a restore";
}

TEST_F(SkFormStatesWin32, ChainsComeBackThroughTheStateTheyLeft) {
  const RECT work = WorkArea(W());
  // Maximised, rolled up, restored: maximised again; restored once more: the designed bounds.
  Frame->Maximize();
  Frame->Rollup();
  Settle();
  ExpectState(kwsRollup);
  Frame->Restore();
  Settle();
  ExpectState(kwsMaximized);
  EXPECT_TRUE(SameRect(Bounds(), work));
  Frame->Restore();
  Settle();
  ExpectState(kwsNormal);
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());

  // Minimised, then maximised from there, then restored: normal, not minimised or maximised.
  SysCommand(SC_MINIMIZE);
  ExpectState(kwsMinimized);
  SysCommand(SC_MAXIMIZE);
  ExpectState(kwsMaximized);
  EXPECT_TRUE(SameRect(Bounds(), work));
  SysCommand(SC_RESTORE);
  ExpectState(kwsNormal);
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());
}

TEST_F(SkFormStatesWin32, MinimiseRunsOnceAndACancelledOneStaysPut) {
  // The caption button: one event, minimised by the platform (not re-entered through it).
  const TskRect button = Frame->Geometry().ButtonRect(kbiMinimize);
  const POINT at{Designed.left + (button.Left + button.Right) / 2,
                 Designed.top + (button.Top + button.Bottom) / 2};
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
  Settle();
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, at);
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, at);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(W()) != FALSE; }));
  Settle();
  ExpectState(kwsMinimized);
  EXPECT_EQ(Events, std::vector<std::string>{"minimize"});
  SysCommand(SC_RESTORE);
  ExpectState(kwsNormal);

  // The taskbar's minimise, refused by the handler: nothing minimises.
  Events.clear();
  Refuse = true;
  SysCommand(SC_MINIMIZE);
  ExpectState(kwsNormal);
  EXPECT_EQ(Events, std::vector<std::string>{"minimize"});
  EXPECT_TRUE(SameRect(Bounds(), Designed));
}

TEST_F(SkFormStatesWin32, TheTrayIconHoldsTheWindowAndADoubleClickBringsItBack) {
  Frame->Maximize();
  Settle();
  Frame->MinimizeToTray();
  Settle();
  ExpectState(kwsTray);
  ASSERT_TRUE(Frame->TrayIconShown());
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = Frame->TrayWindow();
  probe.uID = 1;
  probe.uFlags = NIF_TIP;
  wcscpy(probe.szTip, L"Semua tombol");
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the notification area holds the icon";

  // The icon's menu, as a right click on it opens it.
  EXPECT_EQ(MenuWhileShown([&] { SendMessageW(Frame->TrayWindow(), kSkTrayMessage, 1, WM_RBUTTONUP); }),
            L"&Restore|-|&Close");
  ExpectState(kwsTray);

  // A double click on the icon, as the shell reports it: back, and maximised as it was.
  SendMessageW(Frame->TrayWindow(), kSkTrayMessage, 1, WM_LBUTTONDBLCLK);
  Settle();
  ExpectState(kwsMaximized);
  EXPECT_FALSE(Frame->TrayIconShown());
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon is gone";
  Frame->Restore();
  Settle();
  EXPECT_TRUE(SameRect(Bounds(), Designed)) << Text(Bounds());
  const std::vector<std::string> want{"maximize", "tray", "maximize"};
  EXPECT_EQ(Events, want);
}

TEST_F(SkFormStatesWin32, SystemMenuOpensThreeWaysWithTheStatesCaptions) {
  const std::wstring normal = L"Mi&nimize|Ma&ximize|Ro&llup|Minimize to &Tray|-|&Close";
  // From the icon.
  const TskRect icon = Frame->Geometry().ButtonRect(kbiSystemMenu);
  ASSERT_FALSE(IsRectEmpty(icon));
  const POINT onIcon{Designed.left + (icon.Left + icon.Right) / 2,
                     Designed.top + (icon.Top + icon.Bottom) / 2};
  EXPECT_EQ(MenuWhileShown([&] {
              SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, onIcon);
              Settle();
              SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, onIcon);
              SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, onIcon);
              Pump(kSettleMs);
            }),
            normal);
  // By a right click on the caption.
  const TskRect caption = Frame->Geometry().CaptionRect();
  const POINT onCaption{Designed.left + (caption.Left + caption.Right) / 2,
                        Designed.top + (caption.Top + caption.Bottom) / 2};
  EXPECT_EQ(MenuWhileShown([&] {
              SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, onCaption);
              Settle();
              SendMouse(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_ABSOLUTE, onCaption);
              SendMouse(MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_ABSOLUTE, onCaption);
              Pump(kSettleMs);
            }),
            normal);
  // By Alt+Space, in the maximised state.
  Frame->Maximize();
  Settle();
  SetForegroundWindow(W());
  EXPECT_EQ(MenuWhileShown([&] {
              SendKeyPress(VK_SPACE, VK_MENU);
              Pump(kSettleMs);
            }),
            L"&Restore|Mi&nimize|Ro&llup|Minimize to &Tray|-|&Close");
  ExpectState(kwsMaximized);
}

TEST_F(SkFormStatesWin32, AltWithALetterOpensNothing) {
  bool sawMenu = false;
  static bool* seen = nullptr;
  seen = &sawMenu;
  const UINT_PTR t = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!Popups().empty()) {
      *seen = true;
      SendKeyPress(VK_ESCAPE);
    }
  });
  SysCommand(SC_KEYMENU, 'n');
  Pump(200);
  KillTimer(nullptr, t);
  EXPECT_FALSE(sawMenu);
  ExpectState(kwsNormal);
}

TEST_F(SkFormStatesWin32, AChosenItemRunsItsActionAfterTheMenuCloses) {
  const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!Popups().empty()) {
      // "Ma&ximize" by its accelerator.
      SendKeyPress('X');
    }
  });
  Frame->PopupSystemMenu();
  KillTimer(nullptr, t);
  Settle();
  ExpectState(kwsMaximized);
  EXPECT_EQ(Events, std::vector<std::string>{"maximize"});
}

TEST_F(SkFormStatesWin32, AStateFromTheLayoutIsAppliedOnceTheWindowExists) {
  Load("    WindowState = kwsMaximized\n");
  ASSERT_TRUE(WaitUntil([&] { return Frame->WindowState() == kwsMaximized; }));
  Settle();
  ExpectState(kwsMaximized);
  EXPECT_TRUE(SameRect(Bounds(), WorkArea(W())));
  Frame->Restore();
  Settle();
  // Back to the designed place, never the parking place below the screen.
  EXPECT_EQ(Bounds().left, 240);
  EXPECT_EQ(Bounds().top, 160);
}

TEST_F(SkFormStatesWin32, StayOnTopMovesTheWindowInAndOutOfTheTopmostBand) {
  const RECT before = Bounds();
  Frame->SetStayOnTop(true);
  EXPECT_TRUE(GetWindowLongPtrW(W(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  Frame->SetStayOnTop(false);
  EXPECT_FALSE(GetWindowLongPtrW(W(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(SameRect(Bounds(), before));
}

TEST_F(SkFormStatesWin32, ScreenshotsOfTheStates) {
  Frame->Rollup();
  Settle();
  SaveShot("form-rolled-up.bmp", GrabWindow(W()));
  Frame->Restore();
  Settle();
  static SkFormStatesWin32* self = nullptr;
  self = this;
  static bool saved = false;
  saved = false;
  const UINT_PTR t = SetTimer(nullptr, 0, 80, [](HWND, UINT, UINT_PTR, DWORD) {
    const auto popups = Popups();
    if (popups.empty() || saved) {
      return;
    }
    RECT menu{}, window{};
    GetWindowRect(popups.front(), &menu);
    GetWindowRect(self->W(), &window);
    UnionRect(&window, &window, &menu);
    saved = SaveShot("form-system-menu.bmp", GrabScreen(window));
    SendKeyPress(VK_ESCAPE);
  });
  Frame->PopupSystemMenu();
  KillTimer(nullptr, t);
  EXPECT_TRUE(saved);
}

} // namespace

namespace {

TEST_F(SkFormStatesWin32, TheApplicationMinimisesAndRestoresEveryFormThatJoinedIt) {
  // A second form, made and activated after the first: both have joined the application.
  auto second = std::make_unique<TForm>("TStatesDemo");
  ASSERT_EQ(second->LoadFromText("TStatesDemo E {\n  Caption = \"Kedua\"\n  Left = 700\n  Top = 500\n"
                                 "  ClientWidth = 200\n  ClientHeight = 100\n  TSkForm SkForm1 { }\n}\n"),
            "");
  second->Show();
  SetForegroundWindow(second->Handle());
  Pump(kSettleMs);
  SetForegroundWindow(W());
  Pump(kSettleMs);
  auto* secondFrame = dynamic_cast<TSkForm*>(second->FindComponent("SkForm1"));
  ASSERT_NE(secondFrame, nullptr);

  TApplication::Instance().Minimize();
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(W()) && IsIconic(second->Handle()); }));
  EXPECT_EQ(Frame->WindowState(), kwsMinimized);
  EXPECT_EQ(secondFrame->WindowState(), kwsMinimized);
  EXPECT_EQ(Events, std::vector<std::string>{"minimize"});

  // The first form goes; the second's handler stays with the application.
  Form.reset();
  PumpPending();
  TApplication::Instance().Restore();
  Pump(kSettleMs);
  EXPECT_FALSE(IsIconic(second->Handle()));
  EXPECT_EQ(secondFrame->WindowState(), kwsNormal);
}

} // namespace

namespace {

TEST_F(SkFormStatesWin32, ALinkedMenuMergedAboveKeepsItsOwnHandlers) {
  TSkPopupMenu linked;
  int linkedCloses = 0;
  for (const wchar_t* caption : {L"&Satu", L"&Close"}) {
    linked.Items().Add(std::make_unique<TSkItem>())->Caption = caption;
  }
  linked.Items().Items(1)->OnClick = [&](TSkItem&) { ++linkedCloses; };
  Frame->SetSystemMenuLink(&linked);
  Frame->SetSystemMenuLinkMerge(true, true);
  static SkFormStatesWin32* self = nullptr;
  self = this;
  Seen.clear();
  const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!self->Seen.empty() || Popups().empty()) {
      return;
    }
    TSkItem& items = self->Frame->SystemMenu()->Items();
    for (int i = 0; i < items.Count(); ++i) {
      self->Seen += (i ? L"|" : L"") + items.Items(i)->Caption;
    }
    SendKeyPress('C'); // the first "&Close": the linked one
  });
  Frame->PopupSystemMenu();
  KillTimer(nullptr, t);
  Settle();
  EXPECT_EQ(Seen, L"&Satu|&Close|Mi&nimize|Ma&ximize|Ro&llup|Minimize to &Tray|-|&Close");
  EXPECT_EQ(linkedCloses, 1);
  EXPECT_TRUE(IsWindow(W())) << "the form's close did not run";
  Frame->SetSystemMenuLink(nullptr);
}

} // namespace
