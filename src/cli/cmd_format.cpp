#include <CLI/CLI.hpp>

#include "cli/cli.h"

namespace tolvi::cli {

// Not written yet.
void AddFormat(CLI::App&, Streams, int*) {}

}  // namespace tolvi::cli
