// Random consistent cases of both progression rows, for every case code: the data are read off
// a progression drawn at random (negative and fractional differences and ratios, k > 1, ratios
// near 1, tiny and huge magnitudes), and the solve must give that progression back. Every
// option the solve offers must itself be an answer of the data, and the progression that made
// them must be among the options. The seed is fixed (TOLVI_SEED overrides it) and printed with
// every failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "numeric/numtext.h"
#include "solvers/arithmetic.h"
#include "solvers/geometric.h"

namespace tolvi {
namespace {

uint64_t Seed() {
  const char* s = std::getenv("TOLVI_SEED");
  return s ? std::strtoull(s, nullptr, 10) : 20261207;
}

// |x - want| within tol of the size given.
bool Near(double x, double want, double size, double tol) {
  return std::fabs(x - want) <= tol * std::max(size, 1e-300);
}

// ---- Arithmetic -------------------------------------------------------------------------

const char* const kCodesA[] = {"012", "013", "014", "023", "024",
                               "034", "123", "124", "134", "234"};

// The five quantities of the arithmetic row by slot, with a1, all read from a1, d, n and k.
std::array<double, 5> QuantitiesA(double a1, double d, double n, double k) {
  const double an = a1 + (n - 1) * d;
  return {a1 + (k - 1) * d, d, n, an, (a1 + an) * n / 2};
}

// The answer's five quantities are those its a1, d and n make, and the given quantities of
// `code` are among them.
bool AnswersA(const ArithmeticAnswer& r, const std::array<double, 5>& given, const char* code,
              double k, double tol) {
  const double n = r.v[2];
  if (n < 1 || n != std::round(n)) return false;
  const std::array<double, 5> q = QuantitiesA(r.a1, r.v[1], n, k);
  const double size = std::max({std::fabs(r.a1), std::fabs(q[3]), std::fabs(q[0])});
  for (size_t i = 0; i < 5; ++i) {
    const double scale = i == 4 ? size * n : i == 2 ? 1 : size;
    const bool isGiven = std::string(code).find(static_cast<char>('0' + i)) != std::string::npos;
    if (!Near(r.v[i], q[i], scale, tol) || (isGiven && !Near(q[i], given[i], scale, tol)))
      return false;
  }
  return true;
}

TEST(ArithmeticProperty, EveryCaseGivesBackItsProgression) {
  const uint64_t seed = Seed();
  std::mt19937_64 rng(seed);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int tried = 0;
  for (int round = 0; round < 400; ++round) {
    // a1 = A/10^p, d = D/10^p: every quantity is a short exact decimal.
    const int p = in(0, 3);
    const double scale = std::pow(10.0, in(-2, 7)) / std::pow(10.0, p);
    const double a1 = in(-999, 999) * scale;
    int D = 0;
    while (D == 0) D = in(-99, 99);
    const double d = D * scale;
    const int n = in(2, 60);
    const int k = in(0, 1) ? 1 : in(2, 7);
    const std::array<double, 5> truth = QuantitiesA(a1, d, n, k);
    for (const char* code : kCodesA) {
      const std::string c = code;
      if ((c == "023" && n == k) || (c == "024" && n + 1 == 2 * k)) continue;  // d is free
      if (c == "034" && k == 1 && truth[3] == -a1) continue;                   // S = 0 for every n
      SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + " code " +
                   c + " k=" + std::to_string(k) + " a1=" + TextCurt(a1) + " d=" + TextCurt(d) +
                   " n=" + std::to_string(n));
      ++tried;
      const ArithmeticCase res = SolveArithmeticCase(code, static_cast<int16_t>(k), truth);
      ASSERT_EQ(res.end, CaseEnd::Solved) << res.n;
      bool found = false;
      for (const ArithmeticAnswer& r : res.answers) {
        EXPECT_TRUE(AnswersA(r, truth, code, k, 1e-6)) << "n=" << r.v[2] << " d=" << r.v[1];
        found = found || (r.v[2] == n && Near(r.v[1], d, std::fabs(d), 1e-9) &&
                          Near(r.a1, a1, std::max(std::fabs(a1), n * std::fabs(d)), 1e-9));
      }
      EXPECT_TRUE(found) << res.answers.size() << " answers";
    }
  }
  EXPECT_GT(tried, 3500);
}

// ---- Geometric --------------------------------------------------------------------------

const char* const kCodesG[] = {"012", "013", "014", "023", "024", "034", "123", "124", "134",
                               "234", "025", "125", "135", "145", "235", "245", "345"};

std::string Text(long double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.19Lg", x);
  return buf;
}

struct ProgressionG {
  long double a1, r;
  int n, k;
  // a_k, r, n, a_n, S_n and S by slot.
  std::array<long double, 6> Slots() const {
    long double sn = 0, term = a1;
    for (int j = 0; j < n; ++j, term *= r) sn += term;
    return {a1 * std::pow(r, k - 1), r,  static_cast<long double>(n),
            a1 * std::pow(r, n - 1), sn, std::fabs(r) < 1 ? a1 / (1 - r) : 0};
  }
};

// One solve of the geometric row from the texts of the given slots, the row shown when asked
// (or when the sum is given); `choice` answers the chooser. A solved case enables its Save.
std::unique_ptr<test::Fila> RunG(const ProgressionG& pg, const char* code, bool row, int choice) {
  const std::array<long double, 6> q = pg.Slots();
  test::Camps camps;
  for (const char* c = code; *c; ++c) camps[static_cast<size_t>(*c - '0')] = Text(q[*c - '0']);
  auto f = std::make_unique<test::Fila>(camps, std::to_string(pg.k),
                                        row || std::string(code).ends_with('5'));
  f->ui.choiceAnswers = {choice};
  f->Resol();
  return f;
}

// The quantities a solve ended with make one progression that gives every given quantity.
bool AnswersG(const ValsG& v, const std::array<long double, 6>& data, const char* code, int k,
              double tol) {
  const double r = v[1], n = v[2];
  if (n < 1 || n != std::round(n) || r == 0 || r == 1) return false;
  const double a1 = v[0] / std::pow(r, k - 1);
  const double absSum =
      std::fabs(a1) *
      (std::fabs(r) == 1 ? n : (std::pow(std::fabs(r), n) - 1) / (std::fabs(r) - 1));
  const std::array<double, 6> q = {
      v[0], r, n, a1 * std::pow(r, n - 1), a1 * (std::pow(r, n) - 1) / (r - 1), a1 / (1 - r)};
  const std::array<double, 6> size = {std::fabs(q[0]), 1,      1,
                                      std::fabs(q[3]), absSum, std::fabs(a1) / (1 - std::fabs(r))};
  // A ratio next to 1 (a root the sum's equations may have there) magnifies the rounding of
  // 1 - r in every sum.
  tol += 1e-15 / std::fabs(1 - r);
  for (const char* c = code; *c; ++c) {
    const int i = *c - '0';
    if (i == 5 && !(std::fabs(r) < 1)) return false;
    if (!Near(q[i], static_cast<double>(data[i]), size[i], tol)) return false;
  }
  return true;
}

ProgressionG DrawG(std::mt19937_64& rng) {
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  long double r = 0;
  switch (in(0, 3)) {
    case 0:  // near 1, either side
      r = 1 + (in(0, 1) ? 1 : -1) * in(1, 80) / 1000.0L;
      break;
    case 1:  // a simple fraction below 1 in size, either sign
      r = static_cast<long double>(in(1, 15)) / in(16, 20) * (in(0, 1) ? 1 : -1);
      break;
    default:  // a whole or halved ratio, up to 30 in size
      while (std::fabs(r) <= 1) r = in(-60, 60) / 2.0L;
  }
  const int n = in(2, std::fabs(r - 1) < 0.1L ? 40 : 12);
  const long double a1 = in(1, 999) * (in(0, 1) ? 1 : -1) * std::pow(10.0L, in(-6, 8)) / 7;
  return {a1, r, n, in(0, 1) ? 1 : in(2, 5)};
}

TEST(GeometricProperty, EveryCaseGivesBackItsProgressionAndOffersOnlyAnswers) {
  const uint64_t seed = Seed();
  std::mt19937_64 rng(seed);
  int tried = 0, chosen = 0;
  for (int round = 0; round < 150; ++round) {
    const ProgressionG pg = DrawG(rng);
    const bool below = std::fabs(pg.r) < 1;
    const std::array<long double, 6> data = pg.Slots();
    for (const char* code : kCodesG) {
      const std::string c = code;
      if (c.ends_with('5') && !below) continue;  // no infinite sum
      if (c == "023" && pg.n == pg.k) continue;  // r is free
      // These cases see n (or r) only through the difference between the sum and a term |r|^n
      // times smaller: past what the doubles' rounding can tell, the data fix no answer, and
      // short of it they fix r only as well as that difference is known.
      const long double rn = std::pow(std::fabs(pg.r), pg.n - 1);
      const bool difference = c == "014" || c == "145" || c == "245" || c == "345";
      if (difference && rn * std::fabs(pg.r) < 1e-6L) continue;
      if (c == "134" && rn > 1e8L) continue;
      const double tolR =
          1e-9 +
          (difference ? 1e-14 / static_cast<double>(std::min(1.0L, rn * std::fabs(pg.r))) : 0);
      // The row shown (a decreasing progression is sought) half of the time it fits.
      const bool row = below && (round % 2 == 0);
      SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + " code " +
                   c + " k=" + std::to_string(pg.k) + " a1=" + Text(pg.a1) + " r=" + Text(pg.r) +
                   " n=" + std::to_string(pg.n) + (row ? " row" : ""));
      ++tried;
      std::unique_ptr<test::Fila> first = RunG(pg, code, row, 0);
      std::vector<std::unique_ptr<test::Fila>> options;
      const auto& choices = first->ui.choices;
      if (choices.empty()) {
        const auto& shown = first->ui.messages;
        ASSERT_TRUE(first->form.enabled(ctl::BtGuard(2))) << (shown.empty() ? "" : shown[0].text);
        options.push_back(std::move(first));
      } else {
        const auto count = static_cast<int>(choices[0].options.size());
        ASSERT_GE(count, 2);
        ++chosen;
        for (int i = 1; i <= count; ++i) options.push_back(RunG(pg, code, row, i));
      }
      bool found = false;
      for (const auto& o : options) {
        ASSERT_TRUE(o->form.enabled(ctl::BtGuard(2)));
        const ValsG& v = o->vals;
        EXPECT_TRUE(AnswersG(v, data, code, pg.k, 1e-7)) << "r=" << v[1] << " n=" << v[2];
        found = found ||
                (v[2] == pg.n && Near(v[1], static_cast<double>(pg.r), std::fabs(pg.r), tolR));
      }
      EXPECT_TRUE(found) << options.size() << " options, first r=" << options[0]->vals[1]
                         << " n=" << options[0]->vals[2];
    }
  }
  EXPECT_GT(tried, 1500);
  EXPECT_GT(chosen, 50);  // several answers are common: +r and -r, two ratios of one sum
}

}  // namespace
}  // namespace tolvi
