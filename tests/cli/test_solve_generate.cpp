#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/run_cli.h"
#include "solvers/controls.h"
#include "documents/temp_folder.h"

namespace tolvi::cli {
namespace {

using nlohmann::json;
using Args = std::vector<std::string>;

TEST(CliSolve, ArithmeticWorkedExample) {
  const Outcome r = Cli({"solve", "arithmetic", "a=3", "d=2", "n=10", "--json"});
  EXPECT_EQ(r.status, kOk) << r.err;
  const json doc = r.json();
  EXPECT_EQ(doc["panel"], 0);
  EXPECT_EQ(doc["solved"], true);
  const json fields = {{ctl::Id1a, "1"},   {ctl::Id(0), "3"},  {ctl::Id(1), "2"},
                       {ctl::Id(2), "10"}, {ctl::Id(3), "21"}, {ctl::Id(4), "120"}};
  EXPECT_EQ(doc["fields"], fields);
  // The texts themselves are the solver's tests: here only that each key holds its part.
  EXPECT_TRUE(doc["statement"].get<std::string>().starts_with("En una progresi"));
  EXPECT_TRUE(doc["answer"].get<std::string>().starts_with("a10 = 21, S10 = 120"));
  EXPECT_EQ(doc["messages"], json::array());
  EXPECT_TRUE(doc["choice"].is_null());
  const json values = {{"a", 3}, {"d", 2}, {"n", 10}, {"an", 21}, {"sn", 120}};
  EXPECT_EQ(doc["values"], values);
  ASSERT_EQ(doc["steps"].size(), 2u);
  EXPECT_EQ(doc["steps"][0]["kind"], "formula");
  EXPECT_EQ(doc["steps"][0]["quantity"], "an");
  EXPECT_EQ(doc["steps"][0]["expression"], "3+(10-1)*2");
  EXPECT_EQ(doc["steps"][1]["text"],
            "Suma: S\u2099 = ((a\u2081 + a\u2099)\u00B7n)/2 = ((3 + 21)\u00B710)/2 = 120");
  // The keys come in the documented order, the fields in the panel's order.
  EXPECT_EQ(doc.size(), 10u);
  EXPECT_LT(r.out.find("\"panel\""), r.out.find("\"solved\""));
  EXPECT_LT(r.out.find("\"Id1a\""), r.out.find("\"Id(0)\""));

  for (const Args& args : {Args{"solve", "0", "a=3", "d=2", "n=10", "--json"},
                           Args{"solve", "arithmetic", "Id(0)=3", "Id(1)=2", "Id(2)=10",
                                "--json"},
                           Args{"solve", "arithmetic", "k=3", "a=7", "d=2", "n=10", "--json"}})
    EXPECT_EQ(Cli(args).json()["fields"][ctl::Id(3)], "21") << args[2];
}

TEST(CliGenerate, StepsGoUnderEachAnswerWhenAsked) {
  const Outcome plain = Cli({"generate", "arithmetic", "--seed", "5"});
  const Outcome worked = Cli({"generate", "arithmetic", "--seed", "5", "--steps"});
  EXPECT_EQ(plain.out.find("paso a paso"), std::string::npos);
  const size_t at = worked.out.find("Progresi\u00F3n: ");
  const size_t steps = worked.out.find("\r\nSoluci\u00F3n paso a paso:\r\n");
  ASSERT_NE(steps, std::string::npos);
  EXPECT_LT(at, steps);
}

TEST(CliSolve, RefusedCaseSaysWhyAndFails) {
  const Outcome r = Cli({"solve", "arithmetic", "a=3", "d=0", "n=4", "--json"});
  EXPECT_EQ(r.status, kFailed);
  EXPECT_EQ(r.json()["solved"], false);
  const json message = {{"text", "d debe ser <> 0"}, {"title", "valor incorrecto"}, {"icon", "none"}};
  EXPECT_EQ(r.json()["messages"], json::array({message}));
  EXPECT_EQ(r.json()["statement"], "");
  EXPECT_EQ(r.json()["fields"][ctl::Id(3)], "");

  const Outcome few = Cli({"solve", "arithmetic", "a=3"});
  EXPECT_EQ(few.status, kFailed);
  EXPECT_NE(few.err.find("Se necesita 3 datos"), std::string::npos);
  EXPECT_NE(few.out.find("not solved"), std::string::npos);
  const Outcome human = Cli({"solve", "arithmetic-interpolation", "k=3", "a=1", "b=9"});
  EXPECT_EQ(human.status, kOk);
  for (const char* part : {"solved", "Idd = 2", "statement:"})
    EXPECT_NE(human.out.find(part), std::string::npos) << part;
}

TEST(CliSolve, GeometricSumEntryAndTheChooser) {
  struct Row { const char* choose; bool solved; const char* ratio; int chosen; };
  const Row rows[] = {{"1", true, "1/3", 1}, {"2", true, "2/3", 2}, {"0", false, "", 0},
                      {"3", false, "", 0}};  // past the list: cancelled
  for (const Row& r : rows) {
    const Outcome o =
        Cli({"solve", "geometric", "k=2", "a=2", "n=4", "s=9", "--choose", r.choose, "--json"});
    EXPECT_EQ(o.status, r.solved ? kOk : kFailed) << r.choose;
    const json doc = o.json();
    EXPECT_EQ(doc["solved"], r.solved);
    EXPECT_EQ(doc["fields"][ctl::Idg(1)], r.ratio);
    EXPECT_EQ(doc["choice"]["caption"], "hay 2 soluciones");
    EXPECT_EQ(doc["choice"]["options"].size(), 2u);
    EXPECT_EQ(doc["choice"]["chosen"], r.chosen);
  }
}

TEST(CliSolve, DecreasingSeeksTheRatioBelowOne) {
  // 1 + r + r² = 7: r = -3 or 2; with the infinite-sum row offered no ratio below 1.
  const Args args = {"solve", "geometric", "a=1", "n=3", "sn=7", "--json"};
  EXPECT_EQ(Cli(args).json()["fields"][ctl::Idg(1)], "-3");
  Args second = args;
  second.insert(second.end(), {"--choose", "2"});
  EXPECT_EQ(Cli(second).json()["fields"][ctl::Idg(1)], "2");
  Args decreasing = args;
  decreasing.push_back("--decreasing");
  const Outcome none = Cli(decreasing);
  EXPECT_EQ(none.status, kFailed);
  EXPECT_EQ(none.json()["messages"][0]["text"], "No hay soluciones");
  decreasing[4] = "sn=1.75";
  EXPECT_EQ(Cli(decreasing).json()["fields"][ctl::Idg(1)], "1/2");
}

// --symbol reaches the amounts, cut as the window cuts a typed symbol.
TEST(CliSolve, SymbolFollowsAmounts) {
  const Outcome o =
      Cli({"solve", "simple", "capital=1000", "rate=5", "time=2", "--symbol", "Ptas", "--json"});
  ASSERT_EQ(o.status, kOk);
  EXPECT_NE(o.json()["answer"].get<std::string>().find("1100Pta"), std::string::npos);
}

TEST(CliGenerate, AllPanelsTheSameFileForTheSameSeed) {
  testing::TempFolder dir;
  const Args all = {"generate", "all", "--count", "3", "--seed", "7"};
  for (const char* name : {"a.txt", "b.txt"}) {
    Args args = all;
    args.insert(args.end(), {"--output", dir / name});
    const Outcome r = Cli(args);
    ASSERT_EQ(r.status, kOk) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  const std::string sheet = testing::ReadBytes(dir / "a.txt");
  EXPECT_EQ(testing::ReadBytes(dir / "b.txt"), sheet);
  EXPECT_EQ(Cli(all).out, sheet);

  // --count problems of each panel, panel by panel (the file's layout is the documents' tests).
  size_t problems = 0;
  for (size_t pos = 0; (pos = sheet.find("\r\nR:     ", pos)) != std::string::npos; ++pos)
    ++problems;
  EXPECT_EQ(problems, 24u);
  const char* panels[] = {"aritm\u00E9tica:   a1", "Interpola  ", "geom\u00E9trica:   a1",
                          "Interpola:  ", "s simple", "s compuesto", "acumular", "amortizar"};
  EXPECT_TRUE(sheet.starts_with("En una progresi\u00F3n aritm\u00E9tica: "));
  for (size_t i = 0; i + 1 < std::size(panels); ++i)
    EXPECT_LT(sheet.rfind(panels[i]), sheet.find(panels[i + 1])) << panels[i];

  // A second run appends what it would have printed.
  ASSERT_EQ(Cli({"generate", "0", "--seed", "2", "--output", dir / "a.txt"}).status, kOk);
  EXPECT_EQ(testing::ReadBytes(dir / "a.txt"), sheet + Cli({"generate", "0", "--seed", "2"}).out);
}

TEST(CliGenerate, JsonListsEveryCase) {
  const Outcome r = Cli({"generate", "arithmetic", "--count", "2", "--seed", "7", "--json"});
  ASSERT_EQ(r.status, kOk);
  const json doc = r.json();
  ASSERT_EQ(doc.size(), 2u);
  for (const json& c : doc) {
    EXPECT_EQ(c["panel"], 0);
    EXPECT_EQ(c["solved"], true);
    EXPECT_EQ(c["fields"][ctl::Id1a], "1");
    EXPECT_NE(c["fields"][ctl::Id(3)], "");
    EXPECT_TRUE(c["statement"].get<std::string>().starts_with("En una progresi"));
  }
  EXPECT_NE(doc[0]["statement"], doc[1]["statement"]);
}

TEST(CliGenerate, UnwritableOutputIsAnError) {
  testing::TempFolder dir;
  const Outcome r = Cli({"generate", "0", "--output", dir.str()});
  EXPECT_EQ(r.status, kFailed);
  EXPECT_NE(r.err.find(dir.str()), std::string::npos);
  EXPECT_TRUE(r.out.empty());
  const Outcome j = Cli({"generate", "0", "--output", dir / "no/w.txt", "--json"});
  EXPECT_EQ(j.status, kFailed);
  EXPECT_TRUE(j.json().contains("error"));
}

}  // namespace
}  // namespace tolvi::cli
