#pragma once
// TskPlatform: what this Windows offers, bound at run time so that the program starts on
// systems that lack a function and simply leaves the feature out. One process-wide instance,
// filled on first use; plus the small platform routines built on it (monitor areas, scroll-bar
// info, nested mouse capture, code-page conversion, text measuring, key repeat values).
#include "theme/SkCounters.h"
#include "theme/SkText.h"

#include <windows.h>

#include <cstdint>
#include <string>

enum class TskPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// The visual-styles functions bound by name, in binding order.
enum class TskUxFunc : int {
  OpenThemeData,
  CloseThemeData,
  DrawThemeBackground,
  DrawThemeText,
  GetThemeBackgroundContentRect,
  GetThemePartSize,
  GetThemeTextExtent,
  GetThemeTextMetrics,
  GetThemeBackgroundRegion,
  HitTestThemeBackground,
  DrawThemeEdge,
  DrawThemeIcon,
  IsThemePartDefined,
  IsThemeBackgroundPartiallyTransparent,
  GetThemeColor,
  GetThemeMetric,
  GetThemeString,
  GetThemeBool,
  GetThemeInt,
  GetThemeEnumValue,
  GetThemePosition,
  GetThemeFont,
  GetThemeRect,
  GetThemeMargins,
  GetThemeIntList,
  GetThemePropertyOrigin,
  SetWindowTheme,
  GetThemeFilename,
  GetThemeSysColor,
  GetThemeSysColorBrush,
  GetThemeSysBool,
  GetThemeSysSize,
  GetThemeSysFont,
  GetThemeSysString,
  GetThemeSysInt,
  IsThemeActive,
  IsAppThemed,
  GetWindowTheme,
  EnableThemeDialogTexture,
  IsThemeDialogTextureEnabled,
  GetThemeAppProperties,
  SetThemeAppProperties,
  GetCurrentThemeName,
  GetThemeDocumentationProperty,
  DrawThemeParentBackground,
  EnableTheming,
  Count
};

class TskPlatform {
public:
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                              DWORD);
  using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
  using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
  using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
  using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoAFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
  using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

  // The process-wide instance, bound on first use.
  static TskPlatform& Get();
  ~TskPlatform();
  TskPlatform(const TskPlatform&) = delete;
  TskPlatform& operator=(const TskPlatform&) = delete;

  bool IsNT = false;
  bool IsVersion4 = false;
  bool LayeredAvailable = false;
  bool TransparentBltAvailable = false;
  bool MMXAvailable = false;
  TskPixelFormat ScreenPixelFormat = TskPixelFormat::pfDevice;
  // Drawing onto 32-bit bitmaps writes their memory directly.
  bool DirectMemoryDrawing = true;

  SetLayeredWindowAttributesFn SetLayeredWindowAttributes = nullptr;
  UpdateLayeredWindowFn UpdateLayeredWindow = nullptr;
  TransparentBltFn TransparentBlt = nullptr;
  MonitorFromRectFn MonitorFromRect = nullptr;
  MonitorFromPointFn MonitorFromPoint = nullptr;
  MonitorFromWindowFn MonitorFromWindow = nullptr;
  GetMonitorInfoAFn GetMonitorInfoA = nullptr;
  GetScrollBarInfoFn GetScrollBarInfo = nullptr;

  // Visual styles: a counted load of the module. The first load binds the functions; the
  // unload that reaches zero frees the module and clears them; extra unloads are ignored.
  bool LoadVisualStyles();
  bool UnloadVisualStyles();
  std::int32_t VisualStylesLoadCount() const { return UxLoads.Count(); }
  bool VisualStylesLoaded() const { return UxModule != nullptr; }
  // Loaded, and the application and the system both report themes as on.
  bool VisualStylesActive() const { return UxActive; }
  // Re-reads VisualStylesActive (after a theme-changed notification).
  void UpdateVisualStylesActive();
  FARPROC UxProc(TskUxFunc f) const { return UxProcs[int(f)]; }
  template <typename Fn>
  Fn Ux(TskUxFunc f) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(UxProc(f)));
  }

  bool MultiMonitor() const;

private:
  TskPlatform();
  void BindVisualStyles(HMODULE module);

  HMODULE UxModule = nullptr;
  FARPROC UxProcs[int(TskUxFunc::Count)] = {};
  bool UxActive = false;
  TskLoadCount UxLoads;
};

// The work area (workArea) or the whole area of the monitor nearest to the point or window;
// without several monitors the system work area, or the whole screen.
RECT MonitorWorkArea(POINT point, bool workArea);
RECT WindowMonitorArea(HWND window, bool workArea);
// The platform's scroll-bar info when available; otherwise the first state entry reads
// invisible (STATE_SYSTEM_INVISIBLE) and the answer is false.
bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info);

// Nested mouse capture for the user-interface thread.
void BeginCapture(HWND window);
void EndCapture();
std::int32_t CaptureDepth();

// Converts 8-bit text with the code page (precomposed, glyph characters); retries with the
// default ANSI code page, and without flags; when all fail, one "?" per input byte.
std::wstring ToWide(UINT codePage, const std::string& s);

// Text measuring on a device context.
std::int32_t TextWidthW(HDC dc, const std::wstring& text, UINT drawTextFlags = 0);
std::int32_t TextHeightW(HDC dc, const std::wstring& text);
std::wstring EllipsisText(HDC dc, const std::wstring& text, std::int32_t maxWidth);

// Keyboard repeat delay and interval in milliseconds from the system settings.
std::int32_t KeyRepeatDelay();
std::int32_t KeyRepeatInterval();
