// The hook chain against a fake procedure slot: order of the phases, handled messages, the
// destroy and quit messages, removal in any order (also from inside a hook), restoring the
// procedure that was there before, a subclasser that came later, and re-creation.
#include "form/SkHookChain.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::uintptr_t kStub = 0x5700, kOriginal = 0x1000, kForeign = 0x2000;

struct TFakeSlot : ISkProcSlot {
  bool Exists = true;
  bool Dying = false;
  std::uintptr_t Proc = kOriginal;
  std::vector<std::string>* Log = nullptr;
  int Rehooks = 0;
  std::vector<std::string> Errors;

  bool WindowExists() const override { return Exists; }
  void EnsureWindow() override { Exists = true; }
  bool ControlDestroying() const override { return Dying; }
  std::uintptr_t CurrentProc() const override { return Proc; }
  void SetProc(std::uintptr_t proc) override { Proc = proc; }
  void CallProc(std::uintptr_t proc, TskMessage& m) override {
    Log->push_back("proc " + std::to_string(proc) + " " + std::to_string(m.Msg));
    m.Result = 42;
  }
  void PostRehook() override { ++Rehooks; }
  void ReportError(const char* what) noexcept override { Errors.emplace_back(what); }
};

struct TRecHook : ISkMessageHook {
  std::string Name;
  std::vector<std::string>* Log;
  std::function<void(TskMessage&, bool&)> Before;
  int Restorings = 0;
  TRecHook(std::string name, std::vector<std::string>* log) : Name(std::move(name)), Log(log) {}
  void BeforeWindowProc(TskMessage& m, bool& handled) override {
    Log->push_back(Name + " before " + std::to_string(m.Msg));
    if (Before) {
      Before(m, handled);
    }
  }
  void AfterWindowProc(TskMessage& m) override { Log->push_back(Name + " after " + std::to_string(m.Msg)); }
  void WindowProcRestoring() override { ++Restorings; }
};

struct HookChain : ::testing::Test {
  std::vector<std::string> Log;
  TFakeSlot Slot;
  TRecHook A{"a", &Log}, B{"b", &Log}, C{"c", &Log};
  TskHookChain Chain{Slot, kStub}; // after the hooks: it goes first

  HookChain() { Slot.Log = &Log; }
  std::intptr_t Send(std::uint32_t msg) {
    TskMessage m{msg};
    Chain.Dispatch(m);
    return m.Result;
  }
};

TEST_F(HookChain, LaterHookSeesEachPhaseFirstAndTheWindowAnswers) {
  Chain.AddHook(A);
  Chain.AddHook(B);
  Chain.AddHook(A); // once only
  EXPECT_EQ(Chain.HookCount(), 2u);
  EXPECT_EQ(Slot.Proc, kStub);
  EXPECT_EQ(Send(0x0F), 42);
  EXPECT_EQ(Log, (std::vector<std::string>{"b before 15", "a before 15", "proc 4096 15", "b after 15",
                                           "a after 15"}));
}

TEST_F(HookChain, HandledStopsEarlierHooksAndTheWindowExceptForDestroy) {
  Chain.AddHook(A);
  Chain.AddHook(B);
  B.Before = [](TskMessage& m, bool& handled) {
    handled = true;
    m.Result = 7;
  };
  EXPECT_EQ(Send(0x84), 7);
  EXPECT_EQ(Log, (std::vector<std::string>{"b before 132"}));
  Log.clear();
  Send(kSkMsgDestroy);
  EXPECT_EQ(Log, (std::vector<std::string>{"b before 2", "proc 4096 2", "b after 2", "a after 2"}));
  // The destroyed window's procedure is given back, the hook told, and a rehook is asked for.
  EXPECT_EQ(Slot.Proc, kOriginal);
  EXPECT_EQ(B.Restorings, 1);
  EXPECT_EQ(Slot.Rehooks, 1);
}

TEST_F(HookChain, QuitSkipsTheBeforePhaseOnly) {
  Chain.AddHook(A);
  Send(kSkMsgQuit);
  EXPECT_EQ(Log, (std::vector<std::string>{"proc 4096 18", "a after 18"}));
}

