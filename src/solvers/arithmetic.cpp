#include "solvers/arithmetic.h"
#include "solvers/controls.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/numtext.h"
#include "numeric/sixteen_bits.h"
#include "solvers/tria.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// Every number of these panels is written with at most 3 decimals.
constexpr int16_t kDecimals = 3;

std::string Num(double x) { return EscriuNum(x, kDecimals); }

// The real roots of A·x² + B·x + C = 0 in increasing order, computed without cancellation; a
// double root once.
std::vector<double> ArrelsQuadratica(double A, double B, double C) {
  if (A == 0) {
    if (B == 0) return {};
    return {-C / B};
  }
  // B² − 4·A·C with the rounding of both products kept.
  const double bb = B * B, ac = 4 * A * C;
  const double D = (bb - ac) + (std::fma(B, B, -bb) - std::fma(4 * A, C, -ac));
  if (!std::isfinite(D)) return {};
  // A double root (a count where the sum turns back) comes out slightly below zero as often as
  // not: the coefficients carry the data's rounding.
  if (D < 0 && D < -1e-12 * (bb + std::fabs(ac))) return {};
  const double q = -(B + std::copysign(std::sqrt(std::max(D, 0.0)), B)) / 2;
  if (q == 0) return {0};
  double x1 = q / A, x2 = C / q;
  if (x1 > x2) std::swap(x1, x2);
  if (x1 == x2) return {x1};
  return {x1, x2};
}

// The answer built from a1, d and a whole n.
ArithmeticAnswer Completa(double a1, double d, double n, double k) {
  const double an = a1 + (n - 1) * d;
  return {{a1 + (k - 1) * d, d, n, an, (a1 + an) * n / 2}, a1};
}

// The given quantities of `code` read back from an answer, to a precision relative to the
// size of the terms involved.
bool Concorda(const ArithmeticAnswer& r, const std::array<double, 5>& donats, std::string_view code,
              double k) {
  const double d = r.v[1], n = r.v[2];
  const double mida = std::max({std::fabs(r.a1), std::fabs(r.v[0]), std::fabs(r.v[3]),
                                std::fabs((n - 1) * d), std::fabs((k - 1) * d)});
  for (char c : code) {
    const int i = c - '0';
    if (i == 1 || i == 2) continue;
    const double escala = i == 4 ? mida * n : mida;
    if (!(std::fabs(r.v[i] - donats[i]) <= 1e-9 * escala)) return false;
  }
  return true;
}

// The answers of the cases that find n among the roots of an equation in n. A root is a count
// of terms when it rounds to a whole n >= 1 within the 16-bit counts, and either lies within
// 1e-6 of it or the answer built from it gives back the data (large values cannot be closer
// than their own rounding allows). `build` makes the answer of a whole n, or nothing when that
// n admits none.
template <class Build>
ArithmeticCase Comptes(const std::vector<double>& arrels, std::string_view code, double k,
                       const std::array<double, 5>& donats, Build build) {
  ArithmeticCase res;
  res.roots = arrels;
  bool noEnter = false;
  double massa = 0;  // a count of terms beyond the largest the program handles
  for (double x : arrels) {
    if (std::isfinite(x) && x > kMaxTermes + 0.5 && massa == 0) massa = x;
    if (!std::isfinite(x) || x < 0.5 || x > kMaxTermes + 0.5) continue;
    const auto n = static_cast<double>(ArrodonirParell(x));
    const bool aprop = std::fabs(x - n) <= 1e-6;
    const std::optional<ArithmeticAnswer> r = build(n);
    if (r && (aprop || Concorda(*r, donats, code, k))) {
      if (res.answers.empty() || res.answers.back().v[2] != n) res.answers.push_back(*r);
    } else if (!aprop && !noEnter && x >= 1) {
      noEnter = true;
      res.n = x;
    }
  }
  if (res.answers.empty() && !noEnter && massa != 0) {
    res.end = CaseEnd::TooMany;
    res.n = massa;
  } else if (res.answers.empty()) {
    res.end = noEnter ? CaseEnd::NotWhole : CaseEnd::NoSolution;
  }
  return res;
}

}  // namespace

