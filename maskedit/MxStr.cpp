#include "maskedit/MxStr.h"

#include <algorithm>
#include <climits>

int MxLen(std::string_view s) {
  // Texts longer than INT_MAX cannot be addressed by the edit's 32-bit positions.
  return s.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(s.size());
}

char MxCharAt(std::string_view s, long long i) {
  if (i < 1 || i > static_cast<long long>(s.size())) {
    return '\0';
  }
  return s[static_cast<size_t>(i - 1)];
}

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
  at = std::clamp(at, 1LL, len + 1);
  s.insert(static_cast<size_t>(at - 1), sub);
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
