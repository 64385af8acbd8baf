#include "maskedit/MxStr.h"

#include <algorithm>
#include <climits>

std::string MxCopy(std::string_view s, long long start, long long count) {
  if (start < 1) {
    start = 1;
  }
  const long long len = static_cast<long long>(s.size());
  if (count <= 0 || start > len) {
    return {};
  }
  const long long n = std::min(count, len - start + 1);
  return std::string(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n)));
}

void MxDelete(std::string& s, long long start, long long count) {
  const long long len = static_cast<long long>(s.size());
  if (start < 1 || start > len || count <= 0) {
    return;
  }
  const long long n = std::min(count, len - start + 1);
  s.erase(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

void MxInsert(std::string& s, std::string_view sub, long long at) {
  const long long len = static_cast<long long>(s.size());
  const size_t pos = static_cast<size_t>(std::clamp(at, 1LL, len + 1) - 1);
  if (sub.empty()) {
    return;
  }
  if (sub.size() == 1) {
    // A typed character, taken by value: the fill insert skips the general replace's
    // overlap handling.
    s.insert(pos, 1, sub[0]);
  } else {
    s.insert(pos, sub);
  }
}

int MxPos(std::string_view sub, std::string_view s) {
  if (sub.empty()) {
    return 0;
  }
  const size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int MxCountChar(std::string_view s, char c, long long count) {
  const long long n = std::clamp(count, 0LL, static_cast<long long>(s.size()));
  return static_cast<int>(std::count(s.begin(), s.begin() + n, c));
}

TMxIntegerReading MxReadDecimalInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) {
    return {0, false};
  }
  // Magnitude up to 2^63 (the most negative value); checked before each step.
  constexpr std::uint64_t limit = 9223372036854775808ULL;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!MxIsDigit(text[i])) {
      return {0, false};
    }
    const auto d = static_cast<std::uint64_t>(text[i] - '0');
    if (magnitude > (limit - d) / 10) {
      return {0, false};
    }
    magnitude = magnitude * 10 + d;
  }
  if (!negative && magnitude == limit) {
    return {0, false};
  }
  // Two's complement wrap is well defined for the conversion and exact for -2^63.
  const auto value = static_cast<std::int64_t>(negative ? (~magnitude + 1) : magnitude);
  return {value, true};
}
