#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace tolvi::cli {

int RunCli(const std::vector<std::string>& args, Streams io) {
  CLI::App app{"Tolvi without a window: read numbers, find roots, solve panels and make worksheets.",
               "tolvi-cli"};
  app.set_version_flag("--version", std::string("tolvi-cli ") + TOLVI_VERSION);
  app.require_subcommand(1);
  int status = kOk;
  AddCalc(app, io, &status);
  AddFormat(app, io, &status);
  AddRoots(app, io, &status);
  AddSolve(app, io, &status);
  AddGenerate(app, io, &status);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    // --help and --version arrive here as "errors" with exit code 0.
    int code = app.exit(e, io.out, io.err);
    return code == 0 ? kOk : kUsage;
  }
  return status;
}

}  // namespace tolvi::cli
