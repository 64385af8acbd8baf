#pragma once
// TskFontDesc: a theme font as the themes describe it, independent of any device: face, size
// in points, character set, colour and style bits. The platform layer makes the real font.
#include "theme/SkColor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum TskFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TskFontDesc {
  std::string Name = "Tahoma";
  std::int32_t Size = 8;     // points
  std::int32_t Charset = 1;  // the platform's default character set
  TColor Color = 0xFF000008; // clWindowText
  std::uint8_t Style = 0;    // TskFontStyle bits

  friend bool operator==(const TskFontDesc&, const TskFontDesc&) = default;
};

// "Tahoma,8,1,0,0,128,italic": face, size, character set, red, green, blue, then one field per
// style present (bold, italic, underline, strikeout in this order). The colour is resolved
// through `sys` first.
std::string SkFontToText(const TskFontDesc& font, TskSysColorFunc sys = nullptr);
// Reads the text form over `base` (whose character set is kept: the stored one is skipped).
// Size and colour channels must be decimal integers (channels are clamped to 0..255); any other
// field that is not a style name is ignored. No value for a malformed text.
std::optional<TskFontDesc> SkTextToFont(std::string_view text, const TskFontDesc& base);
