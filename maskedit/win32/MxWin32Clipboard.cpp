#include "maskedit/win32/MxWin32Clipboard.h"

#include <cstring>

namespace {

// Opens the clipboard for the scope; Opened() is false when another program holds it.
class TClipboardScope {
public:
  explicit TClipboardScope(HWND owner) : FOpen(OpenClipboard(owner) != FALSE) {}
  ~TClipboardScope() {
    if (FOpen) {
      CloseClipboard();
    }
  }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
  bool Opened() const { return FOpen; }

private:
  bool FOpen;
};

} // namespace

bool TMxWin32Clipboard::HasText() const { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

std::string TMxWin32Clipboard::GetText() const {
  TClipboardScope scope(FOwner);
  if (!scope.Opened()) {
    return {};
  }
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) {
    return {};
  }
  const SIZE_T size = GlobalSize(data);
  const auto* text = static_cast<const char*>(GlobalLock(data));
  if (!text) {
    return {};
  }
  // The block need not end in a zero: read no further than its size.
  std::string result(text, strnlen(text, size));
  GlobalUnlock(data);
  return result;
}

void TMxWin32Clipboard::SetText(std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) {
    return;
  }
  if (auto* p = static_cast<char*>(GlobalLock(block))) {
    std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\0';
    GlobalUnlock(block);
  }
  TClipboardScope scope(FOwner);
  if (!scope.Opened() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block); // not handed over
  }
}
