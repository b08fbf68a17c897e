// tolvi-cli roots, run in-process.
#include <gtest/gtest.h>

#include <cmath>
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

TEST(RootsCommand, RootsAsJson) {
  struct Row {
    const char* expr;
    const char* a;
    const char* b;
    std::vector<double> roots;
  };
  const Row rows[] = {
      {"x-0.5", "0", "1", {0.5}},
      {"x*x-2", "0", "20", {1.41421356}},
      {"(x-0.3)*(x-0.7)", "0", "1", {0.3, 0.7}},
      {"(x-0.35)*(x-0.38)", "0", "1", {}},
      {"(x-0.5)^2", "0", "1", {}},
      {"x-1", "1", "20", {}},
      {"1/(x-0.5)", "0", "1", {0.5}},
      {"x+0.5", "-1", "0", {-0.5}},
  };
  for (const Row& row : rows) {
    const Outcome r = Cli({"roots", "--json", row.expr, row.a, row.b});
    ASSERT_EQ(r.status, kOk) << row.expr << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["expr"], row.expr);
    EXPECT_EQ(j["code"], row.expr);
    ASSERT_EQ(j["roots"].size(), row.roots.size()) << row.expr;
    for (size_t i = 0; i < row.roots.size(); ++i)
      EXPECT_NEAR(j["roots"][i].get<double>(), row.roots[i], 2e-8) << row.expr;
  }
}

TEST(RootsCommand, CodeAndTolerance) {
  const Outcome r = Cli({"roots", "--json", "Sin(x)", "3", "4", "0.001"});
  ASSERT_EQ(r.status, kOk);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["code"], "s(x)");
  ASSERT_EQ(j["roots"].size(), 1u);
  EXPECT_NEAR(j["roots"][0].get<double>(), 3.14159265, 2e-3);

  const Outcome cube = Cli({"roots", "--json", "\u00DE3(x)-0.5", "0", "1"});
  EXPECT_EQ(nlohmann::json::parse(cube.out)["code"], "\x03(x)-0.5");
}

TEST(RootsCommand, TextsThatDoNotCompile) {
  struct Row {
    const char* expr;
    const char* word;  // nullptr: no word in the answer
  };
  const Row rows[] = {{"pi", nullptr}, {"sen(x)", "sen"}, {"2*SEN(x)", "SEN"}, {"", nullptr},
                      {"a(x)", nullptr}};
  for (const Row& row : rows) {
    const Outcome r = Cli({"roots", "--json", row.expr, "0", "1"});
    EXPECT_EQ(r.status, kFailed) << row.expr;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["error"].is_string()) << row.expr;
    if (row.word) EXPECT_EQ(j["word"], row.word);
    else EXPECT_FALSE(j.contains("word")) << row.expr;
  }
}

TEST(RootsCommand, RefusalsAndUsageErrors) {
  // Any interval answers at once: a long one is refused with a reason.
  const Outcome far = Cli({"roots", "--json", "x", "0", "1e12"});
  EXPECT_EQ(far.status, kFailed);
  EXPECT_TRUE(nlohmann::json::parse(far.out)["error"].is_string());
  EXPECT_EQ(Cli({"roots", "x", "1e17", "1.00000000001e17"}).status, kFailed);

  EXPECT_EQ(Cli({"roots", "x", "0", "1", "0"}).status, kUsage);
  EXPECT_EQ(Cli({"roots", "x", "0", "1", "-1e-8"}).status, kUsage);
  EXPECT_EQ(Cli({"roots", "x", "zero", "1"}).status, kUsage);
  EXPECT_EQ(Cli({"roots", "x", "0", "inf"}).status, kUsage);
  EXPECT_EQ(Cli({"roots", "x", "0"}).status, kUsage);
}

TEST(RootsCommand, TextForPeople) {
  const Outcome r = Cli({"roots", "x*x-2", "0", "20"});
  EXPECT_EQ(r.status, kOk);
  EXPECT_NE(r.out.find("code: x*x-2"), std::string::npos);
  EXPECT_NE(r.out.find("\n1.414213"), std::string::npos);
  const Outcome none = Cli({"roots", "(x-0.5)^2", "0", "1"});
  EXPECT_NE(none.out.find("no roots"), std::string::npos);
  const Outcome bad = Cli({"roots", "sen(x)", "0", "1"});
  EXPECT_EQ(bad.status, kFailed);
  EXPECT_NE(bad.err.find("sen"), std::string::npos);
}

}  // namespace
}  // namespace tolvi::cli
