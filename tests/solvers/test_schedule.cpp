// Interest rows with periods and timing, and their tables, against a second computation: the
// closed forms a spreadsheet's financial functions use (PMT, IPMT, PPMT, FV, PV with type 0
// and 1 and per-period rates), NPER by logarithms, and RATE by bisection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "numeric/numtext.h"
#include "solvers/controls.h"
#include "solvers/interest.h"
#include "solvers/recording_services.h"
#include "solvers/schedule.h"

namespace tolvi {
namespace {

// The spreadsheet functions, signs as a spreadsheet has them (money paid out is negative).
double Fv(double r, double n, double pmt, double pv, int type) {
  if (r == 0) return -(pv + pmt * n);
  const double g = std::pow(1 + r, n);
  return -(pv * g + pmt * (1 + r * type) * (g - 1) / r);
}
double Pv(double r, double n, double pmt, double fv, int type) {
  const double g = std::pow(1 + r, n);
  return -(fv + pmt * (1 + r * type) * (g - 1) / r) / g;
}
double Pmt(double r, double n, double pv, double fv, int type) {
  const double g = std::pow(1 + r, n);
  return -(pv * g + fv) * r / ((g - 1) * (1 + r * type));
}
// The interest in payment per of a loan pv paid by pmt: what the balance left after per − 1
// payments earns in a period (the first payment at the start of a period carries none).
double Ipmt(double r, int per, double n, double pv, int type) {
  const double pmt = Pmt(r, n, pv, 0, type);
  if (type == 1) return per == 1 ? 0 : Fv(r, per - 1, pmt, pv, 1) * r / (1 + r);
  return Fv(r, per - 1, pmt, pv, 0) * r;
}
double Ppmt(double r, int per, double n, double pv, int type) {
  return Pmt(r, n, pv, 0, type) - Ipmt(r, per, n, pv, type);
}
double Nper(double r, double pmt, double pv, double fv, int type) {
  const double p = pmt * (1 + r * type);
  return std::log((p - fv * r) / (p + pv * r)) / std::log(1 + r);
}
// The rate a period at which n payments a pay off the loan K or build the fund K, by
// bisection (the value of the payments falls with the rate for a loan, rises for a fund).
double Rate(double n, double a, double K, bool loan, int type) {
  auto g = [&](double r) {
    const double due = 1 + r * type;
    return loan ? a * due * -std::expm1(-n * std::log1p(r)) / r - K
                : a * due * std::expm1(n * std::log1p(r)) / r - K;
  };
  double lo = 1e-12, hi = 10;
  if ((g(lo) < 0) == (g(hi) < 0)) return std::nan("");
  for (int k = 0; k < 300; ++k) {
    const double mid = (lo + hi) / 2;
    ((g(mid) < 0) == (g(lo) < 0) ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

struct Solved {
  bool ok = false;
  double value = 0;
  std::string text, answer;
  Solution sol;
};

// Solves panel (6 or 7, 5) with the given fields (empty: unknown), as the window does.
Solved Solve(int panel, const std::string (&fields)[4], int m, bool start) {
  MemoryForm form;
  for (int p = 0; p < 4; ++p) form.setText(ctl::IdI(4 * (panel - 4) + p), fields[p]);
  form.setCurrentIndex(ctl::IdPer(panel), IndexPerYear(m));
  if (ctl::IdMom.has(panel)) form.setCurrentIndex(ctl::IdMom(panel), start ? 0 : 1);
  RecordingServices ui;
  SolveContext ctx{ui};
  SolveOutcome out = ResolI(static_cast<int16_t>(panel - 4), form, ctx);
  Solved s;
  s.ok = out.solved;
  if (!s.ok) return s;
  s.sol = out.solution;
  s.sol.panel = panel;
  s.answer = out.record->Resp;
  for (const Quantity& q : s.sol.quantities)
    if (!q.given) {
      s.value = q.value;
      s.text = q.text;
    }
  return s;
}

double Shown(const std::string& text) {
  double x = 0;
  EXPECT_TRUE(LlegeixNum(text, x)) << text;
  return x;
}

// To the cent: half a cent, and what a double's last bits leave in a large amount.
void ExpectCent(double ours, double theirs, const std::string& what) {
  EXPECT_NEAR(ours, theirs, 0.005 + 1e-11 * std::fabs(theirs)) << what;
}

TEST(Schedule, AgreesWithTheSpreadsheetFunctionsOverLoansAndFunds) {
  std::mt19937 gen(14);
  const double kAmounts[] = {1, 37.5, 1250, 18000, 250000, 3.5e6, 1e9};
  const double kRates[] = {0.25, 1.5, 3.75, 6, 9.9, 18};
  const int kYears[] = {1, 2, 5, 10, 30};
  int cases = 0;
  for (int round = 0; round < 14; ++round) {
    for (int m : kPerYear) {
      for (int panel : {6, 7}) {
        const bool start = (round + m) % 2 == 0;
        const int type = start ? 1 : 0;
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
        const double K = kAmounts[pick(7)], rate = kRates[pick(6)];
        // Every fourth case a monthly loan over 30 years.
        const int years = round % 4 == 0 && m == 12 ? 30 : kYears[pick(5)];
        const double r = rate / (100.0 * m), n = years * m;
        const std::string T[3] = {TextCurt(K), TextCurt(rate), std::to_string(years)};
        SCOPED_TRACE("panel " + std::to_string(panel) + " K " + T[0] + " rate " + T[1] + " years " +
                     T[2] + " m " + std::to_string(m) + (start ? " start" : " end"));
        ++cases;
        // The payment (PMT) and, from the exact table, every row (IPMT, PPMT, the balance).
        const Solved pay = Solve(panel, {T[0], T[1], T[2], ""}, m, start);
        ASSERT_TRUE(pay.ok);
        const double pmt = panel == 7 ? -Pmt(r, n, K, 0, type) : -Pmt(r, n, 0, K, type);
        ExpectCent(Shown(pay.text), pmt, "payment");
        const ScheduleResult exact = MakeSchedule(pay.sol, false);
        ASSERT_TRUE(exact.ok()) << exact.error;
        ASSERT_EQ(exact.schedule.rows.size(), static_cast<size_t>(n));
        for (int per = 1; per <= n; ++per) {
          const auto& row = exact.schedule.rows[static_cast<size_t>(per - 1)];
          if (panel == 7) {
            ExpectCent(row[2], -Ipmt(r, per, n, K, type), "IPMT " + std::to_string(per));
            ExpectCent(row[3], -Ppmt(r, per, n, K, type), "PPMT " + std::to_string(per));
            const double balance = type == 1 ? Fv(r, per, pmt, -K, 1) / (1 + r) : Fv(r, per, pmt, -K, 0);
            ExpectCent(row[5], balance, "balance " + std::to_string(per));
          } else {
            ExpectCent(row[4], Fv(r, per, -pmt, 0, type), "fund " + std::to_string(per));
          }
        }
        // The table to the cent: t·m rows, the last pending capital (or the fund) exactly
        // where it must be, the totals the sums of the rows.
        const ScheduleResult book = MakeSchedule(pay.sol);
        ASSERT_TRUE(book.ok());
        const Schedule& s = book.schedule;
        // A payment rounded up may pay a tiny loan off a period early; the note says so.
        if (K >= 1000 || panel == 6) {
          ASSERT_EQ(s.rows.size(), static_cast<size_t>(n));
        } else if (s.rows.size() != static_cast<size_t>(n)) {
          EXPECT_NE(s.note.find("en el periodo " + std::to_string(s.rows.size())), std::string::npos);
        }
        // A fund reaches the capital exactly unless the payment's rounding already passed it
        // (tiny amounts), and the note then says where it ends.
        const double end = s.rows.back().back();
        if (panel == 7) {
          EXPECT_EQ(Cents(end), "0.00");
        } else if (Cents(end) != Cents(K)) {
          EXPECT_TRUE(end > K && s.note.find("termina en " + Cents(end)) != std::string::npos);
        }
        long long sumPay = 0, sumThird = 0;
        for (const auto& row : s.rows) {
          sumPay += std::llround(row[1] * 100);
          sumThird += std::llround(row[3] * 100);
        }
        EXPECT_EQ(sumPay, std::llround(s.totals[1] * 100));
        EXPECT_EQ(sumThird, std::llround(s.totals[3] * 100));
        if (panel == 7) {
          EXPECT_EQ(sumThird, std::llround(K * 100));
        }

        // The amount (PV of a loan, FV of a fund) from the payment as shown (a payment that
        // shows as 0.00 cannot be typed back: the fields take positive values only).
        const double a = Shown(pay.text);
        if (a == 0) continue;
        const Solved amount = Solve(panel, {"", T[1], T[2], pay.text}, m, start);
        ASSERT_TRUE(amount.ok);
        ExpectCent(Shown(amount.text), panel == 7 ? Pv(r, n, -a, 0, type) : Fv(r, n, -a, 0, type),
                   "PV/FV");
        // The time (NPER, in years to the shown 2 decimals) and the rate (RATE, to the shown
        // 2 decimals of the nominal annual rate), from that payment.
        const double nper = panel == 7 ? Nper(r, -a, K, 0, type) : Nper(r, -a, 0, K, type);
        const Solved time = Solve(panel, {T[0], T[1], "", pay.text}, m, start);
        ASSERT_EQ(time.ok, std::isfinite(nper));
        if (time.ok) {
          EXPECT_NEAR(Shown(time.text), nper / m, 0.005 + 1e-9) << time.answer;
        }
        const double found = Rate(n, a, K, panel == 7, type);
        const Solved rateSolved = Solve(panel, {T[0], "", T[2], pay.text}, m, start);
        // One payment that earns nothing (at the start of a loan, the end of a fund) fits any
        // rate: refused.
        ASSERT_EQ(rateSolved.ok, std::isfinite(found) && !(n == 1 && start == (panel == 7)));
        // The rate is kept to 3 decimals and shown with 2, so the shown one may stand half a
        // unit of the third decimal further off.
        if (rateSolved.ok) {
          EXPECT_NEAR(Shown(rateSolved.text), 100 * m * found, 0.0055);
        }
      }
      // Compound interest compounded m times a year: the capital of each period (FV with no
      // payments), the final capital, and the effective annual rate in the answer.
      const double c = kAmounts[round % 7], rate = kRates[round % 6];
      const int years = kYears[(round + m) % 5];
      const double r = rate / (100.0 * m);
      const Solved fin = Solve(5, {TextCurt(c), TextCurt(rate), std::to_string(years), ""}, m, false);
      ASSERT_TRUE(fin.ok);
      ++cases;
      ExpectCent(Shown(fin.text), Fv(r, years * m, 0, -c, 0), "compound FV");
      if (m > 1) {
        EXPECT_NE(fin.answer.find("TAE = " + EscriuDec((std::pow(1 + r, m) - 1) * 100, 2) + "%"),
                  std::string::npos)
            << fin.answer;
      }
      const ScheduleResult exact = MakeSchedule(fin.sol, false);
      ASSERT_TRUE(exact.ok());
      for (size_t per = 1; per <= exact.schedule.rows.size(); ++per)
        ExpectCent(exact.schedule.rows[per - 1][2], Fv(r, static_cast<double>(per), 0, -c, 0),
                   "capital " + std::to_string(per));
    }
  }
  EXPECT_GE(cases, 100);
}

TEST(Schedule, RoundedAmortisationEndsAtZeroAndItsCsvReadsBackInBothDialects) {
  // 30 years of monthly payments of a 150000 loan at 4.2%: 360 rows and a totals line.
  const Solved pay = Solve(7, {"150000", "4.2", "30", ""}, 12, false);
  ASSERT_TRUE(pay.ok);
  EXPECT_EQ(pay.text, "733.53");
  const Schedule s = MakeSchedule(pay.sol).schedule;
  ASSERT_EQ(s.rows.size(), 360u);
  EXPECT_EQ(Cents(s.rows.back()[5]), "0.00");
  EXPECT_NE(s.note.find("0.00"), std::string::npos);
  for (CsvDialect d : {CsvDialect::Spanish, CsvDialect::English}) {
    const auto cells = ReadCsv(ScheduleCsv(s, d), d);
    ASSERT_EQ(cells.size(), 362u);  // the header, the rows, the totals
    EXPECT_EQ(cells[0], s.headers);
    std::vector<long long> sums(6, 0);
    for (size_t line = 1; line <= 360; ++line) {
      ASSERT_EQ(cells[line].size(), 6u);
      EXPECT_EQ(cells[line][0], std::to_string(line));
      for (size_t c = 1; c < 6; ++c) {
        std::string text = cells[line][c];
        if (d == CsvDialect::Spanish) {
          ASSERT_EQ(text.find('.'), std::string::npos);
          std::replace(text.begin(), text.end(), ',', '.');
        }
        EXPECT_DOUBLE_EQ(std::stod(text), s.rows[line - 1][c]);
        sums[c] += std::llround(std::stod(text) * 100);
      }
    }
    EXPECT_EQ(cells.back()[0], "Total");
    for (size_t c : {1u, 2u, 3u}) {
      std::string total = cells.back()[c];
      std::replace(total.begin(), total.end(), ',', '.');
      EXPECT_EQ(sums[c], std::llround(std::stod(total) * 100)) << c;
    }
    EXPECT_EQ(sums[3], 15000000);
  }
}

TEST(Schedule, ATimeThatIsNoWholeNumberOfPeriodsEndsInAShorterPaymentAndLongTablesAreRefused) {
  // 10000 paid off by 1000 a year at 5%: 14.21 years, the last payment what is left.
  const Solved time = Solve(7, {"10000", "5", "", "1000"}, 1, false);
  ASSERT_TRUE(time.ok);
  const Schedule s = MakeSchedule(time.sol).schedule;
  ASSERT_EQ(s.rows.size(), 15u);
  EXPECT_LT(s.rows.back()[1], 1000);
  EXPECT_EQ(Cents(s.rows.back()[5]), "0.00");
  EXPECT_NE(s.note.find("más corto"), std::string::npos);

  const Solved longer = Solve(5, {"100", "5", "1001", ""}, 12, false);
  ASSERT_TRUE(longer.ok);
  EXPECT_FALSE(MakeSchedule(longer.sol).ok());
  Solution simple;
  simple.panel = 4;
  EXPECT_FALSE(MakeSchedule(simple).ok());
}

}  // namespace
}  // namespace tolvi
