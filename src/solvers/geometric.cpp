#include "solvers/geometric.h"
#include "solvers/controls.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "numeric/numtext.h"
#include "numeric/sixteen_bits.h"
#include "numeric/sparse_roots.h"
#include "solvers/tria.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// Slots of ValsG.
constexpr int kAk = 0, kR = 1, kN = 2, kAn = 3, kSn = 4, kS = 5;

// The form as it will read once the edits gathered so far are applied.
std::string TextActual(const Form& form, const SolveOutcome& out, std::string_view name) {
  for (auto it = out.edits.rbegin(); it != out.edits.rend(); ++it)
    if (it->kind == FormEdit::Text && it->name == name) return it->text;
  return form.text(name);
}

bool Finits(std::initializer_list<double> vs) {
  for (double v : vs)
    if (!std::isfinite(v)) return false;
  return true;
}

// The whole m with r^m = q, for a ratio other than 0, 1 and −1. m is whole when the logarithms
// give a whole number within 1e-6, or when r raised to the nearest whole number gives q back to
// the precision the data allow: condQ and condR say how many times the rounding of the data is
// magnified in q and in r (1 for a plain quotient), so that large or nearly cancelling data are
// not refused for their own rounding. A negative ratio must also give q's sign.
struct Potencia {
  enum Estat { Entera, NoEntera, Cap } estat;
  double m;
};
Potencia Exponent(double r, double q, double condQ = 1, double condR = 1) {
  if (!std::isfinite(r) || !std::isfinite(q) || r == 0 || std::fabs(r) == 1 || q == 0)
    return {Potencia::Cap, 0};
  const double m = std::log(std::fabs(q)) / std::log(std::fabs(r));
  if (!std::isfinite(m) || std::fabs(m) > 65536) return {Potencia::Cap, m};
  const auto whole = static_cast<double>(ArrodonirParell(m));
  const double p = std::pow(r, whole);
  const double tol = std::min(1e-9 + 1e-14 * (condQ + std::fabs(m) * condR), 1e-4);
  if (!(std::fabs(m - whole) <= 1e-6 || std::fabs(p - q) <= tol * std::fabs(q)))
    return {Potencia::NoEntera, m};
  if ((p < 0) != (q < 0)) return {Potencia::Cap, m};
  return {Potencia::Entera, whole};
}

// How many times a sum's rounding is magnified in its value: the size of the parts against the
// size of the result.
double Cond(std::initializer_list<double> parts, double result) {
  double size = 0;
  for (double x : parts) size += std::fabs(x);
  return result == 0 ? 1e300 : size / std::fabs(result);
}

// The names a case shows its quantities by, in its statement and answer.
// clang-format off
enum class Q {
  Ak,  // "a" and the subscript box as typed
  AK,  // "a" and k in digits
  AN,  // "a" and the n field as typed
  SN,  // "S" and the n field as typed
  R, N, An, Sn, S,
};
using enum Q;

constexpr int SlotOf(Q q) {
  switch (q) {
    case Ak: case AK: return kAk;
    case R: return kR;
    case N: return kN;
    case AN: case An: return kAn;
    case SN: case Sn: return kSn;
    case S: return kS;
  }
  return kAk;
}
// clang-format on

// One solve of the geometric row: the case's computation, the choice of the ratio and the
// texts it composes. Each step answers false when the solve has ended (its message shown).
struct CaseG;

class CasG {
 public:
  CasG(std::string_view code, std::string_view pattern, const Form& form, SolveContext& ctx,
       ValsG& V, SolveOutcome& out)
      : code_(code), pattern_(pattern), form_(form), ctx_(ctx), V_(V), out_(out) {}

  void Resol();

  // Each case code's step 2 (the table kCasosG names them).
  bool Case012(), Case023(), Case024(), Case123(), Case124(), Case234(), Case013(), Case014(),
      Case134(), Case034(), Case015(), Case025(), Case125(), Case135(), Case145(), Case235(),
      Case245(), Case345();

 private:
  // The steps the cases share.
  bool Te(char digit) const { return code_.find(digit) != std::string::npos; }
  bool NoHaySoluciones();
  bool TestN();
  bool NoEntera(double n);
  bool Compta(double r, double q, double offset, const std::string& eq, double condQ = 1,
              double condR = 1);
  std::vector<double> Raons(const std::vector<double>& roots, bool decreixent) const;
  bool TriaRao(const std::vector<double>& roots);
  bool TriaRaoIN(const std::vector<double>& roots);
  bool Cas();
  void SumN();
  void FirstFromK();
  void FirstFromN();
  void FirstFromS();
  void KnownTerm();
  void LastTerm();
  void LastFromK();
  bool CountFromLast(double condQ = 1, double condR = 1);
  bool SumExists();
  Prob Statement(bool decreixent, const std::string& llista) const;
  const char* AliasA1() const;
  std::string KText() const { return std::to_string(k_); }
  std::string NText() const { return EscriuNum(V_[kN], 0); }
  // n is whole (and within 16 bits) whenever it is given.
  int Ni() const { return Te('2') ? static_cast<int>(V_[kN]) : 0; }
  // The working: the equation the next ratio is sought from, and a formula step whose result
  // is written with the fields' 8 decimals.
  void Equacio(std::string text, std::string method, bool decreixent);
  void Formula(const std::string& label, const char* alias, const char* sought, const char* formula,
               const std::string& substituted, double value);
  std::string G(double x) const { return Factor(EscriuNum(x, 8)); }

