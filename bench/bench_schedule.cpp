// A monthly loan over 30 years: the solve of its payment and the 360-row table to the cent,
// with its CSV.
#include <benchmark/benchmark.h>

#include "solvers/controls.h"
#include "solvers/interest.h"
#include "solvers/recording_services.h"
#include "solvers/schedule.h"

namespace {

tolvi::Solution MonthlyLoan() {
  tolvi::MemoryForm form;
  form.setText(tolvi::ctl::IdI(12), "150000");
  form.setText(tolvi::ctl::IdI(13), "4.2");
  form.setText(tolvi::ctl::IdI(14), "30");
  form.setCurrentIndex(tolvi::ctl::IdPer(7), 3);
  tolvi::RecordingServices ui;
  tolvi::SolveContext ctx{ui};
  tolvi::Solution s = tolvi::ResolI(3, form, ctx).solution;
  s.panel = 7;
  return s;
}

void SolveMonthlyRate(benchmark::State& state) {
  tolvi::MemoryForm form;
  form.setText(tolvi::ctl::IdI(12), "150000");
  form.setText(tolvi::ctl::IdI(14), "30");
  form.setText(tolvi::ctl::IdI(15), "733.53");
  form.setCurrentIndex(tolvi::ctl::IdPer(7), 3);
  for (auto _ : state) {
    tolvi::RecordingServices ui;
    tolvi::SolveContext ctx{ui};
    benchmark::DoNotOptimize(tolvi::ResolI(3, form, ctx));
  }
}
BENCHMARK(SolveMonthlyRate);

void Schedule360(benchmark::State& state) {
  const tolvi::Solution loan = MonthlyLoan();
  for (auto _ : state) benchmark::DoNotOptimize(tolvi::MakeSchedule(loan));
}
BENCHMARK(Schedule360);

void Schedule360Csv(benchmark::State& state) {
  const tolvi::Schedule table = tolvi::MakeSchedule(MonthlyLoan()).schedule;
  for (auto _ : state)
    benchmark::DoNotOptimize(tolvi::ScheduleCsv(table, tolvi::CsvDialect::Spanish));
}
BENCHMARK(Schedule360Csv);

}  // namespace

BENCHMARK_MAIN();
