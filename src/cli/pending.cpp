#include <CLI/CLI.hpp>

#include "cli/cli.h"

// Commands whose engines are still being written. Each is moved to its own file when done.
namespace tolvi::cli {
void AddCalc(CLI::App&, Streams, int*) {}
void AddFormat(CLI::App&, Streams, int*) {}
void AddRoots(CLI::App&, Streams, int*) {}
void AddSolve(CLI::App&, Streams, int*) {}
void AddGenerate(CLI::App&, Streams, int*) {}
}  // namespace tolvi::cli
