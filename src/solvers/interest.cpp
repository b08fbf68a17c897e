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
constexpr int16_t kSimple = 0;
constexpr int16_t kCompound = 1;
constexpr int16_t kCapitalisation = 2;
constexpr int16_t kAmortisation = 3;

// The value texts of statements and answers.
std::string TextDiners(double x, const std::string& smb) { return EscriuDec(x, 2) + smb; }
std::string TextDinersTallat(double x, const std::string& smb) { return Talla2Dec(x) + smb; }
std::string TextTipus(double x) { return EscriuDec(x, 3) + "%"; }
std::string TextTipusFrac(double x) { return EscriuNum(x, 2) + "%"; }
std::string TextAnys(double x) { return EscriuDec(x, 2) + " años"; }
std::string TextAnysPla(double x) { return TextCurt(x) + " años"; }

// x rounded to n decimals, halves away from zero, exactly as the written text of x shows it,
// so that the value kept and the value shown never disagree.
double ArrodDec(double x, int16_t n) {
  std::string text = EscriuDec(x, n);
  double value = x;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return x;
  return value;
}

void NoSolucions(SolveContext& ctx) { ctx.ui.message(Tx("msg.interest_no_solutions"), Tx("title.not_feasible"), Icon::None); }

// What a case of a panel computes: the position found, its value, the statement.
struct Cas {
  int16_t pos = -1;
  double value = 0;
  std::string enun;
};

// The money amount of a panel is the capital (interest), the capital to reach or the debt.
const char* NomPos0(int16_t k) {
  switch (k) {
    case kCapitalisation: return "C";
    case kAmortisation: return "D";
    default: return "c";
  }
}

const char* NomPos3(int16_t k) { return k >= kCapitalisation ? "a" : "C"; }

// Simple and compound interest. Returns false when the solve ends with a message.
bool CasInteres(int16_t k, const std::string& codi, std::array<double, 4>& v, SolveContext& ctx,
                Cas& cas) {
  const std::string& smb = ctx.Smb;
  const std::string tipus = k == kSimple ? "simple" : "compuesto";
  const double c = v[0], r = v[1], t = v[2], C = v[3];
  const double i = r / 100;
  // ln(1 + i) kept exact for small rates; (1 + i)^t = e^(t·L).
  const double L = std::log1p(i);

  if (codi == "012") {
    cas.pos = 3;
    cas.enun = "Calcula el capital que se obtendrá poniendo un capital de " +
               TextDinersTallat(c, smb) + " a un interés " + tipus + " del " + TextTipusFrac(r) +
               " durante " + TextAnysPla(t);
    cas.value = k == kSimple ? c * (1 + r * t / 100) : c * std::exp(t * L);
  } else if (codi == "023") {
    cas.pos = 1;
    cas.enun = "Calcula el % de interés " + tipus +
               " anual al cual se debe imponer un capital de " + TextDiners(c, smb) + " durante " +
               TextAnys(t) + " per obtener un capital de " + TextDiners(C, smb);
    if (!(c < C)) {
      ctx.ui.message(Tx("msg.final_above_initial"), Tx("title.error"), Icon::None);
      return false;
    }
    cas.value = k == kSimple ? (C / c - 1) * 100 / t : std::expm1(std::log(C / c) / t) * 100;
  } else if (codi == "123") {
    cas.pos = 0;
    cas.enun = "Calcula el capital que hay que imponer a un interés " + tipus + " del " +
               TextTipus(r) + " durante " + TextAnysPla(t) + " para de obtener un capital de " +
               TextDiners(C, smb);
    cas.value = k == kSimple ? C / (1 + r * t / 100) : C * std::exp(-t * L);
  } else {  // "013"
    cas.pos = 2;
    cas.enun = "Calcula el tiempo en años necesario para que un capital de " + TextDiners(c, smb) +
               " puesto  a un interés " + tipus + " del " + TextTipus(r) +
               " anual rendeixi un capital de " + TextDiners(C, smb);
    if (!(c < C)) {
      ctx.ui.message(Tx("msg.final_above_initial"), Tx("title.error"), Icon::None);
      return false;
    }
    cas.value = k == kSimple ? (C / c - 1) * 100 / r : std::log(C / c) / L;
  }
  return true;
}