// The five quantities by slot: 0 a_k, 1 d, 2 n, 3 a_n, 4 S_n, three of them given by `code`.
ArithmeticCase SolveArithmeticCase(std::string_view code, int16_t k16,
                                   const std::array<double, 5>& donats) {
  std::array<double, 5> v = donats;
  double& ak = v[0];
  double& d = v[1];
  double& n = v[2];
  double& an = v[3];
  double& s = v[4];
  double a1 = 0;
  const double k = k16;
  if (code == "012") {
    an = (n - k) * d + ak;
    a1 = ak - (k - 1) * d;
    s = (a1 + an) * n / 2;
  } else if (code == "023") {
    d = (an - ak) / (n - k);
    a1 = ak - (k - 1) * d;
    s = (a1 + an) * n / 2;
  } else if (code == "024") {
    d = 2 * (s / n - ak) / (n + 1 - 2 * k);
    a1 = ak - (k - 1) * d;
    an = 2 * s / n - a1;
  } else if (code == "123") {
    a1 = an - (n - 1) * d;
    ak = (k - 1) * d + a1;
    s = (a1 + an) * n / 2;
  } else if (code == "124") {
    a1 = s / n - (n - 1) * d / 2;
    ak = (k - 1) * d + a1;
    an = (n - 1) * d + a1;
  } else if (code == "234") {
    a1 = 2 * s / n - an;
    d = (an - a1) / (n - 1);
    ak = (k - 1) * d + a1;
  } else if (code == "013") {
    // n = (a_n − a_k)/d + k; the sum is taken with n once it is whole.
    return Comptes({(an - ak) / d + k}, code, k, donats,
                   [&](double m) -> std::optional<ArithmeticAnswer> {
                     return Completa(an - (m - 1) * d, d, m, k);
                   });
  } else if (code == "014") {
    // S = n·a_1 + n·(n − 1)·d/2: d·n² + (2·a_1 − d)·n − 2·S = 0, both roots.
    a1 = ak - (k - 1) * d;
    return Comptes(
        ArrelsQuadratica(d, 2 * a1 - d, -2 * s), code, k, donats,
        [&](double m) -> std::optional<ArithmeticAnswer> { return Completa(a1, d, m, k); });
  } else if (code == "134") {
    // d·n² − (2·a_n + d)·n + 2·S = 0, both roots.
    return Comptes(ArrelsQuadratica(d, -(2 * an + d), 2 * s), code, k, donats,
                   [&](double m) -> std::optional<ArithmeticAnswer> {
                     return Completa(an - (m - 1) * d, d, m, k);
                   });
  } else if (code == "034") {
    // (a_n + a_k)·n² + ((1 − 2k)·a_n − 2·S − a_k)·n + 2k·S = 0, which carries n = k by
    // construction: that root is an answer only when a_k = a_n, with d from the sum.
    return Comptes(ArrelsQuadratica(an + ak, (1 - 2 * k) * an - 2 * s - ak, 2 * k * s), code, k,
                   donats, [&](double m) -> std::optional<ArithmeticAnswer> {
                     if (m != k) {
                       const double dd = (an - ak) / (m - k);
                       return Completa(ak - (k - 1) * dd, dd, m, k);
                     }
                     if (ak != an || m == 1) return std::nullopt;
                     const double first = 2 * s / m - an;
                     return Completa(first, (an - first) / (m - 1), m, k);
                   });
  }
  return {CaseEnd::Solved, {{v, a1}}, 0, {}};
}

