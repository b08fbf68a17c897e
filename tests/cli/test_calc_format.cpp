#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tolvi::cli {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunCli(args, {out, err});
  return {status, out.str(), err.str()};
}

nlohmann::json Json(const Outcome& r) { return nlohmann::json::parse(r.out); }

TEST(CalcCommand, TypedTextsAsJson) {
  struct Row {
    const char* text;
    bool given;
    double value;
    const char* message;  // nullptr: no box
  };
  const double pi = 3.14159265358979;
  const Row rows[] = {
      {"", false, 0, nullptr},
      {"0", true, 0, nullptr},
      {"00", false, 0, "Caràcter(s) no permeso(s)"},
      {"0.0", false, 0, "Caràcter(s) no permeso(s)"},
      {"0,0", false, 0, "Caràcter(s) no permeso(s)"},
      {"1,5", true, 1.5, nullptr},
      {"1,5*2,5", true, 3.75, nullptr},
      {"pi", true, pi, nullptr},
      {"2*pi", true, 2 * pi, nullptr},
      {"PI", false, 0, "Caràcter(s) no permeso(s)"},
      {"1/3", true, 1.0 / 3, nullptr},
      {"2^10", true, 1024, nullptr},
      {"1e3", true, 1000, nullptr},
      {"-5", true, -5, nullptr},
      {"+5", true, 5, nullptr},
      {"++5", false, 0, "Falta operand"},
      {"*5", false, 0, "Falta operand"},
      {"()", false, 0, "Falta operand"},
      {"(2+3)*4", true, 20, nullptr},
      {"((2+3))", true, 5, nullptr},
      {"(1+2)*(3+4)", true, 21, nullptr},
      {"(2+3", false, 0, "Al nombre de parèntesis"},
      {"2+3))", false, 0, "Al nombre de parèntesis"},
      {"5/0", false, 0, "Divisió per zero"},
      {"5/(2-2)", false, 0, "Divisió per zero"},
      {"abc", false, 0, "Caràcter(s) no permeso(s)"},
      {"12abc", true, 12, nullptr},
      {"1-1", false, 0, nullptr},
      {"5+", true, 5, nullptr},
      {"(2+)*(3/0)", false, 0, "Divisió per zero"},
      {"10^400", false, 0, ""},
  };
  std::vector<std::string> args = {"calc", "--json", "--"};
  for (const auto& r : rows) args.push_back(r.text);
  Outcome run = Cli(args);
  ASSERT_EQ(run.status, kOk) << run.err;
  nlohmann::json doc = Json(run);
  ASSERT_EQ(doc["results"].size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const auto& got = doc["results"][i];
    const Row& r = rows[i];
    EXPECT_EQ(got["text"], r.text);
    EXPECT_EQ(got["given"], r.given) << r.text;
    EXPECT_DOUBLE_EQ(got["value"].get<double>(), r.value) << r.text;
    if (r.message) {
      EXPECT_EQ(got["message"], (nlohmann::json{{"text", r.message}, {"title", "Error"}})) << r.text;
    } else {
      EXPECT_TRUE(got["message"].is_null()) << r.text;
    }
  }
}

TEST(CalcCommand, ReadableOutputAndUsage) {
  Outcome run = Cli({"calc", "1,5*2,5", "abc"});
  EXPECT_EQ(run.status, kOk);
  EXPECT_NE(run.out.find("\"1,5*2,5\": given, 3.75"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"abc\": not given, 0  [Error: Caràcter(s) no permeso(s)]"), std::string::npos) << run.out;
  EXPECT_EQ(Cli({"calc"}).status, kUsage);
  EXPECT_EQ(Cli({"calc", "--json", "\xff"}).status, kOk);  // a text that is not UTF-8 still gives JSON
}

TEST(FormatCommand, WrittenValuesAsJson) {
  const std::pair<const char*, const char*> rows[] = {
      {"5", "5"},         {"-7", "-7"},         {"0.5", "1/2"},          {"-0.75", "-3/4"},
      {"2.5", "5/2"},     {"0.1", "1/10"},      {"1/3", "1/3"},          {"1000.5", "1000.5"},
      {"0.001", "0.001"}, {"pi", "3.142"},      {"12.345", "12.345"},    {"0.0001", "0"},
      {"3e9", "3000000000"}, {"2.0000004", "2"},
  };
  std::vector<std::string> args = {"format", "--json", "--"};
  for (auto [value, text] : rows) args.push_back(value);
  Outcome run = Cli(args);
  ASSERT_EQ(run.status, kOk) << run.err;
  nlohmann::json doc = Json(run);
  ASSERT_EQ(doc["results"].size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(doc["results"][i]["text"], rows[i].second) << rows[i].first;
  EXPECT_DOUBLE_EQ(doc["results"][6]["value"].get<double>(), 1.0 / 3);
}

TEST(FormatCommand, DecimalsAndUsage) {
  Outcome run = Cli({"format", "--decimals", "2", "--json", "3.14159", "1234.5678"});
  ASSERT_EQ(run.status, kOk) << run.err;
  EXPECT_EQ(Json(run)["results"][0]["text"], "3.14");
  EXPECT_EQ(Json(run)["results"][1]["text"], "1234.57");
  EXPECT_EQ(Cli({"format", "0.5"}).out, "0.5 -> 1/2\n");
  EXPECT_EQ(Cli({"format", "abc"}).status, kUsage);
  EXPECT_EQ(Cli({"format", "inf"}).status, kUsage);
  EXPECT_EQ(Cli({"format", "1e999"}).status, kUsage);
  EXPECT_EQ(Cli({"format", "--decimals", "0", "1"}).status, kUsage);
  EXPECT_EQ(Cli({"format"}).status, kUsage);
}

}  // namespace
}  // namespace tolvi::cli
