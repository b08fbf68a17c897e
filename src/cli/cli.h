// tolvi-cli: the engine without a window. RunCli is the whole program, so tests run it
// in-process with their own streams.
#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}
namespace tolvi {
class Form;
}

namespace tolvi::cli {

// Exit statuses: 0 success, 1 a case that could not be solved, 2 a usage error.
inline constexpr int kOk = 0, kFailed = 1, kUsage = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

// Runs one command. Whatever the command, output that did not reach io.out (checked once
// it is flushed at the end) is a message on io.err and the status kFailed.
int RunCli(const std::vector<std::string>& args, Streams io);

// Option checks in CLI11's form: an empty text when the value is good, else why not.
// --seed: a whole number from 0 to 2^64-1, in decimal digits only.
std::string CheckSeed(std::string& text);
// --symbol: UTF-8 without control characters.
std::string CheckSymbol(std::string& text);
// The value of a --seed text that passed CheckSeed.
uint64_t SeedOf(const std::string& text);

// --per-year and --timing of solve and schedule: the periods of an interest panel, chosen in
// its lists as a person would. perYear 0 and an empty timing leave the panel's usual ones.
// Answers false (after telling why on io.err) when the panel has no such choice.
struct PeriodOptions {
  int perYear = 0;
  std::string timing;  // "start", "end" or ""
};
void AddPeriodOptions(CLI::App& cmd, PeriodOptions& opt);
bool ChoosePeriods(const PeriodOptions& opt, int panel, Form& form, Streams io,
                   std::string_view command);

// Each command adds itself to the app; its callback writes the exit status into *status.
void AddCalc(CLI::App& app, Streams io, int* status);
void AddFormat(CLI::App& app, Streams io, int* status);
void AddRoots(CLI::App& app, Streams io, int* status);
void AddSolve(CLI::App& app, Streams io, int* status);
void AddGenerate(CLI::App& app, Streams io, int* status);
void AddWorksheet(CLI::App& app, Streams io, int* status);
void AddSchedule(CLI::App& app, Streams io, int* status);

}  // namespace tolvi::cli
