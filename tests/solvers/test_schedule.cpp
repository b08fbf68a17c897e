// The period tables of solved interest rows: over random loans, funds and compound capitals,
// with every count of periods a year and both timings, the rows keep the table's invariants;
// a few exact rows, and the tables refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "numeric/numtext.h"
#include "solve_fixture.h"
#include "solvers/controls.h"
#include "solvers/interest.h"
#include "solvers/schedule.h"

namespace tolvi {
namespace {

// Solves panel 5, 6 or 7 from the given fields (empty: unknown) as the window does; the
// solution carries its panel, as the controller hands it to the table.
Solution Solve(int panel, const std::vector<std::string>& fields, int m, bool start) {
  MemoryForm form = test::Typed(ctl::IdI, 4 * (panel - 4), fields);
  form.setCurrentIndex(ctl::IdPer(panel), IndexPerYear(m));
  if (ctl::IdMom.has(panel)) form.setCurrentIndex(ctl::IdMom(panel), start ? 0 : 1);
  RecordingServices ui;
  SolveContext ctx{ui};
  SolveOutcome out = ResolI(static_cast<int16_t>(panel - 4), form, ctx);
  EXPECT_TRUE(out.solved);
  out.solution.panel = panel;
  return out.solution;
}

long long CentsOf(double amount) { return std::llround(amount * 100); }

TEST(Schedule, RoundedTablesKeepTheirInvariants) {
  std::mt19937 gen(14);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
  const double kAmounts[] = {1, 37.5, 1250, 18000, 250000, 3.5e6, 1e9};
  const double kRates[] = {0.25, 1.5, 3.75, 6, 9.9, 18};
  for (int round = 0; round < 90; ++round) {
    const int panel = 5 + round % 3, m = kPerYear[pick(4)];
    const bool start = pick(2) == 1;
    const double K = kAmounts[pick(7)], rate = kRates[pick(6)], i = rate / (100.0 * m);
    const int years = round % 9 < 3 ? 30 : 1 + pick(10);
    SCOPED_TRACE("panel " + std::to_string(panel) + " " + TextCurt(K) + " at " + TextCurt(rate) +
                 "% for " + std::to_string(years) + " years, m = " + std::to_string(m) +
                 (start ? " start" : " end"));
    const Solution sol = Solve(panel, {TextCurt(K), TextCurt(rate), std::to_string(years)}, m,
                               start);
    const ScheduleResult made = MakeSchedule(sol);
    ASSERT_TRUE(made.ok()) << made.error;
    const Schedule& s = made.schedule;
    const long long pay = CentsOf(sol.quantities[3].value);  // the payment or final capital
    // One row a period; a payment rounded up may pay a tiny loan off early, and the note says so.
    const auto periods = static_cast<size_t>(years * m);
    if (s.rows.size() != periods) {
      EXPECT_TRUE(panel == 7 && s.rows.size() < periods);
      EXPECT_NE(s.note.find("en el periodo " + std::to_string(s.rows.size())), std::string::npos);
    }
    std::vector<long long> sums(s.headers.size(), 0);
    long long before = panel == 6 ? 0 : CentsOf(K);  // pending, the fund, the capital
    for (size_t r = 0; r < s.rows.size(); ++r) {
      const bool last = r + 1 == s.rows.size();
      std::vector<long long> c;
      for (double x : s.rows[r]) c.push_back(CentsOf(x));
      for (size_t j = 1; j < c.size(); ++j) {
        EXPECT_NEAR(s.rows[r][j] * 100, static_cast<double>(c[j]), 1e-6 * std::fabs(c[j]) + 1e-6);
        sums[j] += c[j];
      }
      ASSERT_EQ(c[0], static_cast<long long>(r + 1) * 100);
      // What is pending earns its interest in the period, to the cent (a payment at the start
      // of the period earns with it, and the first one of a loan leaves no interest due).
      const double earning = static_cast<double>(before + (panel == 6 && start ? c[1] : 0));
      const long long interest = c[panel == 5 ? 1 : 2];
      if (!last || panel != 5) {  // the compound capital's last row absorbs the rounding
        EXPECT_NEAR(interest, panel == 7 && start && r == 0 ? 0 : earning * i, 0.5 + 1e-9) << r;
      }
      if (panel == 7) {
        EXPECT_EQ(c[1], c[2] + c[3]);
        EXPECT_EQ(c[5], before - c[3]);
        EXPECT_EQ(c[4], CentsOf(K) - c[5]);
        EXPECT_GE(c[5], 0);
      } else if (panel == 6) {
        EXPECT_EQ(c[3], c[1] + c[2]);
        EXPECT_EQ(c[4], before + c[3]);
      } else {
        EXPECT_EQ(c[2], before + c[1]);
      }
      if (panel != 5 && !last) {
        EXPECT_EQ(c[1], pay) << r;
      }
      before = c.back();
    }
    // The last row ends where the solve said: nothing pending, the fund (unless the rounded
    // payments already passed it, which the note tells) or the final capital reached.
    if (panel == 6 && before != CentsOf(K)) {
      EXPECT_TRUE(before > CentsOf(K) &&
                  s.note.find("termina en " + Cents(s.rows.back()[4])) != std::string::npos);
    } else {
      EXPECT_EQ(before, panel == 5 ? pay : panel == 6 ? CentsOf(K) : 0);
    }
    for (size_t j = 1; j < sums.size(); ++j)
      if (!std::isnan(s.totals[j])) {
        EXPECT_EQ(CentsOf(s.totals[j]), sums[j]) << j;
      }
  }
}

// 30 years of monthly payments of a 150000 loan at 4.2%: the first row as a textbook prints it.
TEST(Schedule, MonthlyLoanRows) {
  const Schedule s = MakeSchedule(Solve(7, {"150000", "4.2", "30"}, 12, false)).schedule;
  ASSERT_EQ(s.rows.size(), 360u);
  EXPECT_EQ(s.rows[0], (std::vector<double>{1, 733.53, 525, 208.53, 208.53, 149791.47}));
  EXPECT_EQ(Cents(s.rows.back()[5]) + " " + Cents(-0.05), "0.00 -0.05");
}

TEST(Schedule, AShorterLastPeriodAndTheTablesRefused) {
  // 10000 paid off by 1000 a year at 5%: 14.21 years, the last payment what is left.
  const Schedule s = MakeSchedule(Solve(7, {"10000", "5", "", "1000"}, 1, false)).schedule;
  ASSERT_EQ(s.rows.size(), 15u);
  EXPECT_EQ(Cents(s.rows.back()[1]) + " " + Cents(s.rows.back()[5]), "210.72 0.00");
  EXPECT_NE(s.note.find("más corto"), std::string::npos);
  // 1 paid monthly over ten years at 1.5%: the payment rounded up to 0.01 pays it off early.
  const Schedule tiny = MakeSchedule(Solve(7, {"1", "1.5", "10"}, 12, false)).schedule;
  ASSERT_EQ(tiny.rows.size(), 100u);
  EXPECT_NE(tiny.note.find("en el periodo 100."), std::string::npos) << tiny.note;
  // More periods than a table holds; a row that has no table.
  EXPECT_FALSE(MakeSchedule(Solve(5, {"100", "0.01", "1001"}, 12, false)).ok());
  Solution simple;
  simple.panel = 4;
  EXPECT_FALSE(MakeSchedule(simple).ok());
}

}  // namespace
}  // namespace tolvi
