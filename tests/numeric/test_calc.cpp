#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <string>

#include "numeric/calc.h"

namespace tolvi {
namespace {

struct Row {
  const char* text;
  double value;
  int16_t err;
};

void Check(const Row& r) {
  CalcResult c = Avalua(r.text);
  EXPECT_EQ(c.err, r.err) << '"' << r.text << '"';
  EXPECT_DOUBLE_EQ(c.value, r.value) << '"' << r.text << '"';
  EXPECT_EQ(c.message, MissatgeCalc(r.err)) << '"' << r.text << '"';
}

TEST(Avalua, GroupsLikeOrdinaryArithmetic) {
  const Row rows[] = {
      {"10-2-3", 5, CalcOk},     {"8/4/2", 1, CalcOk},      {"2-3+4", 3, CalcOk},
      {"2^3^2", 512, CalcOk},    {"2+3*4", 14, CalcOk},     {"2*3+4", 10, CalcOk},
      {"8/2*4", 16, CalcOk},     {"2*3^2", 18, CalcOk},     {"-2^2", -4, CalcOk},
      {"-5-3", -8, CalcOk},      {"100/10/5*2", 4, CalcOk}, {"1-2-3-4", -8, CalcOk},
      {"(1+2)*(3+4)", 21, CalcOk}, {"((2+3))", 5, CalcOk},  {"2*(3+(4-1))", 12, CalcOk},
  };
  for (const auto& r : rows) Check(r);
}

TEST(Avalua, SignAfterAnOperator) {
  const Row rows[] = {
      {"2*-3", -6, CalcOk}, {"5--3", 8, CalcOk},  {"2^-1", 0.5, CalcOk}, {"5*+3", 15, CalcOk},
      {"--5", 5, CalcOk},   {"6/-2", -3, CalcOk}, {"2-+1", 1, CalcOk},   {"-(2+3)", -5, CalcOk},
      // a sign in the first position keeps the first-character rule
      {"++5", 0, CalcFaltaOperand}, {"*5", 0, CalcFaltaOperand}, {"+5", 5, CalcOk},
  };
  for (const auto& r : rows) Check(r);
}

TEST(Avalua, EmptyOperands) {
  const Row rows[] = {
      {"", 0, CalcOk},         {"5+", 5, CalcOk},       {"2^", 1, CalcOk},
      {"5-", 5, CalcOk},       {"5/", 0, CalcDivZero},  {"()", 0, CalcFaltaOperand},
      {"(())", 0, CalcFaltaOperand}, {"2*()", 0, CalcFaltaOperand}, {"/2", 0, CalcFaltaOperand},
      {"2^^3", 0, CalcFaltaOperand}, {"(+5)", 0, CalcFaltaOperand},
  };
  for (const auto& r : rows) Check(r);
}

TEST(Avalua, Errors) {
  const Row rows[] = {
      {"(2+3", 0, CalcParentesis},   {"2+3)", 0, CalcParentesis},  {")2+3(", 0, CalcCaracters},
      {"5/0", 0, CalcDivZero},       {"5/(2-2)", 0, CalcDivZero},  {"abc", 0, CalcCaracters},
      {"0.0", 0, CalcCaracters},     {"00", 0, CalcCaracters},     {"PI", 0, CalcCaracters},
      {"(2+)*(3/0)", 0, CalcDivZero}, {"1/0+abc", 0, CalcDivZero}, {"abc+1/0", 0, CalcCaracters},
      {"10^400", 0, CalcOverflow},   {"1e308*10", 0, CalcOverflow}, {"1e999", 0, CalcOverflow},
      {"(-8)^(1/3)", 0, CalcNoReal}, {"0^-1", 0, CalcNoReal},      {"1e-400", 0, CalcCaracters},
  };
  for (const auto& r : rows) Check(r);
}

TEST(Avalua, LeadingNumberRule) {
  const Row rows[] = {
      {"12abc", 12, CalcOk},   {"1 000", 1000, CalcOk},    {"2.5E-2", 0.025, CalcOk},
      {"1e3", 1000, CalcOk},   {"1e-5+1", 1.00001, CalcOk}, {"2e+3+1", 2001, CalcOk},
      {".5", 0.5, CalcOk},     {"1.2.3", 1.2, CalcOk},      {"\t7\n", 7, CalcOk},
      {"&HFF", 255, CalcOk},   {"&o17", 15, CalcOk},        {"&H", 0, CalcCaracters},
      {"0", 0, CalcOk},        {"(0)", 0, CalcOk},          {"007", 7, CalcOk},
      {"3e", 3, CalcOk},       {"0.1e1", 1, CalcOk},
  };
  for (const auto& r : rows) Check(r);
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
  EXPECT_EQ(Avalua(deep).err, CalcParentesis);
  EXPECT_EQ(Avalua(std::string(100000, '(')).err, CalcParentesis);
}

// Each piece is evaluated once: rescanning it would take minutes on these texts.
TEST(Avalua, LongestTextsAreEvaluated) {
  // The longest text accepted: a chain of 16383 sums, a chain of powers and nested groups.
  std::string sum = "1";
  while (sum.size() + 2 <= 32767) sum += "+1";
  EXPECT_DOUBLE_EQ(Avalua(sum).value, 16384);
  std::string minus = "0";
  while (minus.size() + 2 <= 32767) minus += "-1";
  EXPECT_DOUBLE_EQ(Avalua(minus).value, -16383);
  std::string pow = "1";
  while (pow.size() + 2 <= 32767) pow += "^1";
  EXPECT_DOUBLE_EQ(Avalua(pow).value, 1);
  std::string groups;
  while (groups.size() < 32000) groups += "((((1+2)*3)-4)/5)+";
  groups += "0";
  EXPECT_TRUE(Avalua(groups).ok());
  std::string digits(32767, '7');
  EXPECT_EQ(Avalua(digits).err, CalcOverflow);
  // Beyond the 16-bit length of a text the field is refused.
  EXPECT_EQ(Avalua(sum + "+1").err, CalcCaracters);
  EXPECT_EQ(Avalua(std::string(1'000'000, '1')).err, CalcCaracters);
}

}  // namespace
}  // namespace tolvi

namespace tolvi {
namespace {

// The evaluation as first described: split the text itself, recursively. The engine prepares
// the text once and must give the same value and error for every text.
CalcResult Fail(int16_t err) { return {0, err, MissatgeCalc(err)}; }

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
    if (t.empty()) return Fail(CalcFaltaOperand);
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
  if (d != 0) return Fail(CalcParentesis);
  if (at == std::string::npos) return Avalua(t);  // a single number
  char op = t[at];
  if (at == 0 && op != '-') return Fail(CalcFaltaOperand);
  CalcResult l = Literal(t.substr(0, at));
  if (!l.ok()) return l;
  CalcResult r = Literal(t.substr(at + 1));
  if (!r.ok()) return r;
  if (op == '/' && r.value == 0) return Fail(CalcDivZero);
  if (op == '^' &&
      ((l.value < 0 && r.value != std::floor(r.value)) || (l.value == 0 && r.value < 0)))
    return Fail(CalcNoReal);
  double v = op == '+' ? l.value + r.value : op == '-' ? l.value - r.value
             : op == '*' ? l.value * r.value : op == '/' ? l.value / r.value
                         : std::pow(l.value, r.value);
  if (std::isnan(v)) return Fail(CalcNoReal);
  if (std::isinf(v)) return Fail(CalcOverflow);
  return {v == 0 ? 0.0 : v, CalcOk, ""};
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
