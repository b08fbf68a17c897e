// tolvi-cli solve and generate: fields typed as a person would, the options that reach the
// controller, the JSON's shape and the problem file. The solvers' results and texts are their
// own tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "documents/temp_folder.h"
#include "solvers/controls.h"

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
  EXPECT_TRUE(doc["statement"].get<std::string>().starts_with("En una progresi"));
  EXPECT_TRUE(doc["answer"].get<std::string>().starts_with("a10 = 21, S10 = 120"));
  EXPECT_EQ(doc["messages"], json::array());
  EXPECT_TRUE(doc["choice"].is_null());
  EXPECT_EQ(doc["values"], (json{{"a", 3}, {"d", 2}, {"n", 10}, {"an", 21}, {"sn", 120}}));
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
  // A panel by its key, fields by their control names, k given.
  for (const Args& args : {Args{"solve", "0", "Id(0)=3", "Id(1)=2", "Id(2)=10", "--json"},
                           Args{"solve", "arithmetic", "k=3", "a=7", "d=2", "n=10", "--json"}})
    EXPECT_EQ(Cli(args).json()["fields"][ctl::Id(3)], "21") << args[2];
}

TEST(CliSolve, RefusedCaseSaysWhyAndFails) {
  const Outcome r = Cli({"solve", "arithmetic", "a=3", "d=0", "n=4", "--json"});
  EXPECT_EQ(r.status, kFailed);
  EXPECT_EQ(r.json()["solved"], false);
  const json message = {
      {"text", "d debe ser <> 0"}, {"title", "valor incorrecto"}, {"icon", "none"}};
  EXPECT_EQ(r.json()["messages"], json::array({message}));
  const Outcome few = Cli({"solve", "arithmetic", "a=3"});
  EXPECT_NE(few.err.find("Se necesita 3 datos"), std::string::npos);
  EXPECT_NE(few.out.find("not solved"), std::string::npos);
  const Outcome human = Cli({"solve", "arithmetic-interpolation", "k=3", "a=1", "b=9", "--steps"});
  EXPECT_EQ(human.status, kOk);
  for (const char* part : {"solved", "Idd = 2", "statement:", "steps:"})
    EXPECT_NE(human.out.find(part), std::string::npos) << part;
}

// --choose answers the chooser (past the list: cancelled); --decreasing offers the infinite
// sum, which seeks the ratio below 1.
TEST(CliSolve, ChooserAndDecreasing) {
  for (const auto& [choose, ratio] : {std::pair{"2", "2/3"}, std::pair{"3", ""}}) {
    const Outcome o =
        Cli({"solve", "geometric", "k=2", "a=2", "n=4", "s=9", "--choose", choose, "--json"});
    EXPECT_EQ(o.status, *ratio ? kOk : kFailed) << choose;
    const json doc = o.json();
    EXPECT_EQ(doc["fields"][ctl::Idg(1)], ratio);
    EXPECT_EQ(doc["choice"]["caption"], "hay 2 soluciones");
    EXPECT_EQ(doc["choice"]["chosen"], *ratio ? 2 : 0);
  }
  // 1 + r + r² = 7: r = -3 or 2; none below 1.
  Args args = {"solve", "geometric", "a=1", "n=3", "sn=7", "--json"};
  EXPECT_EQ(Cli(args).json()["fields"][ctl::Idg(1)], "-3");
  args.push_back("--decreasing");
  const Outcome none = Cli(args);
  EXPECT_EQ(none.status, kFailed);
  EXPECT_EQ(none.json()["messages"][0]["text"], "No hay soluciones");
}

TEST(CliSolve, SymbolPeriodsAndTimingReachTheSolve) {
  const Outcome o =
      Cli({"solve", "simple", "capital=1000", "rate=5", "time=2", "--symbol", "Ptas", "--json"});
  ASSERT_EQ(o.status, kOk);
  EXPECT_NE(o.json()["answer"].get<std::string>().find("1100Pta"), std::string::npos);
  const json doc = Cli({"solve", "amortisation", "debt=10000", "rate=6", "time=5", "--per-year",
                        "4", "--timing", "start", "--json"})
                       .json();
  EXPECT_EQ(doc["fields"]["IdI(15)"], "573.85");
  EXPECT_EQ(doc["answer"], "a = 573.85\u20AC; TAE = 6.14%");
}

TEST(CliGenerate, AllPanelsTheSameFileForTheSameSeed) {
  testing::TempFolder dir;
  const Args all = {"generate", "all", "--count", "3", "--seed", "7"};
  const std::string sheet = Cli(all).out;
  Args args = all;
  args.insert(args.end(), {"--output", dir / "a.txt"});
  const Outcome r = Cli(args);
  ASSERT_EQ(r.status, kOk) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(testing::ReadBytes(dir / "a.txt"), sheet);
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

TEST(CliGenerate, JsonStepsAndPeriods) {
  const json doc = Cli({"generate", "arithmetic", "--count", "2", "--seed", "7", "--json"}).json();
  ASSERT_EQ(doc.size(), 2u);
  EXPECT_EQ(doc[0]["panel"], 0);
  EXPECT_EQ(doc[0]["solved"], true);
  EXPECT_NE(doc[0]["fields"][ctl::Id(3)], "");
  EXPECT_NE(doc[0]["statement"], doc[1]["statement"]);
  const std::string worked = Cli({"generate", "arithmetic", "--seed", "5", "--steps"}).out;
  const size_t steps = worked.find("\r\nSoluci\u00F3n paso a paso:\r\n");
  ASSERT_NE(steps, std::string::npos);
  EXPECT_LT(worked.find("Progresi\u00F3n: "), steps);
  EXPECT_EQ(Cli({"generate", "arithmetic", "--seed", "5"}).out.find("paso"), std::string::npos);

  // Without --periods every case is yearly (no TAE); with it some are not, reproducibly, for
  // compound interest as for the annuities.
  auto answers = [](Args args) {
    args.insert(args.end(), {"--count", "20", "--seed", "5", "--json"});
    std::string all;
    for (const auto& c : Cli(args).json())
      all += c["statement"].get<std::string>() + c["answer"].get<std::string>();
    return all;
  };
  const Args annuities = {"generate", "capitalisation", "amortisation"};
  EXPECT_EQ(answers(annuities).find("TAE"), std::string::npos);
  Args periods = annuities;
  periods.push_back("--periods");
  const std::string drawn = answers(periods);
  EXPECT_NE(drawn.find("TAE"), std::string::npos);
  EXPECT_NE(drawn.find("pagos al principio"), std::string::npos);
  EXPECT_EQ(drawn, answers(periods));
  EXPECT_NE(answers({"generate", "compound", "--periods"}).find("capitalizable"),
            std::string::npos);
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
