// Loading the visual style Wine ships ("light") and building its theme, against opening the
// same module with LoadLibraryEx alone, in one run. Prints the medians and their ratio. Run
// under Wine by scripts/bench.sh; "--rounds N" changes the number of timed rounds.
#include "themefiles/win32/VsModule.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* const kLight = "C:\\windows\\resources\\themes\\light\\light.msstyles";

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

template <class F>
double Median(int rounds, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = Seconds();
    f();
    times.push_back(Seconds() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  int rounds = 7;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0) {
      rounds = std::max(1, std::atoi(argv[i + 1]));
    }
  }
  bool ok = true;
  const double module = Median(rounds, [&] {
    HMODULE h = LoadLibraryExA(kLight, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ok &= h != nullptr;
    FreeLibrary(h);
  });
  std::size_t images = 0;
  const double theme = Median(rounds, [&] {
    TvsLoadResult r = SkLoadVisualStyle(kLight);
    ok &= r.Theme != nullptr;
    images = r.Theme ? r.Theme->OriginalImages().Count() : 0;
  });
  if (!ok) {
    std::fprintf(stderr, "cannot load %s\n", kLight);
    return 1;
  }
  std::printf("light.msstyles (%zu images), median of %d: LoadLibraryEx %.3f ms, theme load+build %.3f ms, "
              "ratio %.1f\n",
              images, rounds, module * 1e3, theme * 1e3, theme / module);
  return 0;
}
