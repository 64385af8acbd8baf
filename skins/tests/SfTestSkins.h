#pragma once
// Generated skins for tests, fuzzers and benchmarks: every object class, bitmaps with alpha,
// magenta and key-coloured pixels, and changed tables.
#include "skins/SfSkinSource.h"

// A small skin: three bitmaps ("alpha", "magenta", "key") and two trees of mixed classes.
TSfSkinSource MakeTestSkin();
// A skin with bitmaps of about `pixelBytes` bytes in all and `objects` small top-level trees.
TSfSkinSource MakeLargeSkin(std::size_t pixelBytes, std::size_t objects);
// Every stored property of every tree as text (nested form), for comparing sources.
std::string SkinObjectsText(const TSfSkinSource& s);

// Colours of the theme test skin (MakeThemeSkin), 0x00BBGGRR.
namespace sfts {
inline constexpr TColor kCaption = 0x800000, kCaptionActive = 0xFF8000, kBorder = 0x0000C0,
                        kClient = 0xEEFFC0;
// Caption buttons: one row each in "buttons" (close, maximize, restore, minimize), columns normal,
// hot, pressed.
inline constexpr TColor kButtonColors[4][3] = {{0x0000FF, 0x00FF00, 0xFF0000},
                                               {0x00FFFF, 0x00FF80, 0xFF0080},
                                               {0xFF00FF, 0x80FF00, 0x8000FF},
                                               {0xFFFF00, 0x008080, 0x808000}};
// Element states in "states": normal, hot (5), focused (7), pressed (6), disabled (8).
inline constexpr TColor kStateColors[5] = {0x202020, 0x40C040, 0xC04040, 0x4040C0, 0x909090};
inline constexpr TColor kTabTop = 0x10E0E0, kTabBody = 0x603030, kPane = 0xD0D0D0;
} // namespace sfts
// A skin with a complete "Form" (caption with title and caption buttons, borders, client),
// a "ToolWindow" without a client node, and one object for each control family, drawn from
// solid colours so that tests can check pixels.
TSfSkinSource MakeThemeSkin();
