// tolvi-cli run in-process: its exit status and what it wrote to each stream; or run as the
// program itself, through the shell.
#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tolvi::cli {

struct Outcome {
  int status;
  std::string out, err;
  nlohmann::json json() const { return nlohmann::json::parse(out); }
};

inline Outcome Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, {out, err});
  return {status, out.str(), err.str()};
}

// A shell command's exit status.
inline int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The tolvi-cli program with no display at all, its streams redirected as given.
inline int RunProgram(const std::vector<std::string>& args, const std::string& redirects) {
  std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(TOLVI_CLI_PROGRAM);
  for (const std::string& a : args) command += " '" + a + "'";
  return Shell(command + " " + redirects);
}

}  // namespace tolvi::cli
