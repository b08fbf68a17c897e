// The root finder: a forward scan in steps of 0.1 looking for a strict change of sign between
// neighbouring points, and a bisection inside every step where the sign changes.
#include <cmath>
#include <cstddef>
#include <utility>

#include "numeric/fun.h"
#include "numeric/sixteen_bits.h"

namespace tolvi {

namespace {

// A strict change of sign. Signs are compared rather than multiplied, so two huge values
// cannot overflow into a wrong answer; a NaN (never produced by the evaluator) is no change.
bool CanviDeSigne(double p, double q) { return (p < 0 && q > 0) || (p > 0 && q < 0); }

constexpr double kPas = 0.1;
constexpr size_t kMaxArrels = kInt16Max;

// Bisection of [x0, x1] (in either order), where f(x1) = f1 and f(x0) has the other sign.
// Ends when the last halving moved by tol or less, when the midpoint is one of the ends (the
// ends are then neighbouring doubles), or when the midpoint is an exact zero.
double Biseca(const FunPrograma& f, double x0, double x1, double f1, double tol) {
  for (;;) {
    double m = (x1 + x0) / 2;
    if (!std::isfinite(m)) m = x0 / 2 + x1 / 2;
    if (m == x0 || m == x1) return m;
    const double fm = f.Valor(m);
    if (fm == 0) return m;
    if (CanviDeSigne(f1, fm)) x0 = x1;  // the root lies between the old x1 and m
    const double d = std::fabs(m - x0);
    x1 = m;
    f1 = fm;
    if (!(d > tol)) return x1;
  }
}

}  // namespace

ResultatArrels CercaArrels(const FunPrograma& f, double a, double b, double tol) {
  ResultatArrels res;
  if (!(tol > 0) || !std::isfinite(tol)) {
    res.estat = EstatArrels::ToleranciaNoValida;
    return res;
  }
  if (!std::isfinite(a) || !std::isfinite(b)) {
    res.estat = EstatArrels::IntervalNoValid;
    return res;
  }
  if (b - a > kPas * kMaxPassosArrels) {
    res.estat = EstatArrels::IntervalMassaLlarg;
    return res;
  }
  double x0 = a;
  double f0 = f.Valor(x0);
  // Each step either covers 0.1 or ends at a root, so this bound is never reached by an
  // interval that passed the check above unless x stops advancing.
  const int64_t maxPassos = int64_t{kMaxPassosArrels} + static_cast<int64_t>(kMaxArrels) + 2;
  for (int64_t pas = 0;; ++pas) {
    double x1 = x0 + kPas;
    if (x1 > b) x1 = b;
    if ((x1 <= x0 && x1 < b) || pas >= maxPassos) {
      // Far from 0 a step of 0.1 is lost in rounding: the scan would never end.
      res.estat = EstatArrels::IntervalMassaLlarg;
      return res;
    }
    const double f1 = f.Valor(x1);
    const bool found = CanviDeSigne(f0, f1);
    if (found) {
      x1 = Biseca(f, x0, x1, f1, tol);
      if (res.roots.size() == kMaxArrels) {
        res.estat = EstatArrels::MassaArrels;
        return res;
      }
      res.roots.push_back(x1);
    }
    // The scan goes on just beyond the last point examined, so a root is never found twice.
    x0 = x1 + tol;
    f0 = f.Valor(x0);
    // A root inside that small gap would otherwise be stepped over (rates with one decimal
    // fall right there); x1 is then within tol of it.
    if (!found && x1 < b && CanviDeSigne(f1, f0)) {
      if (res.roots.size() == kMaxArrels) {
        res.estat = EstatArrels::MassaArrels;
        return res;
      }
      res.roots.push_back(x1);
    }
    if (!(x1 < b)) break;
  }
  return res;
}

std::vector<double> ArrelsFun(const FunPrograma& f, double a, double b, double tol) {
  ResultatArrels res = CercaArrels(f, a, b, tol);
  if (res.estat != EstatArrels::Ok) return {};
  return std::move(res.roots);
}

std::vector<double> ArrelsFun(std::string_view code, double a, double b, double tol) {
  return ArrelsFun(FunPrograma(code), a, b, tol);
}

}  // namespace tolvi
