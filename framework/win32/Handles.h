#pragma once
// RAII owners for GDI, USER, kernel and registry handles, a guard that restores a device context's previous
// selection, and a paint scope that pairs BeginPaint with EndPaint. Every handle the
// framework creates lives in one of these.
#include <windows.h>

#include <utility>

template <class H, class Traits>
class TUniqueHandle {
public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(H h) : FHandle(h) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(TUniqueHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, H{})) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      FHandle = std::exchange(o.FHandle, H{});
    }
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != H{}; }
  void Reset(H h = H{}) {
    if (FHandle != H{}) {
      Traits::Free(FHandle);
    }
    FHandle = h;
  }
  H Release() { return std::exchange(FHandle, H{}); }

private:
  H FHandle{};
};

struct TGdiObjectTraits {
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct TIconTraits {
  static void Free(HICON h) { DestroyIcon(h); }
};
struct TMemoryDCTraits {
  static void Free(HDC h) { DeleteDC(h); }
};
struct TWindowTraits {
  // A child window may already be gone with its parent.
  static void Free(HWND h) {
    if (IsWindow(h)) {
      DestroyWindow(h);
    }
  }
};
struct TModuleTraits {
  static void Free(HMODULE h) { FreeLibrary(h); }
};
struct THookTraits {
  static void Free(HHOOK h) { UnhookWindowsHookEx(h); }
};
// Processes, threads, events: the handles CloseHandle ends (null when there is none).
struct TKernelObjectTraits {
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct TRegistryKeyTraits {
  static void Free(HKEY h) { RegCloseKey(h); }
};

using TFontHandle = TUniqueHandle<HFONT, TGdiObjectTraits>;
using TBrushHandle = TUniqueHandle<HBRUSH, TGdiObjectTraits>;
using TPenHandle = TUniqueHandle<HPEN, TGdiObjectTraits>;
using TRegionHandle = TUniqueHandle<HRGN, TGdiObjectTraits>;
using TBitmapHandle = TUniqueHandle<HBITMAP, TGdiObjectTraits>;
using TIconHandle = TUniqueHandle<HICON, TIconTraits>;
using TMemoryDC = TUniqueHandle<HDC, TMemoryDCTraits>;
using TWindowHandle = TUniqueHandle<HWND, TWindowTraits>;
using TModuleHandle = TUniqueHandle<HMODULE, TModuleTraits>;
using THookHandle = TUniqueHandle<HHOOK, THookTraits>;
using TKernelHandle = TUniqueHandle<HANDLE, TKernelObjectTraits>;
using TRegistryKey = TUniqueHandle<HKEY, TRegistryKeyTraits>;

// A window's or the screen's device context from GetDC / GetWindowDC, released on scope exit.
class TWindowDC {
public:
  enum class TArea { Client, Window };
  explicit TWindowDC(HWND hwnd, TArea area = TArea::Client)
      : FWindow(hwnd), FDC(area == TArea::Client ? GetDC(hwnd) : GetWindowDC(hwnd)) {}
  ~TWindowDC() {
    if (FDC) {
      ReleaseDC(FWindow, FDC);
    }
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// Selects an object into a device context and puts the previous one back on scope exit.
class TSelectGuard {
public:
  TSelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectGuard() {
    if (FOld) {
      SelectObject(FDC, FOld);
    }
  }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// BeginPaint on construction, EndPaint on destruction.
class TPaintScope {
public:
  explicit TPaintScope(HWND hwnd) : FWindow(hwnd), FDC(BeginPaint(hwnd, &FPaint)) {}
  ~TPaintScope() { EndPaint(FWindow, &FPaint); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return FDC; }
  const RECT& Dirty() const { return FPaint.rcPaint; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// Saves a device context's state and restores it on scope exit (text colour, background mode
// and anything else a painter changes).
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
  ~TSavedDC() {
    if (FSaved) {
      RestoreDC(FDC, FSaved);
    }
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC FDC;
  int FSaved;
};