// The rate of an annuity, in percent, from its amount a, its capital or debt K and its time t:
// the root i > 0 of a·F(i) = K, where F is the value of a unit payment a year at the rate i:
// what the payments at the start of each year accumulate (capitalisation), or what the
// payments at the end of each year pay off (amortisation). F(i) tends to t as i tends to 0, so
// the root i = 0 that the polynomial form of the equation carries is never taken. The
// smallest root is the rate; NaN when there is none.
double TipusAnualitat(int16_t k, double K, double t, double a) {
  auto g = [=](double i) {
    const double factor = i == 0                 ? t
                          : k == kCapitalisation ? (1 + i) * std::expm1(t * std::log1p(i)) / i
                                                 : -std::expm1(-t * std::log1p(i)) / i;
    return a * factor - K;
  };
  if (!std::isfinite(g(0))) return std::nan("");
  // Scan rates from 1e-9 % to 1e7 % in steps of a fifth of their size for the first change of
  // sign, then polish it.
  double lo = 0, glo = g(0);
  for (double i = 1e-11; i < 1e5; i *= 1.2) {
    const double gi = g(i);
    if (gi == 0) return 100 * i;
    if (std::isfinite(gi) && std::isfinite(glo) && (gi < 0) != (glo < 0) && glo != 0) {
      std::uintmax_t iterations = 200;
      try {
        const auto r = boost::math::tools::toms748_solve(
            g, lo, i, glo, gi,
            boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits - 1),
            iterations);
        return 100 * (r.first + (r.second - r.first) / 2);
      } catch (const std::exception&) {
        return std::nan("");
      }
    }
    lo = i;
    glo = gi;
  }
  return std::nan("");
}

// Annuities of capitalisation and amortisation.
bool CasAnualitat(int16_t k, const std::string& codi, std::array<double, 4>& v, SolveContext& ctx,
                  Cas& cas) {
  const std::string& smb = ctx.Smb;
  const bool cap = k == kCapitalisation;
  const double K = v[0], r = v[1], t = v[2], a = v[3];
  const double i = r / 100;
  const double L = std::log1p(i);

  if (codi == "012") {
    cas.pos = 3;
    cas.enun = "Calcula el importe de la anualidad que hay que ingresar durante " + TextAnysPla(t) +
               ", al " + TextTipusFrac(r) + " de interés para " +
               (cap ? "acumular un capital de " : "amortizar una deuda de ") +
               TextDinersTallat(K, smb);
    // Capitalisation: a = C·i / ((1+i)·((1+i)^t − 1)); amortisation: a = D·i / (1 − (1+i)^−t).
    cas.value = cap ? K * i / ((1 + i) * std::expm1(t * L)) : K * i / -std::expm1(-t * L);
  } else if (codi == "023") {
    cas.pos = 1;
    cas.enun = "Calcula el % de interés compuesto anual al cual se debe ingresar anualidades de " +
               TextDiners(a, smb) + " durante " + TextAnys(t) + " para " +
               (cap ? " de acumular un capital de " : " amortizar una deuda de ") +
               TextDiners(K, smb);
    cas.value = TipusAnualitat(k, K, t, a);
  } else if (codi == "123") {
    cas.pos = 0;
    cas.enun = std::string("Calcula el ") +
               (cap ? "capital que se obtendrá si se ingresa durante "
                    : "deuda que se podrá amortizar ingresando durante ") +
               TextAnysPla(t) + " anualidades de " + TextDiners(a, smb) + " al " + TextTipus(r) +
               " de interés anual";
    cas.value = cap ? std::expm1(t * L) * (a / i) * (1 + i) : -std::expm1(-t * L) * a / i;
  } else {  // "013"
    cas.pos = 2;
    cas.enun = std::string("Calcula el tiempo en años necesario para que ") +
               (cap ? "se pueda formar un capital de " : "se pueda amortizar una deuda de ") +
               TextDiners(K, smb) + " ingresando anualidades de " + TextDiners(a, smb) +
               " a un interés  del " + TextTipus(r) + " anual ";
    if (cap) {
      cas.value = std::log1p(K * i / ((1 + i) * a)) / L;
    } else {
      // An annuity that does not exceed a year's interest never pays the debt off.
      const double interes = K * i;
      cas.value = a > interes ? -std::log1p(-interes / a) / L : std::nan("");
    }
  }
  return true;
}


