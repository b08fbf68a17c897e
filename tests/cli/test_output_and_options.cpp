// What tolvi-cli does with its standard output, and its usage contract.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"
#include "documents/temp_folder.h"

namespace tolvi::cli {
namespace {

using Args = std::vector<std::string>;

// Every command writes through the same check; a short output, one of more than one buffer
// and the help and version that the argument parser writes.
TEST(CliOutput, EveryCommandFailsWhenItsOutputIsLost) {
  const Args commands[] = {
      {"calc", "1,5"},
      {"roots", "x*x-2", "0", "2", "--json"},
      {"generate", "all", "--count", "20", "--seed", "1"},
      {"worksheet", "all", "--count", "20", "--seed", "1"},
      {"generate", "--help"},
      {"--version"},
  };
  for (const Args& args : commands) {
    SCOPED_TRACE(::testing::PrintToString(args));
    testing::TempFolder dir;
    EXPECT_EQ(RunProgram(args, ">/dev/null"), kOk);
    for (const char* lost : {">/dev/full", ">&-"}) {
      EXPECT_EQ(RunProgram(args, lost + (" 2>" + (dir / "err"))), kFailed) << lost;
      const std::string err = testing::ReadBytes(dir / "err");
      EXPECT_NE(err.find("could not be written to standard output"), std::string::npos) << err;
    }
  }
}

// The exit statuses: a bad command line prints nothing on standard output, says why on
// standard error and exits with 2, with nothing solved, generated or written; a case that
// cannot be done says why and exits with 1. --seed takes a whole number from 0 to 2^64 - 1 in
// decimal digits only; --symbol is UTF-8 and holds no control character (C0, DEL, C1).
TEST(CliUsage, ExitStatusesAndWhy) {
  const std::pair<Args, int> rows[] = {
      {{"solve"}, kUsage}, {{"solve", "cubic", "a=1"}, kUsage}, {{"solve", "8"}, kUsage},
      {{"solve", "arithmetic", "r=2"}, kUsage},    // a geometric field
      {{"solve", "arithmetic", "a"}, kUsage},      // no "="
      {{"solve", "simple", "Id(0)=3"}, kUsage},    // a field of another panel
      {{"solve", "arithmetic", "--choose", "-1"}, kUsage},
      {{"solve", "compound", "capital=1", "rate=1", "time=1", "--per-year", "3"}, kUsage},
      {{"generate"}, kUsage}, {{"generate", "nine"}, kUsage},
      {{"generate", "0", "--count", "-1"}, kUsage},
      {{"calc"}, kUsage}, {{"calc", "abc", "--lang", "fr"}, kUsage},
      {{"format"}, kUsage}, {{"format", "abc"}, kUsage}, {{"format", "inf"}, kUsage},
      {{"format", "--decimals", "0", "1"}, kUsage},
      {{"roots", "x", "0"}, kUsage}, {{"roots", "x", "zero", "1"}, kUsage},
      {{"roots", "x", "0", "inf"}, kUsage}, {{"roots", "x", "0", "1", "0"}, kUsage},
      {{"roots", "x", "0", "1", "-1e-8"}, kUsage},
      {{"schedule", "simple", "capital=1", "rate=1", "time=1"}, kUsage},  // no table there
      {{"schedule", "compound", "capital=1", "rate=1", "time=1", "--timing", "end"}, kUsage},
      {{"generate", "0", "--seed", "-1"}, kUsage},
      {{"generate", "0", "--seed", "18446744073709551616"}, kUsage},
      {{"generate", "0", "--seed", ""}, kUsage}, {{"generate", "0", "--seed", "0x10"}, kUsage},
      {{"generate", "0", "--seed", "+1"}, kUsage},
      {{"solve", "simple", "capital=1", "rate=5", "time=2", "--symbol", "a\nb"}, kUsage},
      {{"generate", "simple", "--symbol", "\x7F"}, kUsage},
      {{"generate", "simple", "--symbol", "\xC2\x85"}, kUsage},
      {{"generate", "simple", "--symbol", "\xFF"}, kUsage},
      {{"worksheet", "nowhere", "--count", "1"}, kUsage},
      {{"worksheet", "0", "--count", "0"}, kUsage},
      {{"worksheet", "0", "--count", "1", "--key-after"}, kUsage},  // no --pdf to put it in
      {{"worksheet", "0", "--count", "1", "--title", "a\tb"}, kUsage},
      {{"solve", "arithmetic", "a=3"}, kFailed},
      {{"roots", "sen(x)", "0", "1"}, kFailed}, {{"roots", "x", "0", "1e12"}, kFailed},
      {{"schedule", "amortisation", "debt=1000", "rate=5"}, kFailed},
      {{"schedule", "compound", "capital=100", "rate=5", "time=1001", "--per-year", "12"},
       kFailed},  // too long a table
  };
  for (const auto& [args, status] : rows) {
    const Outcome r = Cli(args);
    EXPECT_EQ(r.status, status) << ::testing::PrintToString(args);
    EXPECT_TRUE(status != kUsage || r.out.empty()) << ::testing::PrintToString(args);
    EXPECT_FALSE(r.err.empty()) << ::testing::PrintToString(args);
  }
  for (const char* seed : {"0", "18446744073709551615"})
    EXPECT_EQ(Cli({"generate", "0", "--seed", seed}).status, kOk) << seed;
  EXPECT_EQ(Cli({"generate", "0", "--seed", "010"}).out,
            Cli({"generate", "0", "--seed", "10"}).out);
  EXPECT_EQ(Cli({"format", "--decimals", "300", "1"}).status, kOk);
}

// Spanish unless --lang says otherwise, before or after the command's own arguments.
TEST(CliLanguage, LangReachesEveryMessage) {
  EXPECT_NE(Cli({"calc", "abc"}).out.find("[Error: Car\u00E1cter(es) no permitido(s)]"),
            std::string::npos);
  EXPECT_NE(Cli({"calc", "abc", "--lang", "en"}).out.find("[Error: Character(s) not allowed]"),
            std::string::npos);
  EXPECT_NE(
      Cli({"--lang", "ca", "calc", "abc"}).out.find("[Error: Car\u00E0cter(s) no permeso(s)]"),
      std::string::npos);
  const Outcome solve =
      Cli({"solve", "simple", "capital=0", "rate=5", "time=3", "--lang", "en", "--json"});
  EXPECT_EQ(solve.json()["messages"][0]["text"], "Positive values only");
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
