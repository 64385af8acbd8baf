#include "maskedit/win32/MxBaseCustomControl.h"

TMxBaseCustomControl::TMxBaseCustomControl(TWinControl* parent) : TWinControl(parent) {}

void TMxBaseCustomControl::EndUpdate(bool repaint) {
  if (FUpdates.End(repaint)) BevelChanged(nullptr);
}

void TMxBaseCustomControl::BevelChanged(TMxObject*) {
  if (RepaintOnChange) Invalidate();
}

void TMxBaseCustomControl::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TMxBaseCustomControl::DoMouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

TPropertyResult TMxBaseCustomControl::ReadProperty(const std::string& name, const TLayoutValue& value) {
  if (name == "OnMouseEnter" || name == "OnMouseExit") {
    if (value.Kind != TLayoutValue::TKind::Identifier) return TPropertyResult::Bad("a handler name");
    TNotifyEvent handler = Root()->FindMethod(value.Text);
    if (!handler) return TPropertyResult::Bad("there is no handler named " + value.Text);
    (name == "OnMouseEnter" ? OnMouseEnter : OnMouseExit) = std::move(handler);
    return TPropertyResult::Ok();
  }
  return TWinControl::ReadProperty(name, value);
}
