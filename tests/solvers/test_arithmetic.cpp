#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "fake_services.h"
#include "solvers/arithmetic.h"

namespace tolvi {
namespace {

using test::Apply;
using test::RecordingServices;
using test::Shown;

const Shown kNoSolutions{"No hay soluciones", "No factible", Icon::None};
const Shown kTooFew{"Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation};
const Shown kNoChars{"Caràcter(s) no permeso(s)", "Error", Icon::None};

struct Solved {
  SolveOutcome out;
  MemoryForm form;
  std::vector<Shown> shown;
  std::string field(int i) const { return form.text(Nom("Id", i)); }
};

// Types k into Id1a and the five texts into Id(0)..Id(4), presses Solve, applies the outcome.
Solved SolveA(const std::string& k, const std::array<std::string, 5>& ids) {
  Solved r;
  r.form.setText("Id1a", k);
  for (int i = 0; i < 5; ++i) r.form.setText(Nom("Id", i), ids[i]);
  r.form.setVisible("IdPA", false);
  RecordingServices ui;
  SolveContext ctx{ui};
  r.out = ResolA(r.form, ctx);
  Apply(r.out, r.form);
  r.shown = ui.messages;
  return r;
}

TEST(ResolA, WorkedExampleWritesFieldsThenTermsThenRecord) {
  Solved r = SolveA("1", {"3", "2", "10", "", ""});
  const std::string terms = " 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, ...";
  ASSERT_EQ(r.out.edits.size(), 4u);
  EXPECT_EQ(r.out.edits[0].name, "Id(3)");
  EXPECT_EQ(r.out.edits[0].text, "21");
  EXPECT_EQ(r.out.edits[1].name, "Id(4)");
  EXPECT_EQ(r.out.edits[1].text, "120");
  EXPECT_EQ(r.out.edits[2].name, "IdPA");
  EXPECT_EQ(r.out.edits[2].text, terms);
  EXPECT_EQ(r.out.edits[3].kind, FormEdit::Visible);
  EXPECT_TRUE(r.out.edits[3].on);
  ASSERT_TRUE(r.out.record);
  EXPECT_EQ(r.out.record->Enun,
            "En una progresi\u00f3n aritm\u00e9tica:   a1 = 3,  d = 2\r\nCalcula: a10 y S10");
  EXPECT_EQ(r.out.record->Resp, "a10 = 21, S10 = 120\r\nProgresi\u00f3n: " + terms);
  EXPECT_TRUE(r.out.solved);
  EXPECT_TRUE(r.shown.empty());
}

// One progression, a1 = 3, d = 2, a5 = 11, S5 = 35, recovered from every choice of three givens
// (a_k is a3 = 7 or a2 = 5 where k is not 1).
struct Recovery {
  const char* name;
  const char* k;
  std::array<std::string, 5> typed;
};

class ResolARecovers : public testing::TestWithParam<Recovery> {};

TEST_P(ResolARecovers, TheWholeProgression) {
  const Recovery& c = GetParam();
  Solved r = SolveA(c.k, c.typed);
  const std::string ak = c.k == std::string("3") ? "7" : c.k == std::string("2") ? "5" : "3";
  EXPECT_TRUE(r.shown.empty());
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.field(0), ak);
  EXPECT_EQ(r.field(1), "2");
  EXPECT_EQ(r.field(2), "5");
  EXPECT_EQ(r.field(3), "11");
  EXPECT_EQ(r.field(4), "35");
  EXPECT_EQ(r.form.text("IdPA"), " 3, 5, 7, 9, 11, ...");
  EXPECT_TRUE(r.form.visible("IdPA"));
}

INSTANTIATE_TEST_SUITE_P(
    AllCases, ResolARecovers,
    testing::Values(Recovery{"c012", "1", {"3", "2", "5", "", ""}},
                    Recovery{"c013", "1", {"3", "2", "", "11", ""}},
                    Recovery{"c014", "1", {"3", "2", "", "", "35"}},
                    Recovery{"c023", "1", {"3", "", "5", "11", ""}},
                    Recovery{"c024", "1", {"3", "", "5", "", "35"}},
                    Recovery{"c034", "1", {"3", "", "", "11", "35"}},
                    Recovery{"c123", "1", {"", "2", "5", "11", ""}},
                    Recovery{"c124", "1", {"", "2", "5", "", "35"}},
                    Recovery{"c134", "1", {"", "2", "", "11", "35"}},
                    Recovery{"c234", "1", {"", "", "5", "11", "35"}},
                    Recovery{"c012_k3", "3", {"7", "2", "5", "", ""}},
                    Recovery{"c013_k3", "3", {"7", "2", "", "11", ""}},
                    Recovery{"c014_k3", "3", {"7", "2", "", "", "35"}},
                    Recovery{"c023_k3", "3", {"7", "", "5", "11", ""}},
                    Recovery{"c034_k2", "2", {"5", "", "", "11", "35"}},
                    Recovery{"c034_k3", "3", {"7", "", "", "11", "35"}},
                    Recovery{"c123_k3", "3", {"", "2", "5", "11", ""}},
                    Recovery{"c124_k3", "3", {"", "2", "5", "", "35"}},
                    Recovery{"c134_k3", "3", {"", "2", "", "11", "35"}},
                    Recovery{"c234_k3", "3", {"", "", "5", "11", "35"}}),
    [](const auto& info) { return std::string(info.param.name); });

// How each case names its givens and its unknowns. "03" in the subscript box shows the two
// spellings of the known term: as typed (a03) and as the integer read (a3).
struct Wording {
  const char* name;
  const char* k;
  std::array<std::string, 5> typed;
  const char* givens;
  const char* asked;
  const char* answer;
};

class ResolAWording : public testing::TestWithParam<Wording> {};

TEST_P(ResolAWording, StatementAndAnswer) {
  const Wording& c = GetParam();
  Solved r = SolveA(c.k, c.typed);
  ASSERT_TRUE(r.out.record);
  EXPECT_EQ(r.out.record->Enun, std::string("En una progresi\u00f3n aritm\u00e9tica:") + c.givens +
                                    "\r\nCalcula: " + c.asked);
  EXPECT_EQ(r.out.record->Resp,
            std::string(c.answer) + "\r\nProgresi\u00f3n:  3, 5, 7, 9, 11, ...");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolAWording,
    testing::Values(
        Wording{"c012_k3", "3", {"7", "2", "5", "", ""}, "   a3 = 7,  d = 2", "a5 y S5",
                "a5 = 11, S5 = 35"},
        Wording{"c013", "1", {"3", "2", "", "11", ""}, "   a1 = 3,  d = 2,  an = 11", "n y Sn",
                "n = 5, Sn = 35"},
        Wording{"c013_k03", "03", {"7", "2", "", "11", ""}, "   a3 = 7,  d = 2,  an = 11",
                "n y Sn", "n = 5, Sn = 35"},
        Wording{"c024", "1", {"3", "", "5", "", "35"}, "   a1 = 3,  Sn = 35", "d y a5",
                "d = 2, a5 = 11"},
        Wording{"c034", "1", {"3", "", "", "11", "35"}, "   a1 = 3,  an = 11,  Sn = 35", "d y n",
                "d = 2, n = 5"},
        Wording{"c123_k03", "03", {"", "2", "5", "11", ""}, "   d = 2,  a5 = 11", "a03 y S5",
                "a03 = 7, S5 = 35"},
        Wording{"c124_k03", "03", {"", "2", "5", "", "35"}, "   d = 2,  S5 = 35", "a3 y a5",
                "a3 = 7, a5 = 11"},
        Wording{"c134", "1", {"", "2", "", "11", "35"}, "   d = 2,  an = 11,  Sn = 35", "n y a1",
                "n = 5, a1 = 3"},
        Wording{"c234", "1", {"", "", "5", "11", "35"}, "   a5 = 11,  S5 = 35", "a1 y d",
                "a1 = 3, d = 2"}),
    [](const auto& info) { return std::string(info.param.name); });

// Data a solve refuses: the messages shown, and the only edits made (a repaired subscript box).
struct Refusal {
  const char* name;
  const char* k;
  std::array<std::string, 5> typed;
  std::vector<Shown> shown;
  bool repairsK = false;
};

class ResolARefuses : public testing::TestWithParam<Refusal> {};

TEST_P(ResolARefuses, WithItsMessageAndWritesNoResult) {
  const Refusal& c = GetParam();
  Solved r = SolveA(c.k, c.typed);
  EXPECT_EQ(r.shown, c.shown);
  EXPECT_FALSE(r.out.solved);
  EXPECT_FALSE(r.out.record);
  ASSERT_EQ(r.out.edits.size(), c.repairsK ? 1u : 0u);
  if (c.repairsK) {
    EXPECT_EQ(r.form.text("Id1a"), "1");
  }
}

INSTANTIATE_TEST_SUITE_P(
    BadData, ResolARefuses,
    testing::Values(
        Refusal{"two_givens", "1", {"3", "2", "", "", ""}, {kTooFew}},
        Refusal{"no_integer_subscript", "x", {"3", "2", "", "", ""}, {kTooFew}, true},
        Refusal{"text_counts_as_blank", "1", {"abc", "2", "5", "", ""}, {kNoChars, kTooFew}},
        Refusal{"d_zero_checked_first", "1", {"3", "0", "", "", ""},
                {{"d debe ser <> 0", "valor incorrecto", Icon::None}}},
        Refusal{"n_one", "1", {"3", "2", "1", "", ""},
                {{"n debe ser > 1", "valor incorrecto", Icon::None}}},
        Refusal{"n_one_and_a_half", "1", {"3", "2", "1.5", "", ""},
                {{"n debe ser > 1", "valor incorrecto", Icon::None}}},
        Refusal{"c013_n_not_whole", "1", {"1", "2", "", "8", ""},
                {{"n=4.5\r\nn debe ser entero", "No factible", Icon::None}}},
        Refusal{"c034_negative_discriminant_is_silent", "2", {"5", "", "", "-3", "2"}, {}},
        Refusal{"c023_n_equals_k", "2", {"5", "", "2", "7", ""}, {kNoSolutions}},
        Refusal{"c024_n_plus_1_is_2k", "3", {"7", "", "5", "", "35"}, {kNoSolutions}},
        Refusal{"c014_no_real_n", "1", {"1", "1", "", "", "-10"}, {kNoSolutions}},
        Refusal{"c134_no_real_n", "1", {"", "2", "", "1", "10"}, {kNoSolutions}},
        Refusal{"c034_an_plus_ak_zero", "2", {"5", "", "", "-5", "3"}, {kNoSolutions}},
        Refusal{"c034_k1_an_plus_a1_zero", "1", {"2", "", "", "-2", "4"}, {kNoSolutions}},
        Refusal{"c034_k1_single_term", "1", {"3", "", "", "3", "3"}, {kNoSolutions}},
        Refusal{"c013_no_terms", "1", {"3", "2", "", "1", ""}, {kNoSolutions}},
        Refusal{"n_beyond_16_bits", "1", {"1", "1", "40000", "", ""}, {kNoSolutions}},
        Refusal{"overflow", "1", {"1e308", "1e308", "5", "", ""}, {kNoSolutions}},
        Refusal{"repair_kept_on_failure", "", {"1", "2", "", "8", ""},
                {{"n=4.5\r\nn debe ser entero", "No factible", Icon::None}}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Solves whose data are unusual but valid.
struct Unusual {
  const char* name;
  std::array<std::string, 5> typed;
  std::array<std::string, 5> fields;
  const char* terms;
};

class ResolAAccepts : public testing::TestWithParam<Unusual> {};

TEST_P(ResolAAccepts, AndFillsTheFields) {
  const Unusual& c = GetParam();
  Solved r = SolveA("1", c.typed);
  ASSERT_TRUE(r.out.solved);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r.field(i), c.fields[i]) << "Id(" << i << ")";
  EXPECT_EQ(r.form.text("IdPA"), c.terms);
}

INSTANTIATE_TEST_SUITE_P(
    Data, ResolAAccepts,
    testing::Values(
        // m = 3.5 rounds to 4: five terms.
        Unusual{"n_four_and_a_half", {"1", "1", "4.5", "", ""}, {"1", "1", "4.5", "9/2", "99/8"},
                " 1, 2, 3, 4, 5, ..."},
        Unusual{"fourth_given_is_recomputed", {"3", "2", "5", "99", ""},
                {"3", "2", "5", "11", "35"}, " 3, 5, 7, 9, 11, ..."},
        Unusual{"c023_zero_difference", {"4", "", "3", "4", ""}, {"4", "0", "3", "4", "12"},
                " 4, 4, 4, ..."},
        Unusual{"c023_fraction", {"0", "", "4", "1", ""}, {"0", "1/3", "4", "1", "2"},
                " 0, 1/3, 2/3, 1, ..."},
        Unusual{"three_decimals", {"0.1234", "1", "2", "", ""},
                {"0.1234", "1", "2", "1.123", "1.247"}, " 0.123, 1.123, ..."},
        Unusual{"c134_first_root_not_whole", {"", "2", "", "6.5", "12.5"},
                {"-3/2", "2", "5", "6.5", "12.5"}, " -3/2, 1/2, 5/2, 9/2, 13/2, ..."},
        Unusual{"c134_first_root_negative", {"", "2", "", "1", "-15"},
                {"-7", "2", "5", "1", "-15"}, " -7, -5, -3, -1, 1, ..."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolA, NFourAndAHalfNamesTheTermsAsTyped) {
  Solved r = SolveA("1", {"1", "1", "4.5", "", ""});
  ASSERT_TRUE(r.out.record);
  EXPECT_EQ(r.out.record->Enun.substr(r.out.record->Enun.find("Calcula")), "Calcula: a4.5 y S4.5");
}

TEST(ResolA, ExtraFieldThatIsNoNumberStillShowsTheCalculatorMessage) {
  Solved r = SolveA("1", {"3", "2", "5", "x", "1"});
  EXPECT_EQ(r.shown, std::vector<Shown>{kNoChars});
  EXPECT_EQ(r.field(3), "11");
  EXPECT_EQ(r.field(4), "35");
}

TEST(ResolA, RepairedSubscriptComesBeforeTheFoundFields) {
  Solved r = SolveA("", {"3", "2", "10", "", ""});
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.out.edits.front().name, "Id1a");
  EXPECT_EQ(r.out.edits.front().text, "1");
  EXPECT_EQ(r.out.edits[1].name, "Id(3)");
}

TEST(ResolA, LongTermListStopsAfterItsLimit) {
  Solved r = SolveA("1", {"1", "1", "32768", "", ""});
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.field(4), "536887296");
  const std::string terms = r.form.text("IdPA");
  EXPECT_EQ(std::count(terms.begin(), terms.end(), ','), MaxTermes);
  EXPECT_TRUE(terms.ends_with(", 999, 1000, ...")) << terms.substr(terms.size() - 40);
}

// Interpolation: types k, a and b, presses Solve, applies the outcome.
struct Interpolated {
  SolveOutcome out;
  MemoryForm form;
  std::vector<Shown> shown;
};

Interpolated InterpOn(const char* k, const char* a, const char* b) {
  Interpolated r;
  r.form.setText("IdK", k);
  r.form.setText("IdA", a);
  r.form.setText("IdB", b);
  RecordingServices ui;
  SolveContext ctx{ui};
  r.out = InterpA(r.form, ctx);
  Apply(r.out, r.form);
  r.shown = ui.messages;
  return r;
}

struct Interp {
  const char* name;
  const char* k;
  const char* a;
  const char* b;
  const char* d;    // nullptr: refused
  const char* list;
};

class InterpACase : public testing::TestWithParam<Interp> {};

TEST_P(InterpACase, WritesDifferenceAndTermsOrRefuses) {
  const Interp& c = GetParam();
  Interpolated r = InterpOn(c.k, c.a, c.b);
  if (!c.d) {
    ASSERT_FALSE(r.shown.empty());
    EXPECT_EQ(r.shown.back(), (Shown{"Faltan datos", "No se puede calcular", Icon::Exclamation}));
    EXPECT_TRUE(r.out.edits.empty());
    EXPECT_FALSE(r.out.solved);
    EXPECT_FALSE(r.out.record);
    return;
  }
  EXPECT_TRUE(r.shown.empty());
  EXPECT_TRUE(r.out.solved);
  EXPECT_EQ(r.form.text("Idd"), c.d);
  EXPECT_EQ(r.form.text("IdTrms"), c.list);
}

INSTANTIATE_TEST_SUITE_P(
    Data, InterpACase,
    testing::Values(Interp{"worked_example", "3", "2", "10", "2", "4, 6, 8"},
                    Interp{"k_zero", "0", "2", "10", "8", ""},
                    Interp{"equal_ends", "3", "5", "5", "0", "5, 5, 5"},
                    Interp{"a_zero", "1", "0", "4", "2", "2"},
                    Interp{"thirds", "2", "0", "1", "1/3", "1/3, 2/3"},
                    Interp{"k_rounded_half_to_even", "2.5", "0", "3", "1", "1, 2"},
                    Interp{"descending", "3", "10", "2", "-2", "8, 6, 4"},
                    Interp{"empty_k", "", "2", "10", nullptr, nullptr},
                    Interp{"empty_a", "3", "", "10", nullptr, nullptr},
                    Interp{"empty_b", "3", "2", "", nullptr, nullptr},
                    Interp{"a_typed_0_0", "3", "0.0", "10", nullptr, nullptr},
                    Interp{"k_minus_one", "-1", "2", "10", nullptr, nullptr},
                    Interp{"k_negative", "-3", "2", "10", nullptr, nullptr},
                    Interp{"k_32766", "32766", "2", "10", nullptr, nullptr},
                    Interp{"difference_overflows", "0", "-1e308", "1e308", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpA, WorkedExampleRecord) {
  const SolveOutcome out = InterpOn("3", "2", "10").out;
  ASSERT_TRUE(out.record);
  EXPECT_EQ(out.record->Enun,
            "Interpola  3 t\u00e9rminos entre 2 y 10 para que en conjunto formen una progresi\u00f3n "
            "aritm\u00e9tica: ");
  EXPECT_EQ(out.record->Resp, "d = (b-a)/(k+1) = 2; t\u00e9rminos: 4, 6, 8");
  ASSERT_EQ(out.edits.size(), 2u);
  EXPECT_EQ(out.edits[0].name, "Idd");
  EXPECT_EQ(out.edits[1].name, "IdTrms");
}

TEST(InterpA, LargestKGivesABoundedList) {
  Interpolated r = InterpOn("32765", "0", "32766");
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.form.text("Idd"), "1");
  const std::string list = r.form.text("IdTrms");
  EXPECT_TRUE(list.starts_with("1, 2, 3, "));
  EXPECT_TRUE(list.ends_with(", 999, 1000, ...")) << list.substr(list.size() - 40);
}

}  // namespace
}  // namespace tolvi
