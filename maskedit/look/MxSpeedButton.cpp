#include "maskedit/look/MxSpeedButton.h"

#include <algorithm>

TMxSpeedButtonLook TMxSpeedButton::Look() const {
  if (!FEnabled) {
    return sblDisabled;
  }
  if (Pressed()) {
    return sblPressed;
  }
  if (FDown) {
    return sblLatched;
  }
  return FHot ? sblHot : sblNormal;
}

void TMxSpeedButton::Invalidate() {
  if (OnInvalidate) {
    OnInvalidate(this);
  }
}

void TMxSpeedButton::SetEnabled(bool value) {
  if (value == FEnabled) {
    return;
  }
  FEnabled = value;
  if (!value) {
    FHot = false;
    FTracking = false;
    FMouseInside = false;
  }
  Invalidate();
}

void TMxSpeedButton::SetDown(bool value) {
  if (value == FDown) {
    return;
  }
  FDown = value;
  if (value && GroupIndex != 0 && OnLatched) {
    OnLatched(this);
  }
  Invalidate();
}

void TMxSpeedButton::SetHot(bool value) {
  if (value == FHot) {
    return;
  }
  FHot = value;
  Invalidate();
  const TNotify& event = value ? OnMouseEnter : OnMouseExit;
  if (event) {
    event(this);
  }
}

void TMxSpeedButton::MouseMove(int x, int y) {
  if (!FEnabled) {
    return;
  }
  const bool inside = Contains(x, y);
  if (FTracking && inside != FMouseInside) {
    FMouseInside = inside; // dragged off: drawn up, and no repeat until it comes back
    Invalidate();
  }
  SetHot(inside);
}

void TMxSpeedButton::MouseLeave() {
  if (FEnabled) {
    SetHot(false);
  }
}

void TMxSpeedButton::HoverCheck(int x, int y) {
  if (FHot && !FTracking && !Contains(x, y)) {
    SetHot(false);
  }
}

bool TMxSpeedButton::MouseDown(int x, int y, std::int64_t now) {
  if (!FEnabled || !Contains(x, y)) {
    return false;
  }
  if (HasDropDownMenu && (!DropDownCombo || x >= Left + Width - std::max(0, DropDownComboWidth))) {
    if (OnDropDown) {
      OnDropDown(this);
    }
    if (OnPopup) {
      OnPopup(this, PopupX(), PopupY());
    }
    // The menu has closed: the button is left hot, with no press in progress.
    FTracking = false;
    FMouseInside = false;
    FHot = true;
    Invalidate();
    return true;
  }
  FTracking = true;
  FMouseInside = true;
  FHot = true;
  Invalidate();
  if (RepeatedClick) {
    FNextRepeat = now + std::max(1, RepeatingDelay);
    Click();
  }
  return true;
}

void TMxSpeedButton::MouseUp(int x, int y, std::int64_t) {
  if (!FTracking) {
    return;
  }
  const bool inside = Contains(x, y);
  FTracking = false;
  FMouseInside = false;
  SetHot(inside);
  Invalidate();
  if (!RepeatedClick && inside && FEnabled) {
    Click();
  }
}

void TMxSpeedButton::Tick(std::int64_t now) {
  if (!FTracking || !RepeatedClick || now < FNextRepeat) {
    return;
  }
  // A late timer fires one click, not a burst: the next one is an interval from now.
  FNextRepeat = now + std::max(1, RepeatingInterval);
  if (FMouseInside) {
    Click();
  }
}

void TMxSpeedButton::CancelMode() {
  if (FTracking) {
    FTracking = false;
    FMouseInside = false;
    Invalidate();
  }
}

void TMxSpeedButton::Click() {
  if (GroupIndex != 0) {
    if (!FDown) {
      SetDown(true);
    } else if (AllowAllUp) {
      SetDown(false);
    }
  }
  // The handler may free this button (a click that removes its own item): it runs from
  // a copy, and nothing of the button is touched after it.
  if (const TNotify handler = OnClick) {
    handler(this);
  }
}
