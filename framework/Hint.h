#pragma once
// Hint texts: "short|long". The short part is what a tooltip shows; the long part is for a
// status line. Without "|" both parts are the whole text.
//
// A hint with characters outside the 8-bit code page travels in the 8-bit hint packed: its
// 8-bit form, a zero byte, its UTF-16 code units, a 16-bit zero and the mark 0xFFFE (all
// 16-bit values little-endian). Readers that know nothing of the packing see the 8-bit form
// (it ends at the zero byte); the others unpack the wide text.
#include <optional>
#include <string>
#include <string_view>

std::string ShortHint(std::string_view hint);
std::string LongHint(std::string_view hint);
std::u16string ShortHint(std::u16string_view hint);

// Packs wide with its 8-bit form narrow (which must hold no zero byte; it is cut at the first).
std::string PackWideHint(std::string_view narrow, std::u16string_view wide);

struct TUnpackedHint {
  std::string Narrow;
  std::u16string Wide;
};
// The two forms of a packed hint; nothing when hint is not one (a plain 8-bit hint, or bytes
// that do not follow the packing).
std::optional<TUnpackedHint> UnpackWideHint(std::string_view hint);
// The 8-bit form of a hint, packed or not.
std::string NarrowHint(std::string_view hint);
