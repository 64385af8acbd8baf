#pragma once
// TskHookChain: the bookkeeping of one hooked window. The window's procedure is replaced by a
// stub that enters Dispatch; every hook attached to the window sees each message before the
// previous procedure (and may keep it from it) and after it. Hooks are walked newest first.
//
// The window itself is reached through ISkProcSlot, so the chain runs with a fake slot in the
// tests and with a real window procedure on the platform.
#include <cstdint>
#include <vector>

// One message as the hooks see it; Result is what the window procedure answers.
struct TskMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Message numbers the chain treats specially.
inline constexpr std::uint32_t kSkMsgDestroy = 0x0002;
inline constexpr std::uint32_t kSkMsgQuit = 0x0012;

class ISkMessageHook {
public:
  virtual ~ISkMessageHook() = default;
  // Before the window's procedure; setting handled keeps the message from the hooks added
  // earlier and from the procedure (except the destroy message, which always reaches it).
  virtual void BeforeWindowProc(TskMessage& message, bool& handled) = 0;
  // After the window's procedure, also when it threw.
  virtual void AfterWindowProc(TskMessage& message) = 0;
  // The previous procedure is about to be written back.
  virtual void WindowProcRestoring() = 0;
};

// A window's procedure slot and the platform services the chain needs. Procedures are opaque
// addresses; 0 is none.
class ISkProcSlot {
public:
  virtual ~ISkProcSlot() = default;
  virtual bool WindowExists() const = 0;
  // Creates the window when it has none yet.
  virtual void EnsureWindow() = 0;
  // The control behind the window is being destroyed: messages bypass the hooks.
  virtual bool ControlDestroying() const = 0;
  virtual std::uintptr_t CurrentProc() const = 0;
  virtual void SetProc(std::uintptr_t proc) = 0;
  // Whether a message handed to the window's current procedure arrives at `stub`: the stub is
  // somewhere in the window's chain of procedures, perhaps under subclassers that came later.
  virtual bool ChainReaches(std::uintptr_t stub) = 0;
  // The procedure under the stub, kept with the window rather than with the chain, so that a
  // stub left under a later subclasser still passes messages on when the chain has let go of
  // it; 0 when none is kept.
  virtual std::uintptr_t ProcUnderStub() const = 0;
  virtual void SetProcUnderStub(std::uintptr_t proc) = 0;
  virtual void ForgetProcUnderStub() = 0;
  // Calls proc with the message (proc 0: the window class's own procedure) and stores its
  // answer in message.Result.
  virtual void CallProc(std::uintptr_t proc, TskMessage& message) = 0;
  // Asks, later and outside any dispatch, for the stub to be put into a re-created window.
  virtual void PostRehook() = 0;
  // Shows an error a hook raised; must not throw.
  virtual void ReportError(const char* what) noexcept = 0;
};

class TskHookChain {
public:
  TskHookChain(ISkProcSlot& slot, std::uintptr_t stub) : FSlot(slot), FStub(stub) {}
  // Removes the hooks (newest first, the last removal restores the procedure).
  ~TskHookChain();
  TskHookChain(const TskHookChain&) = delete;
  TskHookChain& operator=(const TskHookChain&) = delete;

  // Appends the hook once, then installs the stub (installing twice is harmless).
  void AddHook(ISkMessageHook& hook);
  // Removes the hook; the last removal tells that hook and restores the procedure.
  void RemoveHook(ISkMessageHook& hook);
  bool Contains(const ISkMessageHook& hook) const;
  bool Empty() const { return FHooks.empty(); }
  std::size_t HookCount() const { return FHooks.size(); }
  // The hook added last, until the next removal.
  ISkMessageHook* LastHook() const { return FLastHook; }

  // Puts the stub in when hooks are attached and the window exists (or, with makeWindow, can
  // be made). A stub that is in the window's chain already, on top or under a later
  // subclasser, is taken over as it is: installing twice is harmless.
  void InstallWindowProc(bool makeWindow = true);
  // Writes the saved procedure back when the stub is still the window's procedure; restoring
  // is told to `restoring`. Under a subclasser that came after it the stub stays and passes
  // every message on to the procedure that was there before it.
  void RestoreWindowProc(ISkMessageHook* restoring);
  std::uintptr_t PrevWndProc() const { return FPrevWndProc; }
  // The stub to put in; changes only while it is not installed.
  void SetStub(std::uintptr_t stub) {
    if (!Installed()) {
      FStub = stub;
    }
  }
  bool Installed() const { return FPrevWndProc != 0 || FInstalledOverNone; }

  // The stub's work for one message.
  void Dispatch(TskMessage& message);
  // Whether a call into the window's procedure through this chain is on the stack: the chain
  // must not be freed then.
  bool InDispatch() const { return FDepth > 0; }

  // Messages from now on bypass the hooks.
  void BeginDestroy() { FDestroying = true; }
  bool Destroying() const { return FDestroying; }

private:
  enum class TPhase { Before, After };
  void RunHooks(TPhase phase, TskMessage& message, bool& handled);

  ISkProcSlot& FSlot;
  std::uintptr_t FStub;
  std::uintptr_t FPrevWndProc = 0;
  bool FInstalledOverNone = false;
  std::vector<ISkMessageHook*> FHooks;
  ISkMessageHook* FLastHook = nullptr;
  bool FDestroying = false;
  int FDepth = 0;
};
