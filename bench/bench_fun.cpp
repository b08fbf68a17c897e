// Evaluation of prepared expressions against the same functions written in C++ and against
// muParser, and the root finder on the annuity solver's interval.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

#include "numeric/fun.h"

namespace {

// The annuity equation for the rate in percent, and a cubic with a power 0.
const char* const kAnualitat = "757.19*(100+x)*((1+x/100)^10-1)-10000*x";
const char* const kCubica = "1*(x^3-1)-7*(x-1)*x^0";

double NativaAnualitat(double x) {
  return 757.19 * (100 + x) * (std::pow(1 + x / 100, 10) - 1) - 10000 * x;
}
double NativaCubica(double x) { return 1 * (std::pow(x, 3) - 1) - 7 * (x - 1) * std::pow(x, 0); }

// Points spread over [0, 90], visited in turn so that nothing can be worked out in advance.
const std::vector<double>& Punts() {
  static const std::vector<double> xs = [] {
    std::vector<double> v(256);
    for (size_t i = 0; i < v.size(); ++i) v[i] = 90.0 * static_cast<double>((i * 97) % 256) / 255;
    return v;
  }();
  return xs;
}

template <class F>
void Avalua(benchmark::State& state, F f) {
  const std::vector<double>& xs = Punts();
  size_t i = 0;
  double suma = 0;
  for (auto _ : state) {
    suma += f(xs[i++ & 255]);
  }
  benchmark::DoNotOptimize(suma);
  state.SetItemsProcessed(state.iterations());
}

std::string Codi(const char* text) {
  std::string t = text;
  return tolvi::CompilaFun(t);
}

void BM_Ours(benchmark::State& state, const char* text) {
  const tolvi::FunPrograma p(Codi(text));
  Avalua(state, [&p](double x) { return p.Valor(x); });
}

void BM_Native(benchmark::State& state, double (*f)(double)) {
  Avalua(state, [f](double x) { return f(x); });
}

void BM_MuParser(benchmark::State& state, const char* text) {
  mu::Parser parser;
  double xv = 0;
  parser.DefineVar("x", &xv);
  parser.SetExpr(text);
  Avalua(state, [&](double x) {
    xv = x;
    return parser.Eval();
  });
}

// The annuity solver's search: prepared once, or prepared inside each call.
void BM_ArrelsFun(benchmark::State& state) {
  const tolvi::FunPrograma p(Codi(kAnualitat));
  size_t arrels = 0;
  for (auto _ : state) {
    const std::vector<double> r = tolvi::ArrelsFun(p, 0, 90, 1e-8);
    arrels = r.size();
    benchmark::DoNotOptimize(r.data());
  }
  state.counters["roots"] = static_cast<double>(arrels);
}

void BM_ArrelsFunFromCode(benchmark::State& state) {
  const std::string code = Codi(kAnualitat);
  for (auto _ : state) {
    const std::vector<double> r = tolvi::ArrelsFun(code, 0, 90, 1e-8);
    benchmark::DoNotOptimize(r.data());
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Ours, annuity, kAnualitat);
BENCHMARK_CAPTURE(BM_Native, annuity, NativaAnualitat);
BENCHMARK_CAPTURE(BM_MuParser, annuity, kAnualitat);
BENCHMARK_CAPTURE(BM_Ours, cubic, kCubica);
BENCHMARK_CAPTURE(BM_Native, cubic, NativaCubica);
BENCHMARK_CAPTURE(BM_MuParser, cubic, kCubica);
BENCHMARK(BM_ArrelsFun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ArrelsFunFromCode)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
