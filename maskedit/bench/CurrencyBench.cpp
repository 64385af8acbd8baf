// Currency formatting and reading beside plain library conversions, in one run, so that
// the figures read as ratios: MxFloatToStr against std::to_chars (shortest form) and
// snprintf("%.15g"); FormatCurrency and ParseCurrency against the same baselines.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "maskedit/values/MxCurrencySettings.h"
#include "maskedit/values/MxFloatText.h"
#include "maskedit/values/MxLocale.h"

namespace {

// Amounts as the calculator sees them: up to 15 digits, four implied decimals.
std::vector<std::int64_t> Amounts() {
  std::mt19937_64 random(7);
  std::vector<std::int64_t> values(1024);
  for (auto& v : values) {
    v = static_cast<std::int64_t>(random() % 100000000000000ULL) * ((random() & 1) ? 1 : -1);
  }
  return values;
}

std::vector<double> Doubles() {
  std::vector<double> values;
  for (std::int64_t v : Amounts()) {
    values.push_back(static_cast<double>(v) / 10000.0);
  }
  return values;
}

TMxCurrencySettings& Settings() {
  static const TMxFixedLocaleSource source(TMxLocaleValues::Indonesian());
  static const TMxScopedLocaleSource scope(source);
  static TMxCurrencySettings settings;
  return settings;
}

void BM_MxFloatToStr(benchmark::State& state) {
  const auto values = Doubles();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MxFloatToStr(values[i++ & 1023], ','));
  }
}

void BM_ToCharsShortest(benchmark::State& state) {
  const auto values = Doubles();
  std::size_t i = 0;
  for (auto _ : state) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, values[i++ & 1023]);
    benchmark::DoNotOptimize(std::string(buffer, r.ptr));
  }
}

void BM_Snprintf15g(benchmark::State& state) {
  const auto values = Doubles();
  std::size_t i = 0;
  for (auto _ : state) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%.15g", values[i++ & 1023]);
    benchmark::DoNotOptimize(std::string(buffer, static_cast<std::size_t>(n)));
  }
}

void BM_FormatCurrency(benchmark::State& state) {
  const auto values = Amounts();
  const TMxCurrencySettings& s = Settings();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.FormatCurrency(values[i++ & 1023]));
  }
}

void BM_ParseCurrency(benchmark::State& state) {
  const TMxCurrencySettings& s = Settings();
  std::vector<std::string> texts;
  for (std::int64_t v : Amounts()) {
    texts.push_back(s.FormatCurrency(v));
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.ParseCurrency(texts[i++ & 1023]));
  }
}

// The same texts with only digits and "." read by from_chars: the cost of a plain
// number reader, without symbol, grouping or sign rules.
void BM_FromCharsBaseline(benchmark::State& state) {
  const TMxCurrencySettings& s = Settings();
  std::vector<std::string> texts;
  for (std::int64_t v : Amounts()) {
    std::string plain;
    for (char c : s.FormatCurrency(v)) {
      if (c >= '0' && c <= '9') {
        plain += c;
      } else if (c == ',') {
        plain += '.';
      }
    }
    texts.push_back(plain);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& t = texts[i++ & 1023];
    double value = 0;
    std::from_chars(t.data(), t.data() + t.size(), value);
    benchmark::DoNotOptimize(value);
  }
}

void BM_ParseCurrencyHugeText(benchmark::State& state) {
  const TMxCurrencySettings& s = Settings();
  const std::string text(static_cast<std::size_t>(state.range(0)), '9');
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.ParseCurrency(text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

} // namespace

BENCHMARK(BM_MxFloatToStr);
BENCHMARK(BM_ToCharsShortest);
BENCHMARK(BM_Snprintf15g);
BENCHMARK(BM_FormatCurrency);
BENCHMARK(BM_ParseCurrency);
BENCHMARK(BM_FromCharsBaseline);
BENCHMARK(BM_ParseCurrencyHugeText)->Arg(1 << 20);

BENCHMARK_MAIN();
