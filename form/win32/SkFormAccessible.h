#pragma once
// The skinned frame's title bar for assistive tools: the form draws its own caption buttons, so
// the platform's title-bar object would describe buttons that are not where they are shown.
// The form answers WM_GETOBJECT for the title bar with an object of simple elements: role
// title bar, the caption as name, and the buttons as push-button children ("Minimize",
// "Close", ...) where they are drawn, with their states and a default action that presses them.
#include <windows.h>

#include "framework/win32/AccessibleElements.h"

// Sent to the form's window: fill the TAccessibleElements at lParam (answers 1), and press the
// button numbered wParam (answers 1 when there is such a button shown).
inline constexpr UINT kSkTitleBarQuery = 0x0571;
inline constexpr UINT kSkTitleBarPress = 0x0572;

// The answer to WM_GETOBJECT for the title bar (OBJID_TITLEBAR); 0 for other objects.
LRESULT SkTitleBarObjectResult(HWND window, WPARAM wparam, LPARAM lparam);
