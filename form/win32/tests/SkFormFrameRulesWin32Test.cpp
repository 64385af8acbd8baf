// Rules of the skinned frame that only a real window shows, under Wine with the flat theme
// current (the themed frame is the one exercised; the platform's visual style plays no part):
// non-client mouse moves kept from the window's own procedure, a theme link that lacks the form
// object leaving the native look, the system menu from the keyboard opening at the window after
// an opening from the icon, a theme change while maximised, the maximum track size and the
// constraints, the minimum height with a shadow, and the snapshot behind a translucent frame.
#include "form/win32/SkForm.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "menus/win32/tests/PopupWindows.h"
#include "theme/SkThemeLink.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr DWORD kSettleMs = 60;

// A form that counts the non-client moves its own procedure sees.
class TRulesForm : public TForm {
public:
  TRulesForm() : TForm("TRulesDemo") {}
  int NonClientMoves = 0;

protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override {
    NonClientMoves += msg == WM_NCMOUSEMOVE;
    return TForm::WndProc(msg, wparam, lparam);
  }
};

// The flat theme with only the "default" form object.
class TDefaultOnlyTheme : public TSkFlatTheme {
public:
  bool WindowAvailable(std::uint8_t, TName name) override { return name == "default"; }
};

// The flat theme with a caption strip 20 pixels higher.
class TTallCaptionTheme : public TSkFlatTheme {
public:
  TskRect WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName name) override {
    TskRect r = TSkFlatTheme::WindowClientRect(kind, info, name);
    if (kind == 0 || kind == 1) {
      r.Top = std::min(r.Top + 20, r.Bottom);
    }
    return r;
  }
};

class TTestLink : public TskCustomThemeLink {
public:
  TskTheme* Theme = nullptr;
  TskTheme* GetTheme() override { return Theme; }
};

RECT WorkArea(HWND w) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  return mi.rcWork;
}

class SkFormFrameRules : public ::testing::Test {
protected:
  void SetUp() override {
    SkStartThemeServices();
    SkRegisterFormComponents();
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  }
  void TearDown() override {
    Form.reset();
    PumpPending();
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  }
  void Load(const std::string& frameProperties = "") {
    Form = std::make_unique<TRulesForm>();
    ASSERT_EQ(
        Form->LoadFromText("TRulesDemo D {\n  Caption = \"Aturan\"\n  Left = 300\n  Top = 200\n"
                           "  ClientWidth = 300\n  ClientHeight = 200\n"
                           "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize, "
                           "kbiMaximize]\n" +
                           frameProperties + "  }\n}\n"),
        "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Frame = dynamic_cast<TSkForm*>(Form->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    ASSERT_TRUE(Frame->Geometry().Themed());
    Pump(kSettleMs);
  }
  HWND W() const { return Form->Handle(); }
  RECT Bounds() const {
    RECT r{};
    GetWindowRect(W(), &r);
    return r;
  }
  SIZE ClientSize() const {
    RECT r{};
    GetClientRect(W(), &r);
    return {r.right, r.bottom};
  }
  POINT ClientOrigin() const {
    POINT p{0, 0};
    ClientToScreen(W(), &p);
    return p;
  }
  // Opens a themed menu with open() and answers the top-left corner of its window.
  POINT MenuOrigin(const std::function<void()>& open) {
    static POINT seen{};
    static bool shown = false;
    shown = false;
    const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
      const auto popups = ShownPopupWindows();
      if (shown || popups.empty()) {
        return;
      }
      RECT r{};
      GetWindowRect(popups.front(), &r);
      seen = {r.left, r.top};
      shown = true;
      SendKeyPress(VK_ESCAPE);
    });
    open();
    EXPECT_TRUE(WaitUntil([] { return shown && ShownPopupWindows().empty(); }, 3000))
        << "the menu came and went";
    KillTimer(nullptr, t);
    Pump(kSettleMs);
    return seen;
  }
  // A move or size by the frame with the form's own messages, to a client-relative point that
  // may lie far outside the screen.
  void FrameDrag(WPARAM hit, POINT fromScreen, POINT toClient) {
    SendMessageW(W(), WM_NCLBUTTONDOWN, hit, MAKELPARAM(fromScreen.x, fromScreen.y));
    SendMessageW(W(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toClient.x, toClient.y));
    SendMessageW(W(), WM_LBUTTONUP, 0, MAKELPARAM(toClient.x, toClient.y));
    Pump(kSettleMs);
  }

  std::unique_ptr<TRulesForm> Form;
  TSkForm* Frame = nullptr;
};

