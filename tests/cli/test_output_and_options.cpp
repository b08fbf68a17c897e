// What tolvi-cli does with its standard output and with the files it is told to write, and the
// command-line texts a table of command lines cannot hold. What each command prints, and its
// exit status, is in the behaviour tables (tests/behaviour/cli-*.cmds).
#include <gtest/gtest.h>

#include <string>
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
      {"format", "0.5"},
      {"roots", "x*x-2", "0", "2", "--json"},
      {"solve", "simple", "capital=1", "rate=5", "time=2"},
      {"schedule", "compound", "capital=1", "rate=5", "time=2", "--json"},
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

// An empty --seed, and a --symbol or --title with a control character (C0, DEL, C1) or bytes
// that are not UTF-8: a usage error, said on standard error with nothing on standard output.
TEST(CliUsage, TextsATableCannotWriteAreRefused) {
  const Args rows[] = {
      {"generate", "0", "--seed", ""},
      {"solve", "simple", "capital=1", "rate=5", "time=2", "--symbol", "a\nb"},
      {"generate", "simple", "--symbol", "\x7F"},
      {"generate", "simple", "--symbol", "\xC2\x85"},
      {"generate", "simple", "--symbol", "\xFF"},
      {"worksheet", "0", "--count", "1", "--title", "a\tb"},
  };
  for (const Args& args : rows) {
    const Outcome r = Cli(args);
    EXPECT_EQ(r.status, kUsage) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.out.empty()) << ::testing::PrintToString(args);
    EXPECT_FALSE(r.err.empty()) << ::testing::PrintToString(args);
  }
  EXPECT_EQ(Cli({"calc", "--json", "\xff"}).status, kOk);  // not UTF-8, still JSON
}

// --output appends what would have been printed; a Windows-1252 file gets a warning naming
// the characters it cannot take.
TEST(CliGenerate, OutputFileAppendsWhatWouldBePrinted) {
  testing::TempFolder dir;
  const Args all = {"generate", "all", "--count", "3", "--seed", "7", "--output", dir / "a.txt"};
  const Outcome r = Cli(all);
  ASSERT_EQ(r.status, kOk) << r.err;
  EXPECT_TRUE(r.out.empty());
  ASSERT_EQ(Cli({"generate", "0", "--seed", "2", "--output", dir / "a.txt"}).status, kOk);
  EXPECT_EQ(testing::ReadBytes(dir / "a.txt"),
            Cli({"generate", "all", "--count", "3", "--seed", "7"}).out +
                Cli({"generate", "0", "--seed", "2"}).out);

  testing::WriteBytes(dir / "old.txt", "progresi\xF3n\r\n");
  const Outcome old = Cli({"generate", "simple", "--seed", "3", "--symbol", "\xE2\x82\xBF",  // ₿
                           "--output", dir / "old.txt"});
  EXPECT_EQ(old.status, kOk);
  EXPECT_NE(old.err.find("warning"), std::string::npos) << old.err;
  EXPECT_NE(old.err.find("\xE2\x82\xBF (U+20BF)"), std::string::npos) << old.err;
}

}  // namespace
}  // namespace tolvi::cli
