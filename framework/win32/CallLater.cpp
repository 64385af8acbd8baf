#include "framework/win32/CallLater.h"

#include "framework/GuardedCall.h"

#include <map>
#include <utility>

namespace {

std::map<UINT_PTR, std::function<void()>>& Pending() {
  static std::map<UINT_PTR, std::function<void()>> pending;
  return pending;
}

void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const auto it = Pending().find(id);
  if (it == Pending().end()) {
    return;
  }
  std::function<void()> work = std::move(it->second);
  Pending().erase(it);
  // Nothing may leave a timer callback.
  GuardedCall([&] { work(); });
}

} // namespace

bool CallLater(UINT delayMs, std::function<void()> work) {
  const UINT_PTR id = SetTimer(nullptr, 0, delayMs, &Fire);
  if (!id) {
    return false;
  }
  Pending()[id] = std::move(work);
  return true;
}
