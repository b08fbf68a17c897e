#include <CLI/CLI.hpp>

#include "cli/cli.h"

namespace tolvi::cli {

// Not written yet.
void AddRoots(CLI::App&, Streams, int*) {}

}  // namespace tolvi::cli
