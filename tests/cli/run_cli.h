// tolvi-cli run in-process: its exit status and what it wrote to each stream.
#pragma once
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

}  // namespace tolvi::cli
