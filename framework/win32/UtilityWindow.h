#pragma once
// TUtilityWindow: a hidden window that hands its messages to a function; for timers and
// broadcast notifications that belong to no visible control. Message-only unless asked to
// be a top-level window (which broadcasts such as WM_THEMECHANGED reach). The handler runs
// under the callback guard (framework/GuardedCall.h): when it throws, the message has ended.
#include "framework/win32/Handles.h"

#include <functional>

class TUtilityWindow {
public:
  using THandler = std::function<bool(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result)>;
  enum class TKind { MessageOnly, TopLevel };

  explicit TUtilityWindow(THandler handler, TKind kind = TKind::MessageOnly);
  ~TUtilityWindow();
  TUtilityWindow(const TUtilityWindow&) = delete;
  TUtilityWindow& operator=(const TUtilityWindow&) = delete;

  HWND Handle() const { return FWindow.Get(); }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  THandler FHandler;
  TWindowHandle FWindow;
};
