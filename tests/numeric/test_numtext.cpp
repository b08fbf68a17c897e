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
      {"-0", false, 0, nullptr},
      {"0*5", false, 0, nullptr},
      {"1-1", false, 0, nullptr},
      {"0,0", false, 0, "Caràcter(s) no permeso(s)"},
      {" 0", false, 0, "Caràcter(s) no permeso(s)"},
      {"1,5*2,5", true, 3.75, nullptr},
      {"1,5,5", true, 1.5, nullptr},
      {"pi", true, kPi, nullptr},
      {"2*pi", true, 2 * kPi, nullptr},
      {"2pi", true, 23.14159265358979, nullptr},
      {"pipi", true, 3.141592653589793, nullptr},  // the second point ends the number
      {"PI", false, 0, "Caràcter(s) no permeso(s)"},
      {"12abc", true, 12, nullptr},
      {"(2+)*(3/0)", false, 0, "Divisió per zero"},
      {"10^400", false, 0, ""},
      {"(-8)^(1/3)", false, 0, ""},
  };
  for (const auto& r : rows) {
    double v = 99;
    CalcResult err;
    EXPECT_EQ(LlegeixNum(r.text, v, &err), r.given) << '"' << r.text << '"';
    EXPECT_DOUBLE_EQ(v, r.value) << '"' << r.text << '"';
    EXPECT_EQ(err.ok(), r.message == nullptr) << '"' << r.text << '"';
    if (r.message) {
      EXPECT_EQ(err.message, r.message) << '"' << r.text << '"';
    }
  }
  FixaIdioma(kSpanish);
}

TEST(LlegeixNum, HugeTextsAreRefusedQuickly) {
  double v = 7;
  CalcResult err;
  EXPECT_FALSE(LlegeixNum(std::string(1'000'000, '('), v, &err));
  EXPECT_EQ(err.err, ErrCalc::Parentheses);
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
      {"12", true, 12},        {" 12 ", true, 12},      {"-32768", true, -32768},
      {"32767", true, 32767},  {"2.5", true, 2},        {"3,5", true, 4},
      {"-2.5", true, -2},      {"1e3", true, 1000},     {"", false, 0},
      {"abc", false, 0},       {"40000", false, 0},     {"32767.5", false, 0},
      {"12abc", false, 0},     {"inf", false, 0},       {"nan", false, 0},
      {"1 2", false, 0},       {"-", false, 0},         {"1e99999", false, 0},
  };
  for (const auto& r : rows) {
    int16_t v = 77;
    EXPECT_EQ(LlegeixEnter(r.text, v), r.ok) << '"' << r.text << '"';
    EXPECT_EQ(v, r.ok ? r.value : 77) << '"' << r.text << '"';
  }
}

TEST(ArrodonirParell, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int64_t> rows[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {-7.2, -7},
  };
  for (auto [x, n] : rows) EXPECT_EQ(ArrodonirParell(x), n) << x;
}

TEST(EsEnter, ToleranceAndRange) {
  const struct {
    double x;
    bool enter, enterL;
  } rows[] = {
      {2.0000004, true, true},  {2.000002, false, false}, {-32768, true, true},
      {32767.0000001, true, true}, {32768, false, true},  {-32769, false, true},
      {2147483647, false, true}, {2147483648.0, false, false}, {-2147483648.0, false, true},
      {3e9, false, false},      {NAN, false, false},      {INFINITY, false, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(EsEnter(r.x), r.enter) << r.x;
    EXPECT_EQ(EsEnterL(r.x), r.enterL) << r.x;
  }
}

TEST(EscriuNum, WrittenValues) {
  const std::pair<double, const char*> rows[] = {
      {-2.5, "-5/2"},      {999.0 / 200, "999/200"}, {1000.0 / 200, "5"}, {-1e-9, "0"},
      {1001.0 / 200, "5.005"}, {2.0 / 3, "2/3"},     {-1999999999.0, "-1999999999"},
      {0.1, "1/10"},       {1000.5, "1000.5"},       {0.001, "0.001"},    {12.345, "12.345"},
      {0.0001, "0"},       {2.0000004, "2"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(EscriuNum(x, 3), text) << x;
}

TEST(EscriuDec, RoundsHalvesAwayFromZero) {
  const struct {
    double x;
    int16_t n;
    const char* text;
  } rows[] = {
      {2.5, 2, "2.5"},       {-2.5, 3, "-2.5"},     {100, 2, "100"},      {0.0004, 3, "0"},
      {0.0005, 3, "0.001"},  {-0.0005, 3, "-0.001"}, {0.125, 2, "0.13"},  {-0.125, 2, "-0.13"},
      {2.675, 2, "2.68"},    {1.0005, 3, "1.001"},  {9.9995, 3, "10"},    {-0.0004, 3, "0"},
      {-0.00001, 2, "0"},    {999.9996, 3, "1000"}, {1234.5678, 2, "1234.57"},
  };
  for (const auto& r : rows) EXPECT_EQ(EscriuDec(r.x, r.n), r.text) << r.x << " " << r.n;
  EXPECT_EQ(EscriuDec(1e300, 3), "1" + std::string(300, '0'));
  EXPECT_EQ(EscriuDec(1.5e-7, 8), "0.00000015");
  EXPECT_EQ(EscriuDec(123456789.123, 1), "123456789.1");
  EXPECT_EQ(EscriuDec(NAN, 3), "");
  EXPECT_EQ(EscriuDec(INFINITY, 3), "");
}

TEST(TextCurt, FifteenSignificantDigits) {
  const std::pair<double, const char*> rows[] = {
      {0, "0"},           {12, "12"},           {-7.5, "-7.5"},        {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},           {2.0 / 3, "0.666666666666667"},
      {1e15, "1E+15"},    {1.5e-5, "1.5E-05"},  {1e-4, "0.0001"},      {123456789012345, "123456789012345"},
      {-2.5e20, "-2.5E+20"}, {1e-300, "1E-300"}, {999999999999999.9, "1E+15"}, {-0.0, "0"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(TextCurt(x), text) << x;
}

TEST(Talla2Dec, CutsTwoAfterThePointWithoutExponent) {
  const std::pair<double, const char*> rows[] = {
      {1234.5678, "1234.56"}, {7.5, "7.5"},   {12, "12"},          {-3.999, "-3.99"},
      {0.00001, "0.00"},      {1e15, "1000000000000000"},            {2.5e20, "250000000000000000000"},
      {-0.00001, "0.00"},     {0, "0"},       {0.1 + 0.2, "0.3"},
  };
  for (auto [x, text] : rows) EXPECT_EQ(Talla2Dec(x), text) << x;
}

}  // namespace
}  // namespace tolvi
