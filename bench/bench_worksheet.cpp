// A worksheet of 100 problems with its answer key, drawn as PDF in memory on Qt's offscreen
// platform, as tolvi-cli worksheet --pdf --key does (composing the cases is measured apart).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "app/worksheet.h"
#include "render/worksheet_pdf.h"

namespace {

tolvi::WorksheetRequest Hundred() {
  tolvi::WorksheetRequest r;
  for (int16_t key = 0; key < 8; ++key) r.panels.push_back(key);
  r.counts = {13, 13, 13, 13, 12, 12, 12, 12};
  r.seed = 2024;
  return r;
}

void BM_Compose100(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tolvi::ComposeWorksheet(Hundred()));
}
BENCHMARK(BM_Compose100)->Unit(benchmark::kMillisecond);

void BM_SheetAndKeyPdf100(benchmark::State& state) {
  const tolvi::Worksheet sheet = tolvi::ComposeWorksheet(Hundred());
  tolvi::SheetOptions options;
  options.title = "Repaso";
  options.header = {"IES Tolvi", "1.\u00BA Bachillerato"};
  options.steps = state.range(0) != 0;  // 1: the key with the worked steps
  for (auto _ : state) {
    const QByteArray a =
        tolvi::PdfBytes(tolvi::SheetDocument(sheet, options), QStringLiteral("Repaso"));
    const QByteArray b =
        tolvi::PdfBytes(tolvi::KeyDocument(sheet, options), QStringLiteral("Clave"));
    benchmark::DoNotOptimize(a.size() + b.size());
  }
  state.counters["problems"] = static_cast<double>(sheet.problems().size());
}
BENCHMARK(BM_SheetAndKeyPdf100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  int qtArgc = 3;
  char arg0[] = "bench_worksheet", arg1[] = "-platform", arg2[] = "offscreen";
  char* qtArgv[] = {arg0, arg1, arg2, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
