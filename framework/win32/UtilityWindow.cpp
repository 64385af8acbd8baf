#include "framework/win32/UtilityWindow.h"

#include "framework/GuardedCall.h"

#include <stdexcept>

namespace {
constexpr char kClassName[] = "Tabira.Utility";
}

TUtilityWindow::TUtilityWindow(THandler handler, TKind kind) : FHandler(std::move(handler)) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      throw std::runtime_error("cannot register the utility window class");
    }
    registered = true;
  }
  FWindow.Reset(CreateWindowExA(0, kClassName, "", kind == TKind::TopLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                                kind == TKind::MessageOnly ? HWND_MESSAGE : nullptr, nullptr,
                                GetModuleHandleA(nullptr), this));
  if (!FWindow) {
    throw std::runtime_error("cannot create a utility window");
  }
}

TUtilityWindow::~TUtilityWindow() {
  if (FWindow) {
    SetWindowLongPtrA(FWindow.Get(), GWLP_USERDATA, 0);
  }
}

LRESULT CALLBACK TUtilityWindow::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TUtilityWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  }
  if (self && self->FHandler) {
    bool handled = true; // stays so when the handler throws: the message has ended
    const LRESULT result = GuardedCall(LRESULT{0}, [&] {
      LRESULT r = 0;
      handled = self->FHandler(msg, wparam, lparam, r);
      return r;
    });
    if (handled) {
      return result;
    }
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}
