#include <gtest/gtest.h>

#include <string>

#include "numeric/cadenes.h"

namespace tolvi {
namespace {

// Positions and lengths count characters, not bytes.
TEST(Cadenes, LongitudCarAndTreuCars) {
  EXPECT_EQ(Longitud("12€"), 3);
  EXPECT_EQ(Car("a€b", 2), "€");
  EXPECT_EQ(Car("a€b", 4), "");
  EXPECT_EQ(Car("a€b", 0), "");
  const struct {
    const char* text;
    int16_t pos, count;
    const char* expected;
    int16_t countAfter;
  } rows[] = {
      {"a€€b", 2, 2, "ab", 2},
      {"abcdef", 5, 3, "abcd", 2},    // only two left from position 5: count cut to them
      {"abcdef", 7, 2, "abcdef", 2},  // past the end: unchanged, count untouched
  };
  for (const auto& r : rows) {
    int16_t count = r.count;
    EXPECT_EQ(TreuCars(r.text, r.pos, count), r.expected) << r.text << " " << r.pos;
    EXPECT_EQ(count, r.countAfter) << r.text << " " << r.pos;
  }
}

// SubstTot repeats until nothing changes (the reader's "," and "pi" go through it).
TEST(Cadenes, SubstTot) {
  const struct { const char *text, *pattern, *replacement, *expected; } rows[] = {
      {"abc", "", "y", "abc"},  // an empty pattern occurs nowhere
      {"ppii", "pi", "", ""},    // removing the inner "pi" makes a new one
      {"aaab", "ab", "b", "b"},  // each replacement makes the next occurrence
      {"aa", "a", "aa", "aaaa"},  // a replacement that holds the pattern: each one once
  };
  for (const auto& r : rows)
    EXPECT_EQ(SubstTot(r.text, r.pattern, r.replacement), r.expected) << r.text;
}

TEST(Cadenes, SubstTotIsLinearOnLongTexts) {
  std::string text(1'000'000, ',');
  EXPECT_EQ(SubstTot(text, ",", "."), std::string(1'000'000, '.'));
  // Every replacement makes the next occurrence, just before where it was made.
  std::string chain = std::string(300'000, 'a') + "b";
  EXPECT_EQ(SubstTot(chain, "ab", "b"), "b");
}

}  // namespace
}  // namespace tolvi