  struct {
    std::string text, method;
    double from = 0, to = 0;
  } eq_;

  std::string code_, pattern_;
  const Form& form_;
  SolveContext& ctx_;
  ValsG& V_;
  SolveOutcome& out_;

  int16_t k_ = 1;
  std::string textK_, textN_;  // the subscripts as typed
  bool baixa_ = false;         // the infinite-sum row is shown
  double a1_ = 0;
  const CaseG* case_ = nullptr;  // the case's row of kCasosG, found by step 2
};

// One row per case code: how the case shows its quantities (the three given, then the found
// ones; the sixth is S when the case does not find it), its step 2, and the decimals of the
// last two values.
// clang-format off
struct CaseG {
  std::string_view code;
  std::array<Q, 6> noms;
  bool (CasG::*work)();   // step 2 of the solve
  int16_t decimals = 3;  // of the two last values
};

constexpr CaseG kCasosG[] = {
    {"012", {Ak, R, N, AN, SN, S}, &CasG::Case012},
    {"023", {Ak, N, AN, R, SN, S}, &CasG::Case023},
    {"024", {Ak, N, SN, R, AN, S}, &CasG::Case024},
    {"123", {R, N, AN, Ak, SN, S}, &CasG::Case123},
    {"124", {R, N, SN, Ak, AN, S}, &CasG::Case124},
    {"234", {N, AN, SN, Ak, R, S}, &CasG::Case234},
    {"013", {AK, R, An, N, Sn, S}, &CasG::Case013},
    {"014", {AK, R, Sn, N, An, S}, &CasG::Case014},
    {"134", {R, An, Sn, N, AK, S}, &CasG::Case134},
    {"034", {Ak, An, Sn, R, N, S}, &CasG::Case034},
    {"015", {AK, R, S, N, An, Sn}, &CasG::Case015},  // refused: S, a_1 and r leave n open
    {"025", {Ak, N, S, R, AN, SN}, &CasG::Case025},
    {"125", {R, N, S, Ak, AN, SN}, &CasG::Case125},
    {"135", {R, An, S, Ak, N, Sn}, &CasG::Case135},
    {"145", {R, Sn, S, Ak, N, An}, &CasG::Case145},
    {"235", {N, AN, S, Ak, R, SN}, &CasG::Case235, 5},
    {"245", {N, SN, S, Ak, R, AN}, &CasG::Case245, 5},
    {"345", {An, Sn, S, Ak, R, N}, &CasG::Case345},
};
// clang-format on

bool CasG::NoHaySoluciones() {
  ctx_.ui.message(Tx("msg.no_solutions"), Tx("title.not_feasible"));
  return false;
}

// A given count of terms must be whole (and fit the 16-bit counts of the term list); it is
// used rounded.
bool CasG::TestN() {
  const double n = V_[kN];
  if (!std::isfinite(n)) return NoHaySoluciones();
  if (!EsEnter(n)) return NoEntera(n);
  V_[kN] = static_cast<double>(ArrodonirParell(n));
  return true;
}

bool CasG::NoEntera(double n) {
  ctx_.ui.message("n=" + EscriuDec(n, 3) + NL + Tx("msg.n_comes_whole"), Tx("title.not_feasible"));
  return false;
}

// n from r^(n − offset) = q: a whole count from 1 to 32767, or the solve ends with its message.
bool CasG::Compta(double r, double q, double offset, const std::string& eq, double condQ,
                  double condR) {
  const Potencia p = Exponent(r, q, condQ, condR);
  const double n = p.m + offset;
  Solution& sol = out_.solution;
  const bool found = p.estat != Potencia::Cap && std::isfinite(n);
  sol.equation(Tx("step.term_count"), "n", "n", eq, Tx("step.method.logs"), 1, kMaxTermes,
               TxF("step.tolerance.whole_n", {"10^{-6}"}),
               found ? std::vector<std::string>{EscriuNum(n, 6)} : std::vector<std::string>{},
               found ? 1 : 0, Tx("step.why.only_root"));
  if (p.estat == Potencia::NoEntera) {
    sol.check(TxF("step.check.not_whole", {"n = " + EscriuDec(n, 3)}));
    return NoEntera(n);
  }
  if (p.estat == Potencia::Cap || n < 1 || n > kInt16Max) return NoHaySoluciones();
  sol.check(TxF("step.check.whole_n", {"n = " + EscriuNum(n, 0)}));
  V_[kN] = n;
  return true;
}

void CasG::Equacio(std::string text, std::string method, bool decreixent) {
  eq_.text = std::move(text);
  eq_.method = std::move(method);
  eq_.from = decreixent ? -1 : -HUGE_VAL;
  eq_.to = decreixent ? 1 : HUGE_VAL;
}

