#include "form/win32/SkHook.h"

#include "framework/GuardedCall.h"
#include "framework/PropertyTable.h"
#include "framework/win32/Form.h"
#include "framework/win32/UtilityWindow.h"

#include <algorithm>
#include <memory>
#include <vector>

// One hooked window: the platform side of a TskHookChain.
class TControlHook : public ISkProcSlot {
public:
  explicit TControlHook(TWinControl* control) : FControl(control) {}
  ~TControlHook() override {
    FChain.BeginDestroy();
    while (!FHooks.empty()) {
      RemoveHook(*FHooks.back());
    }
  }

  TWinControl* Control() const { return FControl; }
  TskHookChain& Chain() { return FChain; }
  HWND Window() const { return FControl && FControl->HandleAllocated() ? FControl->Handle() : nullptr; }
  // The window the stub was last put into (kept apart from the control, which may be gone).
  HWND HookedWindow() const { return FHookedWindow; }

  void AddHook(TSkHook& hook) {
    if (std::find(FHooks.begin(), FHooks.end(), &hook) == FHooks.end()) {
      FHooks.push_back(&hook);
      hook.FControlHook = this;
    }
    FChain.AddHook(hook);
  }
  void RemoveHook(TSkHook& hook) {
    hook.FControlHook = nullptr;
    FHooks.erase(std::remove(FHooks.begin(), FHooks.end(), &hook), FHooks.end());
    FChain.RemoveHook(hook);
    if (FHooks.empty()) {
      // Nothing watches the control any more: the record waits for its release without it,
      // since the control may be freed before then.
      FControl = nullptr;
      FHookedWindow = nullptr;
    }
  }

  // ISkProcSlot.
  bool WindowExists() const override { return Window() != nullptr && IsWindow(Window()); }
  // The stub's work for one message of `window` (the window the message is for, kept for the
  // call even when the last hook lets go of the control meanwhile).
  void Dispatch(HWND window, TskMessage& m) {
    const HWND outer = FDispatchWindow;
    FDispatchWindow = window;
    struct TBack {
      HWND& Slot;
      HWND Outer;
      ~TBack() { Slot = Outer; }
    } back{FDispatchWindow, outer};
    FChain.Dispatch(m);
  }
  void EnsureWindow() override {
    if (FControl && !FControl->HandleAllocated() && !FControl->IsDestroying()) {
      FControl->CreateHandle();
    }
  }
  bool ControlDestroying() const override { return !FControl || FControl->IsDestroying(); }
  std::uintptr_t CurrentProc() const override {
    HWND w = Window();
    return IsWindowUnicode(w) ? GetWindowLongPtrW(w, GWLP_WNDPROC) : GetWindowLongPtrA(w, GWLP_WNDPROC);
  }
  void SetProc(std::uintptr_t proc) override {
    HWND w = Window();
    FHookedWindow = w;
    if (IsWindowUnicode(w)) {
      SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(proc));
    } else {
      SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(proc));
    }
  }
  void CallProc(std::uintptr_t proc, TskMessage& m) override;
  bool ChainReaches(std::uintptr_t stub) override;
  std::uintptr_t ProcUnderStub() const override {
    return reinterpret_cast<std::uintptr_t>(GetPropW(TargetWindow(), kProcUnderStubProp));
  }
  void SetProcUnderStub(std::uintptr_t proc) override {
    HWND w = Window();
    FHookedWindow = w;
    SetPropW(w, kProcUnderStubProp, reinterpret_cast<HANDLE>(proc));
  }
  void ForgetProcUnderStub() override { RemovePropW(Window(), kProcUnderStubProp); }
  void PostRehook() override;
  void ReportError(const char* what) noexcept override { ReportCallbackError(what); }

  static std::uintptr_t StubFor(HWND window);

  // The window property that keeps the procedure under the stub.
  static constexpr const wchar_t* kProcUnderStubProp = L"TabiraHookProcUnderStub";

private:
  // The window messages are for now: the one being dispatched, else the control's.
  HWND TargetWindow() const { return FDispatchWindow ? FDispatchWindow : Window(); }

  TWinControl* FControl;
  HWND FHookedWindow = nullptr;
  HWND FDispatchWindow = nullptr;
  std::vector<TSkHook*> FHooks;
  TskHookChain FChain{*this, 0};
};

