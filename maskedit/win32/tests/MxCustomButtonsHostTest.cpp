// The custom buttons of an edit in a real window, driven by real input: relayout after a
// change of the collection (with the window's client size), click order, press-and-hold
// repeat, hover. The window is a plain stand-in for the edit's window: it gives its
// messages to the host first, lays out from its client rectangle and paints the buttons.
// A screenshot of the held button is written to custom-buttons.bmp (TABIRA_SHOT_DIR).
#include "maskedit/win32/MxCustomButtonsHost.h"

#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/tests/EditTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int WinX = 120, WinY = 120, ClientW = 113, ClientH = 22;

struct TDestroyMenu {
  static void Free(HMENU h) { DestroyMenu(h); }
};

void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  SendMouse(0, POINT{x, y});
  // The move has landed once the platform reports the pointer there.
  EXPECT_TRUE(WaitUntil(
      [&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == x && at.y == y;
      },
      2000));
  Pump(40);
}

void Button(bool down) { SendMouseButtons(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

struct StandIn {
  StandIn() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TabiraButtonsStandIn";
    RegisterClassA(&wc); // a second registration fails harmlessly
    Edit.SetView(&View);
    Window.Reset(CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, WinX, WinY,
                                 ClientW, ClientH, nullptr, nullptr, wc.hInstance, this));
    Host.Attach(Window.Get(), [this] { Relayout(); });
    SetForegroundWindow(Window.Get());
    Pump(50);
  }
  ~StandIn() { Host.Detach(); }

  void Relayout() {
    RECT c{};
    GetClientRect(Window.Get(), &c);
    EditRight = Edit.AdjustEditRect(0, 0, c.right, c.bottom, false);
    ++Relayouts;
    InvalidateRect(Window.Get(), nullptr, FALSE);
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandIn*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->Window) {
      return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
    LRESULT result = 0;
    if (self->Host.HandleMessage(msg, wparam, lparam, result)) {
      return result;
    }
    if (msg == WM_PAINT) {
      const TPaintScope paint(hwnd);
      RECT text{0, 0, self->EditRight, ClientH};
      FillRect(paint.DC(), &text, GetSysColorBrush(COLOR_WINDOW));
      TextOutA(paint.DC(), 2, 3, "12.05.2024", 10);
      TMxButtonPaintContext ctx;
      ctx.Window = hwnd;
      ctx.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      self->Host.Paint(paint.DC(), ctx);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }

  TMxApplication App;
  TRecordingView View;
  TMxCustomEdit Edit{App};
  TMxCustomButtonsHost Host{Edit};
  TWindowHandle Window;
  int EditRight = ClientW;
  int Relayouts = 0;
};

void SaveWindowShot(HWND hwnd, const char* name) { SaveShot(name, GrabClient(hwnd)); }

TEST(MxCustomButtonsHost, RelayoutClickAndHold) {
  StandIn s;
  std::vector<std::string> journal;
  std::vector<ULONGLONG> repeats;
  s.Edit.OnBtnClick = [&](TMxCustomEdit*, TMxSpeedButton* b, int index) {
    journal.push_back("edit " + std::to_string(index) + " " + b->Caption);
  };
  for (const char* caption : {"...", "+"}) {
    TMxSpecialButton& item = s.Edit.CustomButtons().Add();
    item.SetCaption(caption);
    item.OnClick = [&](TMxSpecialButton* sender, int index) {
      journal.push_back("item " + std::to_string(index) + " " + sender->GetCaption());
      if (sender->GetCaption() == "+") {
        repeats.push_back(GetTickCount64());
      }
    };
  }
  s.Edit.CustomButtons().Item(1).Control().RepeatedClick = true;
  // The collection asked for a posted relayout; the layout follows once it is handled,
  // with the window's real client width.
  EXPECT_EQ(s.EditRight, ClientW);
  EXPECT_TRUE(WaitUntil([&] { return s.EditRight == 81; }, 2000));
  EXPECT_EQ(s.Edit.CustomButtons().Item(0).Control().Left, 81);
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Left, 97);
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Height, ClientH);

  // A plain click: the item's event, then the edit's, both with the index.
  MouseTo(WinX + 88, WinY + 10);
  EXPECT_TRUE(WaitUntil([&] { return s.Edit.CustomButtons().Item(0).Control().Hot(); }, 2000));
  Button(true);
  Pump(60);
  Button(false);
  EXPECT_TRUE(WaitUntil([&] { return journal.size() >= 2; }, 2000));
  Pump(50); // nothing more follows
  EXPECT_EQ(journal, (std::vector<std::string>{"item 0 ...", "edit 0 ..."}));

  // Press and hold the repeating button: a click at once, then after the delay, then at
  // the interval; never earlier than scheduled (one timer tick of slack).
  journal.clear();
  MouseTo(WinX + 104, WinY + 10);
  EXPECT_TRUE(WaitUntil([&] { return s.Edit.CustomButtons().Item(1).Control().Hot(); }, 2000));
  Button(true);
  EXPECT_TRUE(WaitUntil([&] { return repeats.size() >= 4; }, 5000));
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Look(), sblPressed);
  SaveWindowShot(s.Window.Get(), "custom-buttons.bmp");
  Button(false);
  Pump(100);
  const size_t held = repeats.size();
  Pump(400);
  ASSERT_GE(held, 4u);
  EXPECT_EQ(repeats.size(), held); // nothing after the release
  EXPECT_GE(repeats[1] - repeats[0], 500u - 20u);
  for (size_t i = 2; i < held; ++i) {
    EXPECT_GE(repeats[i] - repeats[i - 1], 100u - 20u) << i;
  }
  EXPECT_EQ(journal.front(), "item 1 +");
  EXPECT_EQ(journal[1], "edit 1 +");

  // The pointer leaves: the hover check drops the hot state.
  EXPECT_TRUE(s.Edit.CustomButtons().Item(1).Control().Hot());
  MouseTo(WinX + 400, WinY + 300);
  EXPECT_TRUE(WaitUntil([&] { return !s.Edit.CustomButtons().Item(1).Control().Hot(); }, 2000));

  // A button added at run time narrows the text once the posted relayout is handled.
  s.Edit.CustomButtons().Add().SetCaption("x");
  EXPECT_EQ(s.EditRight, 81);
  EXPECT_TRUE(WaitUntil([&] { return s.EditRight == 65; }, 2000));
  // A zero size message would lie about the size; the relayout never reads one.
  SendMessageA(s.Window.Get(), MXM_RELAYOUT, 0, 0);
  EXPECT_EQ(s.EditRight, 65);
}

