#pragma once
// Glyph records from a platform image list: the image is rendered into one shared scratch
// bitmap of the list's image size (replaced on every call), filled first with the key colour
// so that what the list leaves undrawn stays see-through.
#include "theme/records/SkThemeInfo.h"

#include <windows.h>

#include <commctrl.h>

// Null list or an index outside the list gives a record without a glyph.
TskGlyphInfo SkGlyphInfoFromImageList(const TskRect& rect, HIMAGELIST list, int index, std::uint8_t state,
                                      std::uint8_t kind);
