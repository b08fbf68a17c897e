#include "solvers/interest.h"
#include "solvers/controls.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include <boost/math/tools/toms748_solve.hpp>

#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// Panel numbers k: the rows of the interest frame.
constexpr int kSimple = 0;
constexpr int kCompound = 1;
constexpr int kCapitalisation = 2;
constexpr int kAmortisation = 3;

// The value texts of statements and answers.
std::string TextDiners(double x, const std::string& smb) { return EscriuDec(x, 2) + smb; }
std::string TextDinersTallat(double x, const std::string& smb) { return Talla2Dec(x) + smb; }
std::string TextTipus(double x) { return EscriuDec(x, 3) + "%"; }
std::string TextTipusFrac(double x) { return EscriuNum(x, 2) + "%"; }
std::string TextAnys(double x) { return TxF("prob.int.years", {EscriuDec(x, 2)}); }
std::string TextAnysPla(double x) { return TxF("prob.int.years", {TextCurt(x)}); }

// x rounded to n decimals, halves away from zero, exactly as the written text of x shows it,
// so that the value kept and the value shown never disagree.
double ArrodDec(double x, int16_t n) {
  std::string text = EscriuDec(x, n);
  double value = x;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return x;
  return value;
}

void NoSolucions(SolveContext& ctx) {
  ctx.ui.message(Tx("msg.interest_no_solutions"), Tx("title.not_feasible"), Icon::None);
}

// The words of a row's periods in the interface language, by payments (or compoundings) per
// year: "prob.int.period.12" is the month of "al principio de cada mes", "prob.int.payment.12"
// the payment of each month, "prob.int.payments.12" several of them, "prob.int.adverb.12" the
// "mensualmente" of "capitalizable mensualmente", "step.int.payment.12" the payment as the
// working's label. Any other m is taken as yearly.
std::string PeriodWord(const char* what, int m) {
  const int known = m == 2 || m == 4 || m == 12 ? m : 1;
  return Tx(std::string(what) + "." + std::to_string(known));
}

// The effective annual rate, in percent, of the nominal rate r compounded m times a year.
double Tae(double r, int m) { return std::expm1(m * std::log1p(r / (100.0 * m))) * 100; }

// A statement of a row with periods other than its usual yearly ones, which already names the
// payments by their period ("mensualidades"), followed by when they fall and how the nominal
// rate compounds.
std::string EnunPeriodes(const std::string& enun, const Periodes& p, bool annuity) {
  const std::string adverb = PeriodWord("prob.int.adverb", p.m);
  if (!annuity) return TxF("prob.int.per.compound", {enun, adverb});
  const std::string& when = Tx(p.start ? "prob.int.at_start" : "prob.int.at_end");
  const std::string period = PeriodWord("prob.int.period", p.m);
  return p.m > 1 ? TxF("prob.int.per.nominal", {enun, when, period, adverb})
                 : TxF("prob.int.per.annuity", {enun, when, period});
}

// What a case of a panel computes: the position found, its value, the statement.
struct Cas {
  int16_t pos = -1;
  double value = 0;
  std::string enun;
};

// The money amount of a panel is the capital (interest), the capital to reach or the debt.
const char* NomPos0(int k) {
  switch (k) {
    case kCapitalisation: return "C";
    case kAmortisation: return "D";
    default: return "c";
  }
}

const char* NomPos3(int k) { return k >= kCapitalisation ? "a" : "C"; }

