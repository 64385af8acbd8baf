#pragma once
// Device-independent bitmaps, as skin files embed them (a whole bitmap file) and visual-style
// modules carry them (a bitmap resource: the same without its file header). One bounded
// decoder serves both: every size, count and offset is checked against the bytes and the
// limits before it is used.
//
// Decoded: 1, 4 and 8 bits per pixel with a colour table, uncompressed or (8 and 4 bits) run-
// length encoded; 16 bits (5-5-5 without masks); 24 bits; 32 bits; 16 and 32 bits with bit
// masks. Rows bottom-up or top-down (run-length data only bottom-up). 32-bit pixels keep their
// alpha unless every pixel's alpha is 0 (then they are opaque); all others get alpha 255.
// Pixels that run-length data skips (line ends, moves, an early end) take colour 0 of the
// table.
#include "fileread/SfReader.h"
#include "theme/SkPixels.h"

#include <cstdint>
#include <span>

// The largest information header taken (the largest known one has 124 bytes).
inline constexpr std::uint32_t kSfDibMaxHeaderBytes = 1024;
// The largest colour table taken.
inline constexpr std::uint32_t kSfDibMaxColors = 256;
// The bitmap file header before the information header.
inline constexpr std::size_t kSfDibFileHeaderBytes = 14;

// A bitmap without its file header, read from `in` (information header, masks or colour
// table, pixels). `hasAlpha` tells whether some pixel is not fully opaque. Fails `in` with a
// reason.
[[nodiscard]] bool SfDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha);
// A whole bitmap file ("BM", file header with the offset of the pixels, then as above). Fails
// `in` (a reader over exactly the file) with a reason.
[[nodiscard]] bool SfDecodeDibFile(TSfReader& in, TskPixels& out, bool& hasAlpha);
