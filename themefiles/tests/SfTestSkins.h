#pragma once
// Generated skins for tests, fuzzers and benchmarks: every object class, bitmaps with alpha,
// magenta and key-coloured pixels, and changed tables.
#include "themefiles/SfSkinSource.h"

// A small skin: three bitmaps ("alpha", "magenta", "key") and two trees of mixed classes.
TSfSkinSource MakeTestSkin();
// A skin with bitmaps of about `pixelBytes` bytes in all and `objects` small top-level trees.
TSfSkinSource MakeLargeSkin(std::size_t pixelBytes, std::size_t objects);
// Every stored property of every tree as text (nested form), for comparing sources.
std::string SkinObjectsText(const TSfSkinSource& s);
