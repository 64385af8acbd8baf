#pragma once
// The stored form of a visual-style theme: the 7-byte magic "QVMSSTL", then one zlib stream
// holding the theme name, the description text, a 32-bit image count and, per image, its
// stored bitmap (name, width, height, pixels), its name again, a Transparent byte and an
// AlphaBlend byte. Strings are a 32-bit little-endian byte count and the bytes.
#include "fileread/SfReader.h"
#include "visualstyles/VsSections.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

inline constexpr char kVsMagic[7] = {'Q', 'V', 'M', 'S', 'S', 'T', 'L'};

struct TvsStoredTheme {
  std::string Name;
  std::string Description;
  TvsImageList Images;
};

// The bytes begin with the magic.
bool VsIsStoredForm(std::span<const std::uint8_t> bytes);
// Reads a whole stored form. False with the reader's error for anything malformed: a missing
// magic, a bad zlib stream, sizes or counts beyond the limits, or data that ends early.
// `used` receives the bytes the stored form took (bytes after its zlib stream are not read).
[[nodiscard]] bool VsReadStoredForm(std::span<const std::uint8_t> bytes, TvsStoredTheme& out,
                                    std::string& error, const TSfLimits& limits = {},
                                    std::size_t* used = nullptr);
// The stored form at zlib level 1.
std::vector<std::uint8_t> VsWriteStoredForm(const std::string& name, const std::string& description,
                                            const TvsImageList& images);
