#include <gtest/gtest.h>

#include <string>

#include "numeric/cadenes.h"

namespace tolvi {
namespace {

TEST(Cadenes, LongitudAndCarCountCharactersNotBytes) {
  EXPECT_EQ(Longitud(""), 0);
  EXPECT_EQ(Longitud("12€"), 3);
  EXPECT_EQ(Longitud("àèò"), 3);
  EXPECT_EQ(Car("a€b", 2), "€");
  EXPECT_EQ(Car("a€b", 3), "b");
  EXPECT_EQ(Car("a€b", 4), "");
  EXPECT_EQ(Car("a€b", 0), "");
}

struct TreuCarsRow {
  const char* text;
  int16_t pos, count;
  const char* expected;
  int16_t countAfter;
};

TEST(Cadenes, TreuCarsCutsCountToWhatIsLeft) {
  const TreuCarsRow rows[] = {
      {"abcdef", 2, 3, "aef", 3},
      {"abcdef", 5, 10, "abcd", 2},   // only two left from position 5
      {"abcdef", 7, 2, "abcdef", 2},  // past the end: unchanged, count untouched
      {"a€€b", 2, 2, "ab", 2},
      {"€uro", 1, 1, "uro", 1},
      {"abc", 1, 0, "abc", 0},
  };
  for (const auto& r : rows) {
    int16_t count = r.count;
    EXPECT_EQ(TreuCars(r.text, r.pos, count), r.expected) << r.text << " " << r.pos;
    EXPECT_EQ(count, r.countAfter) << r.text << " " << r.pos;
  }
}

// Subst1 replaces the first occurrence only; SubstTot repeats until nothing changes.
TEST(Cadenes, Subst1AndSubstTot) {
  const struct { bool all; const char *text, *pattern, *replacement, *expected; } rows[] = {
      {false, "1,5,2", ",", ".", "1.5,2"}, {false, "abc", "x", "y", "abc"},
      {false, "abc", "", "y", "abc"},  // an empty pattern occurs nowhere
      {false, "", ",", ".", ""}, {false, "a€b€", "€", "EUR", "aEURb€"},
      {true, "1,5*2,5", ",", ".", "1.5*2.5"},
      {true, "2*pi+pi", "pi", "3.14159265358979", "2*3.14159265358979+3.14159265358979"},
      {true, "ppii", "pi", "", ""},    // removing the inner "pi" makes a new one
      {true, "aaab", "ab", "b", "b"},  // each replacement makes the next occurrence
      {true, "xaxa", "a", "", "xx"}, {true, "abc", "", "z", "abc"},
      {true, "aa", "a", "aa", "aaaa"},  // a replacement that holds the pattern: each one once
  };
  for (const auto& r : rows) {
    EXPECT_EQ((r.all ? SubstTot : Subst1)(r.text, r.pattern, r.replacement), r.expected)
        << r.text << (r.all ? " all" : " first");
  }
}

TEST(Cadenes, SubstTotIsLinearOnLongTexts) {
  std::string text(1'000'000, ',');
  EXPECT_EQ(SubstTot(text, ",", "."), std::string(1'000'000, '.'));
  // Every replacement makes the next occurrence, just before where it was made.
  std::string chain = std::string(300'000, 'a') + "b";
  EXPECT_EQ(SubstTot(chain, "ab", "b"), "b");
}

TEST(Cadenes, TreuCadAndInsCad) {
  EXPECT_EQ(TreuCad("0135", "3"), "015");
  EXPECT_EQ(TreuCad("0135", "7"), "0135");
  EXPECT_EQ(InsCad("abc", "X", 1), "Xabc");
  EXPECT_EQ(InsCad("abc", "X", 3), "abXc");
  EXPECT_EQ(InsCad("abc", "X", 9), "abcX");
  EXPECT_EQ(InsCad("", "X", 1), "X");
  EXPECT_EQ(InsCad("€€", "X", 2), "€X€");
}

TEST(Cadenes, PuntDecRepeteixOrdenaCars) {
  EXPECT_EQ(PuntDec("1,50"), "1.50");
  EXPECT_EQ(PuntDec("3,"), "3");
  EXPECT_EQ(PuntDec("3.."), "3.");  // only one final point goes
  EXPECT_EQ(Repeteix(3, "0"), "000");
  EXPECT_EQ(Repeteix(0, "ab"), "");
  EXPECT_EQ(Repeteix(-2, "ab"), "");
  EXPECT_EQ(OrdenaCars("310"), "013");
  EXPECT_EQ(OrdenaCars("7520"), "0257");
  EXPECT_EQ(OrdenaCars("b€a"), "ab€");
  EXPECT_EQ(OrdenaCars(""), "");
}

TEST(Cadenes, AfegeixSiFaltaKeepsTheListOfSolvedPanels) {
  EXPECT_EQ(AfegeixSiFalta("3", "03"), "03");
  EXPECT_EQ(AfegeixSiFalta("5", "03"), "035");
  EXPECT_EQ(AfegeixSiFalta("4", ""), "4");
  EXPECT_EQ(OrdenaCars(AfegeixSiFalta("1", "035")), "0135");
}

}  // namespace
}  // namespace tolvi
