#pragma once
// An accessible object made of simple elements, for parts of a window that the program draws
// itself (a title bar and its buttons, a menu and its items): the object and each child are a
// role, a name, a place on the screen and states. The window is asked afresh on every call, so
// the object never outlives what it describes; a child's default action is handed back to the
// window.
#include <windows.h>

#include <string>
#include <vector>

struct TAccessibleElement {
  long Role = 0; // a ROLE_SYSTEM_* value
  std::wstring Name;
  std::wstring KeyboardShortcut;
  std::wstring DefaultAction; // empty: none
  RECT Screen{};
  long State = 0; // STATE_SYSTEM_* bits; STATE_SYSTEM_INVISIBLE hides a child from navigation
};

struct TAccessibleElements {
  TAccessibleElement Self;
  std::vector<TAccessibleElement> Children; // child numbers 1, 2, ...
};

// What the window says now; false when it has nothing to say (gone, or no longer showing it).
using TAccessibleElementsSource = bool (*)(HWND window, TAccessibleElements& elements);
// Runs child's default action; false when it has none.
using TAccessibleElementAction = bool (*)(HWND window, long child);

// The answer to WM_GETOBJECT for objectId (OBJID_CLIENT, OBJID_TITLEBAR, ...); 0 for other
// objects or when no object can be made.
LRESULT AccessibleElementsResult(HWND window, WPARAM wparam, LPARAM lparam, LONG objectId,
                                 TAccessibleElementsSource source, TAccessibleElementAction action);
