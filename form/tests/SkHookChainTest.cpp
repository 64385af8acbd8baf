// The hook chain against a fake procedure slot: order of the phases, handled messages, the
// destroy and quit messages, removal in any order (also from inside a hook), restoring the
// procedure that was there before, a subclasser that came later, and re-creation.
#include "form/SkHookChain.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::uintptr_t kStub = 0x5700, kOriginal = 0x1000, kForeign = 0x2000;

// A window's procedures: the original one, the stub, and subclassers that pass each message on
// to the procedure they replaced (the stub's chain when that is the stub).
struct TFakeSlot : ISkProcSlot {
  bool Exists = true;
  bool Dying = false;
  std::uintptr_t Proc = kOriginal;
  std::uintptr_t Under = 0; // kept with the window
  std::map<std::uintptr_t, std::uintptr_t> Subclassers;
  TskHookChain* Chain = nullptr;
  int Depth = 0;
  std::vector<std::string>* Log = nullptr;
  int Rehooks = 0;
  std::vector<std::string> Errors;

  bool WindowExists() const override { return Exists; }
  void EnsureWindow() override { Exists = true; }
  bool ControlDestroying() const override { return Dying; }
  std::uintptr_t CurrentProc() const override { return Proc; }
  void SetProc(std::uintptr_t proc) override { Proc = proc; }
  bool ChainReaches(std::uintptr_t stub) override {
    std::uintptr_t p = Proc;
    for (int i = 0; i < 16; ++i) {
      if (p == stub) {
        return true;
      }
      const auto it = Subclassers.find(p);
      if (it == Subclassers.end()) {
        return false;
      }
      p = it->second;
    }
    return false;
  }
  std::uintptr_t ProcUnderStub() const override { return Under; }
  void SetProcUnderStub(std::uintptr_t proc) override { Under = proc; }
  void ForgetProcUnderStub() override { Under = 0; }
  void CallProc(std::uintptr_t proc, TskMessage& m) override;
  // A subclasser put in now, on top of whatever the window's procedure is.
  void Subclass(std::uintptr_t proc) {
    Subclassers[proc] = Proc;
    Proc = proc;
  }
  // A message as the platform delivers it: to the window's current procedure.
  std::intptr_t Deliver(std::uint32_t msg) {
    TskMessage m{msg};
    CallProc(Proc, m);
    return m.Result;
  }
  void PostRehook() override { ++Rehooks; }
  void ReportError(const char* what) noexcept override { Errors.emplace_back(what); }
};

void TFakeSlot::CallProc(std::uintptr_t proc, TskMessage& m) {
  if (proc == kStub) {
    Chain->Dispatch(m);
    return;
  }
  Log->push_back("proc " + std::to_string(proc) + " " + std::to_string(m.Msg));
  const auto it = Subclassers.find(proc);
  if (it == Subclassers.end()) {
    m.Result = 42;
    return;
  }
  if (Depth == 8) {
    Log->push_back("round and round");
    return;
  }
  ++Depth;
  CallProc(it->second, m);
  --Depth;
}

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

  HookChain() {
    Slot.Log = &Log;
    Slot.Chain = &Chain;
  }
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

TEST_F(HookChain, ASubclasserOverTheStubKeepsItsPlaceAndNothingRunsInACircle) {
  Chain.AddHook(A);
  Slot.Subclass(kForeign); // someone subclassed the window after us
  const std::vector<std::string> throughBoth{"proc 8192 9", "b before 9", "a before 9",
                                             "proc 4096 9", "b after 9",  "a after 9"};
  const std::vector<std::string> throughNone{"proc 8192 9", "proc 4096 9"};
  const std::vector<std::string> throughA{"proc 8192 9", "a before 9", "proc 4096 9", "a after 9"};
  struct TStep {
    const char* What;
    std::function<void()> Do;
    const std::vector<std::string>& Seen;
  } steps[] = {
      {"a second hook joins", [&] { Chain.AddHook(B); }, throughBoth},
      {"installed once more", [&] { Chain.InstallWindowProc(); }, throughBoth},
      {"both leave",
       [&] {
         Chain.RemoveHook(B);
         Chain.RemoveHook(A);
       },
       throughNone},
      {"one comes back", [&] { Chain.AddHook(A); }, throughA},
  };
  for (const TStep& step : steps) {
    step.Do();
    Log.clear();
    EXPECT_EQ(Slot.Deliver(9), 42) << step.What;
    EXPECT_EQ(Log, step.Seen) << step.What;
    EXPECT_EQ(Slot.Proc, kForeign) << step.What;
  }
  EXPECT_EQ(Chain.PrevWndProc(), kOriginal);
  EXPECT_EQ(A.Restorings, 0);
}

TEST_F(HookChain, TheLastHookLeavingInItsOwnHandlerStillLetsTheWindowHaveTheMessage) {
  Chain.AddHook(A);
  A.Before = [&](TskMessage&, bool&) { Chain.RemoveHook(A); };
  EXPECT_EQ(Slot.Deliver(0x20), 42);
  EXPECT_EQ(Log, (std::vector<std::string>{"a before 32", "proc 4096 32"}));
  EXPECT_EQ(Slot.Proc, kOriginal);
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