// Simple and compound interest. Returns false when the solve ends with a message. Compound
// interest compounds p.m times a year at the rate r/m.
bool CasInteres(int k, const std::string& codi, std::array<double, 4>& v, const Periodes& p,
                SolveContext& ctx, Cas& cas) {
  const std::string& smb = ctx.Smb;
  const std::string& tipus = Tx(k == kSimple ? "prob.int.kind.simple" : "prob.int.kind.compound");
  const double c = v[0], r = v[1], t = v[2], C = v[3];
  const int m = k == kSimple ? 1 : p.m;
  const double i = r / (100.0 * m);
  const double n = t * m;  // periods
  // ln(1 + i) kept exact for small rates; (1 + i)^n = e^(n·L).
  const double L = std::log1p(i);

  if (codi == "012") {
    cas.pos = 3;
    cas.enun =
        TxF("prob.int.final", {TextDinersTallat(c, smb), tipus, TextTipusFrac(r), TextAnysPla(t)});
    cas.value = k == kSimple ? c * (1 + r * t / 100) : c * std::exp(n * L);
  } else if (codi == "023") {
    cas.pos = 1;
    cas.enun = TxF("prob.int.rate", {tipus, TextDiners(c, smb), TextAnys(t), TextDiners(C, smb)});
    if (!(c < C)) {
      ctx.ui.message(Tx("msg.final_above_initial"), Tx("title.error"), Icon::None);
      return false;
    }
    cas.value = k == kSimple ? (C / c - 1) * 100 / t : std::expm1(std::log(C / c) / n) * 100 * m;
  } else if (codi == "123") {
    cas.pos = 0;
    cas.enun = TxF("prob.int.capital", {tipus, TextTipus(r), TextAnysPla(t), TextDiners(C, smb)});
    cas.value = k == kSimple ? C / (1 + r * t / 100) : C * std::exp(-n * L);
  } else {  // "013"
    cas.pos = 2;
    cas.enun = TxF("prob.int.time", {TextDiners(c, smb), tipus, TextTipus(r), TextDiners(C, smb)});
    if (!(c < C)) {
      ctx.ui.message(Tx("msg.final_above_initial"), Tx("title.error"), Icon::None);
      return false;
    }
    cas.value = k == kSimple ? (C / c - 1) * 100 / r : std::log(C / c) / L / m;
  }
  if (k == kCompound && m != 1) cas.enun = EnunPeriodes(cas.enun, p, false);
  return true;
}

// The value of a unit payment a period over n periods at the rate i a period: what the
// payments accumulate (capitalisation) or what they pay off (amortisation); f is 1 + i when
// each payment falls at the start of its period, else 1.
double FactorAnualitat(bool cap, double i, double n, double f) {
  if (i == 0) return n;
  return cap ? f * std::expm1(n * std::log1p(i)) / i : f * -std::expm1(-n * std::log1p(i)) / i;
}

// The rate of an annuity, in percent a year, from its payment a, its capital or debt K, its
// n periods (m a year) and when its payments fall: the root i > 0 of a·F(i) = K, where F is
// the value of a unit payment a period at the rate i a period. F(i) tends to n as i tends to
// 0, so the root i = 0 that the polynomial form of the equation carries is never taken. The
// smallest root is the rate (r = 100·m·i); NaN when there is none.
double TipusAnualitat(int k, double K, double n, double a, int m, bool start) {
  const bool cap = k == kCapitalisation;
  auto g = [=](double i) { return a * FactorAnualitat(cap, i, n, start ? 1 + i : 1) - K; };
  if (!std::isfinite(g(0))) return std::nan("");
  // Scan rates from 1e-9 % to 1e7 % in steps of a fifth of their size for the first change of
  // sign, then polish it.
  double lo = 0, glo = g(0);
  for (double i = 1e-11; i < 1e5; i *= 1.2) {
    const double gi = g(i);
    if (gi == 0) return 100 * i * m;
    if (std::isfinite(gi) && std::isfinite(glo) && (gi < 0) != (glo < 0) && glo != 0) {
      std::uintmax_t iterations = 200;
      try {
        const auto r = boost::math::tools::toms748_solve(
            g, lo, i, glo, gi,
            boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits - 1),
            iterations);
        return 100 * (r.first + (r.second - r.first) / 2) * m;
      } catch (const std::exception&) {
        return std::nan("");
      }
    }
    lo = i;
    glo = gi;
  }
  return std::nan("");
}

