// Forms from layout text under real windows: failures leave nothing behind, exit events
// come after the control's own focus handling, labels are painted by their containers,
// timers tick.
#include "framework/win32/Form.h"
#include "framework/win32/Application.h"
#include "framework/win32/Handles.h"
#include "framework/win32/Timer.h"
#include "framework/win32/tests/TestInput.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Form, AFaultyLayoutIsRefusedWithItsLineAndLeavesNoWindow) {
  struct {
    const char* Layout;
    const char* Error;
  } cases[] = {
      {"TTest T {\n  Caption = \"x\n}", "line 2, column 15: unterminated string"},
      {"TTest T {\n  TWidget W { }\n}", "line 2: cannot create a TWidget inside T"},
      {"TTest T {\n  TButton B {\n    Colour = clRed\n  }\n}", "line 3: TButton B has no property 'Colour'"},
      {"TTest T {\n  TButton B {\n    Width = -5\n  }\n}",
       "line 3: bad value for B.Width: a number from 0 to 32767"},
      {"TTest T {\n  TButton B {\n    OnClick = Missing\n  }\n}",
       "line 3: bad value for B.OnClick: there is no handler named Missing"},
      {"TTest T {\n  PixelsPerInch = 20\n}",
       "line 2: bad value for T.PixelsPerInch: a density from 48 to 480 pixels per inch"},
      {"TTest T {\n  TLabel L {\n    TButton B { }\n  }\n}", "line 3: cannot create a TButton inside L"},
      {"TOther T { }", "line 1: the layout describes a TOther, not a TTest"},
  };
  for (const auto& c : cases) {
    TForm form("TTest");
    EXPECT_EQ(form.LoadFromText(c.Layout), c.Error);
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_EQ(form.ComponentCount(), 0u);
    EXPECT_EQ(FindWindowA("TTest", nullptr), nullptr);
  }
  TForm form("TTest");
  EXPECT_EQ(form.LoadFromResource("NO_SUCH_LAYOUT"), "the layout resource NO_SUCH_LAYOUT is missing");
  // A form is read once.
  ASSERT_EQ(form.LoadFromText("TTest T {\n TButton B { }\n}"), "");
  EXPECT_EQ(form.LoadFromText("TTest T {\n TButton C { }\n}"), "the form T is loaded already");
  EXPECT_EQ(form.ComponentCount(), 1u);
}

TEST(Form, ExitFollowsTheControlsOwnFocusLossAndPrecedesTheNextEnter) {
  std::vector<std::string> journal;
  TForm form("TTest");
  form.RegisterMethod("Enter", [&](TComponent* s) { journal.push_back("enter " + s->Name()); });
  form.RegisterMethod("Exit", [&](TComponent* s) { journal.push_back("exit " + s->Name()); });
  ASSERT_EQ(form.LoadFromText(R"(TTest T {
  ClientWidth = 200
  ClientHeight = 100
  TButton A {
    Left = 8
    Top = 8
    Width = 80
    Height = 25
    OnEnter = Enter
    OnExit = Exit
  }
  TGroupBox G {
    Left = 100
    Top = 0
    Width = 100
    Height = 100
    TButton B {
      Left = 8
      Top = 20
      Width = 80
      Height = 25
      OnEnter = Enter
      OnExit = Exit
    }
  }
})"),
            "");
  TWinControl* a = dynamic_cast<TWinControl*>(form.FindComponent("A"));
  TWinControl* b = dynamic_cast<TWinControl*>(form.FindComponent("B"));
  // The focus has left A (its own focus-loss handling is done) when its exit event runs.
  a->OnExit = [&](TComponent*) {
    journal.push_back(std::string("exit A, A lost focus: ") + (GetFocus() == b->Handle() ? "yes" : "no"));
  };
  form.Show();
  SetForegroundWindow(form.Handle());
  Pump(60);
  EXPECT_EQ(form.ActiveControl(), a);
  b->SetFocus();
  Pump(30);
  a->SetFocus();
  Pump(30);
  const std::vector<std::string> expected = {"enter A", "exit A, A lost focus: yes", "enter B", "exit B",
                                             "enter A"};
  EXPECT_EQ(journal, expected);
}