namespace {

LRESULT CALLBACK StubProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK StubProcW(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

} // namespace

// The process-wide list of hooked windows, with the utility window for deferred work.
class THookList {
public:
  static THookList& Instance() {
    static THookList list;
    return list;
  }
  static THookList* IfExists() { return Alive() ? &Instance() : nullptr; }

  TControlHook* FindControlHook(const TWinControl* control) const {
    if (!control) {
      return nullptr;
    }
    for (const auto& record : FRecords) {
      if (record->Control() == control) {
        return record.get();
      }
    }
    return nullptr;
  }
  TControlHook* FindByWindow(HWND window) const {
    for (const auto& record : FRecords) {
      if (record->HookedWindow() == window) {
        return record.get();
      }
    }
    return nullptr;
  }
  TControlHook* ControlHookFor(TWinControl* control) {
    if (TControlHook* found = FindControlHook(control)) {
      return found;
    }
    FRecords.push_back(std::make_unique<TControlHook>(control));
    return FRecords.back().get();
  }
  bool Contains(const TControlHook* record) const {
    return std::any_of(FRecords.begin(), FRecords.end(), [&](const auto& r) { return r.get() == record; });
  }
  void Post(UINT msg, TControlHook* record) {
    if (FWindow.Handle()) {
      PostMessageA(FWindow.Handle(), msg, 0, reinterpret_cast<LPARAM>(record));
    }
  }
  std::size_t Count() const { return FRecords.size(); }

  ~THookList() {
    Alive() = false;
    while (!FRecords.empty()) {
      std::unique_ptr<TControlHook> last = std::move(FRecords.back());
      FRecords.pop_back();
    }
  }

private:
  THookList()
      : FWindow([this](UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
          return Deferred(msg, lparam, result);
        }) {
    Alive() = true;
  }
  static bool& Alive() {
    static bool alive = false;
    return alive;
  }
  bool Deferred(UINT msg, LPARAM lparam, LRESULT& result) {
    auto* record = reinterpret_cast<TControlHook*>(lparam);
    if (msg == kTeRehook) {
      // Only a window the framework has made again is hooked: a closed one stays closed.
      if (Contains(record)) {
        record->Chain().InstallWindowProc(false);
      }
      result = 0;
      return true;
    }
    if (msg == kTeReleaseHook) {
      if (Contains(record) && record->Chain().Empty()) {
        if (record->Chain().InDispatch()) {
          // Its procedure is still on the stack: try again once it has returned.
          Post(kTeReleaseHook, record);
        } else {
          auto it = std::find_if(FRecords.begin(), FRecords.end(),
                                 [&](const auto& r) { return r.get() == record; });
          std::unique_ptr<TControlHook> freed = std::move(*it);
          FRecords.erase(it);
        }
      }
      result = 0;
      return true;
    }
    return false;
  }

