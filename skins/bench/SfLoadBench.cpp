// Skin loading against a plain zlib inflate of the same bytes, in the same run, and the peak
// heap while loading against the inflated size. Prints one line per skin:
//   name  size  inflate ms  load ms  ratio  (target: load <= 1.5 x inflate + 10 ms)  peak / inflated
#include "skins/SfSkinSource.h"
#include "skins/tests/SfTestSkins.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>

// Heap accounting for the peak-memory figure: every operator new is counted.
namespace {
std::atomic<std::size_t> gHeapNow{0}, gHeapPeak{0};
}

void* operator new(std::size_t n) {
  void* p = std::malloc(n + 16);
  if (!p) {
    throw std::bad_alloc();
  }
  *static_cast<std::size_t*>(p) = n;
  const std::size_t now = gHeapNow += n;
  std::size_t peak = gHeapPeak.load();
  while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
  if (p) {
    char* base = static_cast<char*>(p) - 16;
    gHeapNow -= *reinterpret_cast<std::size_t*>(base);
    std::free(base);
  }
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using TClock = std::chrono::steady_clock;

template <typename F>
double MedianMs(int rounds, F&& f) {
  std::vector<double> t;
  for (int i = 0; i < rounds; ++i) {
    const auto a = TClock::now();
    f();
    t.push_back(std::chrono::duration<double, std::milli>(TClock::now() - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

bool Measure(const char* name, const std::vector<std::uint8_t>& file, int rounds) {
  // The same zlib stream inflated on its own: the peer.
  std::vector<std::uint8_t> contents;
  const std::span<const std::uint8_t> stream = std::span(file).subspan(9);
  const double inflateMs = MedianMs(rounds, [&] {
    TSfReader in{stream};
    if (!SfInflate(in, contents, false)) {
      std::abort();
    }
  });
  const double loadMs = MedianMs(rounds, [&] {
    TSfSkinSource s;
    if (!s.LoadFromStream(file)) {
      std::fprintf(stderr, "%s: %s\n", name, s.LastError().c_str());
      std::abort();
    }
  });
  const std::size_t before = gHeapNow.load();
  gHeapPeak = before;
  {
    TSfSkinSource s;
    if (!s.LoadFromStream(file)) {
      std::abort();
    }
  }
  const double peak = double(gHeapPeak.load() - before);
  const bool fast = loadMs <= 1.5 * inflateMs + 10.0;
  const bool small = peak <= 3.0 * double(contents.size());
  std::printf("%-14s %7.2f MiB  inflate %8.2f ms  load %8.2f ms  = %.2fx  %-4s  peak %6.2f MiB = %.2fx "
              "inflated  %s\n",
              name, double(contents.size()) / (1 << 20), inflateMs, loadMs, loadMs / inflateMs,
              fast ? "ok" : "SLOW", peak / (1 << 20), peak / double(contents.size()), small ? "ok" : "LARGE");
  return fast && small;
}

} // namespace

int main() {
  std::vector<std::uint8_t> demo;
  {
    std::ifstream f(TABIRA_DEMO_SKIN, std::ios::binary);
    demo.assign(std::istreambuf_iterator<char>(f), {});
  }
  std::vector<std::uint8_t> large;
  if (!MakeLargeSkin(std::size_t(20) << 20, 500).SaveToStream(large, fkMaxCompression)) {
    std::fprintf(stderr, "could not build the large skin\n");
    return 1;
  }
  std::vector<std::uint8_t> largeText;
  (void)MakeLargeSkin(std::size_t(20) << 20, 500).SaveToStream(largeText, fkCompressed);
  std::printf("skin load vs zlib inflate of the same bytes (median), target load <= 1.5x + 10 ms, "
              "peak heap <= 3x inflated\n");
  bool ok = !demo.empty() && Measure("demo .mskn", demo, 31);
  ok = Measure("20 MiB .mskn", large, 7) && ok;
  ok = Measure("20 MiB .cskn", largeText, 7) && ok;
  return ok ? 0 : 1;
}
