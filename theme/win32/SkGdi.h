#pragma once
// Owning wrappers for the Win32 handles of the drawing layer, made from one policy template,
// and a guard that restores the object previously selected into a device context.
#include <windows.h>

#include <utility>

template <typename H, typename Deleter>
class TskHandle {
public:
  TskHandle() = default;
  explicit TskHandle(H h) : Handle(h) {}
  ~TskHandle() { Reset(); }
  TskHandle(TskHandle&& o) noexcept : Handle(std::exchange(o.Handle, H{})) {}
  TskHandle& operator=(TskHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      Handle = std::exchange(o.Handle, H{});
    }
    return *this;
  }
  TskHandle(const TskHandle&) = delete;
  TskHandle& operator=(const TskHandle&) = delete;

  H Get() const { return Handle; }
  explicit operator bool() const { return Handle != H{}; }
  H Release() { return std::exchange(Handle, H{}); }
  void Reset(H h = H{}) {
    if (Handle) Deleter()(Handle);
    Handle = h;
  }

private:
  H Handle{};
};

struct TskDeleteObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct TskDeleteDC {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct TskFreeLibrary {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct TskDestroyIcon {
  void operator()(HICON h) const { DestroyIcon(h); }
};

using TskBitmapHandle = TskHandle<HBITMAP, TskDeleteObject>;
using TskBrushHandle = TskHandle<HBRUSH, TskDeleteObject>;
using TskPenHandle = TskHandle<HPEN, TskDeleteObject>;
using TskRegionHandle = TskHandle<HRGN, TskDeleteObject>;
using TskDCHandle = TskHandle<HDC, TskDeleteDC>;
using TskModuleHandle = TskHandle<HMODULE, TskFreeLibrary>;

// Selects an object into a device context for the guard's lifetime.
class TskSelectGuard {
public:
  TskSelectGuard(HDC dc, HGDIOBJ object) : DC(dc), Previous(object ? SelectObject(dc, object) : nullptr) {}
  ~TskSelectGuard() {
    if (Previous) SelectObject(DC, Previous);
  }
  TskSelectGuard(const TskSelectGuard&) = delete;
  TskSelectGuard& operator=(const TskSelectGuard&) = delete;

private:
  HDC DC;
  HGDIOBJ Previous;
};

inline RECT ToRECT(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