TEST_F(HookChain, RemovalInAnyOrderRestoresTheOriginalOnceAndTellsTheLastHook) {
  for (bool firstFirst : {true, false}) {
    TFakeSlot slot;
    slot.Log = &Log;
    TRecHook a{"a", &Log}, b{"b", &Log};
    TskHookChain chain(slot, kStub);
    chain.AddHook(a);
    chain.AddHook(b);
    chain.RemoveHook(firstFirst ? a : b);
    EXPECT_EQ(slot.Proc, kStub);
    chain.RemoveHook(firstFirst ? b : a);
    EXPECT_EQ(slot.Proc, kOriginal);
    EXPECT_EQ((firstFirst ? b : a).Restorings, 1);
    EXPECT_EQ((firstFirst ? a : b).Restorings, 0);
    EXPECT_FALSE(chain.Installed());
  }
}

TEST_F(HookChain, ASubclasserAfterUsKeepsItsPlace) {
  Chain.AddHook(A);
  Slot.Proc = kForeign; // someone subclassed the window after us
  Chain.RemoveHook(A);
  EXPECT_EQ(Slot.Proc, kForeign);
  EXPECT_EQ(A.Restorings, 0);
  // Added again, the chain saves the subclasser as the procedure before it.
  Chain.AddHook(A);
  EXPECT_EQ(Chain.PrevWndProc(), kForeign);
}

TEST_F(HookChain, AHookMayLeaveOrAddDuringDispatch) {
  Chain.AddHook(A);
  Chain.AddHook(B);
  B.Before = [&](TskMessage&, bool&) {
    Chain.RemoveHook(B);
    Chain.RemoveHook(A);
    Chain.AddHook(C);
  };
  Send(0x20);
  // A left before its turn; c joined after the walk began and sees the next message.
  EXPECT_EQ(Log, (std::vector<std::string>{"b before 32", "proc 4096 32", "c after 32"}));
  EXPECT_TRUE(Chain.Contains(C));
  EXPECT_EQ(Slot.Proc, kStub);
}

TEST_F(HookChain, InDispatchWhileTheWindowProcedureRuns) {
  Chain.AddHook(A);
  bool seen = false;
  A.Before = [&](TskMessage&, bool&) { seen = Chain.InDispatch(); };
  Send(1);
  EXPECT_TRUE(seen);
  EXPECT_FALSE(Chain.InDispatch());
}

TEST_F(HookChain, AThrowingHookIsReportedAndTheMessageGoesOn) {
  Chain.AddHook(A);
  Chain.AddHook(B);
  B.Before = [](TskMessage&, bool&) { throw std::runtime_error("hook broke"); };
  EXPECT_EQ(Send(3), 42);
  EXPECT_EQ(Slot.Errors, (std::vector<std::string>{"hook broke"}));
  EXPECT_EQ(Log[1], "a before 3");
}

TEST_F(HookChain, DestroyingControlBypassesHooksAndRecreationRehooks) {
  Chain.AddHook(A);
  Slot.Dying = true;
  Send(5);
  EXPECT_EQ(Log, (std::vector<std::string>{"proc 4096 5"}));
  Slot.Dying = false;
  Log.clear();
  // Re-creation: the window is destroyed, a new one comes with the original procedure.
  Send(kSkMsgDestroy);
  EXPECT_EQ(Slot.Rehooks, 1);
  Slot.Proc = kOriginal;
  Chain.InstallWindowProc();
  EXPECT_EQ(Slot.Proc, kStub);
  Send(6);
  EXPECT_EQ(Log.back(), "a after 6");
}

TEST_F(HookChain, NoWindowNoInstallUntilOneExists) {
  struct TLazySlot : TFakeSlot {
    void EnsureWindow() override {}
  } slot;
  slot.Exists = false;
  slot.Log = &Log;
  TskHookChain chain(slot, kStub);
  chain.AddHook(A);
  EXPECT_EQ(slot.Proc, kOriginal);
  slot.Exists = true;
  chain.InstallWindowProc();
  EXPECT_EQ(slot.Proc, kStub);
}

} // namespace
