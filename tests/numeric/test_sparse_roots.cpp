#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "numeric/sparse_roots.h"

namespace tolvi {
namespace {

// The sign changes of the sum seen on a fine grid of both half-lines: each one is a root that
// must be reported.
int SignChanges(const std::vector<Power>& t) {
  int changes = 0;
  for (double side : {-1.0, 1.0}) {
    double last = 0;
    for (double x = 1e-3; x < 1e3; x *= 1.002) {
      const double v = PowerSum(t, side * x);
      if (v != 0 && last != 0 && (v < 0) != (last < 0)) ++changes;
      if (v != 0) last = v;
    }
  }
  return changes;
}

// Sums of three or four powers with a root planted at x0: x0 is found at full precision, every
// root reported makes the sum vanish against the size of its terms, and none is missed.
TEST(PowerSumRoots, FindsThePlantedRootEveryCrossingAndNothingElse) {
  std::mt19937_64 rng(7);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 200; ++round) {
    const double x0 = (in(0, 1) ? 1 : -1) * std::exp(in(-300, 300) / 100.0);
    std::vector<Power> t;
    double at = 0;
    for (int i = 0, count = in(2, 3); i < count; ++i) {
      const Power p{in(-20, 20) / 4.0, in(-6, 12)};
      t.push_back(p);
      at += p.coef * std::pow(x0, p.exp);
    }
    // The last term, with an exponent of its own, makes x0 a root.
    const int32_t e = 13 + in(0, 3);
    t.push_back({-at / std::pow(x0, e), e});
    SCOPED_TRACE("round " + std::to_string(round) + " x0 " + std::to_string(x0));
    const std::vector<double> roots = PowerSumRoots(t);
    bool planted = false;
    for (double x : roots) {
      double size = 0;
      for (const Power& p : t) size += std::fabs(p.coef * std::pow(x, p.exp));
      EXPECT_LE(std::fabs(PowerSum(t, x)), 1e-9 * size) << x;
      planted = planted || std::fabs(x - x0) <= 1e-12 * std::fabs(x0);
    }
    EXPECT_TRUE(planted);
    EXPECT_GE(static_cast<int>(roots.size()), SignChanges(t));
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
  }
}

TEST(PowerSumRoots, DoubleRootsHighPowersAndOverflow) {
  const struct {
    std::vector<Power> t;
    std::vector<double> want;
  } rows[] = {
      // 16·x·(1 − x) = 4 touches zero at 1/2 only; 27·x²·(1 − x) = 4 crosses at −1/3 and
      // touches at 2/3.
      {{{16, 1}, {-16, 2}, {-4, 0}}, {0.5}},
      {{{27, 2}, {-27, 3}, {-4, 0}}, {-1.0 / 3, 2.0 / 3}},
      // 1 + x + x² = 7 through (x³ − 1) = 7·(x − 1): the root x = 1 is there too.
      {{{1, 3}, {-1, 0}, {-7, 1}, {7, 0}}, {-3, 1, 2}},
      // x^30000 terms overflow the doubles near 1.5.
      {{{1, 30000}, {-1.5, 29999}, {1, 0}}, {std::pow(2.0, 1.0 / 29999), 1.5}},
      {{{1, 2}, {1, 0}}, {}},
      {{{2, -1}, {-1, 0}}, {2}},
  };
  for (const auto& r : rows) {
    const std::vector<double> roots = PowerSumRoots(r.t);
    ASSERT_EQ(roots.size(), r.want.size());
    for (size_t i = 0; i < roots.size(); ++i)
      EXPECT_NEAR(roots[i], r.want[i], 1e-6 * std::fabs(r.want[i])) << i;
  }
}

TEST(RealPowerRoots, BothSignsForEvenPowers) {
  const struct {
    double q;
    int m;
    std::vector<double> want;
  } rows[] = {{8, 3, {2}},         {-8, 3, {-2}}, {16, 4, {-2, 2}}, {-16, 4, {}},
              {0.25, -2, {-2, 2}}, {0, 3, {}},    {5, 0, {}}};
  for (const auto& r : rows) {
    const std::vector<double> got = RealPowerRoots(r.q, r.m);
    ASSERT_EQ(got.size(), r.want.size()) << r.q << " " << r.m;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_DOUBLE_EQ(got[i], r.want[i]);
  }
}

}  // namespace
}  // namespace tolvi
