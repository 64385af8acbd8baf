#include "theme/records/SkColorText.h"

#include "framework/Colors.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

std::string_view SkColorName(TColor c) { return ColorName(c); }

std::optional<TColor> SkColorFromName(std::string_view name) { return ColorFromIdent(name); }

std::string SkColorToText(TColor c) {
  if (const std::string_view name = SkColorName(c); !name.empty()) {
    return std::string(name);
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "$";
  for (int shift = 28; shift >= 0; shift -= 4) {
    out += kHex[(c >> shift) & 0xF];
  }
  return out;
}

std::optional<TColor> SkTextToColor(std::string_view text) {
  if (std::optional<TColor> named = SkColorFromName(text)) {
    return named;
  }
  if (text.empty()) {
    return std::nullopt;
  }
  if (text[0] == '$') {
    const std::string_view digits = text.substr(1);
    if (digits.empty() || digits.size() > 8) {
      return std::nullopt;
    }
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) {
      return std::nullopt;
    }
    return TColor(v);
  }
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
  if (ec != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (v < INT32_MIN || v > UINT32_MAX) {
    return std::nullopt;
  }
  return TColor(std::uint32_t(v));
}
