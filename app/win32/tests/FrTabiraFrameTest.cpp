// The calculator window in its skinned frame, in-process with real windows and input. The
// flat theme is current (the layout's theme engine makes it so), so these tests exercise the
// themed frame; the platform's visual style plays no part in it. Writes frame-active.bmp and
// frame-inactive.bmp (TABIRA_SHOT_DIR, else the working folder).
#include "app/win32/Startup.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr DWORD kSettleMs = 120;

// A plain top-level window to take the activation away from the calculator.
class TOtherWindow {
public:
  TOtherWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TabiraFrameTestOther";
    RegisterClassA(&wc);
    FWindow.Reset(CreateWindowExA(0, wc.lpszClassName, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 700,
                                  200, 120, nullptr, nullptr, wc.hInstance, nullptr));
  }
  HWND Handle() const { return FWindow.Get(); }

private:
  TWindowHandle FWindow;
};

class FrTabiraFrame : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTabiraClasses();
    Window = std::make_unique<TfrTabira>();
    ASSERT_EQ(Window->Load(), "");
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(kSettleMs);
    Frame = dynamic_cast<TSkForm*>(Window->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    Theme = TskThemeManager::Instance().CurrentTheme();
    ASSERT_NE(Theme, nullptr);
    ASSERT_EQ(Theme->BuildingName(), "Flat");
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
  }
  HWND Handle() const { return Window->Handle(); }
  // A point of the window (window coordinates) on the screen.
  POINT Screen(std::int32_t x, std::int32_t y) const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.left + x, r.top + y};
  }
  LRESULT HitAt(std::int32_t x, std::int32_t y) const {
    const POINT p = Screen(x, y);
    return SendMessageA(Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  }
  static POINT Centre(const TskRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  std::unique_ptr<TfrTabira> Window;
  TSkForm* Frame = nullptr;
  TskTheme* Theme = nullptr;
};

TEST_F(FrTabiraFrame, ClientStaysAtItsSizeInsideTheFlatFrame) {
  const TskFrameGeometry g = Frame->Geometry();
  ASSERT_TRUE(g.Themed());
  RECT client{}, window{};
  GetClientRect(Handle(), &client);
  GetWindowRect(Handle(), &window);
  EXPECT_EQ(client.right, 377);
  EXPECT_EQ(client.bottom, 476);
  // Where the platform puts the client area is where the theme says it is.
  POINT origin{0, 0};
  ClientToScreen(Handle(), &origin);
  const TskRect expected = g.ClientArea();
  EXPECT_EQ(origin.x - window.left, expected.Left);
  EXPECT_EQ(origin.y - window.top, expected.Top);
  EXPECT_EQ(window.right - window.left, expected.Left + 377 + (g.WindowInfo().Rect.Right - expected.Right));
  EXPECT_EQ(window.bottom - window.top, expected.Top + 476 + (g.WindowInfo().Rect.Bottom - expected.Bottom));
  // The layout's frame settings.
  EXPECT_EQ(Frame->BorderStyle(), kbsStandard);
  EXPECT_EQ(Frame->BorderIcons(), SkIcons(kbiClose, kbiSystemMenu, kbiMinimize));
  EXPECT_EQ(Frame->Performance(), kfpNoBuffer);
}

TEST_F(FrTabiraFrame, HitTestGivesTheStandardCodes) {
  const TskFrameGeometry g = Frame->Geometry();
  const TskRect w = g.WindowInfo().Rect, c = g.ClientArea();
  const POINT close = Centre(g.ButtonRect(kbiClose)), minimize = Centre(g.ButtonRect(kbiMinimize)),
              icon = Centre(g.ButtonRect(kbiSystemMenu));
  const TskRect caption = g.CaptionRect();
  struct TRow {
    POINT At;
    LRESULT Code;
  } rows[] = {
      {{(caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2}, HTCAPTION},
      {close, HTCLOSE},
      {minimize, HTMINBUTTON},
      {icon, HTSYSMENU},
      {{(c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2}, HTCLIENT},
      {{0, w.Bottom / 2}, HTLEFT},
      {{w.Right - 1, w.Bottom / 2}, HTRIGHT},
      {{w.Right / 2, w.Bottom - 1}, HTBOTTOM},
      {{0, 0}, HTTOPLEFT},
      {{w.Right - 1, w.Bottom - 1}, HTBOTTOMRIGHT},
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(HitAt(r.At.x, r.At.y), r.Code) << r.At.x << "," << r.At.y;
  }
  // No maximize button: its place is caption.
  EXPECT_TRUE(IsRectEmpty(g.ButtonRect(kbiMaximize)));
}

TEST_F(FrTabiraFrame, CaptionColourFollowsActivation) {
  const TskFrameGeometry g = Frame->Geometry();
  const TskRect caption = g.CaptionRect();
  // A point of the caption strip right of the text, left of the buttons.
  const POINT at{g.ButtonRect(kbiMinimize).Left - 6, caption.Top + 2};
  auto pixel = [&] {
    const POINT p = Screen(at.x, at.y);
    return GrabScreen({p.x, p.y, p.x + 1, p.y + 1}).At(0, 0);
  };
  const COLORREF active = TskCanvas::ToColorRef(Theme->Rgb(kcCaptionNormal));
  const COLORREF inactive = TskCanvas::ToColorRef(Theme->Rgb(kcCaptionInactive));
  ASSERT_NE(active, inactive);
  ASSERT_TRUE(WaitUntil([&] { return pixel() == active; }, 2000)) << std::hex << pixel();
  EXPECT_TRUE(Frame->IsActive());
  SaveShot("frame-active.bmp", GrabWindow(Handle()));

  TOtherWindow other;
  SetForegroundWindow(other.Handle());
  EXPECT_TRUE(WaitUntil([&] { return pixel() == inactive; }, 2000)) << std::hex << pixel();
  EXPECT_FALSE(Frame->IsActive());
  SaveShot("frame-inactive.bmp", GrabWindow(Handle()));

  SetForegroundWindow(Handle());
  EXPECT_TRUE(WaitUntil([&] { return pixel() == active; }, 2000));
}

TEST_F(FrTabiraFrame, TitleChangesAreDrawnByTheFrame) {
  const TskFrameGeometry g = Frame->Geometry();
  const TskRect caption = g.CaptionRect();
  SetWindowTextA(Handle(), "Zakat");
  Pump(kSettleMs);
  // The window keeps its caption style (the taskbar shows it) and the frame its look.
  EXPECT_EQ(GetWindowLongA(Handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  const POINT p = Screen(g.ButtonRect(kbiMinimize).Left - 6, caption.Top + 2);
  EXPECT_EQ(GrabScreen({p.x, p.y, p.x + 1, p.y + 1}).At(0, 0),
            TskCanvas::ToColorRef(Theme->Rgb(kcCaptionNormal)));
  EXPECT_EQ(Frame->Caption(), L"Zakat");
}

TEST_F(FrTabiraFrame, PressingCloseAndSlidingOffDoesNothingReleasingOnItCloses) {
  const TskFrameGeometry g = Frame->Geometry();
  const POINT close = Screen(Centre(g.ButtonRect(kbiClose)).x, Centre(g.ButtonRect(kbiClose)).y);
  const POINT caption = Screen(Centre(g.CaptionRect()).x, Centre(g.CaptionRect()).y);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, close);
  Pump(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, close);
  Pump(kSettleMs);
  EXPECT_EQ(Frame->PressedCode(), khtClose);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, caption);
  Pump(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, caption);
  Pump(kSettleMs);
  EXPECT_TRUE(IsWindow(Handle()));
  EXPECT_EQ(Frame->PressedCode(), 0);

  HWND window = Handle();
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, close);
  Pump(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, close);
  Pump(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, close);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 2000));
}

