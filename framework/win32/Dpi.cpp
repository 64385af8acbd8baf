#include "framework/win32/Dpi.h"

namespace {

template <class F>
F Proc(const char* module, const char* name) {
  HMODULE m = GetModuleHandleA(module);
  if (!m) {
    m = LoadLibraryA(module);
  }
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

struct TDpiFunctions {
  using TForSystem = UINT(WINAPI*)();
  using TForWindow = UINT(WINAPI*)(HWND);
  using TForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  using TMetricForDpi = int(WINAPI*)(int, UINT);
  TForSystem ForSystem = Proc<TForSystem>("user32.dll", "GetDpiForSystem");
  TForWindow ForWindow = Proc<TForWindow>("user32.dll", "GetDpiForWindow");
  TForMonitor ForMonitor = Proc<TForMonitor>("shcore.dll", "GetDpiForMonitor");
  TMetricForDpi MetricForDpi = Proc<TMetricForDpi>("user32.dll", "GetSystemMetricsForDpi");
};

const TDpiFunctions& Functions() {
  static const TDpiFunctions functions;
  return functions;
}

int ScreenDeviceDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) {
    ReleaseDC(nullptr, dc);
  }
  return dpi > 0 ? dpi : TScale::kDesignPixelsPerInch;
}

} // namespace

int SystemDpi() {
  if (const auto f = Functions().ForSystem) {
    if (const UINT dpi = f(); dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  return ScreenDeviceDpi();
}

int WindowDpi(HWND window) {
  if (const auto f = Functions().ForWindow; f && window) {
    if (const UINT dpi = f(window); dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  return SystemDpi();
}

int DpiAtPoint(POINT at) {
  if (const auto f = Functions().ForMonitor) {
    constexpr int kEffectiveDpi = 0;
    UINT x = 0, y = 0;
    if (SUCCEEDED(f(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y > 0) {
      return static_cast<int>(y);
    }
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  // At the system density the plain metric, exactly as the platform's own frame uses it.
  if (dpi == SystemDpi()) {
    return GetSystemMetrics(index);
  }
  if (const auto f = Functions().MetricForDpi; f && dpi > 0) {
    return f(index, static_cast<UINT>(dpi));
  }
  return TScale(SystemDpi(), dpi).Apply(GetSystemMetrics(index));
}
