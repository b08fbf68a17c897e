// Function expressions in x (and y): numbers, + - * / ^, parentheses and seventeen named
// functions. A source text is compiled once into a code string (each function name replaced
// by one code character) and then evaluated as often as needed.
//
// Code strings are UTF-8, like every text of the program. The code characters are the
// characters themselves: "ê" (ctg) is the two bytes C3 AA, "Þ" (sqr) is C3 9E, and a root of
// index k (2 to 9) is the single byte whose value is k. So CompilaFun("ctg(x)") == "ê(x)" and
// CompilaFun("Þ3(x)") == "\x03(x)". Positions inside a code string count code points; bytes
// that are not valid UTF-8 are kept as they are and mean nothing to the evaluator.
//
// Evaluation: a code string is prepared once into a FunPrograma (a tree, plus a flat postfix
// program for the common case where nothing fails) and evaluated without looking at the text
// again. Nothing is recursive, so any length of chain or depth of parentheses is evaluated
// without exhausting the stack. The status of an evaluation is part of its result; no state is
// shared between evaluations.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

// Status of one evaluation (ErrFun). The numbers are the ones the program has always used.
enum class FunStatus : int16_t {
  None = 0,
  ZeroDivisor = 1,     // a zero divisor, or a guard against overflow (ctg 0, cosec 0, exp 710)
  Domain = 2,          // an argument outside a function's domain
  RejectedPower = 3,   // a negative base with a fractional exponent, an exponent beyond 10000
  InvalidOperand = 5,  // an empty operand as in 2* or 2*-3, a lone letter taken for a function
  Overflow = 6,        // of a power, a sum, difference, product or quotient, sinh, cosh or tgh,
                       // a number too large for a double, or an x or y that is not finite
};

// Kind of the last division of an evaluation (ErrDiv): none or one that succeeded, zero by
// zero, non-zero by zero. Every evaluation starts from None.
enum class DivKind : int16_t { None = 0, ZeroByZero = 1, NonZeroByZero = 2 };

// value is always finite. A failed operand makes the operator that uses it fail with 0, but a
// function is applied to the 0 of a failed argument and keeps the argument's status:
// cos(ln(0)) is 1 with Domain, 1+cos(ln(0)) is 0 with Domain. InvalidOperand and Overflow
// other than an overflowing power end the whole evaluation with the value 0.
struct FunValue {
  double value = 0;
  FunStatus ErrFun = FunStatus::None;
  DivKind ErrDiv = DivKind::None;
};

// The function names as typed (lower case). Position k (1 to 17) is NomFun[k - 1].
inline constexpr std::array<std::string_view, 17> NomFun = {
    "sin", "cos",  "tg",   "ln",  "exp", "ctg", "cosec", "sec", "log",
    "abs", "sinh", "cosh", "tgh", "atn", "sqr", "sing",  "cosg"};
// The code character (UTF-8) of each function, in the order of NomFun.
inline constexpr std::array<std::string_view, 17> CodiFun = {
    "s", "c",        "t",        "l",        "e",        "\xC3\xAA", "\xC3\xA8", "\xC3\xA9", "d",
    "a", "\xC3\xA0", "\xC3\xA1", "\xC3\xA2", "\xC3\xA4", "\xC3\x9E", "S",        "C"};
// Precedences of the operators "+-*/^", in that order; a lower number binds more loosely.
inline constexpr std::array<int16_t, 5> PrecOp = {0, 0, 1, 1, 2};

// The tables above are constants, so these only keep the program's start-up sequence; they
// may be called any number of times (or never).
void IniFuncions();
void OmpleFuncions();

// The code string of a source text, or "" when it cannot be compiled. When the failure is an
// unknown function name, text is replaced by that word as typed (so the caller can name it).
std::string CompilaFun(std::string& text);

// A code string prepared for evaluation. Preparing never fails: the parts of a code string
// that cannot be evaluated give their status when (and only if) evaluation reaches them.
// Const member functions may be called from several threads at once.
class FunPrograma {
 public:
  FunPrograma() : FunPrograma(std::string_view{}) {}
  explicit FunPrograma(std::string_view code);

  FunValue Avalua(double x, double y = 0) const;
  double Valor(double x) const { return Avalua(x, 0).value; }

  // The same evaluation, always by walking the tree (the flat program is skipped). Gives
  // exactly what Avalua gives; for tests.
  FunValue AvaluaArbre(double x, double y = 0) const;

  // Node of the tree (public so that the implementation files can share it).
  struct Node {
    uint8_t kind = 0;
    uint8_t op = 0;  // operator character, or function number
    int32_t a = -1;  // first (or only) child
    int32_t b = -1;  // second child
    double k = 0;    // value of a number
  };
  struct Instr {
    uint8_t op = 0;
    uint8_t fn = 0;
    int32_t n = 0;
    double k = 0;
  };

 private:
  // The phases of preparing a code string: the tree, the values known in advance, the nodes
  // the flat program can skip, and the flat program.
  struct Fixed;
  void BuildTree(const std::u32string& s);
  Fixed FoldConstants() const;
  int32_t Skip(const Fixed& fx, int32_t i) const;
  void EmitProgram(const Fixed& fx);
  bool Rapid(double x, double y, double& out) const;

  std::vector<Node> nodes_;
  int32_t arrel_ = 0;
  std::vector<Instr> prog_;
  int32_t pila_ = 0;  // deepest stack of the flat program
};

// Evaluates a code string at x and y (prepared on every call, apart from a small cache of
// the last code string evaluated on the calling thread).
FunValue AvaluaFun(std::string_view code, double x, double y);
// AvaluaFun at x with y = 0: the value alone.
double ValorFun(std::string_view code, double x);

// ln(v) / ln(10).
double LogDec(double v);

// Outcome of a search for roots.
enum class EstatArrels : int16_t {
  Ok = 0,
  ToleranciaNoValida = 1,  // tol not a finite number greater than 0
  IntervalNoValid = 2,     // a or b not finite
  IntervalMassaLlarg = 3,  // more than kMaxPassosArrels scan steps, or x stops advancing
  MassaArrels = 4,         // more than 32767 roots
};
inline constexpr int32_t kMaxPassosArrels = 1000000;  // scan steps of 0.1: b - a <= 100000

struct ResultatArrels {
  std::vector<double> roots;  // increasing; only the roots found before a refusal otherwise
  EstatArrels estat = EstatArrels::Ok;
};

// The roots of the compiled function on [a, b], in increasing order, found by a scan in steps
// of 0.1 and a bisection to the tolerance tol wherever the sign changes strictly. A value of
// 0 at a bisection midpoint is taken as a root there.
ResultatArrels CercaArrels(const FunPrograma& f, double a, double b, double tol);
// The roots alone: empty when none was found or the search was refused (see EstatArrels).
std::vector<double> ArrelsFun(const FunPrograma& f, double a, double b, double tol);
std::vector<double> ArrelsFun(std::string_view code, double a, double b, double tol);

}  // namespace tolvi
