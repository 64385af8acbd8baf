#pragma once
// TComponent: a named object owned by another component. An owner frees what it owns, in
// reverse order of creation. Components are filled from a stored layout through
// ReadProperty, which is not a setter: it stores the value as the layout gives it, while
// the component knows it is loading, so that a component can tell "stored value applied
// while loading" from "setter called" (and a setter with side effects never runs for a
// stored value). After the whole layout is read, Loaded() runs once for each component.
#include "framework/Layout.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using TNotifyEvent = std::function<void(class TComponent* sender)>;

template <class T>
class TPropertyTable;

// Outcome of applying one stored property.
struct [[nodiscard]] TPropertyResult {
  enum class TCode { Ok, Unknown, BadValue };
  TCode Code = TCode::Ok;
  std::string Message; // for BadValue: what was wrong

  static TPropertyResult Ok() { return {}; }
  static TPropertyResult Unknown() { return {TCode::Unknown, {}}; }
  static TPropertyResult Bad(std::string message) { return {TCode::BadValue, std::move(message)}; }
};

class TComponent {
public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }
  TComponent* Owner() const { return FOwner; }

  // Takes ownership of a component; returns it for convenience.
  template <class T>
  T* Adopt(std::unique_ptr<T> component) {
    T* raw = component.get();
    raw->FOwner = this;
    FComponents.push_back(std::move(component));
    return raw;
  }
  std::size_t ComponentCount() const { return FComponents.size(); }
  TComponent* Components(std::size_t index) const { return FComponents[index].get(); }
  TComponent* FindComponent(const std::string& name) const;

  bool IsLoading() const { return FLoading; }
  bool IsDestroying() const { return FDestroying; }

  // Called by the layout reader before the first stored property.
  virtual void BeginLoading() { FLoading = true; }
  // Applies one stored property (dotted name) while loading.
  virtual TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value);
  // Loading has finished for every component of the layout.
  virtual void Loaded() { FLoading = false; }

  // Event handler by name, as the layout binds them ("OnClick = btJumlahClick"). The root
  // of a layout (the form) answers; the default knows none.
  virtual TNotifyEvent FindMethod(const std::string& name) const;

protected:
  // The event readers of a property table look handlers up at the root.
  template <class T>
  friend class TPropertyTable;

  // Frees the owned components now (last created first). A derived destructor calls this
  // while its own members still exist, since owned components may call back into it.
  void FreeComponents();
  // The top-most owner.
  const TComponent* Root() const;

private:
  std::string FName;
  TComponent* FOwner = nullptr;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  bool FLoading = false;
  bool FDestroying = false;
};

// Value readers used by ReadProperty implementations; nullopt when the stored kind or range
// does not fit.
[[nodiscard]] std::optional<int> LayoutInt(const TLayoutValue& value, int min, int max);
[[nodiscard]] std::optional<bool> LayoutBool(const TLayoutValue& value);
[[nodiscard]] std::optional<std::string> LayoutString(const TLayoutValue& value);