TEST_F(SkFormFrameRules, NonClientMovesStayWithTheFrame) {
  Load();
  const RECT r = Bounds();
  for (TSkBorderIcon icon : {kbiClose, kbiMinimize, kbiMaximize}) {
    const TskRect b = Frame->Geometry().ButtonRect(icon);
    ASSERT_FALSE(IsRectEmpty(b));
    const POINT at{r.left + (b.Left + b.Right) / 2, r.top + (b.Top + b.Bottom) / 2};
    SendMessageW(W(), WM_NCMOUSEMOVE, WPARAM(SendMessageW(W(), WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y))),
                 MAKELPARAM(at.x, at.y));
    EXPECT_EQ(Frame->HotCode(), TskFrameGeometry::HitCodeOf(icon));
  }
  EXPECT_EQ(Form->NonClientMoves, 0) << "the platform never tracks caption buttons of its own";
}

TEST_F(SkFormFrameRules, ALinkedThemeWithoutTheObjectLeavesTheNativeLook) {
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TDefaultOnlyTheme>());
  Load();
  auto linked = SkMakeTheme<TDefaultOnlyTheme>();
  TTestLink link;
  link.Theme = linked.get();
  struct TRow {
    const char* What;
    TskCustomThemeLink* Link;
    const char* Object;
    bool Themed;
  } rows[] = {
      {"current theme, its default object", nullptr, "default", true},
      {"current theme, a missing object: default stands in", nullptr, "special", true},
      {"linked theme, its default object", &link, "default", true},
      {"linked theme, a missing object: the native look", &link, "special", false},
  };
  for (const TRow& row : rows) {
    Frame->SetThemeLink(row.Link);
    Frame->SetThemeObject(row.Object);
    EXPECT_EQ(Frame->Geometry().Themed(), row.Themed) << row.What;
    // The window's client area follows the frame that draws it.
    const TskRect c = Frame->Geometry().ClientArea();
    EXPECT_EQ(ClientSize().cy, c.Bottom - c.Top) << row.What;
  }
  Frame->SetThemeLink(nullptr);
}

TEST_F(SkFormFrameRules, TheKeyboardOpensTheSystemMenuAtTheWindowAfterTheIconDid) {
  Load();
  // Where a keyboard opening puts the menu, relative to the client area's corner.
  const POINT first = MenuOrigin([&] { SendMessageW(W(), WM_SYSCOMMAND, SC_KEYMENU, ' '); });
  const POINT client = ClientOrigin();
  const POINT offset{first.x - client.x, first.y - client.y};
  // Opened from the icon, then the window moves.
  const RECT r = Bounds();
  const TskRect icon = Frame->Geometry().ButtonRect(kbiSystemMenu);
  const POINT onIcon{r.left + (icon.Left + icon.Right) / 2, r.top + (icon.Top + icon.Bottom) / 2};
  const POINT fromIcon = MenuOrigin([&] {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, onIcon);
    Pump(kSettleMs);
    SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, onIcon);
    SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, onIcon);
    Pump(kSettleMs);
  });
  EXPECT_EQ(fromIcon.x, r.left + icon.Left) << "below the icon";
  SetWindowPos(W(), nullptr, r.left + 80, r.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump(kSettleMs);
  const POINT again = MenuOrigin([&] { SendMessageW(W(), WM_SYSCOMMAND, SC_KEYMENU, ' '); });
  const POINT moved = ClientOrigin();
  EXPECT_EQ(again.x - moved.x, offset.x);
  EXPECT_EQ(again.y - moved.y, offset.y);
}

