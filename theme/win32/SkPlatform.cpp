#include "theme/win32/SkPlatform.h"

#include "framework/win32/Handles.h"
#include "theme/SkCanvasMath.h"
#include "theme/SkCpu.h"

#include <memory>

namespace {
const char* const kUxNames[] = {"OpenThemeData",
                                "CloseThemeData",
                                "DrawThemeBackground",
                                "DrawThemeText",
                                "GetThemeBackgroundContentRect",
                                "GetThemePartSize",
                                "GetThemeTextExtent",
                                "GetThemeTextMetrics",
                                "GetThemeBackgroundRegion",
                                "HitTestThemeBackground",
                                "DrawThemeEdge",
                                "DrawThemeIcon",
                                "IsThemePartDefined",
                                "IsThemeBackgroundPartiallyTransparent",
                                "GetThemeColor",
                                "GetThemeMetric",
                                "GetThemeString",
                                "GetThemeBool",
                                "GetThemeInt",
                                "GetThemeEnumValue",
                                "GetThemePosition",
                                "GetThemeFont",
                                "GetThemeRect",
                                "GetThemeMargins",
                                "GetThemeIntList",
                                "GetThemePropertyOrigin",
                                "SetWindowTheme",
                                "GetThemeFilename",
                                "GetThemeSysColor",
                                "GetThemeSysColorBrush",
                                "GetThemeSysBool",
                                "GetThemeSysSize",
                                "GetThemeSysFont",
                                "GetThemeSysString",
                                "GetThemeSysInt",
                                "IsThemeActive",
                                "IsAppThemed",
                                "GetWindowTheme",
                                "EnableThemeDialogTexture",
                                "IsThemeDialogTextureEnabled",
                                "GetThemeAppProperties",
                                "SetThemeAppProperties",
                                "GetCurrentThemeName",
                                "GetThemeDocumentationProperty",
                                "DrawThemeParentBackground",
                                "EnableTheming"};
static_assert(sizeof(kUxNames) / sizeof(kUxNames[0]) == int(TskUxFunc::Count));

template <typename Fn>
Fn Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

TModuleHandle& Msimg32() {
  static TModuleHandle module;
  return module;
}

TskPixelFormat ReadScreenPixelFormat() {
  const TWindowDC screen(nullptr);
  if (!screen.Get()) {
    return TskPixelFormat::pfDevice;
  }
  TBitmapHandle probe(CreateCompatibleBitmap(screen.Get(), 4, 4));
  BITMAP info{};
  if (!probe || !GetObjectA(probe.Get(), sizeof(info), &info)) {
    return TskPixelFormat::pfDevice;
  }
  switch (info.bmBitsPixel) {
  case 1: return TskPixelFormat::pf1bit;
  case 4: return TskPixelFormat::pf4bit;
  case 8: return TskPixelFormat::pf8bit;
  case 15: return TskPixelFormat::pf15bit;
  case 16: return TskPixelFormat::pf16bit;
  case 24: return TskPixelFormat::pf24bit;
  case 32: return TskPixelFormat::pf32bit;
  default: return TskPixelFormat::pfCustom;
  }
}
} // namespace

TskPlatform& TskPlatform::Get() {
  static TskPlatform platform;
  return platform;
}

TskPlatform::TskPlatform() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExA(&version)) {
#pragma GCC diagnostic pop
    IsNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    IsVersion4 = version.dwMajorVersion == 4;
  }
  HMODULE user32 = GetModuleHandleA("user32.dll");
  SetLayeredWindowAttributes = Bind<SetLayeredWindowAttributesFn>(user32, "SetLayeredWindowAttributes");
  LayeredAvailable = SetLayeredWindowAttributes != nullptr;
  UpdateLayeredWindow = Bind<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");

  LoadVisualStyles();

  MonitorFromRect = Bind<MonitorFromRectFn>(user32, "MonitorFromRect");
  MonitorFromPoint = Bind<MonitorFromPointFn>(user32, "MonitorFromPoint");
  MonitorFromWindow = Bind<MonitorFromWindowFn>(user32, "MonitorFromWindow");
  GetMonitorInfoA = Bind<GetMonitorInfoAFn>(user32, "GetMonitorInfoA");

  if (!IsVersion4 && (IsNT || LayeredAvailable || VisualStylesLoaded())) {
    Msimg32().Reset(LoadLibraryA("msimg32.dll"));
    TransparentBlt = Bind<TransparentBltFn>(Msimg32().Get(), "TransparentBlt");
  }
  TransparentBltAvailable = TransparentBlt != nullptr;
  GetScrollBarInfo = Bind<GetScrollBarInfoFn>(user32, "GetScrollBarInfo");

  MMXAvailable = SkCpuFeatures().MMX;
  ScreenPixelFormat = ReadScreenPixelFormat();
}

TskPlatform::~TskPlatform() {
  while (UnloadVisualStyles()) {
  }
}

bool TskPlatform::LoadVisualStyles() {
  const bool loaded = UxLoads.Acquire([this] {
    HMODULE module = LoadLibraryA("uxtheme.dll");
    if (!module) {
      return false;
    }
    BindVisualStyles(module);
    return true;
  });
  UpdateVisualStylesActive();
  return loaded;
}

bool TskPlatform::UnloadVisualStyles() {
  const bool released = UxLoads.Release([this] {
    HMODULE module = UxModule;
    UxModule = nullptr;
    for (FARPROC& p : UxProcs) {
      p = nullptr;
    }
    FreeLibrary(module);
  });
  UpdateVisualStylesActive();
  return released;
}

