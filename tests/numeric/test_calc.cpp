#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <string>
#include <utility>

#include "numeric/calc.h"

namespace tolvi {
namespace {

struct Row {
  const char* text;
  double value;
  ErrCalc err;
};

void Check(const Row& r) {
  CalcResult c = Avalua(r.text);
  EXPECT_EQ(c.err, r.err) << '"' << r.text << '"';
  EXPECT_DOUBLE_EQ(c.value, r.value) << '"' << r.text << '"';
  EXPECT_EQ(c.message, MissatgeCalc(r.err)) << '"' << r.text << '"';
}

// How the operators group, signs and empty operands are checked against a plain recursive
// splitting of the text (the property below); these rows pin what both could get wrong
// together, and each failure once (the first one met in the text is the one told).
TEST(Avalua, GroupingAndErrors) {
  const Row rows[] = {
      {"10-2-3", 5, ErrCalc::Ok},          {"2^3^2", 512, ErrCalc::Ok},
      {"-2^2", -4, ErrCalc::Ok},           {"2*-3", -6, ErrCalc::Ok},
      {"*5", 0, ErrCalc::MissingOperand},  {"5+", 5, ErrCalc::Ok},
      {"(2+3", 0, ErrCalc::Parentheses},   {")2+3(", 0, ErrCalc::Characters},
      {"5/(2-2)", 0, ErrCalc::DivisionByZero}, {"1/0+abc", 0, ErrCalc::DivisionByZero},
      {"abc+1/0", 0, ErrCalc::Characters}, {"10^400", 0, ErrCalc::Overflow},
      {"1e999", 0, ErrCalc::Overflow},     {"(-8)^(1/3)", 0, ErrCalc::NoReal},
      {"0^-1", 0, ErrCalc::NoReal},
  };
  for (const auto& r : rows) Check(r);
}

// A number's text: the leading number counts, blanks anywhere, exponents, "&H" and "&O";
// a zero written otherwise than "0" is refused, and so is a number that underflows.
TEST(Avalua, LeadingNumberRule) {
  const Row rows[] = {
      {"12abc", 12, ErrCalc::Ok},   {"1 000", 1000, ErrCalc::Ok},    {"2.5E-2", 0.025, ErrCalc::Ok},
      {"1e-5+1", 1.00001, ErrCalc::Ok}, {".5", 0.5, ErrCalc::Ok},    {"1.2.3", 1.2, ErrCalc::Ok},
      {"\t7\n", 7, ErrCalc::Ok},    {"&hfF", 255, ErrCalc::Ok},      {"&o17", 15, ErrCalc::Ok},
      {"&H", 0, ErrCalc::Characters}, {"007", 7, ErrCalc::Ok},       {"3e", 3, ErrCalc::Ok},
      {"(0)", 0, ErrCalc::Ok},      {"0.0", 0, ErrCalc::Characters}, {"00", 0, ErrCalc::Characters},
      {"PI", 0, ErrCalc::Characters}, {"1e-400", 0, ErrCalc::Characters},
  };
  for (const auto& r : rows) Check(r);
}

// Characters after a number that the reading left are told, so the window can say what it
// read; blanks, exponents and expressions read whole are not.
TEST(Avalua, TellsWhenANumbersTextWasReadInPart) {
  const std::pair<const char*, bool> rows[] = {
      {"1.5.5", true}, {"3e", true},     {"2*3x", true},      {"&HFFz", true},
      {"1 000", false}, {"2.5E-2", false}, {"(2+3)*4", false}, {" 7 ", false},
  };
  for (const auto& [text, ignored] : rows) {
    const CalcResult c = Avalua(text);
    EXPECT_TRUE(c.ok()) << text;
    EXPECT_EQ(c.ignored, ignored) << text;
  }
}

TEST(Avalua, NeverMinusZero) {
  CalcResult c = Avalua("0*-1");
  ASSERT_TRUE(c.ok());
  EXPECT_FALSE(std::signbit(c.value));
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
