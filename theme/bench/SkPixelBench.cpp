// Throughput of the pixel layer, side by side in one run with pixman
// (OVER on a8r8g8b8) and with memcpy of the same bytes. Bytes processed count every byte read
// and written: a blend reads source and destination and writes the destination (12 bytes per
// pixel), a copy reads and writes (8), a fill writes (4). Compare bytes/s between rows.
#include "theme/SkKernels.h"
#include "theme/SkMasks.h"
#include "theme/SkPixelDraw.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
struct Size {
  std::int32_t W, H;
};
constexpr Size kSizes[] = {{64, 64}, {512, 512}, {1920, 1080}, {3840, 2160}};

std::string Label(const char* what, Size s) {
  return std::string(what) + "/" + std::to_string(s.W) + "x" + std::to_string(s.H);
}

TskPixels Random(Size s, std::uint32_t seed, int keyPercent = 0) {
  TskPixels p;
  p.SetSize(s.W, s.H);
  std::mt19937 rng(seed);
  for (std::int32_t y = 0; y < s.H; ++y) {
    TskColor* row = p.ScanLine(y);
    for (std::int32_t x = 0; x < s.W; ++x) {
      row[x] = TskColor(rng());
      if (keyPercent && int(rng() % 100) < keyPercent) {
        row[x] = skKeyColor;
      }
    }
  }
  return p;
}

std::int64_t Pixels(Size s) { return std::int64_t(s.W) * s.H; }

void BlendWith(benchmark::State& state, Size s, TskKernelPath path) {
  const TskKernelPath before = SkActiveKernels().Path;
  if (!SkSelectKernels(path)) {
    state.SkipWithError("path not available on this processor");
    return;
  }
  const TskPixels src = Random(s, 1);
  TskPixels dst = Random(s, 2);
  for (auto _ : state) {
    SkDraw(dst, dst.Bounds(), src, src.Bounds(), TskDrawMode::dmBlend);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 12);
  SkSelectKernels(before);
}

void PixmanOver(benchmark::State& state, Size s) {
  TskPixels src = Random(s, 1), dst = Random(s, 2);
  pixman_image_t* ps = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.W, s.H, src.ScanLine(0), s.W * 4);
  pixman_image_t* pd = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.W, s.H, dst.ScanLine(0), s.W * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, s.W, s.H);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 12);
}

void Memcpy(benchmark::State& state, Size s) {
  std::vector<TskColor> a(std::size_t(Pixels(s)), 1), b(std::size_t(Pixels(s)), 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * sizeof(TskColor));
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 8);
}

void Transparent(benchmark::State& state, Size s) {
  const TskPixels src = Random(s, 3, 50);
  TskPixels dst = Random(s, 4);
  for (auto _ : state) {
    SkDraw(dst, dst.Bounds(), src, src.Bounds(), TskDrawMode::dmTransparent);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 12);
}

void Copy(benchmark::State& state, Size s) {
  const TskPixels src = Random(s, 5);
  TskPixels dst = Random(s, 6);
  for (auto _ : state) {
    SkDraw(dst, dst.Bounds(), src, src.Bounds(), TskDrawMode::dmCopy);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 8);
}

void Fill(benchmark::State& state, Size s) {
  TskPixels dst = Random(s, 7);
  for (auto _ : state) {
    dst.Fill(0xFF336699);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 4);
}

// Scaled copy into a destination of the given size from a source half (up) or twice (down)
// as large; bytes count the destination written plus the source pixels read.
void Scaled(benchmark::State& state, Size s, bool up) {
  const Size from = up ? Size{std::max(1, s.W / 2), std::max(1, s.H / 2)} : Size{s.W * 2, s.H * 2};
  const TskPixels src = Random(from, 8);
  TskPixels dst = Random(s, 9);
  for (auto _ : state) {
    SkDraw(dst, dst.Bounds(), src, src.Bounds(), TskDrawMode::dmCopy);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 8);
}

void Tile(benchmark::State& state, Size s) {
  const TskPixels tile = Random({64, 64}, 10);
  TskPixels dst = Random(s, 11);
  for (auto _ : state) {
    SkTile(dst, dst.Bounds(), tile, tile.Bounds(), TskRect{}, TskDrawMode::dmCopy);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 8);
}

// A window-shaped mask: opaque with key-coloured rounded corners, about one run per row.
void RegionRuns(benchmark::State& state, Size s) {
  TskPixels mask;
  mask.SetSize(s.W, s.H);
  mask.Fill(0xFF204060);
  const std::int32_t r = std::min({16, s.W / 2, s.H / 2});
  for (std::int32_t y = 0; y < r; ++y) {
    for (std::int32_t x = 0; x < r; ++x) {
      if ((r - x) * (r - x) + (r - y) * (r - y) > r * r) {
        mask.SetPixel(x, y, skKeyColor);
        mask.SetPixel(s.W - 1 - x, y, skKeyColor);
        mask.SetPixel(x, s.H - 1 - y, skKeyColor);
        mask.SetPixel(s.W - 1 - x, s.H - 1 - y, skKeyColor);
      }
    }
  }
  for (auto _ : state) {
    auto runs = SkRegionRuns(mask, 0, 0);
    benchmark::DoNotOptimize(runs.data());
  }
  state.SetBytesProcessed(state.iterations() * Pixels(s) * 4);
}

void RegisterAll() {
  for (Size s : kSizes) {
    benchmark::RegisterBenchmark(Label("memcpy", s).c_str(), Memcpy, s);
    benchmark::RegisterBenchmark(Label("blend_scalar", s).c_str(), BlendWith, s, TskKernelPath::kpScalar);
    benchmark::RegisterBenchmark(Label("blend_sse2", s).c_str(), BlendWith, s, TskKernelPath::kpSse2);
    benchmark::RegisterBenchmark(Label("blend_avx2", s).c_str(), BlendWith, s, TskKernelPath::kpAvx2);
    benchmark::RegisterBenchmark(Label("pixman_over", s).c_str(), PixmanOver, s);
    benchmark::RegisterBenchmark(Label("transparent", s).c_str(), Transparent, s);
    benchmark::RegisterBenchmark(Label("copy", s).c_str(), Copy, s);
    benchmark::RegisterBenchmark(Label("fill", s).c_str(), Fill, s);
    benchmark::RegisterBenchmark(Label("scaled_up", s).c_str(), Scaled, s, true);
    benchmark::RegisterBenchmark(Label("scaled_down", s).c_str(), Scaled, s, false);
    benchmark::RegisterBenchmark(Label("tile", s).c_str(), Tile, s);
    benchmark::RegisterBenchmark(Label("region_runs", s).c_str(), RegionRuns, s);
  }
}
} // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
