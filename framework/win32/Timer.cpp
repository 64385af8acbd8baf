#include "framework/win32/Timer.h"

#include "framework/Abort.h"
#include "framework/PropertyTable.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (FRunning && FWindow) {
    KillTimer(FWindow->Handle(), kTimerId);
  }
}

void TTimer::SetInterval(unsigned ms) {
  FInterval = ms;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  Update();
}

TPropertyResult TTimer::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TTimer>;
  static const P kTable{
      {"Interval",
       P::Int(
           0, 0x7FFFFFFF, [](TTimer& t, int v) { t.FInterval = static_cast<unsigned>(v); }, "milliseconds")},
      {"Enabled", P::Bool([](TTimer& t, bool v) { t.FEnabled = v; })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TComponent::ReadProperty(name, value);
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

void TTimer::Update() {
  if (IsLoading()) {
    return;
  }
  if (!FWindow) {
    FWindow = std::make_unique<TUtilityWindow>([this](UINT msg, WPARAM wparam, LPARAM, LRESULT& result) {
      if (msg != WM_TIMER || wparam != kTimerId) {
        return false;
      }
      // What the handler throws is the utility window's to catch (the callback guard).
      if (OnTimer) {
        OnTimer(this);
      }
      result = 0;
      return true;
    });
  }
  if (FRunning) {
    KillTimer(FWindow->Handle(), kTimerId);
  }
  FRunning = FEnabled && FInterval > 0 && SetTimer(FWindow->Handle(), kTimerId, FInterval, nullptr) != 0;
}
