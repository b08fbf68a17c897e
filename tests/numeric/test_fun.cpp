#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/fun.h"

namespace tolvi {
namespace {

// The code of each kind of text, and what an unknown word leaves in the caller's text, are
// shown by the behaviour table numeric-roots; here, the caller's text is untouched when the
// code is made, and a blank before "(" leaves a word that names no function.
TEST(CompilaFun, LeavesTheCallersTextUnlessAWordNamesNoFunction) {
  std::string text = "SIN(x)";
  EXPECT_EQ(CompilaFun(text), "s(x)");
  EXPECT_EQ(text, "SIN(x)");
  text = "sin (x)";
  EXPECT_EQ(CompilaFun(text), "");
  EXPECT_EQ(text, "sin ");
}

struct EvalCase {
  std::string text;  // source text, compiled before evaluation
  double x;
  double value;
  int16_t errFun;
  int16_t errDiv = 0;
};

// The statuses tolvi-cli does not print (each function's value and the grouping are shown
// through the roots by the behaviour table numeric-roots; the fuzz corpus's replay checks
// that the tree gives exactly what the flat program gives).
TEST(AvaluaFun, StatusesOfFailures) {
  const EvalCase cases[] = {
      {"1/x", 0, 0, 1, 2}, {"x/x", 0, 0, 1, 1}, {"0^0.5", 0, 0, 3}, {"(0-8)^(1/3)", 0, 0, 3},
      {"2^10001", 0, 0, 3}, {"2^(0-10001)", 0, 0, 3}, {"2^10000", 0, 0, 6}, {"0^(0-1)", 0, 0, 6},
      {"exp(709.782712893)", 0, 0, 1}, {"cosec(0)", 0, 0, 1}, {"ctg(0)", 0, 0, 1},
      {"ln(0)", 0, 0, 2}, {"log(0-1)", 0, 0, 2}, {"sqr(0-1)", 0, 0, 2}, {"\u00DE2(0-4)", 0, 0, 2},
      // A function is applied to the 0 of a failed argument; an operator is not.
      {"cos(ln(0))", 0, 1, 2}, {"1+cos(ln(0))", 0, 0, 2}, {"-cos(ln(0))", 0, -1, 2},
      {"exp(1/0)", 0, 1, 1, 2}, {"ctg(ln(0))", 0, 0, 1},  // the guard's own status replaces it
      // Faults that end the whole evaluation.
      {"2*a+1", 0, 0, 5},  // a lone a is taken for the function abs
      {"2*", 0, 0, 5}, {"2*-3", 0, 0, 5}, {"cos(2*)", 0, 0, 5}, {"()", 0, 0, 5},
      {"--x", 1, 0, 5}, {"1e308*10", 0, 0, 6}, {"0-1e308-1e308", 0, 0, 6},
      {"1e300/1e-300", 0, 0, 6}, {"sinh(800)", 0, 0, 6}, {"cosh(0-800)", 0, 0, 6},
      {"tgh(800)", 0, 0, 6}, {"ctg(1e-310)", 0, 0, 6}, {"1e-400+x", 2, 2, 0},
      {" 1 2 . 5 ", 0, 12.5, 0},  // blanks anywhere
      // An operator that is not reached cannot fail.
      {"ln(0)+2*", 0, 0, 2}, {"1/0+1e999", 0, 0, 1, 2},
  };
  for (const EvalCase& c : cases) {  // values to within 1e-12 (relative), statuses exactly
    std::string text = c.text;
    const FunValue r = AvaluaFun(CompilaFun(text), c.x, 0);
    EXPECT_NEAR(r.value, c.value, 1e-12 * std::max(1.0, std::fabs(c.value))) << c.text;
    EXPECT_EQ(static_cast<int>(r.ErrFun), c.errFun) << c.text;
    EXPECT_EQ(static_cast<int>(r.ErrDiv), c.errDiv) << c.text;
  }
}

TEST(AvaluaFun, VariablesAndTheEmptyCode) {
  EXPECT_EQ(AvaluaFun("x*10+y", 2, 3).value, 23);
  EXPECT_EQ(ValorFun("x*10+Y", 2), 20);
  EXPECT_EQ(AvaluaFun("", 1, 0).ErrFun, FunStatus::InvalidOperand);
  const FunValue inf = AvaluaFun("x+1", INFINITY, 0);
  EXPECT_EQ(inf.ErrFun, FunStatus::Overflow);
  EXPECT_EQ(inf.value, 0);
  EXPECT_EQ(AvaluaFun("1+1", NAN, 0).value, 2);  // x not used
  // Arbitrary bytes are only characters that mean nothing.
  EXPECT_EQ(AvaluaFun("\xFF\xC3(x)", 1, 0).value, 0);
}

TEST(AvaluaFun, LongChainsAndDeepNesting) {
  std::string chain = "1";
  for (int i = 0; i < 100000; ++i) chain += "+1";
  EXPECT_EQ(AvaluaFun(chain, 0, 0).value, 100001);
  std::string deep = std::string(100000, '(') + "x" + std::string(100000, ')');
  EXPECT_EQ(AvaluaFun(deep, 4, 0).value, 4);
  std::string funcs;
  for (int i = 0; i < 50000; ++i) funcs += "a(";
  funcs += "0-x" + std::string(50000, ')');
  EXPECT_EQ(AvaluaFun(funcs, 4, 0).value, 4);
  std::string powers = "x";
  for (int i = 0; i < 100000; ++i) powers += "^1";
  EXPECT_EQ(AvaluaFun(powers, 3, 0).value, 3);
  std::string negs = std::string(100000, '-') + "1";
  EXPECT_EQ(AvaluaFun(negs, 0, 0).ErrFun, FunStatus::InvalidOperand);  // the second "-" is an operator
}

TEST(AvaluaFun, WholePowersAgreeWithPow) {
  const FunPrograma p("(1+x/100)^10");
  for (double x = 0; x < 90; x += 0.37) {
    const double expected = std::pow(1 + x / 100, 10);
    EXPECT_NEAR(p.Valor(x), expected, 2e-15 * expected) << x;
  }
}

}  // namespace
}  // namespace tolvi