TEST(Form, FocusInAnotherWindowFiresNoExitAndComesBack) {
  std::vector<std::string> journal;
  const char* layout = R"(TTest T {
  Left = 50
  Top = 50
  ClientWidth = 200
  ClientHeight = 60
  TButton A {
    Left = 8
    Top = 8
    Width = 80
    Height = 25
    OnEnter = Enter
    OnExit = Exit
  }
})";
  TForm first("TTest"), second("TTest");
  for (TForm* f : {&first, &second}) {
    f->RegisterMethod("Enter", [&, f](TComponent* s) {
      journal.push_back((f == &first ? "1 enter " : "2 enter ") + s->Name());
    });
    f->RegisterMethod("Exit", [&, f](TComponent* s) {
      journal.push_back((f == &first ? "1 exit " : "2 exit ") + s->Name());
    });
    ASSERT_EQ(f->LoadFromText(layout), "");
  }
  first.Show();
  SetForegroundWindow(first.Handle());
  Pump(60);
  second.Show();
  SetForegroundWindow(second.Handle());
  Pump(60);
  SetForegroundWindow(first.Handle());
  Pump(60);
  EXPECT_EQ(GetFocus(), first.FindComponent("A")
                            ? dynamic_cast<TWinControl*>(first.FindComponent("A"))->Handle()
                            : nullptr);
  const std::vector<std::string> expected = {"1 enter A", "2 enter A"};
  EXPECT_EQ(journal, expected);
}

TEST(Form, AnExceptionInAHandlerIsReportedAndStopsAtTheWindowProcedure) {
  TApplication::Instance().SetTitle("Framework test");
  TForm form("TTest");
  int clicks = 0;
  form.RegisterMethod("Boom", [&](TComponent*) {
    if (++clicks == 1) {
      throw std::runtime_error("the handler failed");
    }
  });
  ASSERT_EQ(form.LoadFromText("TTest T {\n ClientWidth = 100\n ClientHeight = 40\n"
                              " TButton B {\n  Width = 60\n  Height = 25\n  OnClick = Boom\n }\n}"),
            "");
  form.Show();
  Pump(30);
  // Another thread reads and closes the error box.
  std::atomic<bool> stop{false};
  std::string seen;
  std::thread closer([&] {
    HWND box = nullptr;
    if (!WaitUntil(
            [&] {
              box = FindWindowA("#32770", "Framework test");
              return stop || (box && IsWindowVisible(box));
            },
            5000) ||
        stop) {
      return;
    }
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen = text;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  HWND button = dynamic_cast<TWinControl*>(form.FindComponent("B"))->Handle();
  SendMessageA(button, BM_CLICK, 0, 0); // the click reaches the handler through the form's window procedure
  Pump(50);
  stop = true;
  closer.join();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(seen, "the handler failed");
  // The window still works.
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
}

// Where in rect (client coordinates of hwnd, as the window paints itself) pixels of colour
// are, as a bounding box (empty when none).
RECT PixelsOfColour(HWND hwnd, const RECT& rect, COLORREF colour) {
  RECT client{};
  GetClientRect(hwnd, &client);
  TWindowDC screen(hwnd);
  TMemoryDC dc(CreateCompatibleDC(screen.Get()));
  TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
  TSelectGuard select(dc.Get(), bitmap.Get());
  SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  RECT found{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    for (LONG x = rect.left; x < rect.right; ++x) {
      if (GetPixel(dc.Get(), x, y) != colour) {
        continue;
      }
      found = RECT{std::min(found.left, x), std::min(found.top, y), std::max(found.right, x + 1),
                   std::max(found.bottom, y + 1)};
    }
  }
  return found.left == LONG_MAX ? RECT{} : found;
}

TEST(Form, LabelsArePaintedByTheirContainerWithinTheirBoundsAndShareFonts) {
  const char* layout = R"(TTest T {
  Left = 50
  Top = 50
  ClientWidth = 240
  ClientHeight = 120
  ShowHint = true
  TGroupBox G {
    Left = 0
    Top = 0
    Width = 240
    Height = 120
    Color = 0xF0FBFF
    Hint = "box"
    TLabel A {
      Left = 10
      Top = 20
      Width = 30
      Height = 13
      Caption = "WWWWWWWWWWWW"
      Font.Color = 0x0000FF
    }
    TLabel B {
      Left = 10
      Top = 60
      Width = 100
      Height = 13
      Caption = "Wide"
      Font.Color = 0x0000FF
    }
    TLabel C {
      Left = 10
      Top = 80
      Width = 100
      Height = 13
      Caption = "Bold"
      Font.Style = [fsBold]
    }
  }
})";
  TForm form("TTest");
  ASSERT_EQ(form.LoadFromText(layout), "");
  form.Show();
  Pump(30);
  auto* box = dynamic_cast<TWinControl*>(form.FindComponent("G"));
  auto* a = dynamic_cast<TWinControl*>(form.FindComponent("A"));
  auto* b = dynamic_cast<TWinControl*>(form.FindComponent("B"));
  auto* c = dynamic_cast<TWinControl*>(form.FindComponent("C"));
  ASSERT_TRUE(box && a && b && c);
  for (TWinControl* label : {a, b, c}) {
    EXPECT_FALSE(label->HandleAllocated());
    EXPECT_TRUE(label->Placed());
    EXPECT_NE(label->FontHandle(), nullptr);
  }
  // Equal font descriptions share one font; another style has its own.
  EXPECT_EQ(a->FontHandle(), b->FontHandle());
  EXPECT_NE(a->FontHandle(), c->FontHandle());
  EXPECT_NE(c->FontHandle(), box->FontHandle());

  // The red text of A and B lies inside their bounds (A's long caption cut at its edge), on
  // the box's cream; nothing red anywhere else.
  const COLORREF red = RGB(255, 0, 0), cream = RGB(255, 251, 240);
  RECT whole{0, 0, 240, 120};
  RECT redA = PixelsOfColour(box->Handle(), RECT{0, 0, 240, 50}, red);
  EXPECT_GE(redA.left, 10);
  EXPECT_GE(redA.top, 20);
  EXPECT_LE(redA.right, 40);
  EXPECT_LE(redA.bottom, 33);
  EXPECT_GT(redA.right, redA.left) << "A is painted";
  RECT redB = PixelsOfColour(box->Handle(), RECT{0, 50, 240, 120}, red);
  EXPECT_GE(redB.left, 10);
  EXPECT_GE(redB.top, 60);
  EXPECT_LE(redB.bottom, 73);
  EXPECT_GT(redB.right, redB.left) << "B is painted";
  RECT creamA = PixelsOfColour(box->Handle(), RECT{10, 20, 40, 33}, cream);
  EXPECT_GT(creamA.right, creamA.left) << "the box's colour shows around the text";

  // Moved, B is painted at its new place only.
  b->SetBounds(120, 90, 100, 13);
  Pump(30);
  RECT moved = PixelsOfColour(box->Handle(), whole, red);
  RECT redA2 = PixelsOfColour(box->Handle(), RECT{0, 0, 240, 50}, red);
  EXPECT_EQ(redA2.bottom, redA.bottom);
  RECT below = PixelsOfColour(box->Handle(), RECT{0, 50, 240, 120}, red);
  EXPECT_GE(below.left, 120);
  EXPECT_GE(below.top, 90);
  EXPECT_GT(moved.right, moved.left);

  // Labels inherit the box's hint and get tooltips of their own (as rectangles of the box).
  HWND tip = form.TooltipHandle();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 4);
}

