#include "theme/records/SkFontDesc.h"

#include "theme/SkText.h"

#include <algorithm>
#include <charconv>

namespace {

std::optional<std::int64_t> ParseInt(const std::string& s) {
  if (s.empty() || s.size() > 18) {
    return std::nullopt;
  }
  std::int64_t v = 0;
  const char* first = s.data();
  if (*first == '+') {
    ++first;
  }
  auto [end, ec] = std::from_chars(first, s.data() + s.size(), v, 10);
  if (ec != std::errc() || end != s.data() + s.size()) {
    return std::nullopt;
  }
  return v;
}

} // namespace

std::string SkFontToText(const TskFontDesc& font, TskSysColorFunc sys) {
  const TColor rgb = ResolveColor(font.Color, sys);
  std::string out = font.Name + "," + std::to_string(font.Size) + "," + std::to_string(font.Charset) + "," +
                    std::to_string(rgb & 0xFF) + "," + std::to_string((rgb >> 8) & 0xFF) + "," +
                    std::to_string((rgb >> 16) & 0xFF);
  if (font.Style & fsBold) {
    out += ",bold";
  }
  if (font.Style & fsItalic) {
    out += ",italic";
  }
  if (font.Style & fsUnderline) {
    out += ",underline";
  }
  if (font.Style & fsStrikeOut) {
    out += ",strikeout";
  }
  return out;
}

std::optional<TskFontDesc> SkTextToFont(std::string_view text, const TskFontDesc& base) {
  std::string rest(text);
  TskFontDesc font = base;
  font.Name = NextField(rest, ",;");
  const auto size = ParseInt(NextField(rest, ",;"));
  if (!size || *size < -4096 || *size > 4096) {
    return std::nullopt;
  }
  font.Size = std::int32_t(*size);
  NextField(rest, ",;"); // the stored character set is not taken
  int channels[3];
  for (int& c : channels) {
    const auto v = ParseInt(NextToken(rest));
    if (!v) {
      return std::nullopt;
    }
    c = int(std::clamp<std::int64_t>(*v, 0, 255));
  }
  font.Color = TColor(channels[0]) | (TColor(channels[1]) << 8) | (TColor(channels[2]) << 16);
  font.Style = 0;
  while (!rest.empty()) {
    const std::string field = NextField(rest, ",;");
    if (field == "bold") {
      font.Style |= fsBold;
    } else if (field == "italic") {
      font.Style |= fsItalic;
    } else if (field == "underline") {
      font.Style |= fsUnderline;
    } else if (field == "strikeout") {
      font.Style |= fsStrikeOut;
    }
  }
  return font;
}
