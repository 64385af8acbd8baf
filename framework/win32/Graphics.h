#pragma once
// Device-side helpers for colours and fonts.
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/win32/Handles.h"

// The RGB value of a colour, resolving system-colour references.
COLORREF ColorToRGB(TColor color);

// A new font for data (the caller owns it).
TFontHandle MakeFont(const TFontData& data);

// The LOGFONT that data asks for (for comparing with what a window uses).
LOGFONTA FontDataToLogFont(const TFontData& data);
