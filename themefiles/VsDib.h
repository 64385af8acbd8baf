#pragma once
// Bitmap resources of a module: a device-independent bitmap without its file header
// (information header, colour table or bit masks, pixel rows). Read through TSfReader, so
// that sizes and the colour table are checked against the bytes and the limits.
#include "fileread/SfReader.h"
#include "theme/SkPixels.h"

// The shared bitmap decoder (SfDib.h) without a file header: every depth, run-length data and
// bit masks. `hasAlpha` tells whether some pixel is not fully opaque.
[[nodiscard]] bool VsDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha);
