#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "numeric/numtext.h"
#include "solvers/geometric.h"

namespace tolvi {
namespace {

using test::Shown;
using test::Camps;
using test::Fila;

// A fourth field is overwritten and a subscript that is no number set back to 1; an edit then
// withdraws the case.
TEST(ResolG, WorkedExampleAndItsWithdrawal) {
  Fila f({"2", "3", "5", "999", "1"}, "x");
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_EQ(f.form.text(ctl::Id1g) + " " + f.Text(3) + " " + f.Text(4), "1 162 242");
  EXPECT_EQ(f.form.text(ctl::IdPG), " 2, 6, 18, 54, 162, ...");
  EXPECT_TRUE(f.form.visible(ctl::IdPG) && f.form.enabled(ctl::BtGuard(2)) && !f.Fila5());
  EXPECT_TRUE(f.ui.messages.empty());
  f.form.setText(ctl::Idg(0), "4");
  f.Aplica(CanviIdg());
  EXPECT_FALSE(f.form.enabled(ctl::BtGuard(2)) || f.form.text(ctl::IdPG) != "");
}

// The names each kind of case gives its quantities, " (r<1) " when the ratio is found below 1
// (the values of every case code are the property tests').
TEST(ResolCasG, ComposesStatementAndAnswer) {
  const struct { Camps idg; const char* k; const char* enun; const char* resp; } rows[] = {
      {{"18", "3", "5"}, "3", "  a3 = 18,  r = 3\r\nCalcula: a5 y S5",
       "a5 = 162, S5 = 242\r\nProgresión:  2, 6, 18, 54, 162, ..."},
      {{"", "", "2", "", "1", "3"}, "1", " (r<1)   S2 = 1,  S = 3\r\nCalcula: a1, r y a2",
       "a1 = 0.551, r = 0.8165, a2 = 0.44949\r\nProgresión:  0.551, 0.449, ..."},
      {{"8", "", "4", "1"}, "1", " (r<1)   a1 = 8  a4 = 1\r\nCalcula: r, S4 y S",
       "r = 1/2, S4 = 15, S = 16\r\nProgresión:  8, 4, 2, 1, ..."},
      {{"8", "0.5", "", "1"}, "1", "  a1 = 8,  r = 1/2,  an = 1\r\nCalcula: n, Sn y S",
       "n = 4, Sn = 15, S = 16\r\nProgresión:  8, 4, 2, 1, ..."},
      {{"", "0.5", "4", "", "15"}, "1", "  r = 1/2  S4 = 15\r\nCalcula: a1, a4 y S",
       "a1 = 8, a4 = 1, S = 16\r\nProgresión:  8, 4, 2, 1, ..."},
      {{"", "", "4", "", "15", "16"}, "1", " (r<1)   S4 = 15,  S = 16\r\nCalcula: a1, r y a4",
       "a1 = 8, r = 1/2, a4 = 1\r\nProgresión:  8, 4, 2, 1, ..."},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(testing::PrintToString(t.idg) + " k=" + t.k);
    Fila f(t.idg, t.k, true);
    f.ui.choiceAnswers = {2};  // r = ±0.8165 and 1/2 or 0.809 from the sums: the second
    SolveOutcome o = f.Resol();
    ASSERT_TRUE(o.record);
    EXPECT_EQ(o.record->Enun, std::string("En una progresión geométrica: ") + t.enun);
    EXPECT_EQ(o.record->Resp, t.resp);
  }
}

// The chooser offers every ratio once; cancelling it writes nothing. A double root, and a
// count of one term, need no choice; a ratio that is no number is named in the message.
TEST(ResolCasG, TheChooserOffersEachRatioOnce) {
  const char* found[] = {"  ", "1/3 2/3 26/3", "2/3 4/3 19/3"};  // r, a_3, S_3
  for (int answer : {1, 2, 0}) {
    SCOPED_TRACE(answer);
    Fila f({"2", "", "3", "", "", "9"}, "2", true);
    f.ui.choiceAnswers = {answer};
    SolveOutcome o = f.Resol();
    ASSERT_EQ(f.ui.choices.size(), 1u);
    EXPECT_EQ(f.ui.choices[0].caption, "hay 2 soluciones");
    EXPECT_EQ(f.ui.choices[0].options, (std::vector<std::string>{"r=1/3", "r=2/3"}));
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(o.solved && o.record && !o.edits.empty(), answer != 0);
    EXPECT_EQ(f.Text(1) + " " + f.Text(3) + " " + f.Text(4), found[answer]);
  }
  Fila twice({"4", "", "4", "", "", "16"}, "2", true);  // "025", a double root: no chooser
  ASSERT_TRUE(twice.Resol().solved);
  EXPECT_TRUE(twice.ui.choices.empty());
  EXPECT_EQ(twice.Text(1), "1/2");
  Fila one({"2", "3", "", "2"});  // a count of 1 found
  ASSERT_TRUE(one.Resol().solved);
  EXPECT_EQ(one.Text(2) + " " + one.Text(4), "1 2");
  Fila named({"2", "abc", "5", "162"});  // the calculator's message names the ratio
  named.Resol();
  EXPECT_EQ(named.ui.messages.at(0).text, "r: Car\u00E1cter(es) no permitido(s)");
}

// Refusals: the message shown, and nothing of the case written.
TEST(ResolCasG, RefusesWithItsMessageAndWritesNothing) {
  const Shown none{"No hay soluciones", "No factible"};
  const struct { Camps idg; bool decr; Shown shown; const char* k = "1"; } rows[] = {
      {{"2", "3"}, false, {"Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation}},
      {{"", "1"}, false, {"r debe ser <> 1", "valor incorrecto"}},
      {{"2", "3", "1.5"}, false, {"n debe ser > 1", "valor incorrecto"}},
      {{"2", "3", "", "100"}, false, {"n=4.561\r\nn debe resultar entero", "No factible"}},
      {{"2", "3", "2.5"}, false, {"n=2.5\r\nn debe resultar entero", "No factible"}},  // given n
      {{"1", "", "3", "", "7"}, true, none},      // no root in [0, 1]
      {{"2", "", "3", "-8"}, false, none},        // ln of a negative
      {{"1", "", "", "5", "5"}, false, none},     // S_n = a_n, k = 1
      {{"1", "20", "300"}, false, none},          // overflow
      {{"1", "", "3", "", "", "0"}, true, none},  // S = 0
      {{"3", "", "3", "", "", "9"}, true, none, "2"},  // 4·a_2 > S
      {{"", "", "", "1", "11", "10"}, true, none},     // zero divisor
      {{"", "", "", "1", "15", "10"}, true, {"resulta r>1 (5/4", "No factible"}},
      {{"1", "0.5", "", "", "", "2"}, true, {"S, a1, r no determinan n", "Caso no contemplado"}},
      {{"1", "", "", "0.5", "", "2"}, true,
       {"Caso no contemplado", "No factible", Icon::Exclamation}},
      {{"", "0.5", "", "", "", "2"}, true, {"Se necesita 3 datos", "Datos insuficientes"}},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(testing::PrintToString(t.idg));
    Fila f(t.idg, t.k, t.decr);
    SolveOutcome o = f.Resol();
    EXPECT_EQ(f.ui.messages, std::vector<Shown>{t.shown});
    EXPECT_TRUE(o.edits.empty() && !o.record && !o.solved);
  }
}

TEST(TeclaIdg, EnterWalksTheFieldsAndTheRatioOffersTheRow) {
  const struct { const char* text; int16_t i; bool fila; std::string focus; } rows[] = {
      {"0.5", 1, true, ctl::Idg(2)}, {"2", 1, false, ctl::Idg(2)}, {"", 1, true, ctl::Idg(2)},
      {"-0,5", 1, true, ctl::Idg(2)}, {"-1", 1, false, ctl::Idg(2)}, {"7", 4, false, ctl::Idg(0)},
      {"abc", 1, false, ""}};
  for (const auto& t : rows) {
    SCOPED_TRACE(t.text);
    Fila f;
    f.form.setText(ctl::Idg(t.i), t.text);
    EXPECT_TRUE(TeclaIdg(t.i, 'a', f.form, f.ctx, f.vals).focus.empty());
    RespostaTecla r = TeclaIdg(t.i, kTeclaEnter, f.form, f.ctx, f.vals);
    f.Aplica(r.outcome);
    EXPECT_EQ(r.focus, t.focus);
    EXPECT_EQ(f.Fila5(), t.fila);
  }
}

// Enter in the sum solves, or puts the previous sum back; a click on an empty sum empties n,
// a_n and S_n, and on a sum already typed changes nothing.
TEST(TeclaIdg, TheSumSolvesOrIsPutBackAndAClickOnItEmptiesTheRow) {
  Fila f({"1", "", "4", "", "", "2"}, "1", true);
  f.Resol();
  EXPECT_EQ(f.Text(1) + " " + f.Text(4), "1/2 15/8");
  for (const char* bad : {"", "1-1"}) {
    f.form.setText(ctl::Idg(5), bad);
    f.Aplica(TeclaIdg(5, kTeclaEnter, f.form, f.ctx, f.vals).outcome);
    EXPECT_EQ(f.Text(5), "2");
  }
  Fila g({"", "", "", "", "", "abc"}, "1", true);
  g.Resol();
  EXPECT_EQ(g.Text(5), "0");
  EXPECT_EQ(g.ui.messages.size(), 1u);  // the calculator's own message
  Fila h({"1", "2", "3", "4", "5", ""});
  EXPECT_TRUE(ClicIdg(0, h.form, h.vals).edits.empty());
  h.Aplica(ClicIdg(5, h.form, h.vals));
  EXPECT_TRUE(h.Fila5());
  EXPECT_EQ(h.Text(1) + h.Text(2) + h.Text(3) + h.Text(4), "2");
  h.form.setText(ctl::Idg(5), "9");
  h.form.setText(ctl::Idg(2), "3");
  h.Aplica(ClicIdg(5, h.form, h.vals));
  EXPECT_EQ(h.Text(2), "3");
}

}  // namespace
}  // namespace tolvi