// Annuities of capitalisation and amortisation: p.m payments a year of a each, at the start or
// the end of each period, at the rate r/m a period.
bool CasAnualitat(int k, const std::string& codi, std::array<double, 4>& v, const Periodes& p,
                  SolveContext& ctx, Cas& cas) {
  const std::string& smb = ctx.Smb;
  const bool cap = k == kCapitalisation;
  const double K = v[0], r = v[1], t = v[2], a = v[3];
  const int m = p.m;
  const double i = r / (100.0 * m);
  const double n = t * m;
  const double L = std::log1p(i);
  const double f = p.start ? 1 + i : 1;  // the annuity-due factor
  // The statements name the payments by their period ("mensualidades"); "prob.int.cap.012"
  // or "prob.int.amort.012" is the statement of a capitalisation or amortisation case 012.
  const std::string payment = PeriodWord("prob.int.payment", m);
  const std::string payments = PeriodWord("prob.int.payments", m);
  auto key = [&](const char* code) {
    return std::string(cap ? "prob.int.cap." : "prob.int.amort.") + code;
  };

  if (codi == "012") {
    cas.pos = 3;
    cas.enun =
        TxF(key("012"), {payment, TextAnysPla(t), TextTipusFrac(r), TextDinersTallat(K, smb)});
    // Capitalisation: a = C·i / (f·((1+i)^n − 1)); amortisation: a = D·i / (f·(1 − (1+i)^−n)).
    cas.value = cap ? K * i / (f * std::expm1(n * L)) : K * i / (f * -std::expm1(-n * L));
  } else if (codi == "023") {
    cas.pos = 1;
    cas.enun = TxF(key("023"), {payments, TextDiners(a, smb), TextAnys(t), TextDiners(K, smb)});
    // One payment that falls when the capital is counted (at the start of a loan, at the end
    // of a fund) earns no interest: every rate fits.
    if (n == 1 && p.start != cap) {
      ctx.ui.message(Tx("msg.int.one_payment"), Tx("title.not_feasible"), Icon::None);
      return false;
    }
    cas.value = TipusAnualitat(k, K, n, a, m, p.start);
  } else if (codi == "123") {
    cas.pos = 0;
    cas.enun = TxF(key("123"), {TextAnysPla(t), payments, TextDiners(a, smb), TextTipus(r)});
    cas.value = cap ? std::expm1(n * L) * (a / i) * f : -std::expm1(-n * L) * a / i * f;
  } else {  // "013"
    cas.pos = 2;
    cas.enun = TxF(key("013"), {TextDiners(K, smb), payments, TextDiners(a, smb), TextTipus(r)});
    if (cap) {
      cas.value = std::log1p(K * i / (f * a)) / L / m;
    } else {
      // Payments that do not exceed a period's interest never pay the debt off.
      const double interes = K * i;
      cas.value = f * a > interes ? -std::log1p(-interes / (f * a)) / L / m : std::nan("");
    }
  }
  if (!Usual(p, k + 4)) {
    if (!cas.enun.empty() && cas.enun.back() == ' ') cas.enun.pop_back();
    cas.enun = EnunPeriodes(cas.enun, p, true);
  }
  return true;
}

