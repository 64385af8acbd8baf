#include "maskedit/win32/MxBaseCustomControl.h"

#include "framework/PropertyTable.h"

TMxBaseCustomControl::TMxBaseCustomControl(TWinControl* parent) : TWinControl(parent) {}

void TMxBaseCustomControl::EndUpdate(bool repaint) {
  if (FUpdates.End(repaint)) {
    BevelChanged(nullptr);
  }
}

void TMxBaseCustomControl::BevelChanged(TMxObject*) {
  if (RepaintOnChange) {
    Invalidate();
  }
}

void TMxBaseCustomControl::DoMouseEnter() {
  if (OnMouseEnter) {
    OnMouseEnter(this);
  }
}

void TMxBaseCustomControl::DoMouseExit() {
  if (OnMouseExit) {
    OnMouseExit(this);
  }
}

TPropertyResult TMxBaseCustomControl::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxBaseCustomControl>;
  static const P kTable{
      {"OnMouseEnter", P::Event([](TMxBaseCustomControl& c) -> TNotifyEvent& { return c.OnMouseEnter; })},
      {"OnMouseExit", P::Event([](TMxBaseCustomControl& c) -> TNotifyEvent& { return c.OnMouseExit; })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TWinControl::ReadProperty(name, value);
}
