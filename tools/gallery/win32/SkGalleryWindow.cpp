// The theme gallery in a window; `skgallery --png FILE` writes the same picture instead.
#include <windows.h>

#include "skins/SfPng.h"
#include "theme/SkTheme.h"
#include "tools/gallery/SkGallery.h"

#include <cstdio>
#include <cwchar>
#include <shellapi.h>

namespace {

TskPixels GPicture;

TColor LiveSysColor(int index) { return TColor(GetSysColor(index)) & 0xFFFFFF; }

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = LONG(GPicture.Stride());
    bi.bmiHeader.biHeight = -GPicture.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, DWORD(GPicture.Width()), DWORD(GPicture.Height()), 0, 0, 0,
                      UINT(GPicture.Height()), GPicture.ScanLine(0), &bi, DIB_RGB_COLORS);
    EndPaint(wnd, &ps);
    return 0;
  }
  case WM_DESTROY: PostQuitMessage(0); return 0;
  default: return DefWindowProcW(wnd, msg, wp, lp);
  }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  SkDrawGallery(GPicture, &LiveSysColor);
  if (argc == 3 && std::wcscmp(argv[1], L"--png") == 0) {
    const auto bytes = SfWritePng(GPicture);
    std::FILE* f = _wfopen(argv[2], L"wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) {
      std::fclose(f);
    }
    LocalFree(argv);
    return ok ? 0 : 1;
  }
  LocalFree(argv);
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.lpszClassName = L"TabiraThemeGallery";
  RegisterClassW(&wc);
  RECT r = {0, 0, GPicture.Width(), GPicture.Height()};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  HWND wnd = CreateWindowW(wc.lpszClassName, L"Theme gallery: default, flat, Office XP", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           instance, nullptr);
  ShowWindow(wnd, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
