#include "form/win32/SkFormAccessible.h"

#include <oleacc.h>

LRESULT SkTitleBarObjectResult(HWND window, WPARAM wparam, LPARAM lparam) {
  return AccessibleElementsResult(
      window, wparam, lparam, OBJID_TITLEBAR,
      [](HWND w, TAccessibleElements& e) { return SendMessageW(w, kSkTitleBarQuery, 0, LPARAM(&e)) == 1; },
      [](HWND w, long child) { return SendMessageW(w, kSkTitleBarPress, WPARAM(child), 0) == 1; });
}
