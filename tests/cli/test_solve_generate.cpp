// tolvi-cli solve and generate, run in-process.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tolvi::cli {
namespace {

using nlohmann::json;

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunCli(args, {out, err});
  return {status, out.str(), err.str()};
}

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct TempFile {
  std::filesystem::path path;
  explicit TempFile(const std::string& name)
      : path(std::filesystem::temp_directory_path() /
             (name + "-" + std::to_string(std::hash<std::string>{}(
                               ::testing::UnitTest::GetInstance()->current_test_info()->name())))) {
    std::filesystem::remove(path);
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

TEST(CliSolve, ArithmeticWorkedExample) {
  Outcome r = Cli({"solve", "arithmetic", "a=3", "d=2", "n=10", "--json"});
  EXPECT_EQ(r.status, kOk) << r.err;
  json doc = json::parse(r.out);
  EXPECT_EQ(doc["panel"], 0);
  EXPECT_EQ(doc["solved"], true);
  const json fields = json::parse(
      R"j({"Id1a":"1","Id(0)":"3","Id(1)":"2","Id(2)":"10","Id(3)":"21","Id(4)":"120"})j");
  EXPECT_EQ(doc["fields"], fields);
  EXPECT_EQ(doc["terms"], " 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, ...");
  EXPECT_EQ(doc["statement"],
            "En una progresi\u00F3n aritm\u00E9tica:   a1 = 3,  d = 2\r\nCalcula: a10 y S10");
  EXPECT_EQ(doc["answer"],
            "a10 = 21, S10 = 120\r\nProgresi\u00F3n:  3, 5, 7, 9, 11, 13, 15, 17, 19, 21, ...");
  EXPECT_EQ(doc["messages"], json::array());
  EXPECT_TRUE(doc["choice"].is_null());
  // The keys come in the documented order, the fields in the panel's order.
  std::vector<std::string> keys;
  for (auto it = doc.begin(); it != doc.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys.size(), 8u);
  EXPECT_LT(r.out.find("\"panel\""), r.out.find("\"solved\""));
  EXPECT_LT(r.out.find("\"Id1a\""), r.out.find("\"Id(0)\""));
}

TEST(CliSolve, PanelAndFieldsByKeyAliasOrControl) {
  const std::vector<std::vector<std::string>> spellings = {
      {"solve", "0", "a=3", "d=2", "n=10", "--json"},
      {"solve", "arithmetic", "Id(0)=3", "Id(1)=2", "Id(2)=10", "--json"},
      {"solve", "arithmetic", "k=3", "a=7", "d=2", "n=10", "--json"},
  };
  for (const auto& args : spellings) {
    Outcome r = Cli(args);
    ASSERT_EQ(r.status, kOk) << args[2];
    EXPECT_EQ(json::parse(r.out)["fields"]["Id(3)"], "21") << args[2];
  }
}

TEST(CliSolve, RefusedCaseSaysWhyAndFails) {
  Outcome r = Cli({"solve", "arithmetic", "a=3", "d=0", "n=4", "--json"});
  EXPECT_EQ(r.status, kFailed);
  json doc = json::parse(r.out);
  EXPECT_EQ(doc["solved"], false);
  const json messages =
      json::parse(R"([{"text":"d debe ser <> 0","title":"valor incorrecto","icon":"none"}])");
  EXPECT_EQ(doc["messages"], messages);
  EXPECT_EQ(doc["statement"], "");
  EXPECT_EQ(doc["fields"]["Id(3)"], "");

  Outcome few = Cli({"solve", "arithmetic", "a=3"});
  EXPECT_EQ(few.status, kFailed);
  EXPECT_NE(few.err.find("Se necesita 3 datos"), std::string::npos);
  EXPECT_NE(few.out.find("not solved"), std::string::npos);
}

TEST(CliSolve, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"solve", "cubic", "a=1"},
      {"solve", "8"},
      {"solve", "arithmetic", "r=2"},        // a geometric field
      {"solve", "arithmetic", "a"},          // no "="
      {"solve", "simple", "Id(0)=3"},        // a field of another panel
      {"solve"},
      {"solve", "arithmetic", "--choose", "-1"},
  };
  for (const auto& args : bad) {
    Outcome r = Cli(args);
    EXPECT_EQ(r.status, kUsage) << (args.size() > 1 ? args[1] : "");
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(CliSolve, HumanOutputListsTheFieldsAndTheProblem) {
  Outcome r = Cli({"solve", "arithmetic-interpolation", "k=3", "a=1", "b=9"});
  EXPECT_EQ(r.status, kOk);
  EXPECT_NE(r.out.find("solved"), std::string::npos);
  EXPECT_NE(r.out.find("Idd = 2"), std::string::npos);
  EXPECT_NE(r.out.find("statement:"), std::string::npos);
}

TEST(CliSolve, GeometricSumEntryAndTheChooser) {
  struct Row { const char* choose; bool solved; const char* ratio; int chosen; };
  const Row rows[] = {{"1", true, "1/3", 1}, {"2", true, "2/3", 2}, {"0", false, "", 0},
                      {"3", false, "", 0}};  // past the list: cancelled
  for (const Row& r : rows) {
    Outcome o = Cli({"solve", "geometric", "k=2", "a=2", "n=4", "s=9", "--choose", r.choose, "--json"});
    EXPECT_EQ(o.status, r.solved ? kOk : kFailed) << r.choose;
    json doc = json::parse(o.out);
    EXPECT_EQ(doc["solved"], r.solved);
    EXPECT_EQ(doc["fields"]["Idg(1)"], r.ratio);
    EXPECT_EQ(doc["choice"]["caption"], "hay 2 soluciones");
    EXPECT_EQ(doc["choice"]["options"].size(), 2u);
    EXPECT_EQ(doc["choice"]["chosen"], r.chosen);
  }
}

TEST(CliSolve, DecreasingSeeksTheRatioBelowOne) {
  // 1 + r + r² = 7: r = 2 in [1, 20]; with the infinite-sum row offered no ratio in [0, 1].
  Outcome plain = Cli({"solve", "geometric", "a=1", "n=3", "sn=7", "--json"});
  EXPECT_EQ(json::parse(plain.out)["fields"]["Idg(1)"], "2");
  Outcome decreasing = Cli({"solve", "geometric", "a=1", "n=3", "sn=7", "--decreasing", "--json"});
  EXPECT_EQ(decreasing.status, kFailed);
  EXPECT_EQ(json::parse(decreasing.out)["messages"][0]["text"], "No hay soluciones");
  Outcome sum = Cli({"solve", "geometric", "a=1", "n=3", "sn=1.75", "--decreasing", "--json"});
  EXPECT_EQ(json::parse(sum.out)["fields"]["Idg(1)"], "1/2");
}

TEST(CliSolve, SymbolFollowsAmounts) {
  struct Row { const char* symbol; const char* shown; };
  const Row rows[] = {{"$", "1100$"}, {"Ptas", "1100Pta"}, {"\u20AC", "1100\u20AC"}};
  for (const Row& r : rows) {
    Outcome o = Cli({"solve", "simple", "capital=1000", "rate=5", "time=2", "--symbol", r.symbol, "--json"});
    ASSERT_EQ(o.status, kOk) << r.symbol;
    EXPECT_NE(json::parse(o.out)["answer"].get<std::string>().find(r.shown), std::string::npos)
        << r.symbol;
  }
}

TEST(CliGenerate, SameSeedSameWorksheet) {
  Outcome a = Cli({"generate", "arithmetic", "arithmetic-interpolation", "--count", "3", "--seed", "42"});
  Outcome b = Cli({"generate", "0", "1", "--count", "3", "--seed", "42"});
  Outcome c = Cli({"generate", "0", "1", "--count", "3", "--seed", "43"});
  ASSERT_EQ(a.status, kOk) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out, c.out);
  // Six problems, each statement, "R:     " answer and an empty line, in CR LF.
  size_t problems = 0, pos = 0;
  while ((pos = a.out.find("\r\nR:     ", pos)) != std::string::npos) ++problems, ++pos;
  EXPECT_EQ(problems, 6u);
  EXPECT_TRUE(a.out.starts_with("En una progresi\u00F3n aritm\u00E9tica: "));
  EXPECT_TRUE(a.out.ends_with("\r\n\r\n"));
  EXPECT_EQ(a.out.find("\n\n"), std::string::npos);
  EXPECT_LT(a.out.rfind("En una progresi"), a.out.find("Interpola"));
}

TEST(CliGenerate, JsonListsEveryCase) {
  Outcome r = Cli({"generate", "arithmetic", "--count", "2", "--seed", "7", "--json"});
  ASSERT_EQ(r.status, kOk);
  json doc = json::parse(r.out);
  ASSERT_EQ(doc.size(), 2u);
  for (const json& c : doc) {
    EXPECT_EQ(c["panel"], 0);
    EXPECT_EQ(c["solved"], true);
    EXPECT_FALSE(c["fields"]["Id(3)"].get<std::string>().empty());
    EXPECT_EQ(c["fields"]["Id1a"], "1");
    EXPECT_TRUE(c["statement"].get<std::string>().starts_with("En una progresi"));
  }
  EXPECT_NE(doc[0]["statement"], doc[1]["statement"]);
}

TEST(CliGenerate, OutputIsAppended) {
  TempFile file("tolvi-worksheet.txt");
  Outcome first = Cli({"generate", "0", "--seed", "1", "--output", file.path.string()});
  ASSERT_EQ(first.status, kOk) << first.err;
  EXPECT_TRUE(first.out.empty());
  const std::string once = ReadAll(file.path);
  EXPECT_TRUE(once.ends_with("\r\n\r\n"));
  Outcome second = Cli({"generate", "0", "--seed", "2", "--output", file.path.string()});
  ASSERT_EQ(second.status, kOk);
  const std::string twice = ReadAll(file.path);
  EXPECT_TRUE(twice.starts_with(once));
  EXPECT_GT(twice.size(), once.size());
  Outcome shown = Cli({"generate", "0", "--seed", "2"});
  EXPECT_EQ(twice.substr(once.size()), shown.out);
}

TEST(CliGenerate, UnwritableOutputIsAnError) {
  TempFile folder("tolvi-folder");
  std::filesystem::create_directory(folder.path);
  Outcome r = Cli({"generate", "0", "--output", folder.path.string()});
  EXPECT_EQ(r.status, kFailed);
  EXPECT_NE(r.err.find(folder.path.string()), std::string::npos);
  EXPECT_TRUE(r.out.empty());
  Outcome j = Cli({"generate", "0", "--output", (folder.path / "no" / "w.txt").string(), "--json"});
  EXPECT_EQ(j.status, kFailed);
  EXPECT_TRUE(json::parse(j.out).contains("error"));
  std::filesystem::remove(folder.path);
}

TEST(CliGenerate, UsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"generate"}, {"generate", "nine"}, {"generate", "0", "--count", "-1"}}) {
    Outcome r = Cli(args);
    EXPECT_EQ(r.status, kUsage) << (args.size() > 1 ? args[1] : "");
  }
}

}  // namespace
}  // namespace tolvi::cli
