// The themed popup menu against the platform's own (TrackPopupMenu) with the same items, in one
// run, rounds interleaved:
//   open: a 30-item menu from the call to the end of its first paint;
//   page: a 1,000-item menu moved one page down by the Down key (the highlight walking past
//         the bottom scrolls it), from the first key to the last repaint.
// Prints the medians and their ratios (themed / platform). Run under Wine by scripts/bench.sh;
// "--rounds N" changes the number of timed rounds.
#include "menus/win32/SkPopupMenu.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include "framework/win32/bench/BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What one tracking run watches: paints of menu windows seen through a sent-message hook.
struct TWatch {
  enum class TMode { Open, Page } Mode = TMode::Open;
  bool Platform = false;
  double Start = 0, End = 0;
  int Keys = 0;   // Down presses still to post (page mode)
  int Paints = 0; // paints seen since the keys were posted
  HWND Menu = nullptr;
};
TWatch Watch;

bool IsMenuWindow(HWND w) {
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  return std::wcscmp(name, L"#32768") == 0 || std::wcscmp(name, L"TSkPopupWindow") == 0;
}

void CloseMenu() {
  if (Watch.Platform) {
    EndMenu();
  } else {
    PostMessageW(Watch.Menu, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

LRESULT CALLBACK AfterSend(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && m->message == WM_PAINT && IsMenuWindow(m->hwnd)) {
    Watch.Menu = m->hwnd;
    if (Watch.Mode == TWatch::TMode::Open && Watch.End == 0) {
      Watch.End = BenchSeconds();
      CloseMenu();
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Page mode: once the menu is up, post the keys; the run ends when the queue has drained.
void CALLBACK PageTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!Watch.Menu || Watch.Keys == 0) {
    return;
  }
  KillTimer(nullptr, id);
  Watch.Start = BenchSeconds();
  for (; Watch.Keys > 0; --Watch.Keys) {
    PostMessageW(Watch.Menu, WM_KEYDOWN, VK_DOWN, 0);
  }
  // Runs once every key before it has been handled and painted.
  PostMessageW(Watch.Menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

HWND Owner() {
  static HWND w = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"MenuBenchOwner";
    RegisterClassW(&c);
    HWND h = CreateWindowExW(0, c.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 900, 700, 100, 100, nullptr,
                             nullptr, nullptr, nullptr);
    SetForegroundWindow(h);
    return h;
  }();
  return w;
}

std::wstring Caption(int i) { return L"Butir menu nomor " + std::to_wstring(i + 1); }

HMENU PlatformMenu(int count) {
  HMENU m = CreatePopupMenu();
  for (int i = 0; i < count; ++i) {
    AppendMenuW(m, MF_STRING, UINT_PTR(i + 1), Caption(i).c_str());
  }
  return m;
}

void FillThemed(TSkPopupMenu& menu, int count) {
  for (int i = 0; i < count; ++i) {
    menu.Items().Add(std::make_unique<TSkItem>())->Caption = Caption(i);
  }
}

// One tracking run; returns its time.
double Run(bool platform, TWatch::TMode mode, HMENU hmenu, TSkPopupMenu* menu, int pageKeys) {
  Watch = {};
  Watch.Mode = mode;
  Watch.Platform = platform;
  Watch.Keys = mode == TWatch::TMode::Page ? pageKeys : 0;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterSend, nullptr, GetCurrentThreadId());
  UINT_PTR timer = 0;
  if (mode == TWatch::TMode::Page) {
    timer = SetTimer(nullptr, 0, 30, PageTimer);
  }
  const double start = BenchSeconds();
  if (platform) {
    TrackPopupMenu(hmenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 20, 20, 0, Owner(), nullptr);
  } else {
    menu->Popup(20, 20);
  }
  const double end = BenchSeconds();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  return mode == TWatch::TMode::Open ? Watch.End - start : end - Watch.Start;
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = BenchRounds(argc, argv, 15, 3);
  SkStartThemeServices();
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  Owner();

  HMENU small = PlatformMenu(30);
  HMENU large = PlatformMenu(1000);
  TSkPopupMenu smallMenu, largeMenu;
  FillThemed(smallMenu, 30);
  FillThemed(largeMenu, 1000);
  // A page: the items that fit on the screen, as the platform's menu shows them.
  const int page = GetSystemMetrics(SM_CYSCREEN) / std::max(1, GetSystemMetrics(SM_CYMENU)) - 2;

  std::vector<double> openPlatform, openThemed, pagePlatform, pageThemed;
  for (int r = 0; r < rounds + 1; ++r) {
    const double a = Run(true, TWatch::TMode::Open, small, nullptr, 0);
    const double b = Run(false, TWatch::TMode::Open, nullptr, &smallMenu, 0);
    const double c = Run(true, TWatch::TMode::Page, large, nullptr, page);
    const double d = Run(false, TWatch::TMode::Page, nullptr, &largeMenu, page);
    if (r == 0) {
      continue; // warm-up
    }
    openPlatform.push_back(a);
    openThemed.push_back(b);
    pagePlatform.push_back(c);
    pageThemed.push_back(d);
  }
  const double op = BenchMedian(openPlatform), ot = BenchMedian(openThemed);
  const double pp = BenchMedian(pagePlatform), pt = BenchMedian(pageThemed);
  std::printf("popup menu, median of %d rounds (themed = flat theme)\n", rounds);
  std::printf("  open 30 items to first paint: platform %.3f ms, themed %.3f ms, ratio %.2fx\n", op * 1e3,
              ot * 1e3, ot / op);
  std::printf("  1,000 items, one page (%d Down keys): platform %.3f ms, themed %.3f ms, ratio %.2fx\n", page,
              pp * 1e3, pt * 1e3, pt / pp);
  DestroyMenu(small);
  DestroyMenu(large);
  return 0;
}
