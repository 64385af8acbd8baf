#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the UI thread.
#include "framework/Component.h"
#include "framework/win32/UtilityWindow.h"

#include <memory>

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner = nullptr);
  ~TTimer() override;

  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;

private:
  void Update();
  unsigned FInterval = 1000;
  bool FEnabled = true;
  bool FRunning = false;
  std::unique_ptr<TUtilityWindow> FWindow;
};