// The working of an interest or annuity case, once its unknown is found: the formula (or the
// equation) that gave it, with the case's numbers. v holds every quantity, the found one
// included.
void PassosI(Solution& sol, int16_t k, const std::string& codi, const std::array<double, 4>& v) {
  const bool annuity = k >= kCapitalisation;
  const bool cap = k == kCapitalisation;
  const char* K = NomPos0(k);  // c, C or D
  const char* F = NomPos3(k);  // C or a
  auto T = [](double x) { return Factor(TextCurt(x)); };
  const double c = v[0], r = v[1], t = v[2], C = v[3];
  auto diners = [&](double x) { return EscriuDec(x, 2); };
  const std::string I = "(1 + " + T(r) + "/100)";
  auto fml = [&](const char* label, const char* alias, const std::string& sought,
                 const std::string& formula, const std::string& sub, double value,
                 std::string result) {
    sol.formula(label, alias, sought, formula, sub, value, std::move(result));
  };
  if (!annuity) {
    const bool simple = k == kSimple;
    if (codi == "012") {
      fml("Capital final", "final", F,
          simple ? std::string(K) + "·(1 + \\f{r·t}{100})" : std::string(K) + "·(1 + \\f{r}{100})^t",
          simple ? T(c) + "·(1 + \\f{" + T(r) + "·" + T(t) + "}{100})"
                 : T(c) + "·" + I + "^{" + T(t) + "}",
          C, diners(C));
    } else if (codi == "023") {
      fml("Tipo de interés", "rate", "r",
          simple ? "(\\f{C}{c} − 1)·\\f{100}{t}" : "((\\f{C}{c})^{\\f{1}{t}} − 1)·100",
          simple ? "(\\f{" + T(C) + "}{" + T(c) + "} − 1)·\\f{100}{" + T(t) + "}"
                 : "((\\f{" + T(C) + "}{" + T(c) + "})^{\\f{1}{" + T(t) + "}} − 1)·100",
          r, EscriuDec(r, 2));
    } else if (codi == "123") {
      fml("Capital inicial", "capital", K,
          simple ? "\\f{C}{1 + \\f{r·t}{100}}" : "\\f{C}{(1 + \\f{r}{100})^t}",
          simple ? "\\f{" + T(C) + "}{1 + " + T(r) + "·" + T(t) + "/100}"
                 : "\\f{" + T(C) + "}{" + I + "^{" + T(t) + "}}",
          c, diners(c));
    } else if (simple) {
      fml("Tiempo", "time", "t", "(\\f{C}{c} − 1)·\\f{100}{r}",
          "(\\f{" + T(C) + "}{" + T(c) + "} − 1)·\\f{100}{" + T(r) + "}", t, EscriuDec(t, 2));
    } else {
      sol.equation("Tiempo", "time", "t",
                   "(1 + \\f{r}{100})^t = \\f{C}{c}: " + I + "^t = \\f{" + T(C) + "}{" + T(c) + "}",
                   "por logaritmos: t = log(C/c)/log(1 + r/100)", 0, HUGE_VAL, "",
                   {EscriuDec(t, 2)}, 1, "la única raíz");
    }
    return;
  }
  // Annuities: i is the rate of a period.
  const double i = r / 100;
  if (codi != "023")
    fml("Tipo por periodo", "", "i", "\\f{r}{100}", "\\f{" + T(r) + "}{100}", i, TextCurt(i));
  const std::string Ii = "(1 + " + T(i) + ")";
  if (codi == "012") {
    fml("Anualidad", "annuity", "a",
        cap ? "\\f{C·i}{(1 + i)·((1 + i)^t − 1)}" : "\\f{D·i}{1 − (1 + i)^{−t}}",
        cap ? "\\f{" + T(c) + "·" + T(i) + "}{" + Ii + "·(" + Ii + "^{" + T(t) + "} − 1)}"
            : "\\f{" + T(c) + "·" + T(i) + "}{1 − " + Ii + "^{−" + T(t) + "}}",
        C, diners(C));
  } else if (codi == "023") {
    sol.equation("Tipo de interés", "rate", "r",
                 cap ? "a·\\f{(1 + i)·((1 + i)^t − 1)}{i} = C, i = \\f{r}{100}: " + T(C) + "·\\f{(1 + i)·((1 + i)^{" + T(t) + "} − 1)}{i} = " + T(c)
                     : "a·\\f{1 − (1 + i)^{−t}}{i} = D, i = \\f{r}{100}: " + T(C) + "·\\f{1 − (1 + i)^{−" + T(t) + "}}{i} = " + T(c),
                 "primer cambio de signo de r, pulido con TOMS 748", 1e-9, 1e7,
                 "precisión doble", {EscriuDec(r, 2)}, 1, "la menor raíz positiva");
  } else if (codi == "123") {
    fml(cap ? "Capital constituido" : "Deuda", cap ? "capital" : "debt", K,
        cap ? "a·\\f{((1 + i)^t − 1)·(1 + i)}{i}" : "a·\\f{1 − (1 + i)^{−t}}{i}",
        cap ? T(C) + "·\\f{(" + Ii + "^{" + T(t) + "} − 1)·" + Ii + "}{" + T(i) + "}"
            : T(C) + "·\\f{1 − " + Ii + "^{−" + T(t) + "}}{" + T(i) + "}",
        c, diners(c));
  } else if (cap) {
    sol.equation("Tiempo", "time", "t",
                 "(1 + i)^t = 1 + \\f{C·i}{(1 + i)·a}: " + Ii + "^t = 1 + \\f{" + T(c) + "·" +
                     T(i) + "}{" + Ii + "·" + T(C) + "}",
                 "por logaritmos", 0, HUGE_VAL, "", {EscriuDec(t, 2)}, 1, "la única raíz");
  } else {
    sol.check("a = " + diners(C) + " > D·i = " + diners(c * i) +
              ": la anualidad supera los intereses del primer año");
    sol.equation("Tiempo", "time", "t",
                 "(1 + i)^{−t} = 1 − \\f{D·i}{a}: " + Ii + "^{−t} = 1 − \\f{" + T(c) + "·" + T(i) +
                     "}{" + T(C) + "}",
                 "por logaritmos", 0, HUGE_VAL, "", {EscriuDec(t, 2)}, 1, "la única raíz");
  }
}

}  // namespace

