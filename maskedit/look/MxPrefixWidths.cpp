#include "maskedit/look/MxPrefixWidths.h"

#include <algorithm>

void TMxPrefixWidths::Invalidate() {
  FValid = false;
  FText.clear();
  FWidths.assign(1, 0);
}

void TMxPrefixWidths::Update(std::string_view text, std::uintptr_t fontKey, const TMeasure& measure) {
  std::size_t common = 0;
  if (FValid && fontKey == FFontKey) {
    const std::size_t n = std::min(text.size(), FText.size());
    const auto mismatch =
        std::mismatch(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), FText.begin());
    common = static_cast<std::size_t>(mismatch.first - text.begin());
    if (common == text.size() && common == FText.size()) {
      return;
    }
  }
  FWidths.resize(common + 1);
  if (common < text.size()) {
    std::vector<int> rest;
    measure(text.substr(common), rest);
    rest.resize(text.size() - common, rest.empty() ? 0 : rest.back());
    const int base = FWidths[common];
    int previous = base;
    FWidths.reserve(text.size() + 1);
    for (int w : rest) {
      // A measuring error must not break the order the searches rely on.
      previous = std::max(previous, base + w);
      FWidths.push_back(previous);
    }
  }
  FText.assign(text);
  FFontKey = fontKey;
  FValid = true;
}

int TMxPrefixWidths::Width(long long count) const {
  if (count <= 0) {
    return 0;
  }
  return FWidths[static_cast<std::size_t>(std::min<long long>(count, Count()))];
}

int TMxPrefixWidths::CharWidth(long long i) const {
  if (i < 1 || i > Count()) {
    return 0;
  }
  return FWidths[static_cast<std::size_t>(i)] - FWidths[static_cast<std::size_t>(i - 1)];
}

int TMxPrefixWidths::FirstMiddleAtOrAfter(int x) const {
  // middle(i) = Width(i) - CharWidth(i) / 2 never decreases: middle(i + 1) - middle(i) is
  // CharWidth(i) / 2 plus the rounded-up half of CharWidth(i + 1).
  int lo = 1, hi = Count() + 1;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (Width(mid) - CharWidth(mid) / 2 >= x) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

int TMxPrefixWidths::CharsEndingBefore(int x) const {
  const auto it = std::upper_bound(FWidths.begin() + 1, FWidths.end(), x);
  return static_cast<int>(it - FWidths.begin()) - 1;
}
