// Loading the visual style Wine ships ("light") and building its theme, against opening the
// same module with LoadLibraryEx alone, in one run. Prints the medians and their ratio. Run
// under Wine by scripts/bench.sh; "--rounds N" changes the number of timed rounds.
#include "visualstyles/win32/VsModule.h"

#include <windows.h>

#include "framework/win32/bench/BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* const kLight = "C:\\windows\\resources\\themes\\light\\light.msstyles";

template <class F>
double Median(int rounds, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = BenchSeconds();
    f();
    times.push_back(BenchSeconds() - start);
  }
  return BenchMedian(times);
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = BenchRounds(argc, argv, 7);
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
