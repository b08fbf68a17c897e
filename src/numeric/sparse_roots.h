// Real roots of equations made of a few powers of x: sums c·x^e with whole exponents, negative
// ones included, such as S·x^(k-1)·(1 - x) - a = 0 or (S - a)·x^n + S·x^(n-1) - a = 0, the
// equations that give the ratio of a geometric progression.
//
// A sum of t powers has at most t - 1 positive roots, and between two of them lies a root of
// its derivative, itself a sum of t - 1 powers. So the roots are isolated exactly, from the
// derivative's roots down to a single power, whatever the degree (x^30000 costs no more than
// x^3), and each one is polished to full double precision by a bracketing solver. A root where
// the curve only touches zero (a double root) is found at the derivative's root.
#pragma once
#include <cstdint>
#include <vector>

namespace tolvi {

struct Power {
  double coef;
  int32_t exp;
};

// The value of the sum at x (x = 0 only when no exponent is negative).
double PowerSum(const std::vector<Power>& terms, double x);

// Every real root other than 0, in increasing order, each once. Coefficients that are not
// finite give no roots.
std::vector<double> PowerSumRoots(std::vector<Power> terms);

// How many times a relative change of the coefficients moves the root x, relatively: the size
// of the terms at x against x times the derivative there.
double PowerSumRootCondition(const std::vector<Power>& terms, double x);

// The real solutions of x^m = q for a whole m other than 0: two (−|q|^(1/m) and +|q|^(1/m))
// when m is even and q > 0, one when m is odd and q ≠ 0, none otherwise. In increasing order.
std::vector<double> RealPowerRoots(double q, int32_t m);

}  // namespace tolvi
