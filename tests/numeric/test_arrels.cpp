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

struct RootCase {
  std::string text;
  double a, b;
  std::vector<double> roots;  // each expected within 2 * tol
  double tol = 1e-8;
};

TEST(ArrelsFun, FindsStrictChangesOfSign) {
  const double pi = std::acos(-1.0);
  const RootCase cases[] = {
      {"x*x-2", 1, 20, {std::sqrt(2.0)}},
      {"(x-0.3)*(x-0.7)", 0, 1, {0.3, 0.7}},
      {"(x-0.35)*(x-0.38)", 0, 1, {}},  // both inside one step
      {"(x-0.5)^2", 0, 1, {}},          // touches 0 without crossing
      {"x-1", 1, 20, {}},               // f(a) is exactly 0
      {"1/(x-0.5)", 0, 1, {0.5}},       // a pole is bisected like a root
      {"sin(x)", 0, 10, {pi, 2 * pi, 3 * pi}, 1e-6},
      {"(x-0.5)*(x-1.5)", 2, 0, {}},    // a > b: one step from a back to b
      // Values whose product would underflow to 0 or overflow.
      {"(x-0.55)*1e-200", 0, 1, {0.55}},
      {"(x-0.55)*1e300", 0, 1, {0.55}},
      // Far from 0 the ends of the bracket become neighbouring doubles before tol is met.
      {"x-100000000.5", 1e8, 1e8 + 1, {1e8 + 0.5}},
  };
  for (const RootCase& c : cases) {
    const std::string code = Codi(c.text);
    const ResultatArrels res = CercaArrels(FunPrograma(code), c.a, c.b, c.tol);
    EXPECT_EQ(res.estat, EstatArrels::Ok) << c.text;
    ASSERT_EQ(res.roots.size(), c.roots.size()) << c.text << " on " << c.a << ", " << c.b;
    for (size_t i = 0; i < c.roots.size(); ++i)
      EXPECT_NEAR(res.roots[i], c.roots[i], 2 * c.tol) << c.text << " root " << i;
    EXPECT_EQ(ArrelsFun(code, c.a, c.b, c.tol), res.roots) << c.text;
  }
  // A midpoint that is an exact zero is the root, exactly (halving on would run to the far end).
  EXPECT_EQ(ArrelsFun("x", -0.05, 1, 1e-8), std::vector<double>{0.0});
}

// The scan resumes tol beyond each point it examined; a root inside that small gap (a rate
// with one decimal lands there) must not be stepped over, nor found twice.
TEST(ArrelsFun, RootInTheGapAfterAScanPointIsFoundOnce) {
  for (int step = 1; step <= 9; ++step) {
    for (int j = -30; j <= 30; ++j) {
      // Off the scan points themselves, where f would be exactly 0 (not a change of sign).
      const double root = step * 0.1 + j * 1e-9 + 3e-10;
      char buf[64];
      std::snprintf(buf, sizeof buf, "x-%.12f", root);
      const std::string code = Codi(buf);
      const std::vector<double> roots = ArrelsFun(code, 0, 1, 1e-8);
      ASSERT_EQ(roots.size(), 1u) << buf;
      EXPECT_NEAR(roots[0], root, 2e-8) << buf;
    }
  }
}

struct RefusalCase {
  const char* name;
  double a, b, tol;
  EstatArrels estat;
};

TEST(ArrelsFun, RefusesWhatCouldNotEnd) {
  const RefusalCase cases[] = {
      {"tolerance 0", 0, 1, 0, EstatArrels::ToleranciaNoValida},
      {"negative tolerance", 0, 1, -1e-8, EstatArrels::ToleranciaNoValida},
      {"NaN tolerance", 0, 1, NAN, EstatArrels::ToleranciaNoValida},
      {"infinite end", 0, INFINITY, 1e-8, EstatArrels::IntervalNoValid},
      {"NaN end", NAN, 1, 1e-8, EstatArrels::IntervalNoValid},
      {"a million and one steps", 0, 100000.2, 1e-8, EstatArrels::IntervalMassaLlarg},
      {"steps lost in rounding", 1e17, 1e17 + 1000, 1e-8, EstatArrels::IntervalMassaLlarg},
  };
  const FunPrograma f(Codi("x-0.5"));
  for (const RefusalCase& c : cases) {
    const ResultatArrels res = CercaArrels(f, c.a, c.b, c.tol);
    EXPECT_EQ(res.estat, c.estat) << c.name;
    EXPECT_TRUE(ArrelsFun(f, c.a, c.b, c.tol).empty()) << c.name;
  }
  // The longest interval allowed is scanned.
  EXPECT_EQ(CercaArrels(f, 0, 100000, 1e-8).roots.size(), 1u);
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
