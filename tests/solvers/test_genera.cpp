#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "numeric/numtext.h"
#include "solvers/arithmetic.h"
#include "solvers/atzar.h"
#include "solvers/genera.h"
#include "solvers/geometric.h"
#include "solvers/interest.h"

namespace tolvi {
namespace {

// Draws within their bounds, every whole value reached, the widest 16-bit bounds included.
TEST(Atzar, DrawsWithinBounds) {
  Atzar rng(7);
  std::set<int> seen;
  int16_t lowest = 0, highest = 0;
  for (int i = 0; i < 5000; ++i) {
    seen.insert(rng.AtzarEnter(1, 8));
    const int16_t wide = rng.AtzarEnter(-32768, 32767);  // must not overflow on the way
    lowest = std::min(lowest, wide), highest = std::max(highest, wide);
    const double r = rng.AtzarReal(0.1, 0.9);
    ASSERT_TRUE(r >= 0.1 && r < 0.9);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(lowest < -30000 && highest > 30000);
  EXPECT_EQ(rng.AtzarEnter(5, 5), 5);
}

// The whole values each panel draws in its three fields, {lowest, highest} (the ratio of key 2
// is whole from 2 to 5 when it is not below 1).
constexpr int kRanges[8][3][2] = {
    {{1, 8}, {1, 8}, {4, 9}},          {{2, 6}, {1, 8}, {1, 9}},
    {{1, 8}, {2, 5}, {4, 9}},          {{2, 6}, {1, 8}, {1, 9}},
    {{1000, 8000}, {2, 12}, {5, 20}},  {{1000, 8000}, {2, 12}, {5, 20}},
    {{1000, 8000}, {2, 12}, {5, 20}},  {{1000, 8000}, {2, 12}, {5, 20}}};

// Every generated case is three short numbers (whole, or a ratio below 1 with the 3 decimals
// its statement shows) that solve without a word or a choice; an arithmetic one keeps the
// subscript the user left in Id1a.
TEST(GeneraCas, FillsThreeFieldsThatSolve) {
  for (int16_t key = 0; key < 8; ++key) {
    int fractional = 0;
    std::array<std::set<double>, 3> drawn;  // the whole values; 300 draws reach both ends
    for (uint64_t seed = 1; seed <= 300; ++seed) {
      SCOPED_TRACE("key " + std::to_string(key) + " seed " + std::to_string(seed));
      MemoryForm form;
      form.setText(ctl::Id1a, "3");
      form.setText(ctl::Id(3), "99");  // left by an earlier case: overwritten
      Atzar rng(seed);
      SolveOutcome out = GeneraCas(key, form, rng);
      ASSERT_EQ(out.edits.size(), 3u);
      EXPECT_FALSE(out.solved || out.record);
      for (size_t i = 0; i < 3; ++i) {
        const FormEdit& e = out.edits[i];
        double v = 0;
        ASSERT_TRUE(e.kind == FormEdit::Text && LlegeixNum(e.text, v)) << e.text;
        if (v < 1) ++fractional;
        else drawn[i].insert(v);
        EXPECT_TRUE(v < 1 ? v >= 0.0995 && e.text.size() <= 5 : TextCurt(v) == e.text) << e.text;
      }
      if (key == 1 || key == 3) {  // something to insert
        EXPECT_NE(out.edits[1].text, out.edits[2].text);
      }
      test::Apply(out, form);
      test::Solved r = test::Solve(form, [key](const Form& f, SolveContext& c) {
        return key >= 4    ? ResolI(static_cast<int16_t>(key - 4), f, c)
               : key == 0 ? ResolA(f, c)
               : key == 1 ? InterpA(f, c)
               : key == 2 ? ResolG(f, c)
                          : InterpG(f, c);
      });
      ASSERT_TRUE(r.out.solved);
      EXPECT_TRUE(r.ui.messages.empty() && r.ui.choices.empty());
      if (key == 2) {  // the statement shows the ratio the case was solved with
        const std::string& enun = r.out.record->Enun;
        const size_t at = enun.find("r = ") + 4;
        double shown = 0, typed = 0;
        ASSERT_TRUE(LlegeixNum(enun.substr(at, enun.find('\r') - at), shown)) << enun;
        LlegeixNum(r.text(ctl::Idg(1)), typed);
        EXPECT_EQ(shown, typed) << enun;
      }
      if (key == 0) {
        EXPECT_EQ(r.text(ctl::Id1a), "3");
        EXPECT_NE(r.out.record->Enun.find("  a3 = "), std::string::npos);
      }
    }
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(*drawn[i].begin(), kRanges[key][i][0]) << key << " field " << i;
      EXPECT_EQ(*drawn[i].rbegin(), kRanges[key][i][1]) << key << " field " << i;
    }
    // About three ratios in ten are below 1, and nothing else is.
    EXPECT_TRUE(key == 2 ? fractional > 60 && fractional < 120 : fractional == 0) << fractional;
  }
  Atzar rng(1);
  EXPECT_TRUE(GeneraCas(8, MemoryForm{}, rng).edits.empty());
  EXPECT_TRUE(GeneraCas(-1, MemoryForm{}, rng).edits.empty());
}

}  // namespace
}  // namespace tolvi