TEST(MxCustomButtonsHost, AClickRemovingItsButtonReleasesTheCapture) {
  StandIn s;
  TMxSpecialButton& item = s.Edit.CustomButtons().Add();
  item.Control().RepeatedClick = true; // the click comes while the button is still held
  int clicks = 0;
  item.OnClick = [&](TMxSpecialButton*, int index) {
    ++clicks;
    s.Edit.CustomButtons().Delete(index);
  };
  Pump(100);
  MouseTo(WinX + ClientW - 8, WinY + 10);
  Button(true);
  Pump(100);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(s.Edit.CustomButtons().Count(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  Button(false);
  Pump(700);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(s.EditRight, ClientW);
}

TEST(MxCustomButtonsHost, DropDownMenuChoosesACommand) {
  StandIn s;
  TMxSpecialButton& item = s.Edit.CustomButtons().Add();
  item.SetCaption("v");
  const TUniqueHandle<HMENU, TDestroyMenu> menuOwner(CreatePopupMenu());
  const HMENU menu = menuOwner.Get();
  AppendMenuA(menu, MF_STRING, 101, "First");
  AppendMenuA(menu, MF_STRING, 102, "Second");
  s.Host.SetDropDownMenu(item, menu);
  std::vector<std::string> journal;
  item.Control().OnDropDown = [&](TMxSpeedButton*) { journal.push_back("drop down"); };
  item.OnClick = [&](TMxSpecialButton*, int) { journal.push_back("click"); };
  s.Host.OnMenuCommand = [&](TMxSpecialButton& chosen, UINT command) {
    journal.push_back(chosen.GetCaption() + " " + std::to_string(command));
  };
  Pump(100);
  // While the menu runs its own loop, a timer picks the second entry with the keyboard.
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (WORD key : {WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_RETURN)}) {
      SendKeyPress(key);
    }
  });
  ASSERT_NE(timer, 0u);
  MouseTo(WinX + ClientW - 8, WinY + 10);
  Button(true);
  Button(false);
  // The menu's own loop runs inside the click until the timer has chosen.
  EXPECT_TRUE(WaitUntil([&] { return journal.size() >= 2; }, 3000));
  Pump(100); // nothing more follows
  EXPECT_EQ(journal, (std::vector<std::string>{"drop down", "v 102"}));
  EXPECT_FALSE(item.Control().Tracking());
  EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
