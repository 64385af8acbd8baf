#pragma once
// The popup menu windows shown on this thread now, left to right (each sub-menu here opens to
// the right of its parent, so this is outermost first). Found by their class (with or without
// the drop shadow), so that a window left behind by a fault is found too.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline bool IsPopupMenuWindow(HWND w) {
  wchar_t name[32];
  GetClassNameW(w, name, 32);
  const std::wstring n(name);
  return n == L"TSkPopupWindow" || n == L"TSkPopupWindowShadow";
}

// Every popup menu window of this thread, shown or not.
inline std::vector<HWND> AllPopupWindows() {
  std::vector<HWND> out;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        if (IsPopupMenuWindow(w)) {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        }
        return TRUE;
      },
      LPARAM(&out));
  return out;
}

inline std::vector<HWND> ShownPopupWindows() {
  std::vector<HWND> out = AllPopupWindows();
  out.erase(std::remove_if(out.begin(), out.end(), [](HWND w) { return !IsWindowVisible(w); }), out.end());
  std::sort(out.begin(), out.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return out;
}
