// How long appending one problem takes: to a small file, and to a 1 GB sparse file (the
// encoding is judged from the file's ends, so the size should not matter).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "documents/problem_file.h"

namespace {

namespace fs = std::filesystem;

const tolvi::Prob kProb{
    "En una progresi\xC3\xB3n aritm\xC3\xA9tica:   a1 = 3,  d = 2\r\nCalcula: a10 y S10",
    "a10 = 21, S10 = 120"};

// A file of the given size (a hole, then a line), fresh for the benchmark.
std::string SparseFile(off_t size) {
  const fs::path path =
      fs::temp_directory_path() / ("tolvi-bench-append-" + std::to_string(::getpid()));
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string line = "Problemas\r\n";
  const bool made =
      fd >= 0 && ::ftruncate(fd, size - static_cast<off_t>(line.size())) == 0 &&
      ::pwrite(fd, line.data(), line.size(), size - static_cast<off_t>(line.size())) ==
          static_cast<ssize_t>(line.size());
  if (fd >= 0) ::close(fd);
  return made ? path.string() : std::string();
}

void BM_AfegeixPrbs(benchmark::State& state) {
  const off_t size = static_cast<off_t>(state.range(0));
  const std::string path = SparseFile(size);
  if (path.empty()) {
    state.SkipWithError("cannot make the file");
    return;
  }
  for (auto _ : state) {
    if (!tolvi::AfegeixPrbs(path, {&kProb, 1})) state.SkipWithError("append failed");
    state.PauseTiming();
    if (::truncate(path.c_str(), size) != 0) state.SkipWithError("cannot cut the file back");
    state.ResumeTiming();
  }
  fs::remove(path);
}
BENCHMARK(BM_AfegeixPrbs)->Arg(1 << 10)->Arg(1 << 20)->Arg(1 << 30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
