#pragma once
// Bitmap resources of a module: a device-independent bitmap without its file header
// (information header, colour table or bit masks, pixel rows). Read through TSfReader, so
// that sizes and the colour table are checked against the bytes and the limits.
#include "theme/SkPixels.h"
#include "themefiles/SfReader.h"

// Decodes 1, 4 and 8 bits per pixel with a colour table, 24 and 32 bits, and 16 and 32 bits
// with bit masks; rows bottom-up or top-down. 32-bit pixels keep their alpha unless every
// pixel's alpha is 0 (then they are opaque); the others get alpha 255. `hasAlpha` tells
// whether some pixel is not fully opaque. Compressed and other formats fail the reader.
[[nodiscard]] bool VsDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha);
