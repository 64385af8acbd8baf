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

TMxButtonContent MxArrangeButtonContent(int left, int top, int right, int bottom, int glyphW, int glyphH,
                                        int textW, int textH, TMxButtonLayout layout, int spacing) {
  const bool glyph = glyphW > 0 && glyphH > 0, text = textW > 0 && textH > 0;
  if (!glyph) {
    glyphW = glyphH = 0;
  }
  if (!text) {
    textW = textH = 0;
  }
  const int gap = glyph && text ? std::max(spacing, 0) : 0;
  const int width = std::max(right - left, 0), height = std::max(bottom - top, 0);
  // The start of a run of `size` pixels centred in `room`, never before the start.
  const auto centred = [](int start, int room, long long size) {
    return start + static_cast<int>(std::max<long long>((room - size) / 2, 0));
  };
  int tx = 0, ty = 0;
  TMxButtonContent c;
  if (layout == blGlyphTop || layout == blGlyphBottom) {
    const int y0 = centred(top, height, static_cast<long long>(glyphH) + gap + textH);
    c.GlyphX = centred(left, width, glyphW);
    tx = centred(left, width, textW);
    c.GlyphY = layout == blGlyphTop ? y0 : y0 + textH + gap;
    ty = layout == blGlyphTop ? y0 + glyphH + gap : y0;
  } else {
    const int x0 = centred(left, width, static_cast<long long>(glyphW) + gap + textW);
    c.GlyphY = centred(top, height, glyphH);
    ty = centred(top, height, textH);
    c.GlyphX = layout == blGlyphRight ? x0 + textW + gap : x0;
    tx = layout == blGlyphRight ? x0 : x0 + glyphW + gap;
  }
  if (text) {
    c.TextLeft = std::clamp(tx, left, std::max(left, right));
    c.TextTop = std::clamp(ty, top, std::max(top, bottom));
    c.TextRight = std::clamp(static_cast<int>(std::min<long long>(static_cast<long long>(tx) + textW, right)),
                             c.TextLeft, std::max(c.TextLeft, right));
    c.TextBottom =
        std::clamp(static_cast<int>(std::min<long long>(static_cast<long long>(ty) + textH, bottom)),
                   c.TextTop, std::max(c.TextTop, bottom));
  }
  return c;
}