void CasG::Formula(const std::string& label, const char* alias, const char* sought,
                   const char* formula, const std::string& substituted, double value) {
  out_.solution.formula(label, alias, sought, formula, substituted, value, EscriuNum(value, 8));
}

// The roots that are ratios of a progression: not 0, not 1 (a root every equation of the sum
// carries by construction, and no geometric progression), and below 1 in size when an
// infinite sum is asked for.
std::vector<double> CasG::Raons(const std::vector<double>& roots, bool decreixent) const {
  std::vector<double> out;
  for (double x : roots)
    if (std::isfinite(x) && x != 0 && std::fabs(x - 1) > 1e-9 && (!decreixent || std::fabs(x) < 1))
      out.push_back(x);
  return out;
}

// Among the ratios the equation admits: those below 1 in size while the infinite-sum row is
// shown (the person works on a decreasing progression), all of them otherwise.
bool CasG::TriaRaoIN(const std::vector<double>& roots) {
  if (baixa_) eq_.from = -1, eq_.to = 1;
  return TriaRao(Raons(roots, baixa_));
}

bool CasG::TriaRao(const std::vector<double>& roots) {
  std::vector<double> finites;
  std::vector<std::string> texts;
  for (double x : roots) {
    if (!std::isfinite(x)) continue;
    finites.push_back(x);
    texts.push_back(EscriuNum(x, 8));
  }
  auto step = [&](int chosen, std::string why) {
    out_.solution.equation(Tx("step.ratio"), "r", "r", eq_.text, eq_.method, eq_.from, eq_.to,
                           Tx("step.tolerance.double"), texts, chosen, std::move(why));
  };
  if (finites.empty()) {
    step(0, "");
    return NoHaySoluciones();
  }
  if (finites.size() == 1) {
    V_[kR] = finites[0];
    step(1, Tx("step.why.only_ratio"));
    return true;
  }
  std::string options;
  for (size_t i = 0; i < finites.size(); ++i) {
    if (i > 0) options += ";";
    options += "r=" + EscriuNum(finites[i], 5);
  }
  const std::string caption = TxF("prob.prog.solutions", {std::to_string(finites.size())});
  const int16_t choice = TriaOpcio(ctx_.ui, ctx_.Idioma, caption, options);
  if (choice < 1 || static_cast<size_t>(choice) > finites.size()) {
    step(0, "");
    return false;
  }
  V_[kR] = finites[static_cast<size_t>(choice) - 1];
  step(choice, Tx("step.why.chosen"));
  return true;
}

// Step 2: the missing quantities of the case, each case code its own step. The ratio equations
// are sums of a few powers of r, solved for every real root; the counts of terms come from
// r^m = q with m whole.
bool CasG::Cas() {
  case_ = std::find_if(std::begin(kCasosG), std::end(kCasosG),
                       [&](const CaseG& c) { return c.code == code_; });
  if (case_ == std::end(kCasosG)) {
    ctx_.ui.message(Tx("msg.case_not_covered"), Tx("title.not_feasible"), Icon::Exclamation);
    return false;
  }
  return (this->*case_->work)();
}

// With k = 1 the first term is the known one: its step finds that field.
const char* CasG::AliasA1() const { return k_ == 1 && !Te('0') ? "a" : ""; }

void CasG::SumN() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  V_[kSn] = (an * r - a1_) / (r - 1);
  Formula(Tx("step.sum"), "sn", "S_n", "\\f{a_n·r − a_1}{r − 1}",
          "\\f{" + G(an) + "·" + G(r) + " − " + G(a1_) + "}{" + G(r) + " − 1}", V_[kSn]);
}

void CasG::FirstFromK() {
  a1_ = V_[kAk] / std::pow(V_[kR], k_ - 1);
  if (k_ != 1)
    Formula(Tx("step.first_term"), "", "a_1", "\\f{a_k}{r^{k − 1}}",
            "\\f{" + G(V_[kAk]) + "}{" + G(V_[kR]) + "^{" + KText() + " − 1}}", a1_);
}

void CasG::FirstFromN() {
  a1_ = V_[kAn] / std::pow(V_[kR], V_[kN] - 1);
  Formula(Tx("step.first_term"), AliasA1(), "a_1", "\\f{a_n}{r^{n − 1}}",
          "\\f{" + G(V_[kAn]) + "}{" + G(V_[kR]) + "^{" + NText() + " − 1}}", a1_);
}

void CasG::FirstFromS() {
  a1_ = (1 - V_[kR]) * V_[kS];
  Formula(Tx("step.first_term"), AliasA1(), "a_1", "(1 − r)·S",
          "(1 − " + G(V_[kR]) + ")·" + G(V_[kS]), a1_);
}

void CasG::KnownTerm() {
  V_[kAk] = std::pow(V_[kR], k_ - 1) * a1_;
  if (k_ != 1)
    Formula(Tx("step.known_term"), "a", "a_k", "a_1·r^{k − 1}",
            G(a1_) + "·" + G(V_[kR]) + "^{" + KText() + " − 1}", V_[kAk]);
}

void CasG::LastTerm() {
  V_[kAn] = std::pow(V_[kR], V_[kN] - 1) * a1_;
  Formula(Tx("step.last_term"), "an", "a_n", "a_1·r^{n − 1}",
          G(a1_) + "·" + G(V_[kR]) + "^{" + NText() + " − 1}", V_[kAn]);
}

