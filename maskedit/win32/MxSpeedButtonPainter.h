#pragma once
// Draws a TMxSpeedButton in the look of its style family and state: frame, background,
// caption (not in the combo look, whose face is its arrow) and the drop-down arrow.
// Nothing is drawn outside the button's bounds.
#include "maskedit/look/MxSpeedButton.h"

#include <windows.h>

struct TMxButtonPaintContext {
  HWND Window = nullptr; // the parent (visual styles are opened on it)
  bool Themed = false;   // draw with the platform's visual styles when they are in use
  HFONT Font = nullptr;  // the caption's font; the device context's when null
};

void MxPaintSpeedButton(HDC dc, const TMxSpeedButton& button, const TMxButtonPaintContext& context);

// The style families the looks fall into.
enum class TMxButtonFamily { Classic, Win40, Combo, Raised, Flat, Office };
TMxButtonFamily MxButtonFamily(TMxUserButtonStyle style);
