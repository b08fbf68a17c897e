// The interest and annuity panels (k = 0 to 3, panels 4 to 7) and their period tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "numeric/numtext.h"
#include "solvers/interest.h"
#include "solvers/schedule.h"

namespace tolvi {
namespace {

using test::Solved;
using Fields = std::vector<std::string>;

// Panel k + 4 solved from its fields; m payments (or compoundings) a year and the timing are
// chosen in its lists when given.
Solved SolveI(int16_t k, const Fields& fields, std::string smb = "€", int m = 0,
              bool start = false) {
  MemoryForm form = test::Typed(ctl::IdI, 4 * k, fields);
  if (m && k >= 1) form.setCurrentIndex(ctl::IdPer(k + 4), IndexPerYear(m));
  if (m && k >= 2) form.setCurrentIndex(ctl::IdMom(k + 4), start ? 0 : 1);
  return test::Solve(
      std::move(form), [k](const Form& f, SolveContext& ctx) { return ResolI(k, f, ctx); },
      std::move(smb));
}

std::string Trace(int16_t k, const Fields& f) {
  return "panel " + std::to_string(k + 4) + ": " + f[0] + "|" + f[1] + "|" + f[2] + "|" + f[3];
}

// The balance of a panel's four quantities (a rate in percent a year, compounded or paid m
// times a year, at the start of each period or at its end), 0 when they agree: what a
// spreadsheet's FV, PV, PMT, NPER and RATE solve.
double Balance(int16_t k, const std::array<double, 4>& v, int m, bool start) {
  const double K = v[0], i = v[1] / (100 * m), W = v[3], f = std::pow(1 + i, v[2] * m);
  const double due = start ? 1 + i : 1;
  switch (k) {
    case 0: return W - K * (1 + v[1] / 100 * v[2]);
    case 1: return W - K * f;
    case 2: return K - W * due * (f - 1) / i;
    default: return K - W * due * (1 - 1 / f) / i;
  }
}

// The quantity at `find` that balances the other three, by bisection on a log scale.
double Exact(int16_t k, int find, std::array<double, 4> v, int m, bool start) {
  double lo = 1e-6, hi = 1e9;
  auto negative = [&](double x) { return v[find] = x, Balance(k, v, m, start) < 0; };
  const bool low = negative(lo);
  for (int it = 0; it < 200; ++it) {
    const double mid = std::sqrt(lo * hi);
    (negative(mid) == low ? lo : hi) = mid;
  }
  return lo;
}

double Num(const std::string& text) {
  double v = std::nan("");
  return LlegeixNum(text, v) ? v : std::nan("");
}

long long CentsOf(double amount) { return std::llround(amount * 100); }

// The invariants of a solved row's rounded period table: one row a period (a payment rounded
// up may pay a tiny loan off early, and the note says so), what is pending earning its
// interest in each period to the cent (with a payment at the start of the period, none on the
// first payment of a loan, a fund's last within what its rounded payment left), rows that add
// up, every payment the solved one but the last, the last row where the solve said, and
// totals that are the columns' sums.
void CheckTable(Solution sol, int panel) {
  sol.panel = panel;
  const ScheduleResult made = MakeSchedule(sol);
  ASSERT_TRUE(made.ok()) << made.error;
  const Schedule& s = made.schedule;
  const long long K = CentsOf(sol.quantities[0].value), pay = CentsOf(sol.quantities[3].value);
  const double i = sol.quantities[1].value / (100.0 * sol.perYear);
  const bool start = sol.payAtStart;
  const auto periods = static_cast<size_t>(std::ceil(sol.quantities[2].value * sol.perYear - 1e-6));
  if (s.rows.size() != periods) {
    EXPECT_TRUE(panel == 7 && s.rows.size() < periods);
    EXPECT_NE(s.note.find("en el periodo " + std::to_string(s.rows.size())), std::string::npos);
  }
  std::vector<long long> sums(s.headers.size(), 0);
  long long before = panel == 6 ? 0 : K;  // pending, the fund, the capital
  for (size_t r = 0; r < s.rows.size(); ++r) {
    const bool last = r + 1 == s.rows.size();
    std::vector<long long> c;
    for (double x : s.rows[r]) c.push_back(CentsOf(x));
    for (size_t j = 1; j < c.size(); ++j) sums[j] += c[j];
    ASSERT_EQ(c[0], static_cast<long long>(r + 1) * 100);
    const double earning = static_cast<double>(before + (panel == 6 && start ? c[1] : 0));
    const long long interest = c[panel == 5 ? 1 : 2];
    if (!last || panel != 5) {  // the compound capital's last row absorbs the rounding
      EXPECT_NEAR(interest, panel == 7 && start && r == 0 ? 0 : earning * i,
                  (last ? 1 : 0.5) + 1e-9)
          << r;
    }
    if (panel == 7) {
      EXPECT_EQ(c[1], c[2] + c[3]);
      EXPECT_EQ(c[5], before - c[3]);
      EXPECT_EQ(c[4], K - c[5]);
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
  // A fund ends at the capital unless the rounded payments already passed it (the note says so).
  if (panel == 6 && before != K) {
    EXPECT_TRUE(before > K &&
                s.note.find("termina en " + Cents(s.rows.back()[4])) != std::string::npos);
  } else {
    EXPECT_EQ(before, panel == 5 ? pay : panel == 6 ? K : 0);
  }
  for (size_t j = 1; j < sums.size(); ++j)
    if (!std::isnan(s.totals[j])) {
      EXPECT_EQ(CentsOf(s.totals[j]), sums[j]) << j;
    }
}

// Random cases of each panel, with every count of periods a year and both timings, solved
// forwards (the fourth quantity from the others, with its period table), then back (each given
// from the other two and the written fourth), against the balance.
TEST(ResolI, RandomCasesSolveForwardsAndBack) {
  std::mt19937 gen(20240517);
  std::uniform_int_distribution<int> cents(1000000, 50000000), tenths(10, 150), years(1, 30),
      coin(0, 1), period(0, 3);
  for (int16_t k = 0; k < 4; ++k) {
    for (int n = 0; n < 150; ++n) {
      const int m = k == 0 ? 1 : kPerYear[period(gen)];
      const bool start = k >= 2 && coin(gen);
      std::array<double, 4> v{cents(gen) / 100.0, tenths(gen) / 10.0, 1.0 * years(gen), 0};
      Fields given{EscriuDec(v[0], 2), EscriuDec(v[1], 2), EscriuDec(v[2], 2), ""};
      SCOPED_TRACE(Trace(k, given) + " m=" + std::to_string(m) + (start ? " start" : ""));
      Solved fwd = SolveI(k, given, "€", m, start);
      ASSERT_TRUE(fwd.out.solved);
      const std::string written = fwd.text(ctl::IdI(4 * k + 3));
      v[3] = Num(written);
      EXPECT_NEAR(v[3], Exact(k, 3, v, m, start), 0.005 + 1e-9);
      if (k >= 1) CheckTable(fwd.out.solution, k + 4);
      for (int find = 0; find < 3; ++find) {
        if (find == 1 && v[2] * m == 1 && start == (k == 3)) continue;  // any rate fits
        SCOPED_TRACE("finding position " + std::to_string(find));
        Fields back = given;
        back[3] = written;
        back[find] = "";
        Solved s = SolveI(k, back, "€", m, start);
        ASSERT_TRUE(s.out.solved);
        const double got = Num(s.text(ctl::IdI(4 * k + find))), exact = Exact(k, find, v, m, start);
        // Half a unit of the written result (a rate is kept with 3 decimals and written with 2);
        // with the forward check, the given comes back within what the written cents allow.
        const double half = find == 1 ? 0.0055 : 0.005;
        EXPECT_NEAR(got, exact, half + 1e-7);
      }
    }
  }
}

// 1 over ten years at 1.5%, monthly: the payment rounded up to 0.01 pays a loan off early and
// takes a fund past its capital. A row with no table is refused; a negative amount keeps its sign.
TEST(Schedule, RoundedPaymentsThatEndEarlyAndTheRowWithNoTable) {
  for (int16_t k : {2, 3}) CheckTable(SolveI(k, {"1", "1.5", "10", ""}, "€", 12).out.solution, k + 4);
  Solution simple;
  simple.panel = 4;
  EXPECT_FALSE(MakeSchedule(simple).ok());
  EXPECT_EQ(Cents(-0.05), "-0.05");
}

}  // namespace
}  // namespace tolvi