TEST_F(SkFormFrameRules, AThemeChangeWhileMaximisedKeepsTheWorkArea) {
  Load();
  Frame->Maximize();
  Pump(kSettleMs);
  const RECT work = WorkArea(W());
  auto filling = [&] {
    const RECT now = Bounds();
    return EqualRect(&work, &now) != FALSE;
  };
  ASSERT_TRUE(filling());
  const LONG flatClientHeight = ClientSize().cy;
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TTallCaptionTheme>());
  Pump(kSettleMs);
  EXPECT_TRUE(filling());
  EXPECT_EQ(ClientSize().cy, flatClientHeight - 20) << "the taller caption takes its room from the client";
  EXPECT_EQ(Frame->WindowState(), kwsMaximized);
}

TEST_F(SkFormFrameRules, TheWindowNeverGrowsPastItsMaximumTrackSize) {
  Load();
  const RECT work = WorkArea(W());
  // The right border dragged far beyond the screen: as wide as the work area, no wider.
  RECT r = Bounds();
  FrameDrag(HTRIGHT, {r.right - 1, (r.top + r.bottom) / 2}, {5000, 100});
  EXPECT_EQ(Bounds().right - Bounds().left, work.right - work.left);
  EXPECT_EQ(Bounds().left, r.left) << "the left edge stays";
  // A program's size is held to it as well.
  SetWindowPos(W(), nullptr, 0, 0, 6000, 5000, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Bounds().right - Bounds().left, work.right - work.left);
  EXPECT_EQ(Bounds().bottom - Bounds().top, work.bottom - work.top);
}

TEST_F(SkFormFrameRules, ConstraintsHoldTheWindowBetweenTheirLimits) {
  Load("    Constraints.MinWidth = 420\n    Constraints.MaxHeight = 330\n");
  EXPECT_EQ(Bounds().right - Bounds().left, 420) << "grown to the minimum width when loaded";
  SetWindowPos(W(), nullptr, 0, 0, 200, 600, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Bounds().right - Bounds().left, 420);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 330);
  // Set at run time: the window follows at once.
  Frame->SetConstraints({0, 0, 380, 250});
  Pump(kSettleMs);
  EXPECT_EQ(Bounds().right - Bounds().left, 380);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 250);
  const RECT r = Bounds();
  FrameDrag(HTBOTTOMRIGHT, {r.right - 1, r.bottom - 1}, {2000, 2000});
  EXPECT_EQ(Bounds().right - Bounds().left, 380);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 250);
  Frame->SetConstraints({500, 400, 0, 0});
  Pump(kSettleMs);
  EXPECT_EQ(Bounds().right - Bounds().left, 500);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 400);
}

TEST_F(SkFormFrameRules, TheSmallestWindowWithAShadowStillHasItsWholeFrame) {
  Load("    Shadow.Enabled = true\n    Shadow.Size = 5\n");
  const TskRect c = Frame->Geometry().ClientArea();
  const LONG nonClient = Frame->Geometry().WindowInfo().Rect.Bottom - (c.Bottom - c.Top);
  SetWindowPos(W(), nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);
  Pump(kSettleMs);
  EXPECT_EQ(Bounds().bottom - Bounds().top, nonClient + 5);
  EXPECT_EQ(ClientSize().cy, 0);
}

TEST_F(SkFormFrameRules, TheSnapshotBehindATranslucentFrameCoversTheWindowItBecomes) {
  Load("    Blending.Enabled = true\n    Blending.Value = 160\n");
  for (const SIZE proposed : {SIZE{20, 10}, SIZE{340, 260}, SIZE{60, 300}}) {
    SetWindowPos(W(), nullptr, 0, 0, proposed.cx, proposed.cy, SWP_NOMOVE | SWP_NOZORDER);
    Pump(kSettleMs);
    const RECT window = Bounds(), snapshot = Frame->SnapshotRect();
    EXPECT_TRUE(EqualRect(&window, &snapshot))
        << proposed.cx << "x" << proposed.cy << ": window " << window.right - window.left << "x"
        << window.bottom - window.top << ", snapshot " << snapshot.right - snapshot.left << "x"
        << snapshot.bottom - snapshot.top;
  }
}

} // namespace
