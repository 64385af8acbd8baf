#pragma once
// Device-side helpers for colours and fonts.
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/win32/Handles.h"

// The RGB value of a colour, resolving system-colour references.
COLORREF ColorToRGB(TColor color);

// A new font for spec (the caller owns it).
TFontHandle MakeFont(const TFontSpec& spec);

// The LOGFONT a spec asks for (for comparing with what a window uses).
LOGFONTA FontSpecToLogFont(const TFontSpec& spec);