void TskPlatform::BindVisualStyles(HMODULE module) {
  UxModule = module;
  for (int i = 0; i < int(TskUxFunc::Count); ++i) {
    UxProcs[i] = GetProcAddress(module, kUxNames[i]);
  }
}

void TskPlatform::UpdateVisualStylesActive() {
  using BoolFn = BOOL(WINAPI*)();
  const auto appThemed = Ux<BoolFn>(TskUxFunc::IsAppThemed);
  const auto themeActive = Ux<BoolFn>(TskUxFunc::IsThemeActive);
  UxActive = VisualStylesLoaded() && appThemed && themeActive && appThemed() && themeActive();
}

bool TskPlatform::MultiMonitor() const {
  return GetSystemMetrics(SM_CMONITORS) > 1 && MonitorFromRect && MonitorFromPoint && GetMonitorInfoA;
}

namespace {
RECT Fallback(bool workArea) {
  RECT r{};
  if (workArea && SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) {
    return r;
  }
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool FromMonitor(HMONITOR monitor, bool workArea, RECT& out) {
  MONITORINFO info{};
  info.cbSize = sizeof(MONITORINFO); // the plain form, not the extended one
  if (!monitor || !TskPlatform::Get().GetMonitorInfoA(monitor, &info)) {
    return false;
  }
  out = workArea ? info.rcWork : info.rcMonitor;
  return true;
}
} // namespace

RECT MonitorWorkArea(POINT point, bool workArea) {
  TskPlatform& p = TskPlatform::Get();
  RECT r;
  if (p.MultiMonitor() && FromMonitor(p.MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), workArea, r)) {
    return r;
  }
  return Fallback(workArea);
}

RECT WindowMonitorArea(HWND window, bool workArea) {
  TskPlatform& p = TskPlatform::Get();
  RECT r;
  if (p.MultiMonitor() && p.MonitorFromWindow &&
      FromMonitor(p.MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), workArea, r)) {
    return r;
  }
  return Fallback(workArea);
}

bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info) {
  if (auto fn = TskPlatform::Get().GetScrollBarInfo) {
    info.cbSize = sizeof(info);
    return fn(window, objectId, &info) != FALSE;
  }
  info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
  return false;
}

namespace {
class TskWin32Capture : public TskCaptureTarget {
public:
  void SetCapture(std::uintptr_t window) override { ::SetCapture(reinterpret_cast<HWND>(window)); }
  std::uintptr_t GetCapture() override { return reinterpret_cast<std::uintptr_t>(::GetCapture()); }
  void ReleaseCapture() override { ::ReleaseCapture(); }
};

TskCaptureNesting& Capture() {
  static TskWin32Capture target;
  static TskCaptureNesting nesting(target);
  return nesting;
}
} // namespace

void BeginCapture(HWND window) { Capture().BeginCapture(reinterpret_cast<std::uintptr_t>(window)); }
void EndCapture() { Capture().EndCapture(); }
std::int32_t CaptureDepth() { return Capture().Depth(); }

namespace {
bool Convert(UINT codePage, DWORD flags, const std::string& s, std::wstring& out) {
  const int n = MultiByteToWideChar(codePage, flags, s.data(), int(s.size()), nullptr, 0);
  if (n <= 0) {
    return false;
  }
  out.assign(std::size_t(n), L'\0');
  return MultiByteToWideChar(codePage, flags, s.data(), int(s.size()), out.data(), n) == n;
}
} // namespace

std::wstring ToWide(UINT codePage, const std::string& s) {
  if (s.empty() || s.size() > 0x7FFFFFFF) {
    return std::wstring();
  }
  const DWORD flags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
  std::wstring out;
  if (Convert(codePage, flags, s, out)) {
    return out;
  }
  if (codePage != CP_ACP && Convert(CP_ACP, flags, s, out)) {
    return out;
  }
  // Some code pages reject the flags altogether; plain conversion is still better than "?".
  if (Convert(codePage, 0, s, out)) {
    return out;
  }
  return std::wstring(s.size(), L'?');
}

std::int32_t TextWidthW(HDC dc, const std::wstring& text, UINT drawTextFlags) {
  if (text.empty()) {
    return 0;
  }
  if (TskPlatform::Get().IsNT) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
    return size.cx;
  }
  std::string ansi(text.size() * 2 + 1, '\0');
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), ansi.data(), int(ansi.size()),
                                    nullptr, nullptr);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, ansi.data(), n, &r, DT_CALCRECT | drawTextFlags);
  return r.right - r.left;
}

std::int32_t TextHeightW(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
  return size.cy;
}

namespace {
class TskDCMeasure : public TskTextMeasure {
public:
  explicit TskDCMeasure(HDC dc) : DC(dc) {}
  std::int32_t TextWidth(const std::wstring& text) override { return TextWidthW(DC, text); }

private:
  HDC DC;
};
} // namespace

std::wstring EllipsisText(HDC dc, const std::wstring& text, std::int32_t maxWidth) {
  TskDCMeasure measure(dc);
  return EllipsisText(measure, text, maxWidth);
}

std::int32_t KeyRepeatDelay() {
  int setting = 1;
  SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &setting, 0);
  return SkKeyRepeatDelay(setting);
}

std::int32_t KeyRepeatInterval() {
  DWORD setting = 31;
  SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &setting, 0);
  return SkKeyRepeatInterval(std::int32_t(setting & 0x7FFFFFFF));
}
