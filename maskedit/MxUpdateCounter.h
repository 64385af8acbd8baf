#pragma once
// The nesting counter behind a control's BeginUpdate / EndUpdate. 16 bits, as the control
// stores it; BeginUpdate past 65535 stays there rather than wrapping to "not updating".
#include <cstdint>

class TMxUpdateCounter {
public:
  void Begin() {
    if (FCount < UINT16_MAX) {
      ++FCount;
    }
  }
  // Lowers the count when above 0. True when the caller should repaint: repaint was asked
  // for and no update is in progress any more.
  bool End(bool repaint) {
    if (FCount > 0) {
      --FCount;
    }
    return FCount == 0 && repaint;
  }
  bool IsUpdating() const { return FCount != 0; }
  std::uint16_t Count() const { return FCount; }

private:
  std::uint16_t FCount = 0;
};
