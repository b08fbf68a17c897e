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
  const Row rows[] = {
      {"", false, 0, nullptr},         {"0", true, 0, nullptr},        {"00", false, 0, chars},
      {"0.0", false, 0, chars},        {"0,0", false, 0, chars},       {"1,5", true, 1.5, nullptr},
      {"1,5*2,5", true, 3.75, nullptr}, {"pi", true, pi, nullptr},     {"PI", false, 0, chars},
      {"2*pi", true, 2 * pi, nullptr}, {"1/3", true, 1.0 / 3, nullptr},
      {"1e3", true, 1000, nullptr},    {"-5", true, -5, nullptr},      {"+5", true, 5, nullptr},
      {"++5", false, 0, operand},      {"*5", false, 0, operand},      {"()", false, 0, operand},
      {"(2+3)*4", true, 20, nullptr},  {"((2+3))", true, 5, nullptr},  {"(2+3", false, 0, parens},
      {"(1+2)*(3+4)", true, 21, nullptr}, {"2+3))", false, 0, parens}, {"5/0", false, 0, byZero},
      {"5/(2-2)", false, 0, byZero},   {"abc", false, 0, chars},       {"12abc", true, 12, nullptr},
      {"1-1", false, 0, nullptr},      {"5+", true, 5, nullptr},       {"10^400", false, 0, ""},
      {"(2+)*(3/0)", false, 0, byZero}, {"2^10", true, 1024, nullptr},
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

TEST(CalcCommand, ReadableOutputAndUsage) {
  const Outcome run = Cli({"calc", "1,5*2,5", "abc"});
  EXPECT_EQ(run.status, kOk);
  EXPECT_NE(run.out.find("\"1,5*2,5\": given, 3.75\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"abc\": not given, 0  [Error: Carácter(es) no permitido(s)]"),
            std::string::npos);  // in Spanish unless --lang says otherwise
  EXPECT_NE(Cli({"calc", "abc", "--lang", "en"}).out.find("[Error: Character(s) not allowed]"),
            std::string::npos);
  EXPECT_EQ(Cli({"calc", "abc", "--lang", "fr"}).status, kUsage);
  // Before or after a command's own arguments; a solver's refusal too.
  const Outcome solve = Cli({"solve", "simple", "capital=0", "rate=5", "time=3", "--lang", "en", "--json"});
  EXPECT_EQ(solve.json()["messages"][0]["text"], "Positive values only");
  EXPECT_EQ(Cli({"--lang", "ca", "calc", "abc"}).out.find("[Error: Caràcter(s) no permeso(s)]") != std::string::npos, true);
  EXPECT_EQ(Cli({"calc"}).status, kUsage);
  EXPECT_EQ(Cli({"calc", "--json", "\xff"}).status, kOk);  // not UTF-8, still JSON
}

TEST(FormatCommand, WrittenValuesAsJson) {
  const std::pair<const char*, const char*> rows[] = {
      {"5", "5"},           {"-7", "-7"},         {"0.5", "1/2"},     {"-0.75", "-3/4"},
      {"2.5", "5/2"},       {"0.1", "1/10"},      {"1/3", "1/3"},     {"1000.5", "1000.5"},
      {"0.001", "0.001"},   {"pi", "3.142"},      {"12.345", "12.345"}, {"0.0001", "0"},
      {"3e9", "3000000000"}, {"2.0000004", "2"},
  };
  std::vector<std::string> args = {"format", "--json", "--"};
  for (auto [value, text] : rows) args.push_back(value);
  const Outcome run = Cli(args);
  ASSERT_EQ(run.status, kOk) << run.err;
  const nlohmann::json results = run.json()["results"];
  ASSERT_EQ(results.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(results[i]["text"], rows[i].second) << rows[i].first;
  EXPECT_DOUBLE_EQ(results[6]["value"].get<double>(), 1.0 / 3);
}

TEST(FormatCommand, DecimalsReadableOutputAndUsage) {
  const Outcome run = Cli({"format", "--decimals", "2", "--json", "3.14159", "1234.5678"});
  ASSERT_EQ(run.status, kOk) << run.err;
  EXPECT_EQ(run.json()["results"][0]["text"], "3.14");
  EXPECT_EQ(run.json()["results"][1]["text"], "1234.57");
  EXPECT_EQ(Cli({"format", "0.5"}).out, "0.5 -> 1/2\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"format", "abc"}, {"format", "inf"}, {"format", "1e999"},
           {"format", "--decimals", "0", "1"}, {"format"}})
    EXPECT_EQ(Cli(args).status, kUsage) << args.back();
}

}  // namespace
}  // namespace tolvi::cli