void CasG::LastFromK() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  V_[kAn] = ak * std::pow(r, n - k_);
  Formula(Tx("step.last_term"), "an", "a_n", "a_k·r^{n − k}",
          G(ak) + "·" + G(r) + "^{" + NText() + " − " + KText() + "}", V_[kAn]);
}

// n from r^(n − 1) = a_n/a_1.
bool CasG::CountFromLast(double condQ, double condR) {
  const auto& [ak, r, n, an, Sn, S] = V_;
  return Compta(
      r, an / a1_, 1,
      "r^{n − 1} = \\f{a_n}{a_1}: " + G(r) + "^{n − 1} = \\f{" + G(an) + "}{" + G(a1_) + "}", condQ,
      condR);
}

// A given infinite sum asks for |r| < 1.
bool CasG::SumExists() {
  const double r = std::fabs(V_[kR]);
  if (r < 1) {
    out_.solution.check(TxF("step.check.sum_exists", {"|r| = " + EscriuNum(r, 8) + " < 1"}));
    return true;
  }
  out_.solution.check(TxF("step.check.no_sum", {"|r| = " + EscriuNum(r, 8) + " ≥ 1"}));
  return NoHaySoluciones();
}

bool CasG::Case012() {
  LastFromK();
  FirstFromK();
  SumN();
  return true;
}

bool CasG::Case023() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // r^(n − k) = a_n/a_k: +r and −r when the exponent is even.
  Equacio("r^{n − k} = \\f{a_n}{a_k}: r^{" + std::to_string(Ni() - k_) + "} = \\f{" + G(an) + "}{" +
              G(ak) + "}",
          Tx("step.method.power"), false);
  if (!TriaRao(Raons(RealPowerRoots(an / ak, Ni() - k_), false))) return false;
  FirstFromK();
  SumN();
  return true;
}

bool CasG::Case024() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // a_k·(r^n − 1) = S_n·(r − 1)·r^(k − 1).
  Equacio("a_k·(r^n − 1) = S_n·(r − 1)·r^{k − 1}: " + G(ak) + "·(r^{" + NText() +
              "} − 1) = " + G(Sn) + "·(r − 1)·r^{" + std::to_string(k_ - 1) + "}",
          Tx("step.method.power_sum"), false);
  if (!TriaRaoIN(PowerSumRoots({{ak, Ni()}, {-ak, 0}, {-Sn, k_}, {Sn, k_ - 1}}))) return false;
  FirstFromK();
  LastFromK();
  return true;
}

bool CasG::Case123() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  V_[kAk] = an / std::pow(r, n - k_);
  Formula(Tx("step.known_term"), "a", "a_k", "\\f{a_n}{r^{n − k}}",
          "\\f{" + G(an) + "}{" + G(r) + "^{" + NText() + " − " + KText() + "}}", ak);
  FirstFromK();
  SumN();
  return true;
}

bool CasG::Case124() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  a1_ = (r - 1) * Sn / (std::pow(r, n) - 1);
  Formula(Tx("step.first_term"), AliasA1(), "a_1", "\\f{(r − 1)·S_n}{r^n − 1}",
          "\\f{(" + G(r) + " − 1)·" + G(Sn) + "}{" + G(r) + "^{" + NText() + "} − 1}", a1_);
  KnownTerm();
  LastTerm();
  return true;
}

bool CasG::Case234() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // a_n·(r^n − 1) = S_n·(r − 1)·r^(n − 1).
  Equacio("a_n·(r^n − 1) = S_n·(r − 1)·r^{n − 1}: " + G(an) + "·(r^{" + NText() +
              "} − 1) = " + G(Sn) + "·(r − 1)·r^{" + std::to_string(Ni() - 1) + "}",
          Tx("step.method.power_sum"), false);
  if (!TriaRaoIN(PowerSumRoots({{an - Sn, Ni()}, {Sn, Ni() - 1}, {-an, 0}}))) return false;
  FirstFromN();
  KnownTerm();
  return true;
}

bool CasG::Case013() {
  FirstFromK();
  if (!CountFromLast()) return false;
  SumN();
  return true;
}

bool CasG::Case014() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  FirstFromK();
  const double q = (r - 1) * Sn / a1_;
  if (!Compta(r, q + 1, 0,
              "r^n = \\f{(r − 1)·S_n}{a_1} + 1: " + G(r) + "^n = \\f{(" + G(r) + " − 1)·" + G(Sn) +
                  "}{" + G(a1_) + "} + 1",
              Cond({q, 1}, q + 1)))
    return false;
  LastTerm();
  return true;
}

bool CasG::Case134() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // S_n·(r − 1) = a_n·r − a_1.
  a1_ = an * r - Sn * (r - 1);
  Formula(Tx("step.first_term"), "", "a_1", "a_n·r − S_n·(r − 1)",
          G(an) + "·" + G(r) + " − " + G(Sn) + "·(" + G(r) + " − 1)", a1_);
  if (!CountFromLast(Cond({an * r, Sn * (r - 1)}, a1_))) return false;
  FirstFromN();  // exact as n is whole: the difference above may cancel
  KnownTerm();
  return true;
}

