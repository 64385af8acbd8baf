#include "framework/Hint.h"

std::string ShortHint(std::string_view hint) { return std::string(hint.substr(0, hint.find('|'))); }

std::string LongHint(std::string_view hint) {
  std::size_t bar = hint.find('|');
  return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

std::u16string ShortHint(std::u16string_view hint) { return std::u16string(hint.substr(0, hint.find(u'|'))); }

namespace {

constexpr char16_t kPackMark = 0xFFFE;

void PutUnit(std::string& out, char16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

char16_t UnitAt(std::string_view bytes, std::size_t at) {
  return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

} // namespace

std::string PackWideHint(std::string_view narrow, std::u16string_view wide) {
  narrow = narrow.substr(0, narrow.find('\0'));
  wide = wide.substr(0, wide.find(u'\0'));
  std::string out(narrow);
  out.reserve(narrow.size() + 1 + 2 * wide.size() + 4);
  out.push_back('\0');
  for (char16_t unit : wide) {
    PutUnit(out, unit);
  }
  PutUnit(out, 0);
  PutUnit(out, kPackMark);
  return out;
}

std::optional<TUnpackedHint> UnpackWideHint(std::string_view hint) {
  const std::size_t zero = hint.find('\0');
  if (zero == std::string_view::npos) {
    return std::nullopt;
  }
  // After the zero byte: whole code units, ending with 0 and the mark, and no 0 before them.
  const std::string_view units = hint.substr(zero + 1);
  if (units.size() < 4 || units.size() % 2 != 0 || UnitAt(units, units.size() - 2) != kPackMark ||
      UnitAt(units, units.size() - 4) != 0) {
    return std::nullopt;
  }
  TUnpackedHint out{std::string(hint.substr(0, zero)), {}};
  const std::size_t count = (units.size() - 4) / 2;
  out.Wide.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t unit = UnitAt(units, 2 * i);
    if (unit == 0) {
      return std::nullopt;
    }
    out.Wide.push_back(unit);
  }
  return out;
}

std::string NarrowHint(std::string_view hint) { return std::string(hint.substr(0, hint.find('\0'))); }
