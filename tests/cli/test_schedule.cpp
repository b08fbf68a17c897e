// tolvi-cli schedule, and the periods and timing options of solve.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace tolvi::cli {
namespace {

TEST(CliSchedule, JsonHoldsTheRowsAndTheTotals) {
  const Outcome o = Cli({"schedule", "amortisation", "debt=150000", "rate=4.2", "time=30",
                         "--per-year", "12", "--json"});
  ASSERT_EQ(o.status, kOk) << o.err;
  const auto doc = o.json();
  EXPECT_EQ(doc["panel"], 7);
  EXPECT_EQ(doc["perYear"], 12);
  EXPECT_EQ(doc["timing"], "end");
  ASSERT_EQ(doc["rows"].size(), 360u);
  // The table's own rules (rounding, the last row, the totals) are the schedule's tests.
  EXPECT_EQ(doc["rows"][0]["period"], 1);
  EXPECT_EQ(doc["rows"][0]["payment"], 733.53);
  EXPECT_EQ(doc["rows"][359]["balance"], 0.0);
  EXPECT_EQ(doc["totals"]["principal"], 150000.0);
}

TEST(CliSchedule, CsvDialectsAndTheTextTable) {
  const std::vector<std::string> fund = {"schedule", "capitalisation", "capital=1000", "rate=5",
                                         "time=2", "--per-year", "2"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = fund;
    args.insert(args.end(), extra.begin(), extra.end());
    return Cli(args);
  };
  const Outcome es = with({"--csv"});
  ASSERT_EQ(es.status, kOk) << es.err;
  EXPECT_EQ(es.out,
            "\xEF\xBB\xBFperiodo;cuota;intereses;incremento del fondo;capital constituido\r\n"
            "1;234,94;5,87;240,81;240,81\r\n2;234,94;11,89;246,83;487,64\r\n"
            "3;234,94;18,06;253,00;740,64\r\n4;234,97;24,39;259,36;1000,00\r\n"
            "Total;939,79;60,21;1000,00;\r\n");
  const Outcome en = with({"--csv", "--dialect", "en"});
  EXPECT_NE(en.out.find("\r\n1,234.94,5.87,240.81,240.81\r\n"), std::string::npos) << en.out;
  const Outcome text = with({});
  EXPECT_NE(text.out.find("la última cuota se ajusta"), std::string::npos) << text.out;
}

TEST(CliSchedule, UnsolvedCasesAndLongTablesFail) {
  // An unsolved case, a table too long.
  const Outcome unsolved = Cli({"schedule", "amortisation", "debt=1000", "rate=5"});
  EXPECT_EQ(unsolved.status, kFailed);
  EXPECT_NE(unsolved.err.find("Se necesita 3 datos"), std::string::npos);
  EXPECT_EQ(Cli({"schedule", "compound", "capital=100", "rate=5", "time=1001", "--per-year", "12"})
                .status,
            kFailed);
}

TEST(CliSolve, PeriodsAndTimingNameTheCaseAndGiveTheEffectiveRate) {
  const auto doc = Cli({"solve", "amortisation", "debt=10000", "rate=6", "time=5", "--per-year",
                        "4", "--timing", "start", "--json"})
                       .json();
  EXPECT_EQ(doc["fields"]["IdI(15)"], "573.85");
  EXPECT_EQ(doc["statement"],
            "Calcula el importe de la trimestralidad que hay que ingresar durante 5 años, al 6% "
            "de interés para amortizar una deuda de 10000€ (pagos al principio de cada "
            "trimestre, interés nominal anual capitalizable trimestralmente)");
  EXPECT_EQ(doc["answer"], "a = 573.85€; TAE = 6.14%");
  // The usual periods keep the yearly panel's texts (PMT(6%, 5, 0, 10000, 1) = 1673.55).
  const auto usual = Cli({"solve", "capitalisation", "capital=10000", "rate=6", "time=5",
                          "--per-year", "1", "--timing", "start", "--json"})
                         .json();
  EXPECT_EQ(usual["answer"], "a = 1673.55€");
}

TEST(CliGenerate, PeriodsAreDrawnOnlyWhenAsked) {
  // Without --periods every case is yearly (no TAE); with it some are not, reproducibly.
  auto answers = [](bool periods, const char* panels = "compound capitalisation amortisation") {
    std::vector<std::string> args = {"generate", "--count", "20", "--seed", "5", "--json"};
    for (std::string_view rest = panels; !rest.empty();) {
      const size_t blank = rest.find(' ');
      args.emplace_back(rest.substr(0, blank));
      rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
    if (periods) args.push_back("--periods");
    std::string all;
    for (const auto& c : Cli(args).json())
      all += c["statement"].get<std::string>() + c["answer"].get<std::string>();
    return all;
  };
  EXPECT_EQ(answers(false).find("TAE"), std::string::npos);
  const std::string drawn = answers(true);
  EXPECT_NE(drawn.find("TAE"), std::string::npos);
  EXPECT_NE(drawn.find("pagos al principio"), std::string::npos);
  EXPECT_EQ(drawn, answers(true));
  EXPECT_NE(answers(true, "compound").find("capitalizable"), std::string::npos);
}

}  // namespace
}  // namespace tolvi::cli