bool CasG::Case034() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // From S_n·(r − 1) = a_n·r − a_k/r^(k − 1), multiplied by r^(k − 1); a ratio counts only
  // when it also gives a whole n from a_n = a_k·r^(n − k).
  const std::vector<Power> eq = {{Sn - an, k_}, {-Sn, k_ - 1}, {ak, 0}};
  Equacio(
      TxF("step.equation.whole_n",
          {"(S_n − a_n)·r^k − S_n·r^{k − 1} + a_k = 0: (" + G(Sn) + " − " + G(an) + ")·r^{" +
               KText() + "} − " + G(Sn) + "·r^{" + std::to_string(k_ - 1) + "} + " + G(ak) + " = 0",
           "a_n = a_k·r^{n − k}"}),
      Tx("step.method.power_sum"), baixa_ && k_ != 1);
  const std::vector<double> roots =
      k_ == 1 ? std::vector<double>{(Sn - ak) / (Sn - an)} : PowerSumRoots(eq);
  std::vector<double> raons, comptes;
  double noEntera = std::nan("");
  for (double x : Raons(roots, baixa_ && k_ != 1)) {
    const double condR = Cond({Sn, an}, Sn - an) *
                         (k_ == 1 ? Cond({Sn, ak}, Sn - ak) : PowerSumRootCondition(eq, x));
    const Potencia p = Exponent(x, an / ak, 1, condR);
    const double m = p.m + k_;
    if (p.estat == Potencia::NoEntera && std::isnan(noEntera)) noEntera = m;
    if (p.estat != Potencia::Entera || m < 1 || m > kInt16Max) continue;
    raons.push_back(x);
    comptes.push_back(m);
  }
  if (raons.empty()) {
    if (!std::isnan(noEntera))
      out_.solution.check(TxF("step.check.not_whole", {"n = " + EscriuDec(noEntera, 3)}));
    return std::isnan(noEntera) ? NoHaySoluciones() : NoEntera(noEntera);
  }
  if (!TriaRao(raons)) return false;
  V_[kN] = comptes[static_cast<size_t>(std::find(raons.begin(), raons.end(), r) - raons.begin())];
  out_.solution.equation(Tx("step.term_count"), "n", "n",
                         "r^{n − k} = \\f{a_n}{a_k}: " + G(r) + "^{n − " + KText() + "} = \\f{" +
                             G(an) + "}{" + G(ak) + "}",
                         Tx("step.method.logs"), 1, kMaxTermes,
                         TxF("step.tolerance.whole_n", {"10^{-6}"}), {NText()}, 1,
                         Tx("step.why.from_ratio"));
  out_.solution.check(TxF("step.check.whole_n", {"n = " + NText()}));
  FirstFromN();
  return true;
}

bool CasG::Case015() {
  ctx_.ui.message(Tx("msg.s_a1_r"), Tx("title.case_not_covered"));
  return false;
}

bool CasG::Case025() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // S·r^(k − 1)·(1 − r) = a_k, with |r| < 1.
  Equacio("S·r^{k − 1}·(1 − r) = a_k: " + G(S) + "·r^{" + std::to_string(k_ - 1) +
              "}·(1 − r) = " + G(ak),
          Tx("step.method.power_sum"), true);
  if (!TriaRao(Raons(PowerSumRoots({{S, k_ - 1}, {-S, k_}, {-ak, 0}}), true))) return false;
  FirstFromK();
  LastTerm();
  SumN();
  return true;
}

bool CasG::Case125() {
  if (!SumExists()) return false;
  FirstFromS();
  KnownTerm();
  LastTerm();
  SumN();
  return true;
}

bool CasG::Case135() {
  if (!SumExists()) return false;
  FirstFromS();
  KnownTerm();
  if (!CountFromLast()) return false;
  SumN();
  return true;
}

bool CasG::Case145() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  if (!SumExists()) return false;
  FirstFromS();
  KnownTerm();
  // S_n = S·(1 − r^n).
  if (!Compta(r, 1 - Sn / S, 0,
              "r^n = 1 − \\f{S_n}{S}: " + G(r) + "^n = 1 − \\f{" + G(Sn) + "}{" + G(S) + "}",
              Cond({1, Sn / S}, 1 - Sn / S)))
    return false;
  LastTerm();
  return true;
}

bool CasG::Case235() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // S·(1 − r)·r^(n − 1) = a_n, with |r| < 1.
  Equacio("S·(1 − r)·r^{n − 1} = a_n: " + G(S) + "·(1 − r)·r^{" + std::to_string(Ni() - 1) +
              "} = " + G(an),
          Tx("step.method.power_sum"), true);
  if (!TriaRao(Raons(PowerSumRoots({{S, Ni() - 1}, {-S, Ni()}, {-an, 0}}), true))) return false;
  FirstFromS();
  KnownTerm();
  SumN();
  return true;
}

