#pragma once
// Drives a running tabira.exe from outside, as a person would: real keystrokes and mouse
// clicks through SendInput, the fields read with WM_GETTEXT, message boxes found by their
// caption and dismissed with their OK button.
#include "framework/win32/Handles.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>

// Overrides the user's currency digit count (HKCU\Control Panel\International) for the
// programs started while the guard lives, and puts the old value back.
class TCurrencyDigitsOverride {
public:
  explicit TCurrencyDigitsOverride(const char* digits);
  ~TCurrencyDigitsOverride();
  TCurrencyDigitsOverride(const TCurrencyDigitsOverride&) = delete;
  TCurrencyDigitsOverride& operator=(const TCurrencyDigitsOverride&) = delete;

private:
  std::optional<std::string> FOld;
};

// A started program: owns its process and thread handles, and ends the program (forcibly)
// when it is still running as the owner goes, so that no test leaves it behind.
// tabira.exe beside the running test program.
std::string TabiraExePath();
// Another program beside the running test program.
std::string ProgramBesideThisTest(const char* name);

class TChildProcess {
public:
  // Starts the program (with `args`, UTF-8, as its command line's arguments); throws
  // std::runtime_error when it cannot be started.
  explicit TChildProcess(const std::string& exe, const std::string& args = {});
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  HANDLE Process() const { return FProcess.Get(); }
  DWORD Id() const { return FId; }
  bool Running() const { return WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT; }
  // Waits up to timeoutMs for the program to end, then ends it; answers its exit code.
  DWORD WaitForExit(DWORD timeoutMs);

private:
  TKernelHandle FProcess;
  TKernelHandle FThread;
  DWORD FId = 0;
};

class TTabiraDriver {
public:
  // Starts tabira.exe (beside the test program, with `args` on its command line) and waits
  // for its window. When that fails, the program is ended before the exception leaves.
  explicit TTabiraDriver(const std::string& args = {});
  // Closes the window and waits for the process to end.
  ~TTabiraDriver();
  TTabiraDriver(const TTabiraDriver&) = delete;
  TTabiraDriver& operator=(const TTabiraDriver&) = delete;

  HWND Window() const { return FWindow; }
  DWORD ProcessId() const { return FProcess.Id(); }
  // Ends the program through its close box; answers its exit code.
  DWORD Close();
  // Waits for the program to end by itself; answers its exit code (STILL_ACTIVE on timeout).
  DWORD WaitForExit(DWORD timeoutMs) { return FProcess.WaitForExit(timeoutMs); }

  // A child window by its bounds relative to its parent's client area, as the layout
  // states them; nullptr when none has them.
  HWND ChildAt(HWND parent, int left, int top, int width, int height) const;
  // The amount field or button of the given name.
  HWND Control(const std::string& name) const;

  std::string Text(const std::string& name) const;
  HWND Focus() const;

  // Input, each followed by waiting until the program has handled it.
  void Click(const std::string& name);
  void Type(const std::string& keys); // characters as typed; '\t' is Tab, '\b' Backspace
  void Press(WORD vk, WORD modifier = 0);
  void SelectAllIn(const std::string& name); // click, Home, Shift+End
  void Replace(const std::string& name, const std::string& keys);

  // The message box the program shows: its caption and text; nullopt when none appears
  // within timeoutMs. DismissMessage presses its OK button.
  struct TMessage {
    std::string Caption;
    std::string Text;
  };
  std::optional<TMessage> WaitForMessage(DWORD timeoutMs = 3000) const;
  void DismissMessage();
  HWND MessageBoxWindow() const;

  // Waits until the program's thread is idle (all queued input handled).
  void Settle() const;

private:
  TChildProcess FProcess;
  HWND FWindow = nullptr;
  DWORD FThread = 0;
  std::map<std::string, HWND> FControls;
};
