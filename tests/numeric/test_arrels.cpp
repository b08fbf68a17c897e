#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "numeric/fun.h"

namespace tolvi {
namespace {

std::string Codi(std::string text) {
  std::string code = CompilaFun(text);
  EXPECT_FALSE(code.empty()) << text;
  return code;
}

// The roots found on fixed intervals (strict changes of sign, poles, a > b, an exact zero at a
// midpoint, underflow and overflow, far from 0, the longest interval) are shown by the
// behaviour table numeric-roots.

// The scan resumes tol beyond each point it examined; a root inside that small gap (a rate
// with one decimal lands there) must not be stepped over, nor found twice.
TEST(ArrelsFun, RootInTheGapAfterAScanPointIsFoundOnce) {
  for (int step = 1; step <= 9; ++step) {
    for (int j = -30; j <= 30; ++j) {
      // Off the scan points themselves, where f would be exactly 0 (not a change of sign).
      const double root = step * 0.1 + j * 1e-9 + 3e-10;
      char buf[64];
      std::snprintf(buf, sizeof buf, "x-%.12f", root);
      const std::vector<double> roots = ArrelsFun(Codi(buf), 0, 1, 1e-8);
      ASSERT_EQ(roots.size(), 1u) << buf;
      EXPECT_NEAR(roots[0], root, 2e-8) << buf;
    }
  }
}

// A tolerance that is not positive and an end that is not finite (tolvi-cli refuses both
// before it asks; the longest interval and the one a step longer are in numeric-roots).
TEST(ArrelsFun, RefusesWhatCouldNotEnd) {
  const struct {
    double a, b, tol;
    EstatArrels estat;
  } cases[] = {
      {0, 1, 0, EstatArrels::ToleranciaNoValida},   {0, 1, -1e-8, EstatArrels::ToleranciaNoValida},
      {0, 1, NAN, EstatArrels::ToleranciaNoValida}, {0, INFINITY, 1e-8, EstatArrels::IntervalNoValid},
      {NAN, 1, 1e-8, EstatArrels::IntervalNoValid},
  };
  const FunPrograma f(Codi("x-0.5"));
  for (const auto& c : cases) {
    const ResultatArrels res = CercaArrels(f, c.a, c.b, c.tol);
    EXPECT_EQ(res.estat, c.estat) << c.a << " " << c.b << " " << c.tol;
    EXPECT_TRUE(res.roots.empty());
  }
}

TEST(ArrelsFun, StopsAtTheLargestCountOfRoots) {
  // sin(10 pi x) changes sign in nearly every step of 0.1.
  const ResultatArrels res = CercaArrels(FunPrograma(Codi("sing(1800*x)")), 0.05, 4000, 1e-6);
  EXPECT_EQ(res.estat, EstatArrels::MassaArrels);
  EXPECT_EQ(res.roots.size(), 32767u);
  EXPECT_TRUE(std::is_sorted(res.roots.begin(), res.roots.end()));
}

}  // namespace
}  // namespace tolvi