bool CasG::Case245() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // r^n = 1 − S_n/S, with |r| < 1: +r and −r when n is even.
  Equacio("r^n = 1 − \\f{S_n}{S}: r^{" + NText() + "} = 1 − \\f{" + G(Sn) + "}{" + G(S) + "}",
          Tx("step.method.power"), true);
  if (!TriaRao(Raons(RealPowerRoots((S - Sn) / S, Ni()), true))) return false;
  FirstFromS();
  KnownTerm();
  LastTerm();
  return true;
}

bool CasG::Case345() {
  const auto& [ak, r, n, an, Sn, S] = V_;
  // The terms after a_n add up to S − S_n = a_n·r/(1 − r).
  V_[kR] = (S - Sn) / (S - Sn + an);
  Formula(Tx("step.ratio"), "r", "r", "\\f{S − S_n}{S − S_n + a_n}",
          "\\f{" + G(S) + " − " + G(Sn) + "}{" + G(S) + " − " + G(Sn) + " + " + G(an) + "}", r);
  const double condR = Cond({S, Sn}, S - Sn) + Cond({S, Sn, an}, S - Sn + an);
  if (!std::isfinite(r) || r == 0 || r <= -1) return NoHaySoluciones();
  if (!(r < 1)) {
    ctx_.ui.message(Tx("msg.r_above_one") + EscriuNum(r, 3), Tx("title.not_feasible"));
    return false;
  }
  FirstFromS();
  KnownTerm();
  return CountFromLast(condR * Cond({1, r}, 1 - r), condR);
}

// The statement and its answer: the case's three givens (n stands in the subscripts), the
// quantities to find and the terms.
Prob CasG::Statement(bool decreixent, const std::string& llista) const {
  const CaseG& cas = *case_;
  std::array<std::string, 6> noms, text;
  for (size_t i = 0; i < 6; ++i) {
    const Q q = cas.noms[i];
    noms[i] = q == Ak   ? "a" + textK_
              : q == AK ? "a" + std::to_string(k_)
              : q == AN ? "a" + textN_
              : q == SN ? "S" + textN_
                        : std::string(q == R    ? "r"
                                      : q == N  ? "n"
                                      : q == An ? "an"
                                      : q == Sn ? "Sn"
                                                : "S");
    text[i] = EscriuNum(V_[static_cast<size_t>(SlotOf(q))], i >= 4 ? cas.decimals : 3);
  }
  Prob prob;
  std::string givens;
  if (!Te('1') && decreixent) givens += " (r<1) ";
  for (size_t i = 0; i < 3; ++i) {
    if (noms[i] == "n") continue;
    givens += "  " + noms[i] + " = " + text[i];
    if (i < 2 && noms[i + 1] != "n") givens += ",";
  }
  prob.Enun = TxF("prob.geo.statement", {givens}) + NL +
              (decreixent ? TxF("prob.prog.find3", {noms[3], noms[4], noms[5]})
                          : TxF("prob.prog.find2", {noms[3], noms[4]}));
  prob.Resp = noms[3] + " = " + text[3] + ", " + noms[4] + " = " + text[4];
  if (decreixent) prob.Resp += ", " + noms[5] + " = " + text[5];
  prob.Resp += NL + TxF("prob.prog.terms", {llista});
  return prob;
}

void CasG::Resol() {
  // Step 1: the subscript k, the texts of the subscripts and the search interval.
  textK_ = TextActual(form_, out_, ctl::Id1g);
  if (!LlegeixEnter(textK_, k_)) {
    out_.setText(ctl::Id1g, "1");
    textK_ = "1";
    k_ = 1;
  }
  textN_ = form_.text(ctl::Idg(2));
  baixa_ = form_.visible(ctl::Idg(5));
  // A given n counts terms as well: the term list needs it whole.
  if (Te('2') && !TestN()) return;

  // Step 2.
  if (!Cas()) return;

  const double r = V_[kR];
  const bool decreixent = std::fabs(r) < 1;
  const bool ambS = Te('5');
  const double S = ambS ? V_[kS] : (decreixent ? a1_ / (1 - r) : 0);
  if (!Finits({a1_, V_[0], V_[1], V_[2], V_[3], V_[4], S})) {
    NoHaySoluciones();
    return;
  }

  // Step 6 worked out first, so that a term beyond the doubles writes nothing at all.
  const auto m = static_cast<int>(ArrodonirParell(V_[kN] - 1));
  std::string llista = " " + EscriuNum(a1_, 3) + ", ";
  for (int j = 1; j <= m; ++j) {
    const double t = std::pow(r, j) * a1_;
    if (!std::isfinite(t)) {
      NoHaySoluciones();
      return;
    }
    llista += EscriuNum(t, 3) + ", ";
  }
  llista += "...";

  // Step 4: the infinite sum.
  Solution& sol = out_.solution;
  if (!ambS) {
    SumaInf(a1_, r, V_, out_);
    if (decreixent) {
      SumExists();  // |r| < 1: its check is written
      sol.formula(Tx("step.infinite_sum"), "s", "S", "\\f{a_1}{1 − r}",
                  "\\f{" + G(a1_) + "}{1 − " + G(r) + "}", V_[kS], EscriuNum(V_[kS], 3));
    }
  }

  // Step 5: the found fields.
  for (int i = 0; i < 5; ++i)
    if (i >= static_cast<int>(pattern_.size()) || pattern_[static_cast<size_t>(i)] == '0')
      out_.setText(ctl::Idg(i), EscriuNum(V_[static_cast<size_t>(i)], 8));

  sol.code = code_;
  const std::string nText = EscriuNum(V_[kN], 0);
  const std::array<std::pair<const char*, std::string>, 6> quantities = {
      {{"a", "a_{" + std::to_string(k_) + "}"},
       {"r", "r"},
       {"n", "n"},
       {"an", "a_{" + nText + "}"},
       {"sn", "S_{" + nText + "}"},
       {"s", "S"}}};
  for (size_t i = 0; i < 6; ++i) {
    const auto& [alias, name] = quantities[i];
    if (i == kS && !ambS && !decreixent) continue;
    if (Te(static_cast<char>('0' + i)))
      sol.given(alias, name, V_[i], form_.text(ctl::Idg(static_cast<int>(i))));
    else
      sol.found(alias, name, V_[i], EscriuNum(V_[i], i == kS ? 3 : 8));
  }

  // Step 6: the term list.
  out_.setText(ctl::IdPG, llista);
  out_.setVisible(ctl::IdPG, true);

  // Step 7: statement and answer.
  out_.record = Statement(decreixent, llista);

  // Step 8: the controller enables Save when the outcome is solved.
  out_.solved = true;
}

