#include "theme/SkBitmapStream.h"

#include <cstring>

bool ReadStoredBitmap(TskByteReader& in, TskStoredBitmap& out) {
  const std::size_t start = in.Position();
  auto fail = [&] {
    in.Seek(start);
    return false;
  };
  TskStoredBitmap result;
  std::int32_t w, h;
  if (!ReadStreamString(in, result.Name) || !in.ReadInt32(w) || !in.ReadInt32(h)) {
    return fail();
  }
  if (w == 0 || h == 0) {
    // The bitmap cannot take this size, so no pixel data was stored for it.
    out = std::move(result);
    return true;
  }
  if (!TskPixels::ValidSize(w, h)) {
    return fail();
  }
  const std::int64_t absW = w < 0 ? -std::int64_t(w) : w, absH = h < 0 ? -std::int64_t(h) : h;
  const std::uint64_t bytes = std::uint64_t(absW) * std::uint64_t(absH) * 4u;
  if (bytes > in.Remaining()) {
    return fail();
  }
  result.Pixels.SetSize(std::int32_t(absW), std::int32_t(absH));
  std::uint8_t px[4];
  for (std::int32_t y = 0; y < absH; ++y) {
    TskColor* row = result.Pixels.ScanLine(y);
    for (std::int32_t x = 0; x < absW; ++x) {
      if (!in.ReadBytes(px, 4)) {
        return fail();
      }
      row[x] = TskColor(px[0]) | (TskColor(px[1]) << 8) | (TskColor(px[2]) << 16) | (TskColor(px[3]) << 24);
    }
  }
  if (h < 0) {
    result.Pixels.FlipVertical();
  }
  out = std::move(result);
  return true;
}

void WriteStoredBitmap(TskByteWriter& out, const std::string& name, const TskPixels& pixels) {
  WriteStreamString(out, name);
  out.WriteInt32(pixels.Width());
  out.WriteInt32(pixels.Height());
  std::uint8_t px[4];
  for (std::int32_t y = 0; y < pixels.Height(); ++y) {
    const TskColor* row = pixels.ScanLine(y);
    for (std::int32_t x = 0; x < pixels.Width(); ++x) {
      const TskColor c = row[x];
      px[0] = std::uint8_t(c);
      px[1] = std::uint8_t(c >> 8);
      px[2] = std::uint8_t(c >> 16);
      px[3] = std::uint8_t(c >> 24);
      out.WriteBytes(px, 4);
    }
  }
}