namespace {

// The names under which a case shows its quantities: the three given ones, then the two found.
enum Q {
  Ak,  // "a" and the subscript box as typed
  AK,  // "a" and k in digits
  AN,  // "a" and the n field as typed
  SN,  // "S" and the n field as typed
  D,   // "d"
  N,   // "n"
  An,  // "an"
  Sn,  // "Sn"
};

struct Presentacio {
  const char* code;
  std::array<Q, 5> noms;
};

constexpr Presentacio kCasos[] = {
    {"012", {Ak, D, N, AN, SN}}, {"023", {Ak, N, AN, D, SN}}, {"024", {Ak, N, Sn, D, AN}},
    {"123", {D, N, AN, Ak, SN}}, {"124", {D, N, SN, AK, AN}}, {"234", {N, AN, SN, Ak, D}},
    {"013", {AK, D, An, N, Sn}}, {"034", {Ak, An, Sn, D, N}}, {"014", {AK, D, Sn, N, An}},
    {"134", {D, An, Sn, N, AK}},
};

int Slot(Q q) {
  switch (q) {
    case Ak:
    case AK: return 0;
    case D: return 1;
    case N: return 2;
    case AN:
    case An: return 3;
    case SN:
    case Sn: return 4;
  }
  return 0;
}

void NoHiHaSolucions(Services& ui) {
  ui.message(Tx("msg.no_solutions"), Tx("title.not_feasible"), Icon::None);
}

// The working of an arithmetic case, in the order SolveArithmeticCase computes it. v holds the
// answer taken (by slot), a1 its first term; roots are those of the equation in n, if any,
// and chosen says how the answer was taken among several.
void PassosA(Solution& sol, std::string_view code, int k, const std::array<double, 5>& v, double a1,
             const std::vector<double>& roots, bool throughChooser) {
  const std::string K = std::to_string(k);
  auto F = [](double x) { return Factor(Num(x)); };
  const double ak = v[0], d = v[1], n = v[2], an = v[3], s = v[4];
  // With k = 1 the known term is the first one: its step is the first term's.
  auto primer = [&](const std::string& f, const std::string& sub) {
    sol.formula(Tx("step.first_term"), k == 1 ? "a" : "", "a_1", f, sub, a1, Num(a1));
  };
  auto conegut = [&] {
    if (k == 1) return;
    sol.formula(Tx("step.known_term"), "a", "a_k", "a_1 + (k − 1)·d",
                F(a1) + " + (" + K + " − 1)·" + F(d), ak, Num(ak));
  };
  auto primerDeK = [&] {
    if (k == 1) return;
    sol.formula(Tx("step.first_term"), "", "a_1", "a_k − (k − 1)·d",
                F(ak) + " − (" + K + " − 1)·" + F(d), a1, Num(a1));
  };
  auto suma = [&] {
    sol.formula(Tx("step.sum"), "sn", "S_n", "\\f{(a_1 + a_n)·n}{2}",
                "\\f{(" + Num(a1) + " + " + Num(an) + ")·" + Num(n) + "}{2}", s, Num(s));
  };
  auto darrer = [&] {
    sol.formula(Tx("step.last_term"), "an", "a_n", "a_1 + (n − 1)·d",
                F(a1) + " + (" + Num(n) + " − 1)·" + F(d), an, Num(an));
  };
  auto equacio = [&](const std::string& eq) {
    std::vector<std::string> texts;
    int chosen = 0;
    for (size_t i = 0; i < roots.size(); ++i) {
      texts.push_back(EscriuNum(roots[i], 6));
      if (chosen == 0 && std::fabs(roots[i] - n) <= 1e-6 * std::max(1.0, n))
        chosen = static_cast<int>(i) + 1;
    }
    if (chosen == 0) {  // the count came from the data's own rounding
      texts.push_back(Num(n));
      chosen = static_cast<int>(texts.size());
    }
    sol.equation(Tx("step.term_count"), "n", "n", eq, Tx("step.method.quadratic"), 1, kMaxTermes,
                 TxF("step.tolerance.whole_n", {"10^{-6}"}), texts, chosen,
                 Tx(throughChooser      ? "step.why.chosen"
                    : roots.size() == 1 ? "step.why.only_root"
                                        : "step.why.only_count"));
    sol.check(TxF("step.check.whole_n", {"n = " + Num(n)}));
  };
  auto quadratica = [&](double A, double B, double C) {
    return Num(A) + "·n^2 " + (B < 0 ? "− " : "+ ") + Num(std::fabs(B)) + "·n " +
           (C < 0 ? "− " : "+ ") + Num(std::fabs(C)) + " = 0";
  };

  if (code == "012") {
    sol.formula(Tx("step.last_term"), "an", "a_n", "a_k + (n − k)·d",
                F(ak) + " + (" + Num(n) + " − " + K + ")·" + F(d), an, Num(an));
    primerDeK();
    suma();
  } else if (code == "023") {
    sol.formula(Tx("step.difference"), "d", "d", "\\f{a_n − a_k}{n − k}",
                "\\f{" + Num(an) + " − " + F(ak) + "}{" + Num(n) + " − " + K + "}", d, Num(d));
    primerDeK();
    suma();
  } else if (code == "024") {
    sol.formula(
        Tx("step.difference"), "d", "d", "\\f{2·(S_n/n − a_k)}{n + 1 − 2·k}",
        "\\f{2·(" + Num(s) + "/" + Num(n) + " − " + F(ak) + ")}{" + Num(n) + " + 1 − 2·" + K + "}",
        d, Num(d));
    primerDeK();
    sol.formula(Tx("step.last_term"), "an", "a_n", "\\f{2·S_n}{n} − a_1",
                "\\f{2·" + F(s) + "}{" + Num(n) + "} − " + F(a1), an, Num(an));
  } else if (code == "123") {
    primer("a_n − (n − 1)·d", F(an) + " − (" + Num(n) + " − 1)·" + F(d));
    conegut();
    suma();
  } else if (code == "124") {
    primer("\\f{S_n}{n} − \\f{(n − 1)·d}{2}",
           "\\f{" + Num(s) + "}{" + Num(n) + "} − \\f{(" + Num(n) + " − 1)·" + F(d) + "}{2}");
    conegut();
    darrer();
  } else if (code == "234") {
    primer("\\f{2·S_n}{n} − a_n", "\\f{2·" + F(s) + "}{" + Num(n) + "} − " + F(an));
    sol.formula(Tx("step.difference"), "d", "d", "\\f{a_n − a_1}{n − 1}",
                "\\f{" + Num(an) + " − " + F(a1) + "}{" + Num(n) + " − 1}", d, Num(d));
    conegut();
  } else if (code == "013") {
    sol.formula(Tx("step.term_count"), "n", "n", "\\f{a_n − a_k}{d} + k",
                "\\f{" + Num(an) + " − " + F(ak) + "}{" + Num(d) + "} + " + K, n, Num(n));
    sol.check(TxF("step.check.whole_n", {"n = " + Num(n)}));
    primer("a_n − (n − 1)·d", F(an) + " − (" + Num(n) + " − 1)·" + F(d));
    suma();
  } else if (code == "014") {
    primerDeK();
    if (k == 1) sol.check("a_1 = a_k = " + Num(a1));
    equacio("d·n^2 + (2·a_1 − d)·n − 2·S_n = 0: " + quadratica(d, 2 * a1 - d, -2 * s));
    darrer();
  } else if (code == "134") {
    equacio("d·n^2 − (2·a_n + d)·n + 2·S_n = 0: " + quadratica(d, -(2 * an + d), 2 * s));
    primer("a_n − (n − 1)·d", F(an) + " − (" + Num(n) + " − 1)·" + F(d));
    conegut();
  } else if (code == "034") {
    equacio("(a_n + a_k)·n^2 + ((1 − 2·k)·a_n − 2·S_n − a_k)·n + 2·k·S_n = 0: " +
            quadratica(an + ak, (1 - 2 * k) * an - 2 * s - ak, 2 * k * s));
    if (n != k) {
      sol.formula(Tx("step.difference"), "d", "d", "\\f{a_n − a_k}{n − k}",
                  "\\f{" + Num(an) + " − " + F(ak) + "}{" + Num(n) + " − " + K + "}", d, Num(d));
      primerDeK();
    } else {
      primer("\\f{2·S_n}{n} − a_n", "\\f{2·" + F(s) + "}{" + Num(n) + "} − " + F(an));
      sol.formula(Tx("step.difference"), "d", "d", "\\f{a_n − a_1}{n − 1}",
                  "\\f{" + Num(an) + " − " + F(a1) + "}{" + Num(n) + " − 1}", d, Num(d));
    }
  }
}

// The givens of the row, each refused with its message when the row cannot take it; false
// (the message shown) when the solve ends here.
bool ReadGivens(const Form& form, Services& ui, std::array<double, 5>& v, std::string& code,
                std::string& pattern) {
  const bool read =
      LlegeixDonats(form, ui, ctl::Id, 0, 3, true, v, code, pattern, [&](size_t i, double x) {
        if (i == 1 && x == 0) {
          ui.message(Tx("msg.d_nonzero"), Tx("title.wrong_value"), Icon::None);
          return false;
        }
        if (i == 2 && x < 2) {
          ui.message(Tx("msg.n_above_one"), Tx("title.wrong_value"), Icon::None);
          return false;
        }
        if (i == 2 && x > kMaxTermes + 0.5) {
          MassaTermes("n", kMaxTermes, ui);
          return false;
        }
        return true;
      });
  if (!read) return false;
  if (code.size() < 3) {
    ui.message(Tx("msg.need_three"), Tx("title.not_enough"), Icon::Exclamation);
    return false;
  }
  return true;
}

// The statement and its answer: the case's three givens (n stands in the subscripts), the two
// quantities to find and the terms.
Prob Statement(std::string_view code, int k, const std::string& textK, const std::string& textN,
               const std::array<double, 5>& v, const std::string& terms) {
  const Presentacio* cas = std::find_if(std::begin(kCasos), std::end(kCasos),
                                        [&](const Presentacio& c) { return code == c.code; });
  auto nom = [&](Q q) -> std::string {
    switch (q) {
      case Ak: return "a" + textK;
      case AK: return "a" + std::to_string(k);
      case AN: return "a" + textN;
      case SN: return "S" + textN;
      case D: return "d";
      case N: return "n";
      case An: return "an";
      case Sn: return "Sn";
    }
    return {};
  };
  auto text = [&](Q q) { return Num(v[Slot(q)]); };

  // n is never listed among the givens: when given it stands in the subscripts.
  Prob prob;
  const int listed = code.find('2') != std::string::npos ? 2 : 3;
  int count = 0;
  std::string givens;
  for (int i = 0; i < 3; ++i) {
    const Q q = cas->noms[i];
    if (q == N) continue;
    givens += "  " + nom(q) + " = " + text(q);
    if (++count < listed) givens += ",";
  }
  prob.Enun = TxF("prob.arith.statement", {givens}) + NL +
              TxF("prob.prog.find2", {nom(cas->noms[3]), nom(cas->noms[4])});
  prob.Resp = nom(cas->noms[3]) + " = " + text(cas->noms[3]) + ", " + nom(cas->noms[4]) + " = " +
              text(cas->noms[4]) + NL + TxF("prob.prog.terms", {terms});
  return prob;
}

}  // namespace