void ResolCasInto(std::string_view code, std::string_view pattern, const Form& form,
                  SolveContext& ctx, ValsG& V, SolveOutcome& out) {
  CasG(code, pattern, form, ctx, V, out).Resol();
}

}  // namespace

void MostraSumaInf(bool v, SolveOutcome& out) {
  out.setVisible(ctl::Idg(5), v);
  out.setEnabled(ctl::Etdecr, v);
  out.setEnabled(ctl::EtS, v);
  out.setEnabled(ctl::EtInf, v);
  out.setEnabled(ctl::OkS, v);
}

SolveOutcome MostraSumaInf(bool v) {
  SolveOutcome out;
  MostraSumaInf(v, out);
  return out;
}

void SumaInf(double a1, double r, ValsG& Vals, SolveOutcome& out) {
  const bool v = std::fabs(r) < 1;
  MostraSumaInf(v, out);
  if (v) {
    Vals[kS] = a1 / (1 - r);
    out.setText(ctl::Idg(5), EscriuNum(Vals[kS], 3));
  } else {
    Vals[kS] = 0;
  }
}

SolveOutcome ResolCasG(std::string_view code, std::string_view pattern, const Form& form,
                       SolveContext& ctx, ValsG& Vals) {
  SolveOutcome out;
  ResolCasInto(code, pattern, form, ctx, Vals, out);
  return out;
}

SolveOutcome ResolG(const Form& form, SolveContext& ctx, ValsG& Vals) {
  SolveOutcome out;
  int16_t k = 1;
  if (!LlegeixEnter(form.text(ctl::Id1g), k)) out.setText(ctl::Id1g, "1");
  Vals[kS] = 0;
  std::string code, pattern;
  std::array<double, 5> given{};
  const bool read = LlegeixDonats(
      form, ctx.ui, ctl::Idg, 0, 3, true, given, code, pattern, [&](size_t i, double x) {
        Vals[i] = x;
        if (i == kR && x == 1) {
          ctx.ui.message(Tx("msg.r_not_one"), Tx("title.wrong_value"));
          return false;
        }
        if (i == kN && x < 2) {
          ctx.ui.message(Tx("msg.n_above_one"), Tx("title.wrong_value"));
          return false;
        }
        if (i == kN && x > kMaxTermes + 0.5) {
          MassaTermes("n", kMaxTermes, ctx.ui);
          return false;
        }
        return true;
      });
  if (!read) return out;
  if (code.size() < 3) {
    ctx.ui.message(Tx("msg.need_three"), Tx("title.not_enough"), Icon::Exclamation);
    return out;
  }
  ResolCasInto(code, pattern, form, ctx, Vals, out);
  return out;
}

SolveOutcome ResolG(const Form& form, SolveContext& ctx) {
  ValsG vals{};
  return ResolG(form, ctx, vals);
}

SolveOutcome ResolSumaG(const Form& form, SolveContext& ctx, ValsG& Vals) {
  SolveOutcome out;
  const std::string anterior = EscriuNum(Vals[kS], 3);
  double s = 0;
  if (!LlegeixCamp(form, ctl::Idg(5), s, ctx.ui)) {
    out.setText(ctl::Idg(5), anterior);
    return out;
  }
  Vals[kS] = s;
  int count = 0;
  std::string code, pattern;
  for (int i = 0; i < 5 && count < 2; ++i) {
    const std::string t = form.text(ctl::Idg(i));
    if (t.empty()) {
      pattern += '0';
      continue;
    }
    if (!LlegeixCamp(form, ctl::Idg(i), Vals[static_cast<size_t>(i)], ctx.ui)) return out;
    ++count;
    code += static_cast<char>('0' + i);
    pattern += 'x';
  }
  if (count < 2) {
    ctx.ui.message(Tx("msg.need_three"), Tx("title.not_enough"));
    return out;
  }
  code += '5';
  pattern.resize(5, '0');
  ResolCasInto(code, pattern, form, ctx, Vals, out);
  return out;
}

