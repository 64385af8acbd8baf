#include "framework/win32/ControlRegistry.h"

#include "framework/win32/Button.h"
#include "framework/win32/GroupBox.h"
#include "framework/win32/Label.h"

#include <map>

namespace {

std::map<std::string, TControlCreator>& Registry() {
  static std::map<std::string, TControlCreator> registry = {
      {"TLabel", [](TWinControl& parent) { return std::make_unique<TLabel>(&parent); }},
      {"TGroupBox", [](TWinControl& parent) { return std::make_unique<TGroupBox>(&parent); }},
      {"TButton", [](TWinControl& parent) { return std::make_unique<TButton>(&parent); }},
  };
  return registry;
}

} // namespace

void RegisterControlClass(const std::string& className, TControlCreator creator) {
  Registry()[className] = std::move(creator);
}

std::unique_ptr<TWinControl> CreateControl(const std::string& className, TWinControl& parent) {
  if (!parent.AcceptsControls()) {
    return nullptr;
  }
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second(parent);
}
