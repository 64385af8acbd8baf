// bench_edit: the cost of the edit engine against a plain std::string doing the same
// insertion, in the same run. Each engine benchmark has a std::string twin; the summary at
// the end prints engine time / string time per pair.
//
// What grows with what: an InsertText is linear in the text length (one move of the tail
// of the text, plus the replaced characters copied into the undo record); an undo record
// costs O(1) amortised to push. Typing into a currency field re-formats the whole
// (short) text per keystroke.
#include "maskedit/engine/MxCustomMaskEdit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Filler(size_t size) {
  std::string s(size, 'x');
  for (size_t i = 0; i < size; i += 7) {
    s[i] = ' ';
  }
  return s;
}

// One character inserted in the middle of a text of the given size and deleted again
// with Backspace (two InsertText calls), so the size and the caret stay the same.
void BM_EditInsertMiddle(benchmark::State& state) {
  TMxApplication app;
  TMxCustomMaskEdit edit(app);
  edit.SetMaskType(meNone);
  edit.SetText(Filler(static_cast<size_t>(state.range(0))));
  const int middle = static_cast<int>(state.range(0) / 2);
  edit.SetCursorPos(middle);
  long long n = 0;
  for (auto _ : state) {
    edit.InsertText("a");
    edit.KeyDown(TMxKey::Back, 0);
    if ((++n & 4095) == 0) {
      edit.ClearUndo();
    }
  }
  if (edit.GetCursorPos() != middle || edit.RawText().size() != static_cast<size_t>(state.range(0))) {
    state.SkipWithError("the caret or the text moved");
  }
  benchmark::DoNotOptimize(edit.RawText().data());
}

void BM_StringInsertMiddle(benchmark::State& state) {
  std::string s = Filler(static_cast<size_t>(state.range(0)));
  const size_t middle = s.size() / 2;
  for (auto _ : state) {
    s.insert(middle - 1, 1, 'a');
    s.erase(middle - 1, 1);
    benchmark::DoNotOptimize(s.data());
  }
}

// A 1 MB paste into an empty free-text field.
void BM_EditPaste(benchmark::State& state) {
  const std::string clip = Filler(static_cast<size_t>(state.range(0)));
  TMxApplication app;
  TMxCustomMaskEdit edit(app);
  edit.SetMaskType(meNone);
  for (auto _ : state) {
    edit.InsertText(clip);
    state.PauseTiming();
    edit.SetText("");
    state.ResumeTiming();
  }
}

void BM_StringPaste(benchmark::State& state) {
  const std::string clip = Filler(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::string s;
    s.insert(0, clip);
    benchmark::DoNotOptimize(s.data());
    state.PauseTiming();
    s.clear();
    state.ResumeTiming();
  }
}

// Typing a 12-digit amount into the calculator's amount field and clearing it.
void BM_EditTypeCurrency(benchmark::State& state) {
  TMxApplication app;
  TMxCustomMaskEdit edit(app);
  edit.CurrencySettings().SetSystemDefaults(cmUser);
  edit.CurrencySettings().SetPositiveFormatStr("\xA4"
                                               "1,1");
  edit.CurrencySettings().SetNegativeFormatStr("(\xA4"
                                               "1,1)");
  edit.CurrencySettings().SetSymbol(" ");
  edit.SetMaskType(meCurrency);
  edit.SetDecimals(0);
  for (auto _ : state) {
    edit.ClearAll();
    edit.SetCursorPos(100);
    for (char c : std::string("123456789012")) {
      edit.KeyPress(c);
    }
    edit.ClearUndo();
  }
  state.SetItemsProcessed(state.iterations() * 12);
}

void BM_StringTypeCurrency(benchmark::State& state) {
  for (auto _ : state) {
    std::string s = " 0";
    for (char c : std::string("123456789012")) {
      s.insert(s.size(), 1, c);
      benchmark::DoNotOptimize(s.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * 12);
}

BENCHMARK(BM_EditInsertMiddle)->Arg(1 << 10)->Arg(100 << 10)->Arg(1 << 20);
BENCHMARK(BM_StringInsertMiddle)->Arg(1 << 10)->Arg(100 << 10)->Arg(1 << 20);
BENCHMARK(BM_EditPaste)->Arg(1 << 20);
BENCHMARK(BM_StringPaste)->Arg(1 << 20);
BENCHMARK(BM_EditTypeCurrency);
BENCHMARK(BM_StringTypeCurrency);

// Collects the time per iteration of every run and prints the engine/string ratios. With
// repetitions the best time of each benchmark is used.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred) {
        const std::string name = r.run_name.str();
        const double t = r.GetAdjustedRealTime();
        const auto it = Times.find(name);
        if (it == Times.end() || t < it->second) {
          Times[name] = t;
        }
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nengine / std::string (same run)\n");
    for (const auto& [name, time] : Times) {
      if (name.rfind("BM_Edit", 0) != 0) {
        continue;
      }
      const std::string twin = "BM_String" + name.substr(7);
      const auto it = Times.find(twin);
      if (it != Times.end() && it->second > 0) {
        std::printf("  %-32s %8.2fx\n", name.substr(7).c_str(), time / it->second);
      }
    }
  }

private:
  std::map<std::string, double> Times;
};

} // namespace

int main(int argc, char** argv) {
  // Unless told otherwise, twenty short repetitions: the ratios use the best of them, which
  // on a shared machine is the estimate least disturbed by other work.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=20";
  std::string minTime = "--benchmark_min_time=0.05";
  const auto given = [&args](const char* flag) {
    return std::any_of(args.begin(), args.end(),
                       [flag](const char* a) { return std::strstr(a, flag) != nullptr; });
  };
  if (!given("--benchmark_repetitions")) {
    args.push_back(repetitions.data());
  }
  if (!given("--benchmark_min_time")) {
    args.push_back(minTime.data());
  }
  argc = static_cast<int>(args.size());
  args.push_back(nullptr);
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
