#include "solvers/arithmetic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "numeric/numtext.h"

namespace tolvi {

namespace {

// Every number of these panels is written with at most 3 decimals.
constexpr int16_t kDecimals = 3;

std::string Num(double x) { return EscriuNum(x, kDecimals); }

// A whole count within the 16-bit range (the range test first keeps EsEnter to the values it
// is meant for).
bool Enter16(double x) { return std::isfinite(x) && std::fabs(x) <= 32767.5 && EsEnter(x); }

// How the computation of a case ended.
enum class Fi {
  Ok,
  SenseSolucio,  // a formula without a finite value: "No hay soluciones"
  NoEnter,       // n came out as a number that is not whole
  Silenci,       // a_k, a_n and S with no real n: the solve ends without a word
};

// A count of terms found by a formula: beyond the 16-bit range or below 1 it is no count at
// all; a finite value that is not whole is shown to the user.
Fi ProvaN(double n) {
  if (!std::isfinite(n) || std::fabs(n) > 32767.5) return Fi::SenseSolucio;
  if (!EsEnter(n)) return Fi::NoEnter;
  if (n < 0.5) return Fi::SenseSolucio;
  return Fi::Ok;
}

// The five quantities by slot: 0 a_k, 1 d, 2 n, 3 a_n, 4 S_n. Fills in the two missing ones
// and a1, the first term.
Fi Calcula(const std::string& code, int16_t k16, std::array<double, 5>& v, double& a1) {
  double& ak = v[0];
  double& d = v[1];
  double& n = v[2];
  double& an = v[3];
  double& s = v[4];
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
    n = (an - ak) / d + k;
    if (Fi f = ProvaN(n); f != Fi::Ok) return f;
    a1 = an - (n - 1) * d;
    s = (a1 + an) * n / 2;
  } else if (code == "034") {
    if (k16 == 1) {
      n = 2 * s / (an + ak);
    } else {
      // n is the larger root of A·n² + B·n + C = 0.
      const double A = an + ak;
      const double B = (1 - 2 * k) * an - 2 * s - ak;
      const double C = 2 * k * s;
      const double D = B * B - 4 * A * C;
      if (D < 0) return Fi::Silenci;
      n = (-B + std::sqrt(D)) / 2 / A;
    }
    if (Fi f = ProvaN(n); f != Fi::Ok) return f;
    d = (an - ak) / (n - k);
    a1 = an - (n - 1) * d;
  } else if (code == "014") {
    const double B = (1 - 2 * k) * d + 2 * ak;
    n = (-B + std::sqrt(B * B + 8 * d * s)) / 2 / d;
    if (Fi f = ProvaN(n); f != Fi::Ok) return f;
    a1 = ak - (k - 1) * d;
    an = (n - 1) * d + a1;
  } else if (code == "134") {
    // d·n² − (2·a_n + d)·n + 2·S = 0: the first root unless it is no positive whole number.
    const double B = 2 * an + d;
    const double R = std::sqrt(B * B - 8 * d * s);
    n = (B - R) / 2 / d;
    if (!(n > 0 && Enter16(n))) n = (R + B) / 2 / d;
    if (Fi f = ProvaN(n); f != Fi::Ok) return f;
    a1 = an - (n - 1) * d;
    ak = (k - 1) * d + a1;
  }
  return Fi::Ok;
}

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
    {"012", {Ak, D, N, AN, SN}},  {"023", {Ak, N, AN, D, SN}},  {"024", {Ak, N, Sn, D, AN}},
    {"123", {D, N, AN, Ak, SN}},  {"124", {D, N, SN, AK, AN}},  {"234", {N, AN, SN, Ak, D}},
    {"013", {AK, D, An, N, Sn}},  {"034", {Ak, An, Sn, D, N}},  {"014", {AK, D, Sn, N, An}},
    {"134", {D, An, Sn, N, AK}},
};

int Slot(Q q) {
  switch (q) {
    case Ak: case AK: return 0;
    case D: return 1;
    case N: return 2;
    case AN: case An: return 3;
    case SN: case Sn: return 4;
  }
  return 0;
}

void NoHiHaSolucions(Services& ui) { ui.message("No hay soluciones", "No factible", Icon::None); }

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
  for (int i = 0; i < 5; ++i) {
    const std::string text = form.text(Nom("Id", i));
    double x = 0;
    if (text.empty() || !LlegeixNum(text, x, ui) || code.size() == 3) {
      pattern += '0';
      continue;
    }
    if (i == 1 && x == 0) {
      ui.message("d debe ser <> 0", "valor incorrecto", Icon::None);
      return out;
    }
    if (i == 2 && x < 2) {
      ui.message("n debe ser > 1", "valor incorrecto", Icon::None);
      return out;
    }
    v[i] = x;
    code += static_cast<char>('0' + i);
    pattern += 'x';
  }
  if (code.size() < 3) {
    ui.message("Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation);
    return out;
  }

  double a1 = 0;
  switch (Calcula(code, k, v, a1)) {
    case Fi::Ok:
      break;
    case Fi::SenseSolucio:
      NoHiHaSolucions(ui);
      return out;
    case Fi::NoEnter:
      ui.message("n=" + EscriuDec(v[2], kDecimals) + NL + "n debe ser entero", "No factible",
                 Icon::None);
      return out;
    case Fi::Silenci:
      return out;
  }

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
    ctx.ui.message("Faltan datos", "No se puede calcular", Icon::Exclamation);
    return SolveOutcome{};
  };
  const std::string textK = form.text("IdK");
  const std::string textA = form.text("IdA");
  const std::string textB = form.text("IdB");
  int16_t k = 0;
  double a = 0, b = 0;
  if (!LlegeixEnter(textK, k)) return falten();
  if (!LlegeixNum(textA, a, ctx.ui)) return falten();
  if (!LlegeixNum(textB, b, ctx.ui)) return falten();
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
