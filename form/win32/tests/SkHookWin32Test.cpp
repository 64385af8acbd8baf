// Hooks on real windows (Wine in the test runs; no drawing, so no look is involved): the order
// in which hooks see messages, a message kept from the window, re-creation of the window,
// subclassers that came after the hooks (hooks joining, leaving and coming back under them),
// hooks that leave while they handle a message, and the deferred release of the window's record.
#include "form/win32/SkHook.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 7;

class TProbeHook : public TSkHook {
public:
  TProbeHook(std::string name, std::vector<std::string>& log) : FName(std::move(name)), FLog(log) {}
  std::function<void(TProbeHook&, TskMessage&)> OnProbe;

protected:
  void HandleMessage(TskMessage& m) override {
    if (m.Msg == kProbe) {
      FLog.push_back(FName + " before");
      if (OnProbe) {
        OnProbe(*this, m);
      }
    }
  }
  void AfterWindowProc(TskMessage& m) override {
    if (m.Msg == kProbe) {
      FLog.push_back(FName + " after " + std::to_string(m.Result));
    }
  }

private:
  std::string FName;
  std::vector<std::string>& FLog;
};

// A form that answers the probe with 5 and notes it.
class TProbeForm : public TForm {
public:
  explicit TProbeForm(std::vector<std::string>& log) : TForm("TProbeForm"), FLog(log) {}

protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == kProbe) {
      FLog.push_back("window");
      return 5;
    }
    return TForm::WndProc(msg, wparam, lparam);
  }

private:
  std::vector<std::string>& FLog;
};

WNDPROC gForeignPrevious = nullptr;
int gForeignCalls = 0;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == kProbe) {
    ++gForeignCalls;
  }
  return CallWindowProcA(gForeignPrevious, hwnd, msg, wparam, lparam);
}

LRESULT CALLBACK CommonSubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (msg == kProbe) {
    ++gForeignCalls;
  }
  return DefSubclassProc(hwnd, msg, wparam, lparam);
}

// Subclassers that come after the hooks: one that replaces the window's procedure itself, and
// one through the common controls' subclass list (as a tooltip of a windowless control does).
struct TSubclasser {
  const char* Name;
  void (*Put)(HWND);
  void (*Take)(HWND);
};
const TSubclasser kSubclassers[] = {
    {"own procedure",
     [](HWND w) {
       gForeignPrevious =
           reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(&ForeignProc)));
     },
     [](HWND w) { SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(gForeignPrevious)); }},
    {"common controls", [](HWND w) { SetWindowSubclass(w, &CommonSubclassProc, 1, 0); },
     [](HWND w) { RemoveWindowSubclass(w, &CommonSubclassProc, 1); }},
};

class SkHookWin32 : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TProbeForm>(Log);
    ASSERT_EQ(Form->LoadFromText("TProbeForm P {\n  ClientWidth = 120\n  ClientHeight = 80\n}"), "");
    A = std::make_unique<TProbeHook>("a", Log);
    B = std::make_unique<TProbeHook>("b", Log);
    A->AssignControl(Form.get());
    B->AssignControl(Form.get());
  }
  void TearDown() override {
    A.reset();
    B.reset();
    Form.reset();
    PumpPending();
  }
  LRESULT Probe() { return SendMessageA(Form->Handle(), kProbe, 0, 0); }

  std::vector<std::string> Log;
  std::unique_ptr<TProbeForm> Form;
  std::unique_ptr<TProbeHook> A, B;
};

TEST_F(SkHookWin32, TheLaterHookSeesTheMessageFirstInBothPhases) {
  EXPECT_EQ(Probe(), 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"b before", "a before", "window", "b after 5", "a after 5"}));
  EXPECT_EQ(SkHookedWindowCount(), 1u);
}

TEST_F(SkHookWin32, AHandledMessageNeverReachesTheWindow) {
  B->OnProbe = [](TProbeHook& h, TskMessage& m) {
    m.Result = 9;
    h.MarkHandled();
  };
  EXPECT_EQ(Probe(), 9);
  EXPECT_EQ(Log, (std::vector<std::string>{"b before"}));
}

