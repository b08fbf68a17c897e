#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/numtext.h"

namespace tolvi {
namespace {

// What a typed field gives and how values are written are shown by the behaviour tables
// numeric-calc and numeric-format; these are the reader's and writers' rules they cannot reach.
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
// (with no decimals too); a value too small for its decimals, and no number.
TEST(Rounding, HalvesToEvenOrAwayFromZero) {
  const std::pair<double, int64_t> even[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {2.5001, 3}};
  for (auto [x, n] : even) EXPECT_EQ(ArrodonirParell(x), n) << x;
  EXPECT_EQ(EscriuDec(2.5, 0), "3");
  EXPECT_EQ(EscriuDec(-2.5, 0), "-3");
  EXPECT_EQ(EscriuDec(1.5e-7, 8), "0.00000015");
  EXPECT_EQ(EscriuDec(NAN, 3), "");
  EXPECT_EQ(TextCurt(-0.0), "0");
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
