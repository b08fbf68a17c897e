#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

constexpr double kPi = 3.14159265358979;

struct Typed {
  const char* text;
  bool given;
  double value;
  const char* message;  // nullptr: the calculator did not fail
};

// The reader's own steps ("," and "pi" replaced, the given test, the calculator's failure
// passed on, in the Catalan window's words); the calculator's rules are its own tests.
TEST(LlegeixNum, TypedTexts) {
  FixaIdioma(kCatalan);
  const Typed rows[] = {
      {"", false, 0, nullptr},
      {"0", true, 0, nullptr},
      {"0*5", false, 0, nullptr},  // worked out to 0: not given
      {"0,0", false, 0, "Caràcter(s) no permeso(s)"},
      {"1,5*2,5", true, 3.75, nullptr},
      {"1,5,5", true, 1.5, nullptr},
      {"pi+pi", true, 2 * kPi, nullptr},
      {"2pi", true, 23.14159265358979, nullptr},
      {"PI", false, 0, "Caràcter(s) no permeso(s)"},
      {"(2+)*(3/0)", false, 0, "Divisió per zero"},
      {"10^400", false, 0, ""},
  };
  for (const auto& r : rows) {
    double v = 99;
    CalcResult err;
    EXPECT_EQ(LlegeixNum(r.text, v, &err), r.given) << '"' << r.text << '"';
    EXPECT_DOUBLE_EQ(v, r.value) << '"' << r.text << '"';
    EXPECT_EQ(err.ok(), r.message == nullptr) << '"' << r.text << '"';
    EXPECT_EQ(err.message, r.message ? r.message : "") << '"' << r.text << '"';
  }
  FixaIdioma(kSpanish);
}

TEST(LlegeixNum, HugeTextsAreRefusedQuickly) {
  double v = 7;
  CalcResult err;
  std::string pis;
  for (int i = 0; i < 200'000; ++i) pis += "pi*";
  EXPECT_FALSE(LlegeixNum(pis, v, &err));
  EXPECT_FALSE(err.ok());
  EXPECT_EQ(v, 0);
}

TEST(LlegeixEnter, SixteenBitIntegers) {
  struct Row {
    const char* text;
    bool ok;
    int16_t value;
  };
  const Row rows[] = {
      {" 12 ", true, 12},      {"-32768", true, -32768}, {"32767", true, 32767},
      {"2.5", true, 2},        {"3,5", true, 4},         {"1e3", true, 1000},
      {"", false, 0},          {"40000", false, 0},      {"32767.5", false, 0},
      {"12abc", false, 0},     {"nan", false, 0},        {"1 2", false, 0},
  };
  for (const auto& r : rows) {
    int16_t v = 77;
    EXPECT_EQ(LlegeixEnter(r.text, v), r.ok) << '"' << r.text << '"';
    EXPECT_EQ(v, r.ok ? r.value : 77) << '"' << r.text << '"';
  }
}

TEST(EsEnter, ToleranceAndRange) {
  const struct {
    double x;
    bool enter, enterL;
  } rows[] = {
      {2.0000004, true, true},      {2.000002, false, false},  {-32768, true, true},
      {32768, false, true},         {-32769, false, true},     {2147483647, false, true},
      {2147483648.0, false, false}, {NAN, false, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(EsEnter(r.x), r.enter) << r.x;
    EXPECT_EQ(EsEnterL(r.x), r.enterL) << r.x;
  }
}

// Halves: ArrodonirParell goes to the even neighbour, the written decimals away from zero
// (as the shortest text of the double reads: 2.675 is a hair below it).
TEST(Rounding, HalvesToEvenOrAwayFromZero) {
  const std::pair<double, int64_t> even[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {2.5001, 3}};
  for (auto [x, n] : even) EXPECT_EQ(ArrodonirParell(x), n) << x;
  const struct {
    double x;
    int16_t n;
    const char* text;
  } away[] = {
      {2.5, 0, "3"},          {-2.5, 0, "-3"},         {0.125, 2, "0.13"},  {-0.125, 2, "-0.13"},
      {2.675, 2, "2.68"},     {0.0005, 3, "0.001"},    {-0.0004, 3, "0"},   {9.9995, 3, "10"},
  };
  for (const auto& r : away) EXPECT_EQ(EscriuDec(r.x, r.n), r.text) << r.x << " " << r.n;
  EXPECT_EQ(EscriuDec(1e300, 3), "1" + std::string(300, '0'));
  EXPECT_EQ(EscriuDec(1.5e-7, 8), "0.00000015");
  EXPECT_EQ(EscriuDec(NAN, 3), "");
}

// Integer, else p/q in lowest terms (q up to 200, |p| up to 999), else decimals.
TEST(EscriuNum, WrittenValues) {
  const std::pair<double, const char*> rows[] = {
      {-2.5, "-5/2"},   {999.0 / 200, "999/200"}, {1000.0 / 200, "5"},    {1001.0 / 200, "5.005"},
      {-1e-9, "0"},     {2.0000004, "2"},         {0.0001, "0"},          {12.345, "12.345"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(EscriuNum(x, 3), text) << x;
}

// Fifteen significant digits; exponents outside 1e-4 <= |x| < 1e15.
TEST(TextCurt, FifteenSignificantDigits) {
  const std::pair<double, const char*> rows[] = {
      {0, "0"},        {-0.0, "0"},         {0.1 + 0.2, "0.3"}, {2.0 / 3, "0.666666666666667"},
      {1e15, "1E+15"}, {1.5e-5, "1.5E-05"}, {1e-4, "0.0001"},   {999999999999999.9, "1E+15"},
      {-2.5e20, "-2.5E+20"}, {123456789012345, "123456789012345"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(TextCurt(x), text) << x;
}

TEST(Talla2Dec, CutsTwoAfterThePointWithoutExponent) {
  const std::pair<double, const char*> rows[] = {
      {1234.5678, "1234.56"}, {-3.999, "-3.99"}, {12, "12"},
      {-0.00001, "0.00"},     {2.5e20, "250000000000000000000"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(Talla2Dec(x), text) << x;
}

}  // namespace
}  // namespace tolvi
