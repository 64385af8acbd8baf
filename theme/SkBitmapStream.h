#pragma once
// The stored form of a bitmap (little-endian): name as a stream string, 32-bit width, 32-bit
// height, then width x height pixels of 4 bytes (blue, green, red, alpha), rows top to bottom.
// A height of 0 or less stores the rows bottom to top. Stored data is untrusted: sizes beyond
// TskPixels::MaxSide, the most negative 32-bit value, and sizes larger than the bytes that
// remain are rejected.
#include "theme/SkPixels.h"
#include "theme/SkStream.h"

#include <string>

struct TskStoredBitmap {
  std::string Name;
  // Empty when the stored size had a zero dimension (no pixel data follows then).
  TskPixels Pixels;
};

// Reads one stored bitmap. False for malformed or hostile data; `out` is then untouched.
[[nodiscard]] bool ReadStoredBitmap(TskByteReader& in, TskStoredBitmap& out);
// Writes `pixels` under `name`, always with a positive height (0 x 0 for an empty image).
void WriteStoredBitmap(TskByteWriter& out, const std::string& name, const TskPixels& pixels);