SolveOutcome ResolI(int16_t k, const Form& form, SolveContext& ctx) {
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

  Cas cas;
  bool seguir =
      k <= kCompound ? CasInteres(k, codi, vals, ctx, cas) : CasAnualitat(k, codi, vals, ctx, cas);
  if (!seguir) return {};

  // A value that overflowed, has no real value or vanished is no solution; neither is a
  // case whose data were already beyond a double.
  bool finit = std::isfinite(cas.value) && cas.value > 0;
  for (int16_t p = 0; p < 4; ++p) {
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

  SolveOutcome out;
  for (int16_t p = 0; p < 4; ++p) {
    if (donats[p] == '0') out.setText(ctl::IdI(4 * k + p), EscriuDec(vals[p], 2));
  }
  Solution& sol = out.solution;
  sol.code = codi;
  const char* aliases[4] = {k == kAmortisation ? "debt" : "capital", "rate", "time",
                            k >= kCapitalisation ? "annuity" : "final"};
  const std::string names[4] = {NomPos0(k), "r", "t", NomPos3(k)};
  for (int16_t p = 0; p < 4; ++p) {
    if (donats[p] == 'x')
      sol.given(aliases[p], names[p], vals[p], form.text(ctl::IdI(4 * k + p)));
    else
      sol.found(aliases[p], names[p], vals[p], EscriuDec(vals[p], 2));
  }
  PassosI(sol, k, codi, vals);
  out.record = Prob{cas.enun, resp};
  out.solved = true;
  return out;
}

}  // namespace tolvi