RespostaTecla TeclaIdg(int i, int key, const Form& form, SolveContext& ctx, ValsG& Vals) {
  RespostaTecla res;
  if (key != kTeclaEnter || i < 0 || i > 5) return res;
  if (i == 5) {
    res.outcome = ResolSumaG(form, ctx, Vals);
    return res;
  }
  const std::string t = form.text(ctl::Idg(i));
  double x = 0;
  const bool llegit = LlegeixCamp(form, ctl::Idg(i), x, ctx.ui);  // empty reads as 0, silently
  if (!t.empty() && !llegit) return res;
  if (i == kR) MostraSumaInf(std::fabs(x) < 1, res.outcome);
  res.focus = ctl::Idg((i + 1) % 5);
  return res;
}

SolveOutcome ClicIdg(int i, const Form& form, ValsG& Vals) {
  SolveOutcome out;
  if (i != kS) return out;
  MostraSumaInf(true, out);
  if (form.text(ctl::Idg(5)).empty()) {
    for (int j = kN; j <= kSn; ++j) {
      out.setText(ctl::Idg(j), "");
      Vals[static_cast<size_t>(j)] = 0;
    }
  }
  return out;
}

SolveOutcome CanviIdg() {
  SolveOutcome out;
  out.setEnabled(ctl::BtGuard(2), false);
  out.setText(ctl::IdPG, "");
  return out;
}

SolveOutcome InterpG(const Form& form, SolveContext& ctx) {
  SolveOutcome out;
  auto falten = [&] {
    ctx.ui.message(Tx("msg.missing"), Tx("title.cannot"), Icon::Exclamation);
    return SolveOutcome{};
  };
  const std::string textK = form.text(ctl::IdKg);
  const std::string textA = form.text(ctl::IdAg);
  const std::string textB = form.text(ctl::IdBg);
  int16_t k = 0;
  if (MassaGran(form, ctl::IdKg, 32765, ctx.ui)) return {};  // k + 2 terms in all
  if (!LlegeixEnter(textK, k)) return falten();
  double a = 0, b = 0;
  if (!LlegeixCamp(form, ctl::IdAg, a, ctx.ui)) return falten();
  if (!LlegeixCamp(form, ctl::IdBg, b, ctx.ui)) return falten();
  // Signs compared rather than the product, which can vanish for tiny ends.
  const bool oposats = a != 0 && b != 0 && (std::signbit(a) != std::signbit(b));
  if (k % 2 == 1 && oposats) {
    ctx.ui.message(Tx("msg.k_even"), Tx("title.case_impossible"));
    return out;
  }
  if (k > 32765) return falten();  // k + 2 terms in all
  if (a == 0 || b == 0 || k == -1) return falten();

  // |r|^(k+1) = |b/a|; r is negative exactly when a and b have opposite signs.
  const double q = std::fabs(b) / std::fabs(a);
  const double ln =
      (std::isfinite(q) && q > 0) ? std::log(q) : std::log(std::fabs(b)) - std::log(std::fabs(a));
  const double r = (oposats ? -1.0 : 1.0) * std::exp(ln / (k + 1));
  if (!std::isfinite(r)) return falten();

  const std::string textR = EscriuNum(r, 3);
  std::string llista;
  for (int i = 1; i <= k; ++i) {
    const double t = std::pow(r, i) * a;
    if (!std::isfinite(t)) return falten();
    if (i > 1) llista += ", ";
    llista += EscriuNum(t, 3);
  }
  Solution& sol = out.solution;
  sol.given("k", "k", k, textK);
  sol.given("a", "a", a, textA);
  sol.given("b", "b", b, textB);
  sol.found("r", "r", r, textR);
  const std::string signe = oposats ? "−" : "";
  sol.formula(Tx("step.ratio"), "r", "r",
              oposats ? "−(\\f{|b|}{|a|})^{\\f{1}{k + 1}}" : "(\\f{b}{a})^{\\f{1}{k + 1}}",
              signe + "(\\f{" + EscriuNum(std::fabs(b), 8) + "}{" + EscriuNum(std::fabs(a), 8) +
                  "})^{\\f{1}{" + std::to_string(k) + " + 1}}",
              r, textR);
  sol.check(TxF("step.check.terms", {"a·r, a·r^2, …, a·r^{" + std::to_string(k) + "}"}));
  out.setText(ctl::IdR, textR);
  out.setText(ctl::IdTG, llista);
  Prob prob;
  prob.Enun = TxF("prob.geo.interpolation", {textK, textA, textB});
  prob.Resp = "r = e^(Ln(b/a)/(k+1)) = " + textR + NL + Tx("answer.terms_to_interpolate") + llista;
  out.record = prob;
  out.solved = true;
  return out;
}

SolveOutcome CanvIntG() {
  SolveOutcome out;
  out.setEnabled(ctl::BtGuard(3), false);
  out.setText(ctl::IdTG, "");
  return out;
}

}  // namespace tolvi
