#pragma once
// Which stored class names a layout may use, and how to make each. The framework's own
// controls are always known; other libraries add theirs with RegisterControlClass before a
// form is loaded.
#include "framework/win32/WinControl.h"

#include <functional>
#include <memory>
#include <string>

using TControlCreator = std::function<std::unique_ptr<TWinControl>(TWinControl& parent)>;

void RegisterControlClass(const std::string& className, TControlCreator creator);
// A new control of className inside parent, or null when the class is unknown or parent
// holds no controls.
std::unique_ptr<TWinControl> CreateControl(const std::string& className, TWinControl& parent);
