// The callback guard at every kind of entry point the platform calls: a window procedure,
// the message loop's key handling, a utility window, a timer component, a timer procedure
// and a hook. At each, a handler that aborts silently is not reported, a standard exception
// and an unknown one are reported once, and the entry point goes on working. Classic look
// only (nothing here is painted).
#include "framework/GuardedCall.h"
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"
#include "framework/win32/Timer.h"
#include "framework/win32/UtilityWindow.h"
#include "framework/win32/tests/TestInput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gReports;
// What the handler under test does when the platform calls it.
std::function<void()> gHandler;

void Record(const char* what) noexcept { gReports.emplace_back(what); }

void RunHandler() {
  if (gHandler) {
    gHandler();
  }
}

constexpr UINT kProbe = WM_APP + 7;

LRESULT CALLBACK ProbeHook(int code, WPARAM wparam, LPARAM lparam) {
  const auto* msg = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && msg->message == kProbe && wparam == PM_REMOVE) {
    GuardedCall(RunHandler);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  GuardedCall(RunHandler);
}

// An entry point: Arm makes what it needs and returns what makes the platform call the
// handler once.
struct TEntry {
  const char* Name;
  std::function<std::function<void()>()> Arm;
};

std::function<void()> ArmForm(bool throughKey) {
  auto form = std::make_shared<TForm>("TGuardTest");
  form->RegisterMethod("Run", [](TComponent*) { RunHandler(); });
  EXPECT_EQ(form->LoadFromText(
                "TGuardTest T {\n ClientWidth = 100\n ClientHeight = 40\n"
                " TButton B {\n  Width = 60\n  Height = 25\n  Caption = \"&Go\"\n  OnClick = Run\n }\n}"),
            "");
  form->Show();
  HWND button = form->Controls().front()->Handle();
  if (throughKey) {
    // Alt+G as the message loop sees it: the loop runs the button's click itself.
    return [form, button] {
      PostMessageA(button, WM_SYSCHAR, 'g', 0);
      PumpPending();
    };
  }
  return [form, button] { SendMessageA(button, BM_CLICK, 0, 0); };
}

const TEntry kEntries[] = {
    {"window procedure", [] { return ArmForm(false); }},
    {"message loop key", [] { return ArmForm(true); }},
    {"utility window",
     [] {
       auto window = std::make_shared<TUtilityWindow>([](UINT msg, WPARAM, LPARAM, LRESULT& result) {
         if (msg != kProbe) {
           return false;
         }
         RunHandler();
         result = 1;
         return true;
       });
       return std::function<void()>([window] { SendMessageA(window->Handle(), kProbe, 0, 0); });
     }},
    {"timer component",
     [] {
       auto timer = std::make_shared<TTimer>();
       timer->SetEnabled(false);
       timer->SetInterval(10);
       timer->OnTimer = [t = timer.get()](TComponent*) {
         t->SetEnabled(false); // one tick per trigger
         RunHandler();
       };
       return std::function<void()>([timer] { timer->SetEnabled(true); });
     }},
    {"timer procedure",
     [] { return std::function<void()>([] { ASSERT_NE(SetTimer(nullptr, 0, 10, ProbeTimer), 0u); }); }},
    {"hook",
     [] {
       auto hook = std::make_shared<THookHandle>(
           SetWindowsHookExA(WH_GETMESSAGE, ProbeHook, nullptr, GetCurrentThreadId()));
       return std::function<void()>([hook] {
         PostThreadMessageA(GetCurrentThreadId(), kProbe, 0, 0);
         PumpPending();
       });
     }},
};

struct TEnding {
  const char* Name;
  void (*End)();
  std::vector<std::string> Reports;
};

const TEnding kEndings[] = {
    {"silent abort", [] { Abort(); }, {}},
    {"standard exception", [] { throw std::runtime_error("the handler failed"); }, {"the handler failed"}},
    {"unknown exception", [] { throw 42; }, {"unknown error"}},
};

class GuardedEntry : public ::testing::Test {
protected:
  void SetUp() override {
    TApplication::Instance(); // installs its reporter first; this test's goes over it
    FPrevious = SetExceptionReporter(&Record);
  }
  void TearDown() override {
    SetExceptionReporter(FPrevious);
    gHandler = nullptr;
  }

private:
  TExceptionReporter FPrevious = nullptr;
};

TEST_F(GuardedEntry, EveryEntryPointReportsFailuresOnceAndGoesOn) {
  for (const TEntry& entry : kEntries) {
    for (const TEnding& ending : kEndings) {
      SCOPED_TRACE(std::string(entry.Name) + ", " + ending.Name);
      const std::function<void()> trigger = entry.Arm();
      gReports.clear();
      int calls = 0;
      bool after = false;
      gHandler = [&] {
        ++calls;
        ending.End();
        after = true;
      };
      trigger();
      ASSERT_TRUE(WaitUntil([&] { return calls == 1; }, 2000));
      PumpPending();
      EXPECT_FALSE(after) << "the handler ended where it threw";
      EXPECT_EQ(gReports, ending.Reports);
      // The same entry point still calls its handler.
      gHandler = [&] { ++calls; };
      trigger();
      EXPECT_TRUE(WaitUntil([&] { return calls == 2; }, 2000));
      EXPECT_EQ(gReports, ending.Reports) << "nothing more was reported";
    }
  }
}

} // namespace
