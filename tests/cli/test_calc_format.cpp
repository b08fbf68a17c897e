#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"

namespace tolvi::cli {
namespace {

TEST(CalcCommand, TypedTextsAsJson) {
  struct Row { const char* text; bool given; double value; const char* message; };  // null: no box
  const char *chars = "Caràcter(s) no permeso(s)", *operand = "Falta operand",
             *parens = "Al nombre de parèntesis", *byZero = "Divisió per zero";
  const double pi = 3.14159265358979;
  // One text of each outcome and message (the calculator's rules are tested with it).
  const Row rows[] = {
      {"", false, 0, nullptr},    {"1,5*2,5", true, 3.75, nullptr}, {"2*pi", true, 2 * pi, nullptr},
      {"abc", false, 0, chars},   {"*5", false, 0, operand},        {"(2+3", false, 0, parens},
      {"5/0", false, 0, byZero},  {"12abc", true, 12, nullptr},     {"10^400", false, 0, ""},
  };
  // The calculator's own messages, as the Catalan window says them.
  std::vector<std::string> args = {"calc", "--lang", "ca", "--json", "--"};
  for (const Row& r : rows) args.push_back(r.text);
  const Outcome run = Cli(args);
  ASSERT_EQ(run.status, kOk) << run.err;
  const nlohmann::json results = run.json()["results"];
  ASSERT_EQ(results.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    EXPECT_EQ(results[i]["text"], r.text);
    EXPECT_EQ(results[i]["given"], r.given) << r.text;
    EXPECT_DOUBLE_EQ(results[i]["value"].get<double>(), r.value) << r.text;
    const nlohmann::json box = {{"text", r.message ? r.message : ""}, {"title", "Error"}};
    EXPECT_EQ(results[i]["message"], r.message ? box : nlohmann::json()) << r.text;
  }
}

TEST(CalcCommand, ReadableOutputInTheChosenLanguage) {
  const Outcome run = Cli({"calc", "1,5*2,5", "abc"});
  EXPECT_EQ(run.status, kOk);
  EXPECT_NE(run.out.find("\"1,5*2,5\": given, 3.75\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"abc\": not given, 0  [Error: Carácter(es) no permitido(s)]"),
            std::string::npos);  // in Spanish unless --lang says otherwise
  EXPECT_NE(Cli({"calc", "abc", "--lang", "en"}).out.find("[Error: Character(s) not allowed]"),
            std::string::npos);
  // Before or after a command's own arguments; a solver's refusal too.
  const Outcome solve = Cli({"solve", "simple", "capital=0", "rate=5", "time=3", "--lang", "en", "--json"});
  EXPECT_EQ(solve.json()["messages"][0]["text"], "Positive values only");
  EXPECT_EQ(Cli({"--lang", "ca", "calc", "abc"}).out.find("[Error: Caràcter(s) no permeso(s)]") != std::string::npos, true);
  EXPECT_EQ(Cli({"calc", "--json", "\xff"}).status, kOk);  // not UTF-8, still JSON
}

TEST(FormatCommand, WrittenValuesAsJson) {
  const std::pair<const char*, const char*> rows[] = {
      {"-7", "-7"}, {"1/3", "1/3"}, {"-0.75", "-3/4"}, {"pi", "3.142"}, {"3e9", "3000000000"}};
  std::vector<std::string> args = {"format", "--json", "--"};
  for (auto [value, text] : rows) args.push_back(value);
  const Outcome run = Cli(args);
  ASSERT_EQ(run.status, kOk) << run.err;
  const nlohmann::json results = run.json()["results"];
  ASSERT_EQ(results.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(results[i]["text"], rows[i].second) << rows[i].first;
  EXPECT_DOUBLE_EQ(results[1]["value"].get<double>(), 1.0 / 3);
}

TEST(FormatCommand, DecimalsAndReadableOutput) {
  const Outcome run = Cli({"format", "--decimals", "2", "--json", "3.14159", "1234.5678"});
  ASSERT_EQ(run.status, kOk) << run.err;
  EXPECT_EQ(run.json()["results"][0]["text"], "3.14");
  EXPECT_EQ(run.json()["results"][1]["text"], "1234.57");
  EXPECT_EQ(Cli({"format", "0.5"}).out, "0.5 -> 1/2\n");
}

}  // namespace
}  // namespace tolvi::cli
