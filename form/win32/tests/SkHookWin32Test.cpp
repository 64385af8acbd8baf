// Hooks on real windows (Wine in the test runs; no drawing, so no look is involved): the order
// in which hooks see messages, a message kept from the window, re-creation of the window, a
// subclasser that came after the hook, a hook that leaves while it handles a message, and the
// deferred release of the window's record.
#include "form/win32/SkHook.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"

#include <windows.h>

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

TEST_F(SkHookWin32, AClosedWindowIsNotMadeAgain) {
  Form->Close();
  PumpPending();
  EXPECT_FALSE(Form->HandleAllocated());
}

} // namespace
