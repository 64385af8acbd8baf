#pragma once
// TMxWin32Clipboard: the platform clipboard as 8-bit text (CF_TEXT). An unavailable
// clipboard (held by another program) reads as no text and ignores writes.
#include "maskedit/MxEditPorts.h"

#include <windows.h>

class TMxWin32Clipboard final : public IMxClipboard {
public:
  // The window that opens the clipboard (may be null).
  void SetOwner(HWND hwnd) { FOwner = hwnd; }
  bool HasText() const override;
  std::string GetText() const override;
  void SetText(std::string_view text) override;

private:
  HWND FOwner = nullptr;
};
