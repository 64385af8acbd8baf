#include "maskedit/look/MxGlyph.h"

#include "framework/Scale.h"

#include <algorithm>

#include <charconv>

namespace {
// A decimal side length of 1 to max digits' worth; advances text past it.
bool ReadSide(std::string_view& text, int max, int& side) {
  const char* end = text.data() + text.size();
  const auto [next, ec] = std::from_chars(text.data(), end, side);
  if (ec != std::errc{} || next == text.data() || side < 1 || side > max) {
    return false;
  }
  text.remove_prefix(static_cast<std::size_t>(next - text.data()));
  return true;
}
} // namespace

std::string MxGlyphToText(const TMxGlyph& glyph) {
  if (glyph.Empty()) {
    return {};
  }
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out = std::to_string(glyph.Width) + "x" + std::to_string(glyph.Height) + ":";
  out.reserve(out.size() + glyph.Pixels.size() * 8);
  for (const std::uint32_t p : glyph.Pixels) {
    for (int shift = 28; shift >= 0; shift -= 4) {
      out += digits[(p >> shift) & 0xF];
    }
  }
  return out;
}

bool MxGlyphFromText(std::string_view text, TMxGlyph& glyph, std::string& error,
                     const TMxGlyphLimits& limits) {
  if (text.empty()) {
    glyph = {};
    return true;
  }
  const std::string bad = "a glyph \"<width>x<height>:<AARRGGBB per pixel>\", at most " +
                          std::to_string(limits.MaxSide) + " pixels a side";
  int width = 0, height = 0;
  if (!ReadSide(text, limits.MaxSide, width) || text.empty() || text.front() != 'x') {
    error = bad;
    return false;
  }
  text.remove_prefix(1);
  if (!ReadSide(text, limits.MaxSide, height) || text.empty() || text.front() != ':') {
    error = bad;
    return false;
  }
  text.remove_prefix(1);
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (text.size() != count * 8) {
    error = "a glyph of " + std::to_string(width) + "x" + std::to_string(height) + " needs " +
            std::to_string(count * 8) + " hexadecimal digits";
    return false;
  }
  TMxGlyph read;
  read.Width = width;
  read.Height = height;
  read.Pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    // Exactly eight hexadecimal digits per pixel (an unsigned read takes no sign).
    const char* const first = text.data() + i * 8;
    std::uint32_t p = 0;
    const auto [next, ec] = std::from_chars(first, first + 8, p, 16);
    if (ec != std::errc{} || next != first + 8) {
      error = "a glyph holds hexadecimal digits only";
      return false;
    }
    read.Pixels[i] = p;
  }
  glyph = std::move(read);
  return true;
}

TMxGlyph MxScaleGlyph(const TMxGlyph& glyph, int fromPpi, int toPpi) {
  const TScale scale(fromPpi, toPpi);
  if (glyph.Empty() || scale.Identity()) {
    return glyph;
  }
  TMxGlyph out;
  out.Width = std::max(1, scale.Apply(glyph.Width));
  out.Height = std::max(1, scale.Apply(glyph.Height));
  out.Pixels.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
  // Source column (row) i fills the target columns (rows) from its scaled left (top) edge to
  // the next one's.
  const auto blocks = [&](int sourceSize, int targetSize) {
    std::vector<int> from(static_cast<std::size_t>(targetSize), 0);
    for (int i = 0; i < sourceSize; ++i) {
      const int end = std::min(scale.Apply(i + 1), targetSize);
      for (int t = std::max(scale.Apply(i), 0); t < end; ++t) {
        from[static_cast<std::size_t>(t)] = i;
      }
    }
    return from;
  };
  const std::vector<int> columns = blocks(glyph.Width, out.Width), rows = blocks(glyph.Height, out.Height);
  for (int y = 0; y < out.Height; ++y) {
    for (int x = 0; x < out.Width; ++x) {
      out.Pixels[static_cast<std::size_t>(y * out.Width + x)] =
          glyph.At(columns[static_cast<std::size_t>(x)], rows[static_cast<std::size_t>(y)]);
    }
  }
  return out;
}