TEST_F(SkHookWin32, TheHooksFollowTheWindowThroughReCreation) {
  HWND old = Form->Handle();
  Form->RecreateWnd();
  ASSERT_NE(Form->Handle(), old);
  PumpPending(); // the deferred rehook
  Log.clear();
  EXPECT_EQ(Probe(), 5);
  EXPECT_EQ(Log.front(), "b before");
  EXPECT_EQ(Log.size(), 5u);
}

TEST_F(SkHookWin32, ASubclasserAfterTheHooksKeepsItsPlaceWhenTheyLeave) {
  HWND w = Form->Handle();
  gForeignCalls = 0;
  gForeignPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(&ForeignProc)));
  A->SetActive(false);
  B->SetActive(false);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), LONG_PTR(&ForeignProc));
  Log.clear();
  // The message still reaches the window, through the subclasser and our left-over stub.
  EXPECT_EQ(Probe(), 5);
  EXPECT_EQ(gForeignCalls, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"window"}));
  SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(gForeignPrevious));
}

TEST_F(SkHookWin32, TheLastHooksLeavingRestoresTheProcedureAndFreesTheRecordLater) {
  HWND w = Form->Handle();
  B->OnProbe = [](TProbeHook& h, TskMessage&) { h.SetActive(false); }; // leaves mid-message
  const LONG_PTR hooked = GetWindowLongPtrA(w, GWLP_WNDPROC);
  EXPECT_EQ(Probe(), 5);
  A->SetActive(false);
  EXPECT_NE(GetWindowLongPtrA(w, GWLP_WNDPROC), hooked);
  EXPECT_EQ(SkHookedWindowCount(), 1u); // freed only from the utility window's queue
  PumpPending();
  EXPECT_EQ(SkHookedWindowCount(), 0u);
  Log.clear();
  EXPECT_EQ(Probe(), 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"window"}));
}

TEST_F(SkHookWin32, HooksJoiningAndComingBackUnderALaterSubclasserNeverGoRoundInACircle) {
  for (const TSubclasser& subclasser : kSubclassers) {
    SCOPED_TRACE(subclasser.Name);
    HWND w = Form->Handle();
    gForeignCalls = 0;
    subclasser.Put(w);
    const LONG_PTR top = GetWindowLongPtrA(w, GWLP_WNDPROC);
    // A hook joins; another leaves and comes back (it is the newest then).
    auto c = std::make_unique<TProbeHook>("c", Log);
    c->AssignControl(Form.get());
    A->SetActive(false);
    A->SetActive(true);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), top) << "the subclasser keeps its place";
    Log.clear();
    EXPECT_EQ(Probe(), 5);
    EXPECT_EQ(gForeignCalls, 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"a before", "c before", "b before", "window", "a after 5",
                                             "c after 5", "b after 5"}));
    // Every hook gone, then one back: the window still has each message once.
    c.reset();
    A->SetActive(false);
    B->SetActive(false);
    Log.clear();
    EXPECT_EQ(Probe(), 5);
    EXPECT_EQ(Log, (std::vector<std::string>{"window"}));
    B->SetActive(true);
    Log.clear();
    EXPECT_EQ(Probe(), 5);
    EXPECT_EQ(Log, (std::vector<std::string>{"b before", "window", "b after 5"}));
    EXPECT_EQ(gForeignCalls, 3);
    // The subclasser goes: the hooks are on top again.
    subclasser.Take(w);
    A->SetActive(true);
    Log.clear();
    EXPECT_EQ(Probe(), 5);
    EXPECT_EQ(Log, (std::vector<std::string>{"a before", "b before", "window", "a after 5", "b after 5"}));
    EXPECT_EQ(gForeignCalls, 3);
    PumpPending();
  }
}

TEST_F(SkHookWin32, TheLastHookLeavingInItsOwnHandlerStillLetsTheWindowHaveTheMessage) {
  B->SetActive(false);
  A->OnProbe = [](TProbeHook& h, TskMessage&) { h.SetActive(false); };
  EXPECT_EQ(Probe(), 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"a before", "window"}));
  PumpPending();
  EXPECT_EQ(SkHookedWindowCount(), 0u);
}

TEST_F(SkHookWin32, AClosedWindowIsNotMadeAgain) {
  Form->Close();
  PumpPending();
  EXPECT_FALSE(Form->HandleAllocated());
}

} // namespace
