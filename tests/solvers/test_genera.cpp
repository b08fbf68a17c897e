#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fake_services.h"
#include "numeric/numtext.h"
#include "solvers/arithmetic.h"
#include "solvers/atzar.h"
#include "solvers/genera.h"

namespace tolvi {
namespace {

using test::Apply;
using test::RecordingServices;

TEST(Atzar, SameSeedSameSequence) {
  Atzar a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const double x = a.Rnd();
    EXPECT_EQ(x, b.Rnd());
    differs = differs || x != c.Rnd();
  }
  EXPECT_TRUE(differs);
}

TEST(Atzar, DrawsStayInTheirBounds) {
  Atzar rng(7);
  std::set<int> seen;
  for (int i = 0; i < 5000; ++i) {
    const double u = rng.Rnd();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    seen.insert(rng.AtzarEnter(1, 8));
    const int16_t wide = rng.AtzarEnter(-32768, 32767);
    (void)wide;  // any 16-bit value; the draw must not overflow on the way
    const double r = rng.AtzarReal(0.1, 0.9);
    ASSERT_GE(r, 0.1);
    ASSERT_LT(r, 0.9);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(rng.AtzarEnter(5, 5), 5);
}

// The fields a panel's case fills, in the order they are drawn.
const std::vector<std::vector<std::string>> kFilled = {
    {"Id(0)", "Id(1)", "Id(2)"},       {"IdK", "IdA", "IdB"},
    {"Idg(0)", "Idg(1)", "Idg(2)"},    {"IdKg", "IdAg", "IdBg"},
    {"IdI(0)", "IdI(1)", "IdI(2)"},    {"IdI(4)", "IdI(5)", "IdI(6)"},
    {"IdI(8)", "IdI(9)", "IdI(10)"},   {"IdI(12)", "IdI(13)", "IdI(14)"},
};

int Whole(const std::string& text) {
  int16_t v = -1;
  EXPECT_TRUE(LlegeixEnter(text, v)) << text;
  EXPECT_EQ(std::to_string(v), text);
  return v;
}

void ExpectIn(const std::string& text, int lo, int hi, int step = 1) {
  const int v = Whole(text);
  EXPECT_GE(v, lo) << text;
  EXPECT_LE(v, hi) << text;
  EXPECT_EQ(v % step, 0) << text;
}

class GeneraCasPanel : public testing::TestWithParam<int> {};

TEST_P(GeneraCasPanel, FillsItsThreeFieldsWithinRange) {
  const int16_t key = static_cast<int16_t>(GetParam());
  MemoryForm form;
  int fractional = 0;
  for (uint64_t seed = 1; seed <= 300; ++seed) {
    Atzar rng(seed);
    SolveOutcome out = GeneraCas(key, form, rng);
    EXPECT_FALSE(out.solved);
    EXPECT_FALSE(out.record);
    ASSERT_EQ(out.edits.size(), 3u);
    std::vector<std::string> t;
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(out.edits[i].kind, FormEdit::Text);
      EXPECT_EQ(out.edits[i].name, kFilled[key][i]);
      t.push_back(out.edits[i].text);
    }
    switch (key) {
      case 0:
        ExpectIn(t[0], 1, 8), ExpectIn(t[1], 1, 8), ExpectIn(t[2], 4, 9);
        break;
      case 1:
      case 3:
        ExpectIn(t[0], 2, 6), ExpectIn(t[1], 1, 8), ExpectIn(t[2], 1, 9);
        EXPECT_NE(t[1], t[2]);
        break;
      case 2: {
        ExpectIn(t[0], 1, 8), ExpectIn(t[2], 4, 9);
        double r = 0;
        ASSERT_TRUE(LlegeixNum(t[1], r)) << t[1];
        if (r >= 2) {
          ExpectIn(t[1], 2, 5);
        } else {
          ++fractional;
          EXPECT_GE(r, 0.09995) << t[1];
          EXPECT_LE(r, 0.9) << t[1];
          // At most four decimals, or a fraction.
          const auto dot = t[1].find('.');
          if (dot != std::string::npos) {
            EXPECT_LE(t[1].size() - dot - 1, 4u) << t[1];
          }
        }
        break;
      }
      default:
        ExpectIn(t[0], 1000, 8000, 1000), ExpectIn(t[1], 2, 12), ExpectIn(t[2], 5, 20, 5);
        break;
    }
  }
  // About three ratios in ten are below 1.
  if (key == 2) {
    EXPECT_GT(fractional, 60);
    EXPECT_LT(fractional, 120);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, GeneraCasPanel, testing::Range(0, 8));

TEST(GeneraCas, UnknownKeyWritesNothing) {
  MemoryForm form;
  Atzar rng(1);
  EXPECT_TRUE(GeneraCas(8, form, rng).edits.empty());
  EXPECT_TRUE(GeneraCas(-1, form, rng).edits.empty());
}

// A generated arithmetic case always solves, with the subscript the user left in Id1a.
TEST(GeneraCas, ArithmeticCasesSolve) {
  for (const char* k : {"1", "3"}) {
    for (uint64_t seed = 1; seed <= 100; ++seed) {
      MemoryForm form;
      form.setText("Id1a", k);
      form.setText("Id(3)", "99");  // left by an earlier case: overwritten
      Atzar rng(seed);
      Apply(GeneraCas(0, form, rng), form);
      RecordingServices ui;
      SolveContext ctx{ui};
      SolveOutcome out = ResolA(form, ctx);
      Apply(out, form);
      ASSERT_TRUE(out.solved) << "seed " << seed;
      EXPECT_TRUE(ui.messages.empty());
      EXPECT_EQ(form.text("Id1a"), k);
      // a_n = a_k + (n − k)·d, whole because every given is.
      double ak = 0, d = 0, n = 0, an = 0;
      LlegeixNum(form.text("Id(0)"), ak);
      LlegeixNum(form.text("Id(1)"), d);
      LlegeixNum(form.text("Id(2)"), n);
      LlegeixNum(form.text("Id(3)"), an);
      EXPECT_EQ(an, ak + (n - (k[0] - '0')) * d);
      EXPECT_TRUE(out.record->Enun.find(std::string("  a") + k + " = ") != std::string::npos);
    }
  }
}

TEST(GeneraCas, InterpolationCasesSolve) {
  for (uint64_t seed = 1; seed <= 100; ++seed) {
    MemoryForm form;
    Atzar rng(seed);
    Apply(GeneraCas(1, form, rng), form);
    RecordingServices ui;
    SolveContext ctx{ui};
    SolveOutcome out = InterpA(form, ctx);
    Apply(out, form);
    ASSERT_TRUE(out.solved) << "seed " << seed;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(form.text("Idd").empty());
    EXPECT_FALSE(form.text("IdTrms").empty());
  }
}

}  // namespace
}  // namespace tolvi
