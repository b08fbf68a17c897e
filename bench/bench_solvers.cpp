// Whole solves of the cases that search roots: the ratio equations of the geometric row (few
// terms, small and very high powers) and the arithmetic quadratics, from the pure cores, and
// one geometric solve through the form as the window runs it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "numeric/sparse_roots.h"
#include "solvers/arithmetic.h"
#include "solvers/controls.h"
#include "solvers/geometric.h"
#include "solvers/services.h"

namespace {

using tolvi::Power;

void RatioEquation(benchmark::State& state, std::vector<Power> terms) {
  for (auto _ : state) benchmark::DoNotOptimize(tolvi::PowerSumRoots(terms));
}
// 1 + r + r² = 7 (case 024); S·r²·(1 − r) = a₃ with three real roots (case 025); a sum of
// 30000 terms with r = 1.0001 (case 234).
BENCHMARK_CAPTURE(RatioEquation, Cubic, std::vector<Power>{{1, 3}, {-1, 0}, {-7, 1}, {7, 0}});
BENCHMARK_CAPTURE(RatioEquation, ThreeRoots, std::vector<Power>{{16, 2}, {-16, 3}, {-2, 0}});
BENCHMARK_CAPTURE(RatioEquation, Power30000,
                  std::vector<Power>{{1 - 34985.9, 30000}, {34985.9, 29999}, {-1, 0}});

void ArithmeticCount(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(tolvi::SolveArithmeticCase("134", 1, {0, 2, 0, 11, 35}));
}
BENCHMARK(ArithmeticCount);

class Quiet : public tolvi::Services {
 public:
  void message(std::string_view, std::string_view, tolvi::Icon) override {}
  int chooseOption(std::string_view, std::string_view) override { return 1; }
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  std::string chooseFile(tolvi::DialogMode, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const tolvi::Prob&) override {}
  bool startProgram(const tolvi::Command&, tolvi::WindowStyle) override { return false; }
  bool openDocument(const std::string&) override { return false; }
};

void GeometricSolve(benchmark::State& state) {
  tolvi::MemoryForm form;
  form.setText(tolvi::ctl::Id1g, "2");
  form.setText(tolvi::ctl::Idg(0), "4");
  form.setText(tolvi::ctl::Idg(3), "1");
  form.setText(tolvi::ctl::Idg(4), "15");
  form.setVisible(tolvi::ctl::Idg(5), false);
  Quiet ui;
  tolvi::SolveContext ctx{ui};
  for (auto _ : state) benchmark::DoNotOptimize(tolvi::ResolG(form, ctx));
}
BENCHMARK(GeometricSolve);

}  // namespace

BENCHMARK_MAIN();