TEST_F(FrTabiraFrame, RepaintsAndActivationsLeaveNoObjectsBehind) {
  TOtherWindow other;
  auto round = [&](int repaints, int activations) {
    for (int i = 0; i < repaints; ++i) {
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    for (int i = 0; i < activations; ++i) {
      SetForegroundWindow(i % 2 ? Handle() : other.Handle());
      PumpPending();
    }
    Pump(20);
  };
  round(10, 4); // caches filled
  const TObjectCounts before = CountGuiObjects();
  round(1000, 100);
  const TObjectCounts after = CountGuiObjects();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
}

} // namespace

// The system menu's captions while it is shown, opened by Alt+Space; the key given is pressed
// in it (Escape closes it without a choice).
std::wstring SystemMenuWithKey(TSkForm& frame, HWND window, WORD key) {
  static TSkForm* f = nullptr;
  static std::wstring seen;
  static WORD press = 0;
  f = &frame;
  seen.clear();
  press = key;
  const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!seen.empty() || !f->SystemMenu() || !f->SystemMenu()->Shown()) {
      return;
    }
    TSkItem& items = f->SystemMenu()->Items();
    for (int i = 0; i < items.Count(); ++i) {
      seen += (i ? L"|" : L"") + items.Items(i)->Caption;
    }
    SendKeyPress(press);
  });
  SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, t);
  Pump(kSettleMs);
  return seen;
}

TEST_F(FrTabiraFrame, MinimiseRestoreAndCloseThroughTheSystemMenu) {
  RECT before{};
  GetWindowRect(Handle(), &before);
  EXPECT_EQ(SystemMenuWithKey(*Frame, Handle(), VK_ESCAPE), L"Mi&nimize|-|&Close");

  // The minimise button: minimised for the platform and for the form.
  const TskFrameGeometry g = Frame->Geometry();
  const POINT minimize = Screen(Centre(g.ButtonRect(kbiMinimize)).x, Centre(g.ButtonRect(kbiMinimize)).y);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, minimize);
  Pump(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, minimize);
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, minimize);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(Handle()) != FALSE; }));
  Pump(kSettleMs);
  EXPECT_EQ(Frame->WindowState(), kwsMinimized);

  // Restored from its menu, by the item's accelerator.
  EXPECT_EQ(SystemMenuWithKey(*Frame, Handle(), 'R'), L"&Restore|-|&Close");
  EXPECT_FALSE(IsIconic(Handle()));
  EXPECT_EQ(Frame->WindowState(), kwsNormal);
  RECT after{};
  GetWindowRect(Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));

  // Closed from its menu.
  HWND window = Handle();
  EXPECT_EQ(SystemMenuWithKey(*Frame, window, 'C'), L"Mi&nimize|-|&Close");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 2000));
}
