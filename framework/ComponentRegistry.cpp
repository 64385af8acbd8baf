#include "framework/ComponentRegistry.h"

#include <map>

namespace {
std::map<std::string, TComponentCreator>& Registry() {
  static std::map<std::string, TComponentCreator> registry;
  return registry;
}
} // namespace

void RegisterComponentClass(const std::string& className, TComponentCreator creator) {
  Registry()[className] = std::move(creator);
}

std::unique_ptr<TComponent> CreateComponent(const std::string& className, TComponent& owner) {
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second(owner);
}
