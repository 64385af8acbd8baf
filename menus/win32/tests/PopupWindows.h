#pragma once
// The popup menu windows shown on this thread now, left to right (each sub-menu here opens to
// the right of its parent, so this is outermost first). Found by their class, so that a window
// left behind by a fault is found too.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline std::vector<HWND> ShownPopupWindows() {
  std::vector<HWND> out;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[32];
        GetClassNameW(w, name, 32);
        if (std::wstring(name) == L"TSkPopupWindow" && IsWindowVisible(w)) {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        }
        return TRUE;
      },
      LPARAM(&out));
  std::sort(out.begin(), out.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return out;
}