// The working of an interest or annuity case, once its unknown is found: the formula (or the
// equation) that gave it, with the case's numbers. v holds every quantity, the found one
// included.
void PassosI(Solution& sol, int k, const std::string& codi, const std::array<double, 4>& v) {
  const bool annuity = k >= kCapitalisation;
  const bool cap = k == kCapitalisation;
  const char* K = NomPos0(k);  // c, C or D
  const char* F = NomPos3(k);  // C or a
  auto T = [](double x) { return Factor(TextCurt(x)); };
  const double c = v[0], r = v[1], t = v[2], C = v[3];
  auto diners = [&](double x) { return EscriuDec(x, 2); };
  const std::string I = "(1 + " + T(r) + "/100)";
  auto fml = [&](const std::string& label, const char* alias, const std::string& sought,
                 const std::string& formula, const std::string& sub, double value,
                 std::string result) {
    sol.formula(label, alias, sought, formula, sub, value, std::move(result));
  };
  if (!annuity) {
    const bool simple = k == kSimple;
    if (codi == "012") {
      fml(Tx("step.int.final"), "final", F,
          simple ? std::string(K) + "·(1 + \\f{r·t}{100})"
                 : std::string(K) + "·(1 + \\f{r}{100})^t",
          simple ? T(c) + "·(1 + \\f{" + T(r) + "·" + T(t) + "}{100})"
                 : T(c) + "·" + I + "^{" + T(t) + "}",
          C, diners(C));
    } else if (codi == "023") {
      fml(Tx("step.int.rate"), "rate", "r",
          simple ? "(\\f{C}{c} − 1)·\\f{100}{t}" : "((\\f{C}{c})^{\\f{1}{t}} − 1)·100",
          simple ? "(\\f{" + T(C) + "}{" + T(c) + "} − 1)·\\f{100}{" + T(t) + "}"
                 : "((\\f{" + T(C) + "}{" + T(c) + "})^{\\f{1}{" + T(t) + "}} − 1)·100",
          r, EscriuDec(r, 2));
    } else if (codi == "123") {
      fml(Tx("step.int.capital"), "capital", K,
          simple ? "\\f{C}{1 + \\f{r·t}{100}}" : "\\f{C}{(1 + \\f{r}{100})^t}",
          simple ? "\\f{" + T(C) + "}{1 + " + T(r) + "·" + T(t) + "/100}"
                 : "\\f{" + T(C) + "}{" + I + "^{" + T(t) + "}}",
          c, diners(c));
    } else if (simple) {
      fml(Tx("step.int.time"), "time", "t", "(\\f{C}{c} − 1)·\\f{100}{r}",
          "(\\f{" + T(C) + "}{" + T(c) + "} − 1)·\\f{100}{" + T(r) + "}", t, EscriuDec(t, 2));
    } else {
      sol.equation(Tx("step.int.time"), "time", "t",
                   "(1 + \\f{r}{100})^t = \\f{C}{c}: " + I + "^t = \\f{" + T(C) + "}{" + T(c) + "}",
                   Tx("step.method.logs") + ": t = log(C/c)/log(1 + r/100)", 0, HUGE_VAL, "",
                   {EscriuDec(t, 2)}, 1, Tx("step.why.only_root"));
    }
    return;
  }
  // Annuities: i is the rate of a period.
  const double i = r / 100;
  if (codi != "023")
    fml(Tx("step.int.period_rate"), "", "i", "\\f{r}{100}", "\\f{" + T(r) + "}{100}", i,
        TextCurt(i));
  const std::string Ii = "(1 + " + T(i) + ")";
  if (codi == "012") {
    fml(PeriodWord("step.int.payment", 1), "annuity", "a",
        cap ? "\\f{C·i}{(1 + i)·((1 + i)^t − 1)}" : "\\f{D·i}{1 − (1 + i)^{−t}}",
        cap ? "\\f{" + T(c) + "·" + T(i) + "}{" + Ii + "·(" + Ii + "^{" + T(t) + "} − 1)}"
            : "\\f{" + T(c) + "·" + T(i) + "}{1 − " + Ii + "^{−" + T(t) + "}}",
        C, diners(C));
  } else if (codi == "023") {
    sol.equation(Tx("step.int.rate"), "rate", "r",
                 cap ? "a·\\f{(1 + i)·((1 + i)^t − 1)}{i} = C, i = \\f{r}{100}: " + T(C) +
                           "·\\f{(1 + i)·((1 + i)^{" + T(t) + "} − 1)}{i} = " + T(c)
                     : "a·\\f{1 − (1 + i)^{−t}}{i} = D, i = \\f{r}{100}: " + T(C) +
                           "·\\f{1 − (1 + i)^{−" + T(t) + "}}{i} = " + T(c),
                 Tx("step.int.sign_change"), 1e-9, 1e7, Tx("step.tolerance.double"),
                 {EscriuDec(r, 2)}, 1, Tx("step.int.least_root"));
  } else if (codi == "123") {
    fml(cap ? Tx("step.int.formed") : Tx("step.int.debt"), cap ? "capital" : "debt", K,
        cap ? "a·\\f{((1 + i)^t − 1)·(1 + i)}{i}" : "a·\\f{1 − (1 + i)^{−t}}{i}",
        cap ? T(C) + "·\\f{(" + Ii + "^{" + T(t) + "} − 1)·" + Ii + "}{" + T(i) + "}"
            : T(C) + "·\\f{1 − " + Ii + "^{−" + T(t) + "}}{" + T(i) + "}",
        c, diners(c));
  } else if (cap) {
    sol.equation(Tx("step.int.time"), "time", "t",
                 "(1 + i)^t = 1 + \\f{C·i}{(1 + i)·a}: " + Ii + "^t = 1 + \\f{" + T(c) + "·" +
                     T(i) + "}{" + Ii + "·" + T(C) + "}",
                 Tx("step.method.logs"), 0, HUGE_VAL, "", {EscriuDec(t, 2)}, 1,
                 Tx("step.why.only_root"));
  } else {
    sol.check(TxF("step.int.exceeds_year", {"a = " + diners(C) + " > D·i = " + diners(c * i)}));
    sol.equation(Tx("step.int.time"), "time", "t",
                 "(1 + i)^{−t} = 1 − \\f{D·i}{a}: " + Ii + "^{−t} = 1 − \\f{" + T(c) + "·" + T(i) +
                     "}{" + T(C) + "}",
                 Tx("step.method.logs"), 0, HUGE_VAL, "", {EscriuDec(t, 2)}, 1,
                 Tx("step.why.only_root"));
  }
}

