#pragma once
// Device-side helpers for colours and fonts.
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/win32/Handles.h"

#include <memory>

// The RGB value of a colour, resolving system-colour references.
COLORREF ColorToRGB(TColor color);

// A new font for data (the caller owns it).
TFontHandle MakeFont(const TFontData& data);

// The LOGFONT that data asks for (for comparing with what a window uses).
LOGFONTA FontDataToLogFont(const TFontData& data);

// A font for data shared by every caller asking for the same face, height, style and
// character set (the colour is not part of a font); freed when its last holder lets go.
std::shared_ptr<const TFontHandle> SharedFont(const TFontData& data);
