// What tolvi-cli does with its standard output, and its usage contract.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"
#include "documents/temp_folder.h"

namespace tolvi::cli {
namespace {

using Args = std::vector<std::string>;

// The tolvi-cli program itself, through the shell, its standard output redirected as given
// (">/dev/full", ">&-"); its exit status and what it wrote to standard error.
std::pair<int, std::string> RunProgram(const Args& args, const std::string& redirect) {
  testing::TempFolder dir;
  std::string command = TOLVI_CLI_PROGRAM;
  for (const std::string& a : args) command += " '" + a + "'";
  const int status = std::system((command + " " + redirect + " 2>" + (dir / "err")).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadBytes(dir / "err")};
}

TEST(CliOutput, EveryCommandFailsWhenItsOutputIsLost) {
  const Args commands[] = {
      {"calc", "1,5"},
      {"calc", "--json", "2"},
      {"format", "0.5"},
      {"roots", "x*x-2", "0", "2", "--json"},
      {"solve", "arithmetic", "a=3", "d=2", "n=10"},
      {"solve", "geometric", "a=2", "r=3", "n=5", "--json"},
      {"generate", "all", "--count", "20", "--seed", "1"},  // more than one buffer
      {"generate", "0", "--seed", "1", "--json"},
      {"worksheet", "all", "--count", "20", "--seed", "1"},
      {"--help"},
      {"generate", "--help"},
      {"--version"},
  };
  for (const Args& args : commands) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(RunProgram(args, ">/dev/null").first, kOk);
    for (const char* lost : {">/dev/full", ">&-"}) {
      const auto [status, err] = RunProgram(args, lost);
      EXPECT_EQ(status, kFailed) << lost;
      EXPECT_NE(err.find("could not be written to standard output"), std::string::npos) << err;
    }
  }
}

// The usage contract: a bad command line prints nothing on standard output, says why on
// standard error and exits with 2; nothing is solved, generated or written.
TEST(CliUsage, BadArgumentsPrintNothingAndExitWithTwo) {
  const Args rows[] = {
      {"solve"}, {"solve", "cubic", "a=1"}, {"solve", "8"},
      {"solve", "arithmetic", "r=2"},    // a geometric field
      {"solve", "arithmetic", "a"},      // no "="
      {"solve", "simple", "Id(0)=3"},    // a field of another panel
      {"solve", "arithmetic", "--choose", "-1"},
      {"solve", "compound", "capital=1", "rate=1", "time=1", "--per-year", "3"},
      {"generate"}, {"generate", "nine"}, {"generate", "0", "--count", "-1"},
      {"calc"}, {"calc", "abc", "--lang", "fr"},
      {"format"}, {"format", "abc"}, {"format", "inf"}, {"format", "1e999"},
      {"format", "--decimals", "0", "1"},
      {"roots", "x", "0"}, {"roots", "x", "zero", "1"}, {"roots", "x", "0", "inf"},
      {"roots", "x", "0", "1", "0"}, {"roots", "x", "0", "1", "-1e-8"},
      {"schedule", "simple", "capital=1", "rate=1", "time=1"},  // no table for simple interest
      {"schedule", "compound", "capital=1", "rate=1", "time=1", "--timing", "end"},
  };
  for (const Args& args : rows) {
    const Outcome r = Cli(args);
    EXPECT_EQ(r.status, kUsage) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.out.empty()) << ::testing::PrintToString(args);
    EXPECT_FALSE(r.err.empty()) << ::testing::PrintToString(args);
  }
}

// --seed takes a whole number from 0 to 2^64 - 1, written in decimal digits only; --symbol
// holds no control character (C0, DEL, C1) and is valid UTF-8.
TEST(CliUsage, SeedAndSymbolValues) {
  for (const char* seed : {"-1", "18446744073709551616", "1e23", "", "0x10", " 1", "+1", "1.0"}) {
    const Outcome r = Cli({"generate", "0", "--seed", seed});
    EXPECT_EQ(r.status, kUsage) << seed;
    EXPECT_TRUE(r.out.empty() && r.err.find("--seed") != std::string::npos) << seed;
  }
  for (const char* seed : {"0", "18446744073709551615"})
    EXPECT_EQ(Cli({"generate", "0", "--seed", seed}).status, kOk) << seed;
  EXPECT_EQ(Cli({"generate", "0", "--seed", "010"}).out, Cli({"generate", "0", "--seed", "10"}).out);
  for (const char* symbol : {"a\nb", "\r", "\t", "\x7F", "\xC2\x85", "\xFF"})
    for (Args args : {Args{"solve", "simple", "capital=1000", "rate=5", "time=2"},
                      Args{"generate", "simple"}}) {
      args.insert(args.end(), {"--symbol", symbol});
      const Outcome r = Cli(args);
      EXPECT_EQ(r.status, kUsage) << ::testing::PrintToString(args);
      EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliGenerate, NamesTheCharactersAWindows1252FileCannotTake) {
  testing::TempFolder dir;
  testing::WriteBytes(dir / "old.txt", "progresi\xF3n\r\n");
  const Outcome r = Cli({"generate", "simple", "--seed", "3", "--symbol", "\xE2\x82\xBF",  // ₿
                         "--output", dir / "old.txt"});
  EXPECT_EQ(r.status, kOk);
  EXPECT_NE(r.err.find("warning"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\xE2\x82\xBF (U+20BF)"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tolvi::cli
