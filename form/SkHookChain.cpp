#include "form/SkHookChain.h"

#include "framework/GuardedCall.h"

#include <algorithm>

TskHookChain::~TskHookChain() {
  FDestroying = true;
  while (!FHooks.empty()) {
    RemoveHook(*FHooks.back());
  }
}

void TskHookChain::AddHook(ISkMessageHook& hook) {
  if (!Contains(hook)) {
    FHooks.push_back(&hook);
    FLastHook = &hook;
  }
  InstallWindowProc();
}

void TskHookChain::RemoveHook(ISkMessageHook& hook) {
  const auto it = std::find(FHooks.begin(), FHooks.end(), &hook);
  if (it == FHooks.end()) {
    return;
  }
  FHooks.erase(it);
  FLastHook = nullptr;
  if (FHooks.empty()) {
    // The hook that leaves last is the one whose procedure is being taken away.
    RestoreWindowProc(&hook);
  }
}

bool TskHookChain::Contains(const ISkMessageHook& hook) const {
  return std::find(FHooks.begin(), FHooks.end(), &hook) != FHooks.end();
}

void TskHookChain::InstallWindowProc(bool makeWindow) {
  if (FHooks.empty() || FDestroying || FSlot.ControlDestroying()) {
    return;
  }
  if (makeWindow) {
    FSlot.EnsureWindow();
  }
  if (!FSlot.WindowExists()) {
    return;
  }
  const std::uintptr_t current = FSlot.CurrentProc();
  if (current == FStub || FSlot.ChainReaches(FStub)) {
    // Already there (perhaps under a subclasser that came later): putting it on top again
    // would save that subclasser as the procedure under the stub, and every message would go
    // round stub, subclasser, stub for ever.
    FPrevWndProc = FSlot.ProcUnderStub();
    FInstalledOverNone = FPrevWndProc == 0;
    FSlot.SetProcUnderStub(FPrevWndProc);
    return;
  }
  FPrevWndProc = current;
  FInstalledOverNone = current == 0;
  FSlot.SetProcUnderStub(current);
  FSlot.SetProc(FStub);
}

void TskHookChain::RestoreWindowProc(ISkMessageHook* restoring) {
  if (!Installed() || !FSlot.WindowExists()) {
    FPrevWndProc = 0;
    FInstalledOverNone = false;
    return;
  }
  if (FSlot.CurrentProc() == FStub) {
    if (restoring) {
      GuardedCall([&] { restoring->WindowProcRestoring(); });
    }
    FSlot.SetProc(FPrevWndProc);
    FSlot.ForgetProcUnderStub();
  }
  // Otherwise a later subclasser still calls the stub, which from now on passes every message
  // on to the procedure kept with the window.
  FPrevWndProc = 0;
  FInstalledOverNone = false;
}

void TskHookChain::RunHooks(TPhase phase, TskMessage& message, bool& handled) {
  if (FHooks.empty() || FDestroying || FSlot.ControlDestroying()) {
    return;
  }
  // A hook may add or remove hooks (itself included) while it runs: walk a copy and skip the
  // ones that have left meanwhile.
  const std::vector<ISkMessageHook*> hooks = FHooks;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if (!Contains(**it)) {
      continue;
    }
    const TCallOutcome outcome = CatchAll([&] {
      if (phase == TPhase::Before) {
        (*it)->BeforeWindowProc(message, handled);
      } else {
        (*it)->AfterWindowProc(message);
      }
    });
    if (outcome.End == TCallEnd::ceFailed) {
      FSlot.ReportError(outcome.Error.c_str());
    }
    if (handled) {
      break;
    }
  }
}

void TskHookChain::Dispatch(TskMessage& message) {
  ++FDepth;
  struct TDepth {
    int& Depth;
    ~TDepth() { --Depth; }
  } depth{FDepth};

  // Where the message goes on to is fixed on entry: a hook that leaves while it handles the
  // message (the last one gives the window its procedure back) must not lose the message.
  const std::uintptr_t prev = Installed() ? FPrevWndProc : FSlot.ProcUnderStub();
  bool handled = false;
  if (message.Msg != kSkMsgQuit) {
    RunHooks(TPhase::Before, message, handled);
  }
  if (!handled || message.Msg == kSkMsgDestroy) {
    // The window's own answer; the after-phase runs whatever happens in it.
    struct TAfter {
      TskHookChain& Chain;
      TskMessage& Message;
      ~TAfter() {
        bool ignored = false;
        Chain.RunHooks(TPhase::After, Message, ignored);
      }
    } after{*this, message};
    FSlot.CallProc(prev, message);
  }
  if (message.Msg == kSkMsgDestroy) {
    RestoreWindowProc(FLastHook);
    if (!FDestroying && !FSlot.ControlDestroying()) {
      FSlot.PostRehook();
    }
  }
}
