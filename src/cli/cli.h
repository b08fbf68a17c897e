// tolvi-cli: the engine without a window. RunCli is the whole program, so tests run it
// in-process with their own streams.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI { class App; }

namespace tolvi::cli {

// Exit statuses: 0 success, 1 a case that could not be solved, 2 a usage error.
inline constexpr int kOk = 0, kFailed = 1, kUsage = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

int RunCli(const std::vector<std::string>& args, Streams io);

// Each command adds itself to the app; its callback writes the exit status into *status.
void AddCalc(CLI::App& app, Streams io, int* status);
void AddFormat(CLI::App& app, Streams io, int* status);
void AddRoots(CLI::App& app, Streams io, int* status);
void AddSolve(CLI::App& app, Streams io, int* status);
void AddGenerate(CLI::App& app, Streams io, int* status);

}  // namespace tolvi::cli
