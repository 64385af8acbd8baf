#include "framework/Component.h"

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() { FreeComponents(); }

void TComponent::FreeComponents() {
  FDestroying = true;
  // Last created, first freed: later components may refer to earlier ones. Each is taken
  // out of the list before it is freed, so a destructor never sees a half-freed sibling.
  while (!FComponents.empty()) {
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& c : FComponents) {
    if (c->FName == name) {
      return c.get();
    }
  }
  return nullptr;
}

TPropertyResult TComponent::ReadProperty(const std::string& name, const TLayoutValue& value) {
  return TPropertyResult::Unknown();
}

TNotifyEvent TComponent::FindMethod(const std::string&) const { return {}; }

const TComponent* TComponent::Root() const {
  const TComponent* c = this;
  while (c->FOwner) {
    c = c->FOwner;
  }
  return c;
}

std::optional<int> LayoutInt(const TLayoutValue& value, int min, int max) {
  if (value.Kind != TLayoutValue::TKind::Integer || value.Integer < min || value.Integer > max) {
    return std::nullopt;
  }
  return static_cast<int>(value.Integer);
}

std::optional<bool> LayoutBool(const TLayoutValue& value) {
  if (value.Kind != TLayoutValue::TKind::Identifier) {
    return std::nullopt;
  }
  if (value.Text == "true") {
    return true;
  }
  if (value.Text == "false") {
    return false;
  }
  return std::nullopt;
}

std::optional<std::string> LayoutString(const TLayoutValue& value) {
  if (value.Kind != TLayoutValue::TKind::String) {
    return std::nullopt;
  }
  return value.Text;
}
