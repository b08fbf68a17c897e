#include "numeric/sparse_roots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include <boost/math/tools/toms748_solve.hpp>

namespace tolvi {

namespace {

// A critical value this small against the size of the terms is taken for zero: the curve
// touches the axis there (a double root).
constexpr double kTouch = 1e-10;
// Beyond this many orders of e the terms are scaled before they are added.
constexpr double kLogSafe = 600;
// Exponents further apart than this are no equation of this program.
constexpr int64_t kMaxExponent = 1 << 20;

int Sign(double v) { return (v > 0) - (v < 0); }

// Equal exponents merged, zero coefficients dropped, in increasing order of exponent.
std::vector<Power> Normalise(std::vector<Power> t) {
  std::sort(t.begin(), t.end(), [](const Power& p, const Power& q) { return p.exp < q.exp; });
  std::vector<Power> out;
  for (const Power& p : t) {
    if (!out.empty() && out.back().exp == p.exp)
      out.back().coef += p.coef;
    else
      out.push_back(p);
  }
  std::erase_if(out, [](const Power& p) { return p.coef == 0; });
  return out;
}

// The sum on x > 0, every term divided by e^scale (scale 0: computed as it stands).
struct Evaluator {
  const std::vector<Power>& t;
  double scale = 0;

  double LogTerm(const Power& p, double x) const {
    return std::log(std::fabs(p.coef)) + p.exp * std::log(x);
  }
  // The largest term's logarithm at x.
  double LogSize(double x) const {
    double m = -std::numeric_limits<double>::infinity();
    for (const Power& p : t) m = std::max(m, LogTerm(p, x));
    return m;
  }
  // The value and the sum of the terms' sizes.
  std::pair<double, double> ValueAndSize(double x) const {
    double v = 0, size = 0;
    for (const Power& p : t) {
      const double term = scale == 0 ? p.coef * std::pow(x, p.exp)
                                     : std::copysign(std::exp(LogTerm(p, x) - scale), p.coef);
      v += term;
      size += std::fabs(term);
    }
    return {v, size};
  }
  double operator()(double x) const { return ValueAndSize(x).first; }
};

// The scale that keeps every term of [a, b] within the doubles: each term's logarithm is
// linear in log x, so its largest value on the interval is at one of the ends.
double ScaleFor(const std::vector<Power>& t, double a, double b) {
  const Evaluator e{t};
  const double m = std::max(e.LogSize(a), e.LogSize(b));
  return (m > -kLogSafe && m < kLogSafe) ? 0 : m - kLogSafe / 2;
}

int SignAt(const std::vector<Power>& t, double x) {
  return Sign(Evaluator{t, ScaleFor(t, x, x)}(x));
}

// The root in [a, b], where the sum changes sign, to full precision.
double Polish(const std::vector<Power>& t, double a, double b) {
  // One scale serves the whole bracket only while its terms span fewer orders than the
  // doubles do: narrow it by signs first (halving log x where the ends are far apart).
  const Evaluator size{t};
  const int sa = SignAt(t, a);
  for (int i = 0; i < 4000 && std::fabs(size.LogSize(a) - size.LogSize(b)) > 1000; ++i) {
    const double m = b / a > 4 ? std::sqrt(a) * std::sqrt(b) : a + (b - a) / 2;
    if (m <= a || m >= b) break;
    const int s = SignAt(t, m);
    if (s == 0) return m;
    if (s == sa)
      a = m;
    else
      b = m;
  }
  const Evaluator f{t, ScaleFor(t, a, b)};
  double fa = f(a), fb = f(b);
  if (fa == 0) return a;
  if (fb == 0) return b;
  try {
    std::uintmax_t iterations = 200;
    const auto r = boost::math::tools::toms748_solve(
        f, a, b, fa, fb,
        boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits - 1),
        iterations);
    return r.first + (r.second - r.first) / 2;
  } catch (const std::exception&) {
    // Values the interpolation cannot use: halve the bracket by signs alone.
    for (int i = 0; i < 2200 && a < b; ++i) {
      const double m = a + (b - a) / 2;
      if (m <= a || m >= b) break;
      const int s = SignAt(t, m);
      if (s == 0) return m;
      if (s == Sign(fa))
        a = m;
      else
        b = m;
    }
    return a + (b - a) / 2;
  }
}

// The positive roots of a normalised sum, in increasing order.
std::vector<double> PositiveRoots(std::vector<Power> t) {
  if (t.size() < 2) return {};
  // Dividing by the lowest power keeps the roots and makes the first term a constant, which
  // rules the sum near 0.
  const int32_t low = t.front().exp;
  for (Power& p : t) p.exp -= low;

  if (t.size() == 2) {
    const double q = -t[0].coef / t[1].coef;
    if (!(q > 0) || !std::isfinite(q)) return {};
    const double x = std::pow(q, 1.0 / t[1].exp);
    if (!(x > 0) || !std::isfinite(x)) return {};
    return {x};
  }

  // The sum is monotonic between consecutive roots of its derivative.
  std::vector<Power> derivative;
  for (size_t i = 1; i < t.size(); ++i) derivative.push_back({t[i].coef * t[i].exp, t[i].exp - 1});
  const std::vector<double> critical = PositiveRoots(Normalise(std::move(derivative)));

  // The points that bound the monotonic pieces, with the sign of the sum there: 0 (the
  // constant term's sign), the critical points, and infinity (the highest term's sign).
  struct Point {
    double x;
    int sign;
  };
  std::vector<Point> points{{0, Sign(t.front().coef)}};
  std::vector<double> roots;
  for (double z : critical) {
    const auto [v, size] = Evaluator{t, ScaleFor(t, z, z)}.ValueAndSize(z);
    if (std::fabs(v) <= kTouch * size) {
      roots.push_back(z);
      points.push_back({z, 0});
    } else {
      points.push_back({z, Sign(v)});
    }
  }
  points.push_back({std::numeric_limits<double>::infinity(), Sign(t.back().coef)});

  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point lo = points[i], hi = points[i + 1];
    if (lo.sign == 0 || hi.sign == 0 || lo.sign == hi.sign) continue;
    // Finite ends with the signs of the piece's ends.
    double a = lo.x, b = hi.x;
    if (a == 0 && std::isinf(b)) {
      a = b = 1;
      if (SignAt(t, 1) == lo.sign)
        b = 2;
      else
        a = 0.5;
    } else if (a == 0) {
      a = b / 2;
    } else if (std::isinf(b)) {
      b = std::max(2 * a, a + 1);
    }
    for (int n = 0; n < 2200 && a > 0 && SignAt(t, a) != lo.sign; ++n) a /= 2;
    for (int n = 0; n < 2200 && std::isfinite(b) && SignAt(t, b) != hi.sign; ++n) b *= 2;
    if (!(a > 0) || !std::isfinite(b)) continue;  // the root lies beyond the doubles
    roots.push_back(Polish(t, a, b));
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

}  // namespace

double PowerSum(const std::vector<Power>& terms, double x) {
  double v = 0;
  for (const Power& p : terms) v += p.coef * std::pow(x, p.exp);
  return v;
}

double PowerSumRootCondition(const std::vector<Power>& terms, double x) {
  double size = 0, slope = 0;
  for (const Power& p : terms) {
    const double term = p.coef * std::pow(x, p.exp);
    size += std::fabs(term);
    slope += p.exp * term;  // x·P'(x)
  }
  return slope == 0 ? 1e300 : size / std::fabs(slope);
}

std::vector<double> PowerSumRoots(std::vector<Power> terms) {
  for (const Power& p : terms)
    if (!std::isfinite(p.coef) || std::abs(int64_t{p.exp}) > kMaxExponent) return {};
  terms = Normalise(std::move(terms));

  // x = −s turns the negative roots into positive ones: each coefficient takes the sign of
  // (−1)^exp.
  std::vector<Power> mirrored = terms;
  for (Power& p : mirrored)
    if (p.exp % 2 != 0) p.coef = -p.coef;
  std::vector<double> roots;
  for (double s : PositiveRoots(mirrored)) roots.push_back(-s);
  std::reverse(roots.begin(), roots.end());
  for (double x : PositiveRoots(terms)) roots.push_back(x);
  return roots;
}

std::vector<double> RealPowerRoots(double q, int32_t m) {
  if (m == 0 || q == 0 || !std::isfinite(q)) return {};
  const double size = std::pow(std::fabs(q), 1.0 / m);
  if (!std::isfinite(size) || size == 0) return {};
  if (m % 2 != 0) return {std::copysign(size, q)};
  if (q < 0) return {};
  return {-size, size};
}

}  // namespace tolvi
