#pragma once
// Every private window message of the edit family's controls, in one place so that no two
// share a number (sent only to windows of our own classes).
#include <windows.h>

// wParam 1 after the focus arrived, 0 after it left: fires OnAfterEnter / OnAfterExit.
constexpr UINT MXM_AFTERFOCUS = WM_USER + 0x0B01;
// The controls' own theme-changed notification.
constexpr UINT MXM_THEMECHANGED = WM_USER + 0x0B02;
// Posted to an edit whose focus-loss check failed: take the focus back.
constexpr UINT MXM_REFOCUS = WM_USER + 0x0B03;
// Lay the edit out again from its client rectangle (posted by the custom buttons after a
// change of the buttons).
constexpr UINT MXM_RELAYOUT = WM_USER + 0x0B10;
