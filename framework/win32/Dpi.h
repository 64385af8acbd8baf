#pragma once
// The pixel density of the screen, a window or a monitor, from the per-DPI functions of the
// platform where it has them (looked up at run time: older systems lack them) and from the
// screen's device context otherwise. Densities are pixels per inch (96 is 100 %).
#include "framework/Scale.h"

#include <windows.h>

// The density of the system (the primary screen as the program started).
int SystemDpi();
// The density the window is laid out for (the system density without per-window support).
int WindowDpi(HWND window);
// The density of the monitor that holds the point (screen coordinates).
int DpiAtPoint(POINT at);
// A system metric (SM_CXSMICON, SM_CYMENUCHECK, …) at the given density.
int SystemMetricForDpi(int index, int dpi);