SolveOutcome ResolA(const Form& form, SolveContext& ctx) {
  SolveOutcome out;
  Services& ui = ctx.ui;

  // The subscript k of the known term; anything but an integer is set back to 1.
  std::string textK = form.text(ctl::Id1a);
  int16_t k = 1;
  if (!LlegeixEnter(textK, k)) {
    k = 1;
    textK = "1";
    out.setText(ctl::Id1a, textK);
  }
  const std::string textN = form.text(ctl::Id(2));

  // The first three usable fields in slot order are the givens; the others will be filled in.
  std::array<double, 5> v{};
  std::string code, pattern;
  if (!ReadGivens(form, ui, v, code, pattern)) return out;

  const ArithmeticCase res = SolveArithmeticCase(code, k, v);
  if (res.end == CaseEnd::NoSolution) {
    NoHiHaSolucions(ui);
    return out;
  }
  if (res.end == CaseEnd::TooMany) {
    MassaTermes("n = " + EscriuDec(res.n, kDecimals), kMaxTermes, ui, Tx("title.not_feasible"));
    return out;
  }
  if (res.end == CaseEnd::NotWhole) {
    ui.message("n=" + EscriuDec(res.n, kDecimals) + NL + Tx("msg.n_whole"),
               Tx("title.not_feasible"), Icon::None);
    return out;
  }
  // Two counts of terms that both fit the data: the person chooses.
  size_t tria = 0;
  if (res.answers.size() > 1) {
    std::string options;
    for (const ArithmeticAnswer& r : res.answers)
      options += (options.empty() ? "n=" : ";n=") + Num(r.v[2]);
    const int16_t c = TriaOpcio(
        ui, ctx.Idioma, TxF("prob.prog.solutions", {std::to_string(res.answers.size())}), options);
    if (c < 1) return out;
    tria = static_cast<size_t>(c - 1);
  }
  // The given quantities keep the values typed; the others come from the answer.
  const ArithmeticAnswer& resposta = res.answers[tria];
  for (size_t i = 0; i < 5; ++i)
    if (pattern[i] == '0') v[i] = resposta.v[i];
  const double a1 = resposta.a1;

  // Nothing that is not a finite number is written; n must also give a 16-bit count of terms.
  const double n = v[2];
  bool finite = std::isfinite(a1) && n - 1 < kInt16Max + 0.5;
  for (double x : v) finite = finite && std::isfinite(x);
  const int16_t m = finite ? static_cast<int16_t>(ArrodonirParell(n - 1)) : 0;
  const int16_t shown = std::min<int16_t>(m, MaxTermes - 1);
  if (!finite || !std::isfinite(shown * v[1] + a1)) {
    NoHiHaSolucions(ui);
    return out;
  }

  for (int i = 0; i < 5; ++i)
    if (pattern[i] == '0') out.setText(ctl::Id(i), Num(v[i]));

  Solution& sol = out.solution;
  sol.code = code;
  const std::string nText = Num(v[2]);
  const std::array<std::pair<const char*, std::string>, 5> quantities = {
      {{"a", "a_{" + std::to_string(k) + "}"},
       {"d", "d"},
       {"n", "n"},
       {"an", "a_{" + nText + "}"},
       {"sn", "S_{" + nText + "}"}}};
  for (size_t i = 0; i < 5; ++i) {
    const auto& [alias, name] = quantities[i];
    if (pattern[i] == 'x')
      sol.given(alias, name, v[i], form.text(ctl::Id(static_cast<int>(i))));
    else
      sol.found(alias, name, v[i], Num(v[i]));
  }
  PassosA(sol, code, k, v, a1, res.roots, res.answers.size() > 1);

  // The terms from a_1 on, whatever k is.
  std::string terms = " " + Num(a1) + ", ";
  for (int j = 1; j <= shown; ++j) terms += Num(j * v[1] + a1) + ", ";
  terms += "...";
  out.setText(ctl::IdPA, terms);
  out.setVisible(ctl::IdPA, true);

  out.record = Statement(code, k, textK, textN, v, terms);
  out.solved = true;
  return out;
}

