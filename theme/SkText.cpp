#include "theme/SkText.h"

std::string TrimBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') {
    ++b;
  }
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') {
    --e;
  }
  return std::string(s.substr(b, e - b));
}

std::string NextField(std::string& s, std::string_view delimiters) {
  const std::size_t at = s.find_first_of(delimiters);
  std::string field;
  if (at == std::string::npos) {
    field = TrimBlanks(s);
    s.clear();
    return field;
  }
  field = TrimBlanks(std::string_view(s).substr(0, at));
  s = TrimBlanks(std::string_view(s).substr(at + 1));
  return field;
}

std::string NextToken(std::string& s) { return NextField(s, " (),:;="); }

namespace {
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
} // namespace

std::wstring EllipsisText(TskTextMeasure& measure, const std::wstring& text, std::int32_t maxWidth) {
  if (measure.TextWidth(text) <= maxWidth) {
    return text;
  }
  static const std::wstring dots = L"...";
  // Binary search for the longest fitting prefix: one measurement per halving instead of one
  // per character.
  std::size_t lo = 0, hi = text.size(); // prefix lo fits (or is empty), prefix hi + 1 does not
  auto fits = [&](std::size_t n) { return measure.TextWidth(text.substr(0, n) + dots) <= maxWidth; };
  if (hi > 0) {
    --hi;
  }
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo + 1) / 2;
    if (fits(mid)) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  if (lo > 0 && IsHighSurrogate(text[lo - 1])) {
    --lo;
  }
  return text.substr(0, lo) + dots;
}
