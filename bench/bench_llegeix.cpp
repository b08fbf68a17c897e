// How fast a typed field is read and a number written.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "numeric/numtext.h"

namespace {

const std::vector<std::string>& FieldTexts() {
  static const std::vector<std::string> texts = {"12",          "1,5",     "2*pi",
                                                 "(1+2)*(3+4)", "1000000", "0,05"};
  return texts;
}

// One iteration reads every typical text once; items are single reads.
void BM_LlegeixNum(benchmark::State& state) {
  const auto& texts = FieldTexts();
  for (auto _ : state) {
    for (const auto& t : texts) {
      double v = 0;
      benchmark::DoNotOptimize(tolvi::LlegeixNum(t, v));
      benchmark::DoNotOptimize(v);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_LlegeixNum);

void BM_LlegeixNumEach(benchmark::State& state) {
  const std::string& t = FieldTexts()[static_cast<size_t>(state.range(0))];
  state.SetLabel(t);
  for (auto _ : state) {
    double v = 0;
    benchmark::DoNotOptimize(tolvi::LlegeixNum(t, v));
    benchmark::DoNotOptimize(v);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LlegeixNumEach)->DenseRange(0, 5);

// The longest text a field accepts: a chain of 16383 sums.
void BM_LlegeixNumLongest(benchmark::State& state) {
  std::string t = "1";
  while (t.size() + 2 <= 32767) t += "+1";
  for (auto _ : state) {
    double v = 0;
    benchmark::DoNotOptimize(tolvi::LlegeixNum(t, v));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}
BENCHMARK(BM_LlegeixNumLongest);

void BM_EscriuNum(benchmark::State& state) {
  const double values[] = {5, 0.5, -0.75, 1000.5, 3.14159265358979, 12.345, 0.0001, 3e9};
  for (auto _ : state)
    for (double x : values) benchmark::DoNotOptimize(tolvi::EscriuNum(x, 3));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(values)));
}
BENCHMARK(BM_EscriuNum);

}  // namespace

BENCHMARK_MAIN();