TEST(Form, TooltipsAreMadeShortlyAfterThePointerFirstMoves) {
  TForm form("TTipTest");
  // Away from the pointer, which rests in the middle of the screen.
  ASSERT_EQ(form.LoadFromText(R"(TTipTest T {
  Left = 0
  Top = 0
  ClientWidth = 200
  ClientHeight = 100
  ShowHint = true
  TButton A {
    Left = 8
    Top = 8
    Width = 80
    Height = 25
    Hint = "press|and more"
  }
})"),
            "");
  form.Show();
  Pump(30);
  const auto tooltipCount = [] {
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM count) {
          char cls[64]{};
          GetClassNameA(hwnd, cls, sizeof cls);
          if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) {
            ++*reinterpret_cast<int*>(count);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
  };
  ASSERT_EQ(tooltipCount(), 0) << "no tooltip window before the pointer moves";
  TWinControl* a = form.Controls().front();
  SendMessageA(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(tooltipCount(), 0) << "the move itself makes no window";
  ASSERT_TRUE(WaitUntil([&] { return tooltipCount() == 1; }, 2000));
  // Moving again makes no second one, and the window has the button's tool.
  SendMessageA(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  Pump(300);
  EXPECT_EQ(tooltipCount(), 1);
  EXPECT_EQ(SendMessageA(form.TooltipHandle(), TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST(Timer, TicksWhileEnabled) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](TComponent*) { ++ticks; };
  timer.SetInterval(20);
  EXPECT_TRUE(WaitUntil([&] { return ticks >= 2; }, 2000));
  timer.SetEnabled(false);
  Pump(30);
  int stopped = ticks;
  Pump(100);
  EXPECT_EQ(ticks, stopped);
}

} // namespace
