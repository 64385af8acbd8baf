#pragma once
// What the Windows benchmark programs share: the performance counter in seconds, the median of
// a list of times, and the "--rounds N" argument.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

inline double BenchSeconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

inline double BenchMedian(std::vector<double> times) {
  if (times.empty()) {
    return 0;
  }
  std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
  return times[times.size() / 2];
}

// "--rounds N" from the command line (at least `least`), else `fallback`.
inline int BenchRounds(int argc, char** argv, int fallback, int least = 1) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0) {
      return std::max(least, std::atoi(argv[i + 1]));
    }
  }
  return fallback;
}
