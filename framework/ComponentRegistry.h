#pragma once
// Non-visual component classes a layout may name (theme engines, theme lists): libraries
// register theirs before a form is loaded; a form's factory falls back to them for class
// names that are not controls.
#include "framework/Component.h"

#include <functional>
#include <memory>
#include <string>

using TComponentCreator = std::function<std::unique_ptr<TComponent>(TComponent& owner)>;

void RegisterComponentClass(const std::string& className, TComponentCreator creator);
// A new component of className, or null when the class is unknown.
std::unique_ptr<TComponent> CreateComponent(const std::string& className, TComponent& owner);
