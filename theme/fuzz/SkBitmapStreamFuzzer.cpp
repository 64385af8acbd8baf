// Feeds arbitrary bytes to the stored-bitmap reader; whatever it accepts must write back to
// the same bytes it consumed.
#include "theme/SkBitmapStream.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TskByteReader in(std::span<const std::uint8_t>(data, size));
  TskStoredBitmap bitmap;
  if (!ReadStoredBitmap(in, bitmap)) {
    if (in.Position() != 0) {
      std::abort();
    }
    return 0;
  }
  const std::size_t used = in.Position();
  if (!bitmap.Pixels.Empty()) {
    // Rows are always written top-down with a positive height; compare against a re-read.
    TskByteWriter out;
    WriteStoredBitmap(out, bitmap.Name, bitmap.Pixels);
    TskByteReader again(out.Bytes());
    TskStoredBitmap copy;
    if (!ReadStoredBitmap(again, copy) || again.Remaining() != 0 || copy.Name != bitmap.Name) {
      std::abort();
    }
    if (out.Bytes().size() != used) {
      std::abort();
    }
    for (std::int32_t y = 0; y < copy.Pixels.Height(); ++y) {
      if (std::memcmp(copy.Pixels.ScanLine(y), bitmap.Pixels.ScanLine(y),
                      std::size_t(copy.Pixels.Width()) * 4)) {
        std::abort();
      }
    }
  }
  return 0;
}
