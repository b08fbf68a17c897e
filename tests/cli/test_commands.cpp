// tolvi-cli calc, format, roots and schedule: the arguments reach the layer below and the
// output has its documented shape. What the layers compute is their own tests'.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"

namespace tolvi::cli {
namespace {

using nlohmann::json;

TEST(CalcCommand, JsonAndReadableOutput) {
  const Outcome run = Cli({"calc", "--lang", "ca", "--json", "--", "-1,5*2", "abc", "10^400"});
  ASSERT_EQ(run.status, kOk) << run.err;
  const json results = run.json()["results"];
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0],
            (json{{"text", "-1,5*2"}, {"given", true}, {"value", -3}, {"message", nullptr}}));
  EXPECT_EQ(results[1]["given"], false);
  EXPECT_EQ(results[1]["message"],
            (json{{"text", "Car\u00E0cter(s) no permeso(s)"}, {"title", "Error"}}));
  EXPECT_EQ(results[2]["message"]["text"], "");
  EXPECT_EQ(Cli({"calc", "1,5*2,5", "12abc"}).out,
            "\"1,5*2,5\": given, 3.75\n\"12abc\": given, 12\n");
  EXPECT_EQ(Cli({"calc", "10^400"}).out,
            "\"10^400\": not given, 0  [Error: (a box with no text)]\n");
  EXPECT_EQ(Cli({"calc", "--json", "\xff"}).status, kOk);  // not UTF-8, still JSON
}

TEST(FormatCommand, DecimalsJsonAndReadableOutput) {
  const Outcome run = Cli({"format", "--decimals", "2", "--json", "--", "-0.75", "3.14159"});
  ASSERT_EQ(run.status, kOk) << run.err;
  EXPECT_EQ(run.json(), (json{{"results", {{{"value", -0.75}, {"text", "-3/4"}},
                                           {{"value", 3.14159}, {"text", "3.14"}}}}}));
  EXPECT_EQ(Cli({"format", "0.5", "pi"}).out, "0.5 -> 1/2\npi -> 3.142\n");
}

TEST(RootsCommand, RootsCodeAndTolerance) {
  const json sine = Cli({"roots", "--json", "Sin(x)", "3", "4", "0.001"}).json();
  EXPECT_EQ(sine["expr"], "Sin(x)");
  EXPECT_EQ(sine["code"], "s(x)");
  ASSERT_EQ(sine["roots"].size(), 1u);
  EXPECT_NEAR(sine["roots"][0].get<double>(), 3.14159265, 2e-3);
  const Outcome r = Cli({"roots", "x*x-2", "0", "20"});
  EXPECT_EQ(r.status, kOk);
  EXPECT_TRUE(r.out.starts_with("code: x*x-2\n1.414213")) << r.out;
  EXPECT_EQ(Cli({"roots", "\u00DE3(x)", "1", "2"}).out, "code: \\x03(x)\nno roots on [1, 2]\n");
  const json word = Cli({"roots", "--json", "2*SEN(x)", "0", "1"}).json();
  EXPECT_EQ(word, (json{{"error", "unknown function name: SEN"}, {"word", "SEN"}}));
}

TEST(CliSchedule, JsonCsvAndTextTable) {
  const Outcome o = Cli({"schedule", "amortisation", "debt=150000", "rate=4.2", "time=30",
                         "--per-year", "12", "--json"});
  ASSERT_EQ(o.status, kOk) << o.err;
  const json doc = o.json();
  EXPECT_EQ(doc["panel"], 7);
  EXPECT_EQ(doc["perYear"], 12);
  EXPECT_EQ(doc["timing"], "end");
  ASSERT_EQ(doc["rows"].size(), 360u);
  EXPECT_EQ(doc["rows"][0]["period"].dump(), "1");
  EXPECT_EQ(doc["rows"][0]["payment"], 733.53);
  EXPECT_EQ(doc["totals"]["principal"], 150000.0);

  std::vector<std::string> fund = {"schedule", "capitalisation", "capital=1000", "rate=5",
                                   "time=2"};
  EXPECT_NE(Cli(fund).out.find("la \u00FAltima cuota se ajusta"), std::string::npos);
  fund.push_back("--csv");
  EXPECT_TRUE(Cli(fund).out.starts_with("\xEF\xBB\xBFperiodo;cuota;"));
  fund.insert(fund.end(), {"--dialect", "en"});
  EXPECT_NE(Cli(fund).out.find("\r\n1,"), std::string::npos);
}

}  // namespace
}  // namespace tolvi::cli
