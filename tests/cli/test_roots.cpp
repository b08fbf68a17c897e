#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"

namespace tolvi::cli {
namespace {

TEST(RootsCommand, RootsAsJson) {
  struct Row { const char* expr; const char* a; const char* b; std::vector<double> roots; };
  const Row rows[] = {{"(x-0.3)*(x-0.7)", "0", "1", {0.3, 0.7}}, {"(x-0.5)^2", "0", "1", {}}};
  for (const Row& row : rows) {
    const Outcome r = Cli({"roots", "--json", row.expr, row.a, row.b});
    ASSERT_EQ(r.status, kOk) << row.expr << r.err;
    const nlohmann::json j = r.json();
    EXPECT_EQ(j["expr"], row.expr);
    EXPECT_EQ(j["code"], row.expr);
    ASSERT_EQ(j["roots"].size(), row.roots.size()) << row.expr;
    for (size_t i = 0; i < row.roots.size(); ++i)
      EXPECT_NEAR(j["roots"][i].get<double>(), row.roots[i], 2e-8) << row.expr;
  }
}

TEST(RootsCommand, CodeAndTolerance) {
  const nlohmann::json sine = Cli({"roots", "--json", "Sin(x)", "3", "4", "0.001"}).json();
  EXPECT_EQ(sine["code"], "s(x)");
  ASSERT_EQ(sine["roots"].size(), 1u);
  EXPECT_NEAR(sine["roots"][0].get<double>(), 3.14159265, 2e-3);
  EXPECT_EQ(Cli({"roots", "--json", "\u00DE3(x)-0.5", "0", "1"}).json()["code"], "\x03(x)-0.5");
}

TEST(RootsCommand, TextsThatDoNotCompile) {
  const std::pair<const char*, const char*> rows[] = {  // text, the word named (or none)
      {"pi", nullptr}, {"2*SEN(x)", "SEN"}};
  for (const auto& [expr, word] : rows) {
    const Outcome r = Cli({"roots", "--json", expr, "0", "1"});
    EXPECT_EQ(r.status, kFailed) << expr;
    EXPECT_TRUE(r.json()["error"].is_string()) << expr;
    EXPECT_EQ(r.json().value("word", "(none)"), word ? word : "(none)") << expr;
  }
}

TEST(RootsCommand, IntervalsTooLongOrTooFineAreRefused) {
  // Any interval answers at once: one too long, or too fine to bisect, is refused.
  const Outcome far = Cli({"roots", "--json", "x", "0", "1e12"});
  EXPECT_EQ(far.status, kFailed);
  EXPECT_TRUE(far.json()["error"].is_string());
  EXPECT_EQ(Cli({"roots", "x", "1e17", "1.00000000001e17"}).status, kFailed);
}

TEST(RootsCommand, TextForPeople) {
  const Outcome r = Cli({"roots", "x*x-2", "0", "20"});
  EXPECT_EQ(r.status, kOk);
  EXPECT_NE(r.out.find("code: x*x-2"), std::string::npos);
  EXPECT_NE(r.out.find("\n1.414213"), std::string::npos);
  EXPECT_NE(Cli({"roots", "(x-0.5)^2", "0", "1"}).out.find("no roots"), std::string::npos);
  const Outcome bad = Cli({"roots", "sen(x)", "0", "1"});
  EXPECT_EQ(bad.status, kFailed);
  EXPECT_NE(bad.err.find("sen"), std::string::npos);
}

}  // namespace
}  // namespace tolvi::cli
