#pragma once
// TMxObject: base of every settings object of the edit family (bevel, caret, currency
// settings, ...). The owning control sets one change handler; the object calls it from
// Change() unless an update is in progress. The lock is a flag, not a counter.
#include <cstdint>
#include <functional>
#include <string>

class TMxObject {
public:
  using TChangeHandler = std::function<void(TMxObject* sender)>;

  explicit TMxObject(std::int32_t owner = 0) : Owner(owner) {}
  virtual ~TMxObject() = default;
  TMxObject(const TMxObject&) = delete;
  TMxObject& operator=(const TMxObject&) = delete;

  // Calls the change handler unless locked or unassigned.
  virtual void Change();
  // Text shown for the object by a designer; empty by default.
  virtual std::string DisplayText() const { return {}; }

  void BeginUpdate() { Locked = true; }
  void EndUpdate(bool notify);
  bool IsLocked() const { return Locked; }

  void SetOnChange(TChangeHandler handler) { OnChange = std::move(handler); }
  const TChangeHandler& GetOnChange() const { return OnChange; }

  std::int32_t Owner; // informational only

private:
  TChangeHandler OnChange;
  bool Locked = false;
};
