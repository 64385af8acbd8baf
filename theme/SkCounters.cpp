#include "theme/SkCounters.h"

void TskCaptureNesting::BeginCapture(std::uintptr_t window) {
  if (Count == 0) {
    Window = window;
    Target.SetCapture(window);
  }
  ++Count;
}

void TskCaptureNesting::EndCapture() {
  if (Count == 0) {
    return;
  }
  if (--Count == 0) {
    if (Target.GetCapture() == Window) {
      Target.ReleaseCapture();
    }
    Window = 0;
  }
}

bool TskLoadCount::Acquire(const std::function<bool()>& load) {
  std::lock_guard<std::mutex> guard(Lock);
  if (Loads == 0 && !load()) {
    return false;
  }
  ++Loads;
  return true;
}

bool TskLoadCount::Release(const std::function<void()>& unload) {
  std::lock_guard<std::mutex> guard(Lock);
  if (Loads == 0) {
    return false;
  }
  if (--Loads == 0) {
    unload();
  }
  return true;
}

std::int32_t TskLoadCount::Count() const {
  std::lock_guard<std::mutex> guard(Lock);
  return Loads;
}
