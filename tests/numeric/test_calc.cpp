#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <string>

#include "numeric/calc.h"

namespace tolvi {
namespace {

// Characters after a number that the reading left are told, so the window can say what it
// read; blanks (anywhere), exponents and expressions read whole are not. The calculator's
// values and messages are shown by the behaviour table numeric-calc.
TEST(Avalua, TellsWhenANumbersTextWasReadInPart) {
  const struct {
    const char* text;
    bool ignored;
    double value;
  } rows[] = {
      {"1.5.5", true, 1.5},    {"3e", true, 3},          {"2*3x", true, 6},
      {"&HFFz", true, 255},    {"1 000", false, 1000},   {"2.5E-2", false, 0.025},
      {"(2+3)*4", false, 20},  {"\t7\n", false, 7},
  };
  for (const auto& r : rows) {
    const CalcResult c = Avalua(r.text);
    EXPECT_TRUE(c.ok()) << r.text;
    EXPECT_EQ(c.ignored, r.ignored) << r.text;
    EXPECT_EQ(c.value, r.value) << r.text;
  }
}

TEST(Avalua, DeepNestingIsRefused) {
  std::string ok = std::string(200, '(') + "1" + std::string(200, ')');
  EXPECT_DOUBLE_EQ(Avalua(ok).value, 1);
  std::string deep = std::string(201, '(') + "1" + std::string(201, ')');
  EXPECT_EQ(Avalua(deep).err, ErrCalc::Parentheses);
  EXPECT_EQ(Avalua(std::string(100000, '(')).err, ErrCalc::Parentheses);
}

// Each piece is evaluated once: rescanning it would take minutes on these texts.
TEST(Avalua, LongestTextsAreEvaluated) {
  // The longest text accepted: a chain of 16383 sums, a chain of powers and nested groups.
  std::string sum = "1";
  while (sum.size() + 2 <= 32767) sum += "+1";
  EXPECT_DOUBLE_EQ(Avalua(sum).value, 16384);
  std::string pow = "1";
  while (pow.size() + 2 <= 32767) pow += "^1";
  EXPECT_DOUBLE_EQ(Avalua(pow).value, 1);
  std::string groups;
  while (groups.size() < 32000) groups += "((((1+2)*3)-4)/5)+";
  groups += "0";
  EXPECT_TRUE(Avalua(groups).ok());
  std::string digits(32767, '7');
  EXPECT_EQ(Avalua(digits).err, ErrCalc::Overflow);
  // Beyond the 16-bit length of a text the field is refused.
  EXPECT_EQ(Avalua(sum + "+1").err, ErrCalc::Characters);
  EXPECT_EQ(Avalua(std::string(1'000'000, '1')).err, ErrCalc::Characters);
}

// The evaluation as first described: split the text itself, recursively. The engine prepares
// the text once and must give the same value and error for every text.
CalcResult Fail(ErrCalc err) { return {0, err, MissatgeCalc(err)}; }

CalcResult Literal(std::string t) {
  auto rank = [](char c) { return c ? static_cast<int>(std::string("+-*/^").find(c) + 1) : 0; };
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty()) return {};
  while (t[0] == '(') {
    size_t close = 0;
    for (int d = 0; close < t.size(); ++close)
      if ((d += t[close] == '(' ? 1 : t[close] == ')' ? -1 : 0) == 0) break;
    if (close != t.size() - 1) break;
    t = t.substr(1, t.size() - 2);
    if (t.empty()) return Fail(ErrCalc::MissingOperand);
  }
  int d = 0, best = 6;
  size_t at = std::string::npos;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == 'e' || t[i] == 'E') {
      ++i;
      continue;
    }
    d += t[i] == '(' ? 1 : t[i] == ')' ? -1 : 0;
    int r = rank(t[i]);
    bool sign = (t[i] == '+' || t[i] == '-') && i > 0 && rank(t[i - 1]) != 0;
    if (r != 0 && d == 0 && !sign && (r < best || (r == best && r != 5))) best = r, at = i;
  }
  if (d != 0) return Fail(ErrCalc::Parentheses);
  if (at == std::string::npos) return Avalua(t);  // a single number
  char op = t[at];
  if (at == 0 && op != '-') return Fail(ErrCalc::MissingOperand);
  CalcResult l = Literal(t.substr(0, at));
  if (!l.ok()) return l;
  CalcResult r = Literal(t.substr(at + 1));
  if (!r.ok()) return r;
  if (op == '/' && r.value == 0) return Fail(ErrCalc::DivisionByZero);
  if (op == '^' &&
      ((l.value < 0 && r.value != std::floor(r.value)) || (l.value == 0 && r.value < 0)))
    return Fail(ErrCalc::NoReal);
  double v = op == '+' ? l.value + r.value : op == '-' ? l.value - r.value
             : op == '*' ? l.value * r.value : op == '/' ? l.value / r.value
                         : std::pow(l.value, r.value);
  if (std::isnan(v)) return Fail(ErrCalc::NoReal);
  if (std::isinf(v)) return Fail(ErrCalc::Overflow);
  return {v == 0 ? 0.0 : v, ErrCalc::Ok, ""};
}

TEST(Avalua, MatchesTheLiteralSplittingOnRandomTexts) {
  const std::string alphabet = "0123456789+-*/^()e. +-()";
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int n = 0; n < 60000; ++n) {
    std::string t;
    size_t len = next() % 16;
    for (size_t i = 0; i < len; ++i) t += alphabet[next() % alphabet.size()];
    CalcResult fast = Avalua(t), slow = Literal(t);
    ASSERT_EQ(fast.err, slow.err) << '"' << t << '"';
    ASSERT_EQ(fast.value, slow.value) << '"' << t << '"';
  }
}

}  // namespace
}  // namespace tolvi
