#pragma once
// TMxGlyph: the small picture a custom button shows beside its caption. Pixels are
// 0xAARRGGBB, row by row from the top; the colour 0x7F007F (any alpha) is see-through, as
// is any pixel whose alpha is 0 while some pixel of the glyph has a non-zero alpha.
//
// Stored form (one layout string): "<width>x<height>:" then eight hexadecimal digits per
// pixel (AARRGGBB), rows from the top; an empty glyph is the empty string.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TMxGlyph {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
  bool operator==(const TMxGlyph&) const = default;
};

inline constexpr std::uint32_t kMxGlyphKeyColor = 0x007F007F;

struct TMxGlyphLimits {
  int MaxSide = 64; // 64 x 64 pixels are 32768 stored digits, well inside a layout string
};

std::string MxGlyphToText(const TMxGlyph& glyph);
// Reads the stored form; on failure the glyph is unchanged and error says why.
[[nodiscard]] bool MxGlyphFromText(std::string_view text, TMxGlyph& glyph, std::string& error,
                                   const TMxGlyphLimits& limits = {});

// The glyph at another pixel density: each source pixel becomes the block of pixels between
// its scaled edges (nearest neighbour), so a glyph scaled up and back is the same glyph.
TMxGlyph MxScaleGlyph(const TMxGlyph& glyph, int fromPpi, int toPpi);
