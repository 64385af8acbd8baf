// Forms from layout text under real windows: failures leave nothing behind, exit events
// come after the control's own focus handling, timers tick.
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/Timer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

namespace {

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  do {
    TApplication::Instance().ProcessMessages();
    Sleep(5);
  } while (GetTickCount() < end);
}

TEST(Form, AFaultyLayoutIsRefusedWithItsLineAndLeavesNoWindow) {
  struct {
    const char* Layout;
    const char* Error;
  } cases[] = {
      {"TTest T {\n  Caption = \"x\n}", "line 2, column 15: unterminated string"},
      {"TTest T {\n  TWidget W { }\n}", "line 2: cannot create a TWidget inside T"},
      {"TTest T {\n  TButton B {\n    Colour = clRed\n  }\n}", "line 3: TButton B has no property 'Colour'"},
      {"TTest T {\n  TButton B {\n    Width = -5\n  }\n}", "line 3: bad value for B.Width: a number from 0 to 32767"},
      {"TTest T {\n  TButton B {\n    OnClick = Missing\n  }\n}",
       "line 3: bad value for B.OnClick: there is no handler named Missing"},
      {"TTest T {\n  PixelsPerInch = 120\n}", "line 2: bad value for T.PixelsPerInch: 96 (the layout is not scaled)"},
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
  const std::vector<std::string> expected = {"enter A", "exit A, A lost focus: yes", "enter B", "exit B", "enter A"};
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
    f->RegisterMethod("Enter", [&, f](TComponent* s) { journal.push_back((f == &first ? "1 enter " : "2 enter ") + s->Name()); });
    f->RegisterMethod("Exit", [&, f](TComponent* s) { journal.push_back((f == &first ? "1 exit " : "2 exit ") + s->Name()); });
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
  EXPECT_EQ(GetFocus(), first.FindComponent("A") ? dynamic_cast<TWinControl*>(first.FindComponent("A"))->Handle() : nullptr);
  const std::vector<std::string> expected = {"1 enter A", "2 enter A"};
  EXPECT_EQ(journal, expected);
}

TEST(Form, AnExceptionInAHandlerIsReportedAndStopsAtTheWindowProcedure) {
  TApplication::Instance().SetTitle("Framework test");
  TForm form("TTest");
  int clicks = 0;
  form.RegisterMethod("Boom", [&](TComponent*) {
    if (++clicks == 1) throw std::runtime_error("the handler failed");
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
    while (!stop) {
      HWND box = FindWindowA("#32770", "Framework test");
      if (box && IsWindowVisible(box)) {
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen = text;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
      Sleep(10);
    }
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

TEST(Timer, TicksWhileEnabled) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](TComponent*) { ++ticks; };
  timer.SetInterval(20);
  Pump(200);
  EXPECT_GE(ticks, 2);
  timer.SetEnabled(false);
  Pump(30);
  int stopped = ticks;
  Pump(100);
  EXPECT_EQ(ticks, stopped);
}

} // namespace
