#pragma once
// The skinned frame's title bar for assistive tools: the form draws its own caption buttons, so
// the platform's title-bar object would describe buttons that are not where they are shown.
// The form answers WM_GETOBJECT for the title bar with this object: role title bar, the caption
// as name, and the buttons as push-button children ("Minimize", "Close", ...) with their places
// on the screen, states and a default action that presses them. Each call asks the window afresh
// (through kSkTitleBarQuery), so the object never outlives the form it describes.
#include <windows.h>

#include <string>
#include <vector>

struct TSkTitleBarFacts {
  struct TButton {
    int ChildId = 0;
    std::wstring Name;
    RECT Screen{};
    bool Shown = false;
    bool Hot = false;
    bool Pressed = false;
    int Action = -1; // what pressing it posts as kSkActionMessage; -1 none
  };
  std::wstring Caption;
  RECT Screen{}; // the caption strip
  bool Active = false;
  std::vector<TButton> Buttons;
};

// Sent to the form's window with lParam pointing at a TSkTitleBarFacts to fill; answers 1.
inline constexpr UINT kSkTitleBarQuery = 0x0571;

// The answer to WM_GETOBJECT for the title bar (OBJID_TITLEBAR); 0 for other objects.
LRESULT SkTitleBarObjectResult(HWND window, WPARAM wparam, LPARAM lparam);