// The working of a case whose periods are not the row's usual yearly ones: the rate of a
// period i = r/(100·m), the number of periods n = t·m, the annuity-due factor (1 + i) when
// the payments fall at the start of each period, and the effective annual rate.
void PassosPeriodes(Solution& sol, int k, const std::string& codi, const std::array<double, 4>& v,
                    const Periodes& p) {
  const bool cap = k == kCapitalisation;
  const char* K = NomPos0(k);  // c, C or D
  const char* F = NomPos3(k);  // C or a
  auto T = [](double x) { return Factor(TextCurt(x)); };
  auto diners = [](double x) { return EscriuDec(x, 2); };
  const double c = v[0], r = v[1], t = v[2], C = v[3];
  const int m = p.m;
  const double i = r / (100.0 * m), n = t * m;
  const std::string Ii = "(1 + " + T(i) + ")";
  // The exponent is t with yearly periods, n = t·m otherwise.
  const std::string N = m == 1 ? "t" : "n", NV = T(m == 1 ? t : n);
  auto fml = [&](const std::string& label, const char* alias, const std::string& sought,
                 const std::string& formula, const std::string& sub, double value,
                 std::string result) {
    sol.formula(label, alias, sought, formula, sub, value, std::move(result));
  };
  const std::string payment = PeriodWord("step.int.payment", m);
  auto rate = [&] {
    if (m == 1)
      fml(Tx("step.int.period_rate"), "", "i", "\\f{r}{100}", "\\f{" + T(r) + "}{100}", i,
          TextCurt(i));
    else
      fml(Tx("step.int.period_rate"), "", "i", "\\f{r}{100·m}",
          "\\f{" + T(r) + "}{100·" + T(m) + "}", i, TextCurt(i));
  };
  auto periods = [&] {
    if (m != 1) fml(Tx("step.int.periods"), "", "n", "t·m", T(t) + "·" + T(m), n, TextCurt(n));
  };
  auto time = [&] {
    if (m != 1)
      fml(Tx("step.int.time"), "time", "t", "\\f{n}{m}", "\\f{" + T(n) + "}{" + T(m) + "}", t,
          EscriuDec(t, 2));
  };
  const char* timeAlias = m == 1 ? "time" : "";
  const std::string due = p.start ? "(1 + i)·" : "", dueV = p.start ? Ii + "·" : "";
  if (codi != "023") rate();
  if (codi != "013") periods();
  if (k == kCompound) {
    if (codi == "012") {
      fml(Tx("step.int.final"), "final", F, std::string(K) + "·(1 + i)^n",
          T(c) + "·" + Ii + "^{" + T(n) + "}", C, diners(C));
    } else if (codi == "123") {
      fml(Tx("step.int.capital"), "capital", K, "\\f{C}{(1 + i)^n}",
          "\\f{" + T(C) + "}{" + Ii + "^{" + T(n) + "}}", c, diners(c));
    } else if (codi == "023") {
      fml(Tx("step.int.rate"), "rate", "r", "((\\f{C}{c})^{\\f{1}{n}} − 1)·100·m",
          "((\\f{" + T(C) + "}{" + T(c) + "})^{\\f{1}{" + T(n) + "}} − 1)·100·" + T(m), r,
          EscriuDec(r, 2));
      rate();
    } else {
      sol.equation(Tx("step.int.periods"), "", "n",
                   "(1 + i)^n = \\f{C}{c}: " + Ii + "^n = \\f{" + T(C) + "}{" + T(c) + "}",
                   Tx("step.method.logs") + ": n = log(C/c)/log(1 + i)", 0, HUGE_VAL, "",
                   {EscriuDec(n, 4)}, 1, Tx("step.why.only_root"));
      time();
    }
  } else if (codi == "012") {
    // The denominator's sum stands in parentheses only beside the annuity-due factor.
    auto den = [&](const std::string& sum) { return p.start ? "(" + sum + ")" : sum; };
    fml(payment, "annuity", "a",
        cap ? "\\f{C·i}{" + due + den("(1 + i)^" + N + " − 1") + "}"
            : "\\f{D·i}{" + due + den("1 − (1 + i)^{−" + N + "}") + "}",
        cap ? "\\f{" + T(c) + "·" + T(i) + "}{" + dueV + den(Ii + "^{" + NV + "} − 1") + "}"
            : "\\f{" + T(c) + "·" + T(i) + "}{" + dueV + den("1 − " + Ii + "^{−" + NV + "}") + "}",
        C, diners(C));
  } else if (codi == "023") {
    const std::string eq = cap ? "a·" + due + "\\f{(1 + i)^" + N + " − 1}{i} = C"
                               : "a·" + due + "\\f{1 − (1 + i)^{−" + N + "}}{i} = D";
    const std::string eqV = cap ? T(C) + "·" + due + "\\f{(1 + i)^{" + NV + "} − 1}{i} = " + T(c)
                                : T(C) + "·" + due + "\\f{1 − (1 + i)^{−" + NV + "}}{i} = " + T(c);
    sol.equation(Tx("step.int.rate"), "rate", "r",
                 eq + (m == 1 ? ", i = \\f{r}{100}: " : ", i = \\f{r}{100·m}: ") + eqV,
                 Tx("step.int.sign_change"), 1e-9, 1e7, Tx("step.tolerance.double"),
                 {EscriuDec(r, 2)}, 1, Tx("step.int.least_root"));
    if (m != 1) rate();
  } else if (codi == "123") {
    fml(cap ? Tx("step.int.formed") : Tx("step.int.debt"), cap ? "capital" : "debt", K,
        cap ? "a·" + due + "\\f{(1 + i)^" + N + " − 1}{i}"
            : "a·" + due + "\\f{1 − (1 + i)^{−" + N + "}}{i}",
        cap ? T(C) + "·" + dueV + "\\f{" + Ii + "^{" + NV + "} − 1}{" + T(i) + "}"
            : T(C) + "·" + dueV + "\\f{1 − " + Ii + "^{−" + NV + "}}{" + T(i) + "}",
        c, diners(c));
  } else {
    const std::string fa = p.start ? "(1 + i)·a" : "a", faV = p.start ? Ii + "·" + T(C) : T(C);
    const std::string root = EscriuDec(m == 1 ? t : n, m == 1 ? 2 : 4);
    if (cap) {
      sol.equation(m == 1 ? Tx("step.int.time") : Tx("step.int.periods"), timeAlias, N,
                   "(1 + i)^" + N + " = 1 + \\f{C·i}{" + fa + "}: " + Ii + "^" + N + " = 1 + \\f{" +
                       T(c) + "·" + T(i) + "}{" + faV + "}",
                   Tx("step.method.logs"), 0, HUGE_VAL, "", {root}, 1, Tx("step.why.only_root"));
    } else {
      sol.check(TxF("step.int.exceeds_period",
                    {(p.start ? "(1 + i)·a = " + diners((1 + i) * C) : "a = " + diners(C)) +
                     " > D·i = " + diners(c * i)}));
      sol.equation(m == 1 ? Tx("step.int.time") : Tx("step.int.periods"), timeAlias, N,
                   "(1 + i)^{−" + N + "} = 1 − \\f{D·i}{" + fa + "}: " + Ii + "^{−" + N +
                       "} = 1 − \\f{" + T(c) + "·" + T(i) + "}{" + faV + "}",
                   Tx("step.method.logs"), 0, HUGE_VAL, "", {root}, 1, Tx("step.why.only_root"));
    }
    time();
  }
  if (m != 1) {
    const double tae = Tae(r, m);
    const std::string& name = Tx("prob.int.tae");
    fml(name, "", name, "((1 + i)^m − 1)·100", "(" + Ii + "^{" + T(m) + "} − 1)·100", tae,
        EscriuDec(tae, 2));
  }
}

}  // namespace

