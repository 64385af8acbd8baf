#pragma once
// What a self-drawn control tells assistive tools (screen readers) through the platform's
// accessibility interface: its role, name, value and states. The control's window answers
// WM_GETOBJECT with an object that takes everything else (location, parent, navigation) from
// the platform's standard object for the window, and asks the control afresh on each call,
// so that the object never outlives what it describes.
#include <windows.h>

#include <oleacc.h>

#include "framework/win32/AccessibleElements.h"
#include "framework/win32/AccessibleObject.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TAccessibleFacts {
  long Role = 0;     // a ROLE_SYSTEM_* value
  std::wstring Name; // empty: the standard object's name
  std::optional<std::wstring> Value;
  bool ReadOnly = false;
  // Sets the value as typing would; false when the control refuses it.
  std::function<bool(const std::wstring&)> SetValue;
  // Parts the control draws itself (its buttons, the labels it paints), numbered after the
  // children the platform knows (the child windows); DoChild runs one's default action
  // (index 0 is the first of these parts) and answers false when it has none.
  std::vector<TAccessibleElement> Children;
  std::function<bool(std::size_t index)> DoChild;
};

// The facts of the control behind a window; false for a window that has none.
using TAccessibleFactsSource = bool (*)(HWND window, TAccessibleFacts& facts);

// The answer to WM_GETOBJECT for the client object of window; 0 (let the platform answer) for
// other objects or when no object can be made.
LRESULT AccessibleObjectResult(HWND window, WPARAM wparam, LPARAM lparam, TAccessibleFactsSource source);

// Text from the program's character set, and back.
std::wstring AccessibleWide(const std::string& text);
std::string AccessibleNarrow(const std::wstring& text);
