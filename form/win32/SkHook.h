#pragma once
// TSkHook: a component that sees every message of a windowed control before and after the
// control's own window procedure, and may keep a message from it, without the control's class
// knowing. Several hooks may watch one window; they share one replaced procedure, kept by a
// TControlHook per window in the process-wide THookList. Records are freed and windows
// re-hooked later, through the list's utility window, never from inside their own procedure.
#include "form/SkHookChain.h"
#include "framework/Component.h"

#include <windows.h>

class TWinControl;
class TForm;
class TControlHook;

class TSkHook : public TComponent, protected ISkMessageHook {
public:
  explicit TSkHook(TComponent* owner = nullptr);
  ~TSkHook() override;

  bool Active() const { return FActive; }
  virtual void SetActive(bool active);
  // The control to watch (null: none).
  void AssignControl(TWinControl* control);
  TWinControl* HookedControl() const;
  // The hooked control when it is a form.
  TForm* HookedForm() const;
  // The assigned control's window (made when it has none yet); null without a control.
  HWND HookedHandle() const;
  // Keeps the message being handled from the earlier hooks and the window's procedure.
  void MarkHandled() { FHandled = true; }

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;

protected:
  // The message's handler; the base handles nothing.
  virtual void HandleMessage(TskMessage& message) {}
  // Copies the caller's handled flag in, runs HandleMessage, copies it back (also when the
  // handler threw). The flag of an outer message survives nested ones.
  void BeforeWindowProc(TskMessage& message, bool& handled) override;
  void AfterWindowProc(TskMessage& message) override {}
  void WindowProcRestoring() override {}

private:
  friend class TControlHook;
  void AttachToControl();
  void DetachFromControl();

  bool FActive = true;
  TWinControl* FControl = nullptr;
  TControlHook* FControlHook = nullptr;
  bool FHandled = false;
};

// The private messages of the hook list's utility window.
inline constexpr UINT kTeRehook = 0xB0DE;
inline constexpr UINT kTeReleaseHook = 0xB0DF;

// How many windows are hooked now (for tests of the bookkeeping).
std::size_t SkHookedWindowCount();