SolveOutcome ResolI(int k, const Form& form, SolveContext& ctx) {
  if (k < kSimple || k > kAmortisation) return {};

  // Reading the panel: the first three fields that hold a number are the data; a fourth one
  // is ignored and recomputed.
  std::array<double, 4> vals{};
  std::string codi;
  std::string donats;
  const bool read = LlegeixDonats(
      form, ctx.ui, ctl::IdI, 4 * k, 3, false, vals, codi, donats, [&](size_t, double x) {
        if (x > 0) return true;
        ctx.ui.message(Tx("msg.positive_only"), Tx("title.wrong_input"), Icon::None);
        return false;
      });
  if (!read) return {};
  if (codi.size() < 3) {
    ctx.ui.message(Tx("msg.need_three"), Tx("title.not_enough"), Icon::Exclamation);
    return {};
  }

  const int panel = k + 4;
  const Periodes periodes = LlegeixPeriodes(form, panel);
  Cas cas;
  bool seguir = k <= kCompound ? CasInteres(k, codi, vals, periodes, ctx, cas)
                               : CasAnualitat(k, codi, vals, periodes, ctx, cas);
  if (!seguir) return {};

  // A value that overflowed, has no real value or vanished is no solution; neither is a
  // case whose data were already beyond a double.
  bool finit = std::isfinite(cas.value) && cas.value > 0;
  for (int p = 0; p < 4; ++p) {
    if (p != cas.pos && !std::isfinite(vals[p])) finit = false;
  }
  if (!finit) {
    NoSolucions(ctx);
    return {};
  }
  // A rate is kept with the 3 decimals it is written with.
  if (cas.pos == 1) cas.value = ArrodDec(cas.value, 3);
  vals[cas.pos] = cas.value;

  std::string resp;
  switch (cas.pos) {
    case 0: resp = std::string(NomPos0(k)) + " = " + TextDiners(cas.value, ctx.Smb); break;
    case 1: resp = "r = " + EscriuDec(cas.value, 2) + "%"; break;
    case 2: resp = "t = " + TextAnys(cas.value); break;
    default: resp = std::string(NomPos3(k)) + " = " + TextDiners(cas.value, ctx.Smb); break;
  }
  const bool usual = k == kSimple || Usual(periodes, panel);
  if (!usual && periodes.m != 1)
    resp += "; " + Tx("prob.int.tae") + " = " + EscriuDec(Tae(vals[1], periodes.m), 2) + "%";

  SolveOutcome out;
  for (int p = 0; p < 4; ++p) {
    if (donats[p] == '0') out.setText(ctl::IdI(4 * k + p), EscriuDec(vals[p], 2));
  }
  Solution& sol = out.solution;
  sol.code = codi;
  const char* aliases[4] = {k == kAmortisation ? "debt" : "capital", "rate", "time",
                            k >= kCapitalisation ? "annuity" : "final"};
  const std::string names[4] = {NomPos0(k), "r", "t", NomPos3(k)};
  for (int p = 0; p < 4; ++p) {
    if (donats[p] == 'x')
      sol.given(aliases[p], names[p], vals[p], form.text(ctl::IdI(4 * k + p)));
    else
      sol.found(aliases[p], names[p], vals[p], EscriuDec(vals[p], 2));
  }
  if (k != kSimple) {
    sol.perYear = periodes.m;
    sol.payAtStart = k >= kCapitalisation && periodes.start;
  }
  if (usual)
    PassosI(sol, k, codi, vals);
  else
    PassosPeriodes(sol, k, codi, vals, periodes);
  out.record = Prob{cas.enun, resp};
  out.solved = true;
  return out;
}

int IndexPerYear(int m) {
  for (int j = 0; j < 4; ++j)
    if (kPerYear[j] == m) return j;
  return -1;
}

Periodes LlegeixPeriodes(const Form& form, int panel) {
  Periodes p;
  p.start = StartByDefault(panel);
  if (panel < 5 || panel > 7) return p;
  const int j = form.currentIndex(ctl::IdPer(panel));
  if (j >= 0 && j < 4) p.m = kPerYear[j];
  if (panel >= 6) {
    const int when = form.currentIndex(ctl::IdMom(panel));
    if (when == 0 || when == 1) p.start = when == 0;
  }
  return p;
}

}  // namespace tolvi
