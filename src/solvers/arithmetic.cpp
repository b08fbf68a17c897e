#include "solvers/arithmetic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/numtext.h"
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
  return {CaseEnd::Solved, {{v, a1}}, 0};
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

void NoHiHaSolucions(Services& ui) { ui.message(Tx("msg.no_solutions"), Tx("title.not_feasible"), Icon::None); }

}  // namespace

SolveOutcome ResolA(const Form& form, SolveContext& ctx) {
  SolveOutcome out;
  Services& ui = ctx.ui;

  // The subscript k of the known term; anything but an integer is set back to 1.
  std::string textK = form.text("Id1a");
  int16_t k = 1;
  if (!LlegeixEnter(textK, k)) {
    k = 1;
    textK = "1";
    out.setText("Id1a", textK);
  }
  const std::string textN = form.text("Id(2)");

  // The first three usable fields in slot order are the givens; the others will be filled in.
  std::array<double, 5> v{};
  std::string code, pattern;
  const bool read =
      LlegeixDonats(form, ui, "Id", 0, 3, true, v, code, pattern, [&](size_t i, double x) {
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
  if (!read) return out;
  if (code.size() < 3) {
    ui.message(Tx("msg.need_three"), Tx("title.not_enough"), Icon::Exclamation);
    return out;
  }

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
    ui.message("n=" + EscriuDec(res.n, kDecimals) + NL + Tx("msg.n_whole"), Tx("title.not_feasible"),
               Icon::None);
    return out;
  }
  // Two counts of terms that both fit the data: the person chooses.
  size_t tria = 0;
  if (res.answers.size() > 1) {
    std::string options;
    for (const ArithmeticAnswer& r : res.answers)
      options += (options.empty() ? "n=" : ";n=") + Num(r.v[2]);
    const int16_t c = TriaOpcio(
        ui, ctx.Idioma, "hay " + std::to_string(res.answers.size()) + " soluciones", options);
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
  bool finite = std::isfinite(a1) && n - 1 < 32767.5;
  for (double x : v) finite = finite && std::isfinite(x);
  const int16_t m = finite ? static_cast<int16_t>(ArrodonirParell(n - 1)) : 0;
  const int16_t shown = std::min<int16_t>(m, MaxTermes - 1);
  if (!finite || !std::isfinite(shown * v[1] + a1)) {
    NoHiHaSolucions(ui);
    return out;
  }

  for (int i = 0; i < 5; ++i)
    if (pattern[i] == '0') out.setText(Nom("Id", i), Num(v[i]));

  // The terms from a_1 on, whatever k is.
  std::string terms = " " + Num(a1) + ", ";
  for (int j = 1; j <= shown; ++j) terms += Num(j * v[1] + a1) + ", ";
  terms += "...";
  out.setText("IdPA", terms);
  out.setVisible("IdPA", true);

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
  prob.Enun = "En una progresión aritmética: ";
  const int listed = code.find('2') != std::string::npos ? 2 : 3;
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    const Q q = cas->noms[i];
    if (q == N) continue;
    prob.Enun += "  " + nom(q) + " = " + text(q);
    if (++count < listed) prob.Enun += ",";
  }
  prob.Enun += std::string(NL) + "Calcula: " + nom(cas->noms[3]) + " y " + nom(cas->noms[4]);
  prob.Resp = nom(cas->noms[3]) + " = " + text(cas->noms[3]) + ", " + nom(cas->noms[4]) + " = " +
              text(cas->noms[4]) + NL + "Progresión: " + terms;
  out.record = prob;
  out.solved = true;
  return out;
}

SolveOutcome InterpA(const Form& form, SolveContext& ctx) {
  auto falten = [&ctx] {
    ctx.ui.message(Tx("msg.missing"), Tx("title.cannot"), Icon::Exclamation);
    return SolveOutcome{};
  };
  const std::string textK = form.text("IdK");
  const std::string textA = form.text("IdA");
  const std::string textB = form.text("IdB");
  int16_t k = 0;
  double a = 0, b = 0;
  if (MassaGran(form, "IdK", 32765, ctx.ui)) return {};  // k + 2 terms in all
  if (!LlegeixEnter(textK, k)) return falten();
  if (!LlegeixCamp(form, "IdA", a, ctx.ui)) return falten();
  if (!LlegeixCamp(form, "IdB", b, ctx.ui)) return falten();
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
  out.setText("Idd", textD);
  out.setText("IdTrms", list);
  out.record = Prob{"Interpola  " + textK + " términos entre " + textA + " y " + textB +
                        " para que en conjunto formen una progresión aritmética: ",
                    "d = (b-a)/(k+1) = " + textD + "; términos: " + list};
  out.solved = true;
  return out;
}

}  // namespace tolvi
