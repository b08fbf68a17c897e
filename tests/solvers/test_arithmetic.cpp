#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "solvers/arithmetic.h"

namespace tolvi {
namespace {

using test::Solved;
using test::Shown;
using Texts = std::vector<std::string>;

const Shown kNoSolutions{"No hay soluciones", "No factible", Icon::None};
const Shown kTooFew{"Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation};
const Shown kTooMany{"n: como mucho 32767 (el mayor n\u00FAmero de t\u00E9rminos que se calcula)",
                     "valor incorrecto", Icon::None};

// A field's text the calculator refuses, named by its quantity.
Shown NoChars(const std::string& field) {
  return {field + ": Car\u00E1cter(es) no permitido(s)", "Error", Icon::None};
}

// k typed into Id1a, the five texts into Id(0)..Id(4), then Solve.
Solved SolveA(const std::string& k, const Texts& ids, std::deque<int> answers = {}) {
  MemoryForm form = test::Typed(ctl::Id, 0, ids);
  form.setText(ctl::Id1a, k);
  form.setVisible(ctl::IdPA, false);
  return test::Solve(std::move(form), ResolA, "\u20AC", std::move(answers));
}

// Found fields first, then the list: a field's change handler empties the list. An empty
// subscript box is set back to 1 first.
TEST(ResolA, WritesTheFoundFieldsThenTheList) {
  Solved r = SolveA("", {"3", "2", "5", "", ""});
  std::vector<std::string> names;
  for (const FormEdit& e : r.out.edits) names.push_back(e.name);
  EXPECT_EQ(names, (Texts{ctl::Id1a, ctl::Id(3), ctl::Id(4), ctl::IdPA, ctl::IdPA}));
  EXPECT_TRUE(r.form.visible(ctl::IdPA) && r.ui.messages.empty());
  EXPECT_EQ(r.text(ctl::Id1a) + " " + r.text(ctl::IdPA), "1  3, 5, 7, 9, 11, ...");
}

// The names each case gives its quantities in the statement and the answer, on 3, 5, 7, 9, 11
// (the values of every case code are the property tests'); "03" in the subscript box is named
// as typed (a03) and as read (a3).
TEST(ResolA, EachCaseNamesItsQuantities) {
  const struct { const char* k; Texts typed; const char* givens; const char* asked;
                 const char* answer; } rows[] = {
      {"1", {"3", "2", "5", "", ""}, "   a1 = 3,  d = 2", "a5 y S5", "a5 = 11, S5 = 35"},
      {"1", {"3", "2", "", "11", ""}, "   a1 = 3,  d = 2,  an = 11", "n y Sn", "n = 5, Sn = 35"},
      {"1", {"3", "", "5", "", "35"}, "   a1 = 3,  Sn = 35", "d y a5", "d = 2, a5 = 11"},
      {"1", {"3", "", "", "11", "35"}, "   a1 = 3,  an = 11,  Sn = 35", "d y n", "d = 2, n = 5"},
      {"1", {"", "2", "", "11", "35"}, "   d = 2,  an = 11,  Sn = 35", "n y a1", "n = 5, a1 = 3"},
      {"1", {"", "", "5", "11", "35"}, "   a5 = 11,  S5 = 35", "a1 y d", "a1 = 3, d = 2"},
      {"03", {"7", "2", "", "11", ""}, "   a3 = 7,  d = 2,  an = 11", "n y Sn", "n = 5, Sn = 35"},
      {"03", {"", "2", "5", "11", ""}, "   d = 2,  a5 = 11", "a03 y S5", "a03 = 7, S5 = 35"},
      {"03", {"", "2", "5", "", "35"}, "   d = 2,  S5 = 35", "a3 y a5", "a3 = 7, a5 = 11"},
  };
  for (const auto& c : rows) {
    SCOPED_TRACE(std::string("k=") + c.k + " " + testing::PrintToString(c.typed));
    Solved r = SolveA(c.k, c.typed, {1});  // "134" also admits n = 7 (a1 = -1)
    ASSERT_TRUE(r.out.solved && r.out.record);
    EXPECT_EQ(r.out.record->Enun,
              std::string("En una progresión aritmética:") + c.givens + "\r\nCalcula: " + c.asked);
    EXPECT_EQ(r.out.record->Resp, std::string(c.answer) + "\r\nProgresión:  3, 5, 7, 9, 11, ...");
  }
}

// Data a solve refuses: the messages shown, and no edit but a repaired subscript box.
TEST(ResolA, RefusesWithItsMessageAndWritesNoResult) {
  const Shown kBadN{"n debe ser > 1", "valor incorrecto", Icon::None};
  const struct { const char* k; Texts typed; std::vector<Shown> shown; bool repair = false; }
      rows[] = {
      {"1", {"3", "2", "", "", ""}, {kTooFew}},
      {"3", {"abc", "2", "5", "", ""}, {NoChars("a\u2083"), kTooFew}},  // a text counts as blank
      {"1", {"3", "0", "", "", ""}, {{"d debe ser <> 0", "valor incorrecto", Icon::None}}},
      {"1", {"3", "2", "1.5", "", ""}, {kBadN}},
      {"", {"1", "2", "", "8", ""}, {{"n=4.5\r\nn debe ser entero", "No factible"}}, true},  // the repair stays
      {"2", {"5", "", "", "-3", "2"}, {kNoSolutions}},    // "034", no real n
      // Formulas without a value.
      {"2", {"5", "", "2", "7", ""}, {kNoSolutions}},     // "023", n = k
      {"1", {"1", "1", "", "", "-10"}, {kNoSolutions}},   // "014", no real n
      {"2", {"5", "", "", "-5", "3"}, {kNoSolutions}},    // "034", a_n + a_k = 0
      {"1", {"3", "", "", "3", "3"}, {kNoSolutions}},     // "034" with k = 1, n = 1
      {"1", {"3", "2", "", "1", ""}, {kNoSolutions}},     // "013", n = 0
      // n beyond the largest count, typed or found.
      {"1", {"1", "1", "32768", "", ""}, {kTooMany}},
      {"1", {"1", "1", "", "40000", ""}, {{"n = 40000: como mucho 32767 (el mayor n\u00FAmero de t\u00E9rminos que se calcula)", "No factible", Icon::None}}},
      {"1", {"1e308", "1e308", "5", "", ""}, {kNoSolutions}},  // overflow
  };
  for (const auto& c : rows) {
    SCOPED_TRACE(std::string("k=") + c.k + " " + testing::PrintToString(c.typed));
    Solved r = SolveA(c.k, c.typed);
    EXPECT_EQ(r.ui.messages, c.shown);
    EXPECT_FALSE(r.out.solved || r.out.record);
    ASSERT_EQ(r.out.edits.size(), c.repair ? 1u : 0u);
    EXPECT_EQ(r.text(ctl::Id1a), c.repair ? "1" : c.k);
  }
}

TEST(ResolA, AcceptsUnusualData) {
  const struct { Texts typed, fields; const char* terms; } rows[] = {
      // n = 4.5: the sum uses it, and m = 3.5 rounds to 4: five terms.
      {{"1", "1", "4.5", "", ""}, {"1", "1", "4.5", "9/2", "99/8"}, " 1, 2, 3, 4, 5, ..."},
      // A fourth field is recomputed, even one that is no number (the calculator says so).
      {{"3", "2", "5", "x", "1"}, {"3", "2", "5", "11", "35"}, " 3, 5, 7, 9, 11, ..."},
      {{"3", "2", "", "3", ""}, {"3", "2", "1", "3", "3"}, " 3, ..."},  // a count of 1 found
      {{"4", "", "3", "4", ""}, {"4", "0", "3", "4", "12"}, " 4, 4, 4, ..."},
      {{"0.1234", "1", "2", "", ""}, {"0.1234", "1", "2", "1.123", "1.247"}, " 0.123, 1.123, ..."},
  };
  for (const auto& c : rows) {
    SCOPED_TRACE(testing::PrintToString(c.typed));
    Solved r = SolveA("1", c.typed);
    ASSERT_TRUE(r.out.solved);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.text(ctl::Id(i)), c.fields[static_cast<size_t>(i)]);
    EXPECT_EQ(r.text(ctl::IdPA), c.terms);
    EXPECT_EQ(r.ui.messages.size(), c.typed[3] == "x" ? 1u : 0u);
  }
  EXPECT_TRUE(SolveA("1", {"1", "1", "4.5", "", ""}).out.record->Enun.ends_with("a4.5 y S4.5"));
}

TEST(ResolA, LongTermListStopsAfterItsLimit) {
  Solved r = SolveA("1", {"1", "1", "32767", "", ""});
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.text(ctl::Id(4)), "536854528");
  const std::string terms = r.text(ctl::IdPA);
  EXPECT_EQ(std::count(terms.begin(), terms.end(), ','), MaxTermes);
  EXPECT_TRUE(terms.ends_with(", 999, 1000, ...")) << terms.substr(terms.size() - 40);
}

}  // namespace
}  // namespace tolvi