  std::vector<std::unique_ptr<TControlHook>> FRecords;
  TUtilityWindow FWindow;
};

std::uintptr_t TControlHook::StubFor(HWND window) {
  return IsWindowUnicode(window) ? reinterpret_cast<std::uintptr_t>(&StubProcW)
                                 : reinterpret_cast<std::uintptr_t>(&StubProcA);
}

void TControlHook::CallProc(std::uintptr_t proc, TskMessage& m) {
  HWND w = TargetWindow();
  const bool wide = IsWindowUnicode(w) != FALSE;
  if (!proc) {
    proc = wide ? GetClassLongPtrW(w, GCLP_WNDPROC) : GetClassLongPtrA(w, GCLP_WNDPROC);
  }
  const auto fn = reinterpret_cast<WNDPROC>(proc);
  m.Result = wide ? CallWindowProcW(fn, w, m.Msg, m.WParam, m.LParam)
                  : CallWindowProcA(fn, w, m.Msg, m.WParam, m.LParam);
}

namespace {

// A message that only the stub answers (with kProbeAnswer): every other procedure passes an
// unknown registered message on, so it reaches the stub wherever the stub is in a chain.
UINT ProbeMessage() {
  static const UINT message = RegisterWindowMessageW(L"TabiraHookStubProbe");
  return message;
}
constexpr WPARAM kProbeAsk = 0x53746221;
constexpr LRESULT kProbeAnswer = 0x53746222;

} // namespace

bool TControlHook::ChainReaches(std::uintptr_t stub) {
  HWND w = Window();
  if (!w || !ProbeMessage()) {
    return false;
  }
  const std::uintptr_t current = CurrentProc();
  if (current == stub) {
    return true;
  }
  TskMessage probe{ProbeMessage(), kProbeAsk, 0, 0};
  CallProc(current, probe);
  return probe.Result == kProbeAnswer;
}

void TControlHook::PostRehook() {
  if (THookList* list = THookList::IfExists()) {
    list->Post(kTeRehook, this);
  }
}

namespace {

LRESULT StubProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, bool wide) {
  if (msg == ProbeMessage() && wparam == kProbeAsk) {
    return kProbeAnswer;
  }
  TControlHook* record = THookList::IfExists() ? THookList::Instance().FindByWindow(hwnd) : nullptr;
  LRESULT result = 0;
  if (!record) {
    // A window our stub was left in (a later subclasser kept it there): the procedure that was
    // there before the stub, else the class's.
    auto proc = reinterpret_cast<WNDPROC>(GetPropW(hwnd, TControlHook::kProcUnderStubProp));
    if (!proc) {
      proc = reinterpret_cast<WNDPROC>(wide ? GetClassLongPtrW(hwnd, GCLP_WNDPROC)
                                            : GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    }
    result = wide ? CallWindowProcW(proc, hwnd, msg, wparam, lparam)
                  : CallWindowProcA(proc, hwnd, msg, wparam, lparam);
  } else {
    TskMessage m{msg, wparam, lparam, 0};
    record->Dispatch(hwnd, m);
    result = m.Result;
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, TControlHook::kProcUnderStubProp);
  }
  return result;
}

LRESULT CALLBACK StubProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return StubProc(hwnd, msg, wparam, lparam, false);
}
LRESULT CALLBACK StubProcW(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return StubProc(hwnd, msg, wparam, lparam, true);
}

} // namespace

std::size_t SkHookedWindowCount() {
  THookList* list = THookList::IfExists();
  return list ? list->Count() : 0;
}

// ---- TSkHook ----

TSkHook::TSkHook(TComponent* owner) : TComponent(owner) {}

TSkHook::~TSkHook() {
  SetActive(false);
  AssignControl(nullptr);
}

void TSkHook::SetActive(bool active) {
  if (active == FActive) {
    return;
  }
  if (active) {
    AttachToControl();
  } else {
    DetachFromControl();
  }
}

void TSkHook::AttachToControl() {
  if (FControl && !IsDestroying()) {
    THookList& list = THookList::Instance();
    TControlHook* record = list.ControlHookFor(FControl);
    record->EnsureWindow();
    if (record->Window()) {
      // The stub matches the window's character set.
      record->Chain().SetStub(TControlHook::StubFor(record->Window()));
    }
    record->AddHook(*this);
  }
  FActive = true;
}

void TSkHook::DetachFromControl() {
  if (TControlHook* record = FControlHook) {
    record->RemoveHook(*this);
    if (record->Chain().Empty()) {
      if (THookList* list = THookList::IfExists()) {
        list->Post(kTeReleaseHook, record);
      }
    }
  }
  FActive = false;
}

void TSkHook::AssignControl(TWinControl* control) {
  if (control == HookedControl()) {
    return;
  }
  const bool wasActive = FActive;
  DetachFromControl();
  FControl = control;
  if (wasActive) {
    AttachToControl();
  }
  FActive = wasActive;
}

TWinControl* TSkHook::HookedControl() const { return FControlHook ? FControlHook->Control() : FControl; }

TForm* TSkHook::HookedForm() const { return dynamic_cast<TForm*>(HookedControl()); }

HWND TSkHook::HookedHandle() const {
  if (!FControl) {
    return nullptr;
  }
  if (!FControl->HandleAllocated()) {
    FControl->CreateHandle();
  }
  return FControl->Handle();
}

void TSkHook::BeforeWindowProc(TskMessage& message, bool& handled) {
  const bool outer = FHandled;
  FHandled = handled;
  struct TBack {
    TSkHook& Hook;
    bool& Handled;
    bool Outer;
    ~TBack() {
      Handled = Hook.FHandled;
      Hook.FHandled = Outer;
    }
  } back{*this, handled, outer};
  HandleMessage(message);
}

TPropertyResult TSkHook::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TSkHook>;
  static const P kTable{{"Active", P::Bool([](TSkHook& h, bool v) { h.FActive = v; })}};
  if (auto r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TComponent::ReadProperty(name, value);
}
