#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
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

TEST(Atzar, SameSeedSameSequenceAndDrawsWithinBounds) {
  Atzar a(42), b(42), c(43), rng(7);
  bool differs = false;
  std::set<int> seen;
  int16_t lowest = 0, highest = 0;
  for (int i = 0; i < 5000; ++i) {
    const double u = a.Rnd();
    ASSERT_EQ(u, b.Rnd());
    differs = differs || u != c.Rnd();
    ASSERT_TRUE(u >= 0 && u < 1);
    seen.insert(rng.AtzarEnter(1, 8));
    const int16_t wide = rng.AtzarEnter(-32768, 32767);  // must not overflow on the way
    lowest = std::min(lowest, wide), highest = std::max(highest, wide);
    const double r = rng.AtzarReal(0.1, 0.9);
    ASSERT_TRUE(r >= 0.1 && r < 0.9);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(lowest < -30000 && highest > 30000);
  EXPECT_EQ(rng.AtzarEnter(5, 5), 5);
}

// Each panel's three fields, in the order they are drawn, and the ranges {lo, hi, step} of
// their whole values; 300 draws reach both ends of each. The ratio of key 2 is marked step 0:
// whole from 2 to 5, or below 1.
struct Panel {
  std::array<std::string, 3> names;
  std::array<std::array<int, 3>, 3> ranges;
};
const Panel kPanels[8] = {
    {{ctl::Id(0), ctl::Id(1), ctl::Id(2)}, {{{1, 8, 1}, {1, 8, 1}, {4, 9, 1}}}},
    {{ctl::IdK, ctl::IdA, ctl::IdB}, {{{2, 6, 1}, {1, 8, 1}, {1, 9, 1}}}},
    {{ctl::Idg(0), ctl::Idg(1), ctl::Idg(2)}, {{{1, 8, 1}, {2, 5, 0}, {4, 9, 1}}}},
    {{ctl::IdKg, ctl::IdAg, ctl::IdBg}, {{{2, 6, 1}, {1, 8, 1}, {1, 9, 1}}}},
    {{ctl::IdI(0), ctl::IdI(1), ctl::IdI(2)}, {{{1000, 8000, 1000}, {2, 12, 1}, {5, 20, 5}}}},
    {{ctl::IdI(4), ctl::IdI(5), ctl::IdI(6)}, {{{1000, 8000, 1000}, {2, 12, 1}, {5, 20, 5}}}},
    {{ctl::IdI(8), ctl::IdI(9), ctl::IdI(10)}, {{{1000, 8000, 1000}, {2, 12, 1}, {5, 20, 5}}}},
    {{ctl::IdI(12), ctl::IdI(13), ctl::IdI(14)}, {{{1000, 8000, 1000}, {2, 12, 1}, {5, 20, 5}}}},
};

// Every generated case lies within its ranges and solves without a word; an arithmetic one
// keeps the subscript the user left in Id1a.
TEST(GeneraCas, FillsThreeFieldsWithinTheirRangesAndSolves) {
  using Solver = std::function<SolveOutcome(const Form&, SolveContext&)>;
  const Solver solvers[8] = {
      ResolA, InterpA, [](const Form& f, SolveContext& c) { return ResolG(f, c); }, InterpG,
      [](const Form& f, SolveContext& c) { return ResolI(0, f, c); },
      [](const Form& f, SolveContext& c) { return ResolI(1, f, c); },
      [](const Form& f, SolveContext& c) { return ResolI(2, f, c); },
      [](const Form& f, SolveContext& c) { return ResolI(3, f, c); }};
  for (int16_t key = 0; key < 8; ++key) {
    int fractional = 0;
    std::array<std::set<double>, 3> drawn;
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
        const std::string& t = out.edits[i].text;
        const int step = kPanels[key].ranges[i][2];
        EXPECT_EQ(out.edits[i].kind, FormEdit::Text);
        EXPECT_EQ(out.edits[i].name, kPanels[key].names[i]);
        double v = 0;
        ASSERT_TRUE(LlegeixNum(t, v)) << t;
        if (step == 0 && v < 1) {  // a ratio below 1: at most three decimals
          ++fractional;
          EXPECT_TRUE(v >= 0.0995 && v <= 0.9) << t;
          EXPECT_TRUE(t.find('.') == std::string::npos || t.size() - t.find('.') <= 4) << t;
          continue;
        }
        EXPECT_EQ(TextCurt(v), t);  // a plain whole number
        EXPECT_TRUE(std::fmod(v, step ? step : 1) == 0) << t;
        drawn[i].insert(v);
      }
      if (key == 1 || key == 3) {
        EXPECT_NE(out.edits[1].text, out.edits[2].text);
      }
      test::Apply(out, form);
      test::Solved r = test::Solve(form, solvers[key]);
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
      if (key != 0) continue;
      // a_n = a_3 + (n − 3)·d, whole because every given is.
      double ak = 0, d = 0, n = 0, an = 0;
      LlegeixNum(r.text(ctl::Id(0)), ak), LlegeixNum(r.text(ctl::Id(1)), d);
      LlegeixNum(r.text(ctl::Id(2)), n), LlegeixNum(r.text(ctl::Id(3)), an);
      EXPECT_EQ(an, ak + (n - 3) * d);
      EXPECT_EQ(r.text(ctl::Id1a), "3");
      EXPECT_NE(r.out.record->Enun.find("  a3 = "), std::string::npos);
    }
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(*drawn[i].begin(), kPanels[key].ranges[i][0]) << i;
      EXPECT_EQ(*drawn[i].rbegin(), kPanels[key].ranges[i][1]) << i;
    }
    // About three ratios in ten are below 1.
    if (key == 2) {
      EXPECT_TRUE(fractional > 60 && fractional < 120) << fractional;
    }
  }
  Atzar rng(1);
  EXPECT_TRUE(GeneraCas(8, MemoryForm{}, rng).edits.empty());
  EXPECT_TRUE(GeneraCas(-1, MemoryForm{}, rng).edits.empty());
}

}  // namespace
}  // namespace tolvi