SolveOutcome InterpA(const Form& form, SolveContext& ctx) {
  auto falten = [&ctx] {
    ctx.ui.message(Tx("msg.missing"), Tx("title.cannot"), Icon::Exclamation);
    return SolveOutcome{};
  };
  const std::string textK = form.text(ctl::IdK);
  const std::string textA = form.text(ctl::IdA);
  const std::string textB = form.text(ctl::IdB);
  int16_t k = 0;
  double a = 0, b = 0;
  if (MassaGran(form, ctl::IdK, 32765, ctx.ui)) return {};  // k + 2 terms in all
  if (!LlegeixEnter(textK, k)) return falten();
  if (!LlegeixCamp(form, ctl::IdA, a, ctx.ui)) return falten();
  if (!LlegeixCamp(form, ctl::IdB, b, ctx.ui)) return falten();
  // k + 2 terms in all must stay a 16-bit count; a negative count inserts nothing sensible
  // (and k = −1 would divide by zero).
  if (k > 32765 || k < 0) return falten();
  const double d = (b - a) / (k + 1);
  const int16_t shown = std::min(k, MaxTermes);
  if (!std::isfinite(d) || !std::isfinite(a + shown * d)) return falten();

  std::string list;
  for (int i = 1; i <= shown; ++i) {
    if (i > 1) list += ", ";
    list += Num(a + i * d);
  }
  if (k > shown) list += ", ...";
  const std::string textD = Num(d);

  SolveOutcome out;
  Solution& sol = out.solution;
  sol.given("k", "k", k, textK);
  sol.given("a", "a", a, textA);
  sol.given("b", "b", b, textB);
  sol.found("d", "d", d, textD);
  sol.formula(Tx("step.difference"), "d", "d", "\\f{b − a}{k + 1}",
              "\\f{" + Num(b) + " − " + Factor(Num(a)) + "}{" + std::to_string(k) + " + 1}", d,
              textD);
  sol.check(TxF("step.check.terms", {"a + d, a + 2·d, …, a + " + std::to_string(k) + "·d"}));
  out.setText(ctl::Idd, textD);
  out.setText(ctl::IdTrms, list);
  out.record = Prob{TxF("prob.arith.interpolation", {textK, textA, textB}),
                    TxF("prob.arith.interpolation.answer", {"d = (b-a)/(k+1) = " + textD, list})};
  out.solved = true;
  return out;
}

}  // namespace tolvi
