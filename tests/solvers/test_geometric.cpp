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
using Camps = std::array<std::string, 6>;  // the texts of Idg(0)..Idg(5)

std::string Join(const Camps& c) {
  return c[0] + "|" + c[1] + "|" + c[2] + "|" + c[3] + "|" + c[4] + "|" + c[5];
}

// The geometric row as the window starts it, with the controller's way of applying an
// outcome: every text written into Idg(i) raises that field's change handler.
struct Fila {
  MemoryForm form;
  RecordingServices ui;
  SolveContext ctx{ui};
  ValsG vals{};
  explicit Fila(const Camps& idg = {}, const std::string& k = "1", bool decr = false) {
    ui.defaultChoice = 0;  // the chooser cancels once its answers run out
    form.setText(ctl::Id1g, k);
    for (int i = 0; i < 6; ++i) form.setText(ctl::Idg(i), idg[static_cast<size_t>(i)]);
    Aplica(MostraSumaInf(decr));
    form.setVisible(ctl::IdPG, false);
    form.setEnabled(ctl::BtGuard(2), false);
  }
  SolveOutcome Aplica(SolveOutcome o) {
    test::Apply(o, form, [this](const std::string& name) {
      if (name.starts_with("Idg(")) Aplica(CanviIdg());
    });
    if (o.solved) form.setEnabled(ctl::BtGuard(2), true);
    return o;
  }
  // Solve from the infinite sum when Idg(5) holds one, otherwise with the Ok button.
  SolveOutcome Resol() {
    if (form.text(ctl::Idg(5)).empty()) return Aplica(ResolG(form, ctx, vals));
    return Aplica(TeclaIdg(5, kTeclaEnter, form, ctx, vals).outcome);
  }
  std::string Text(int i) const { return form.text(ctl::Idg(i)); }
  bool Fila5() { return form.visible(ctl::Idg(5)) && form.enabled(ctl::OkS) && form.enabled(ctl::EtS); }
};

TEST(ResolG, WorkedExampleAndItsWithdrawal) {
  Fila f({"2", "3", "5"});
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_EQ(f.Text(3) + " " + f.Text(4), "162 242");
  EXPECT_EQ(f.form.text(ctl::IdPG), " 2, 6, 18, 54, 162, ...");
  EXPECT_TRUE(f.form.visible(ctl::IdPG) && f.form.enabled(ctl::BtGuard(2)) && !f.Fila5());
  EXPECT_TRUE(f.ui.messages.empty());
  f.form.setText(ctl::Idg(0), "4");  // an edit withdraws the composed case
  f.Aplica(CanviIdg());
  EXPECT_FALSE(f.form.enabled(ctl::BtGuard(2)) || f.form.text(ctl::IdPG) != "");
}

TEST(ResolCasG, ComposesStatementAndAnswer) {
  const struct { Camps idg; const char* k; const char* enun; const char* resp; } rows[] = {
      {{"2", "3", "5"}, "1", "  a1 = 2,  r = 3\r\nCalcula: a5 y S5",
       "a5 = 162, S5 = 242\r\nProgresión:  2, 6, 18, 54, 162, ..."},
      {{"18", "3", "5"}, "3", "  a3 = 18,  r = 3\r\nCalcula: a5 y S5",
       "a5 = 162, S5 = 242\r\nProgresión:  2, 6, 18, 54, 162, ..."},
      {{"", "", "2", "", "1", "3"}, "1", " (r<1)   S2 = 1,  S = 3\r\nCalcula: a1, r y a2",
       "a1 = 0.551, r = 0.8165, a2 = 0.44949\r\nProgresión:  0.551, 0.449, ..."},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(Join(t.idg) + " k=" + t.k);
    Fila f(t.idg, t.k, true);
    f.ui.choiceAnswers = {2};  // r = ±0.8165 in the third row
    SolveOutcome o = f.Resol();
    ASSERT_TRUE(o.record);
    EXPECT_EQ(o.record->Enun, std::string("En una progresión geométrica: ") + t.enun);
    EXPECT_EQ(o.record->Resp, t.resp);
  }
}

// The progression 8, 4, 2, 1 (S_4 = 15, S = 16) through the cases that name it in the
// statement (" (r<1) " when the ratio is found below 1) or ask the chooser; every case code over
// random progressions is a property test of its own.
TEST(ResolCasG, EveryCaseRecoversItsProgression) {
  const struct { Camps idg; const char* k = "1"; std::deque<int> answers = {};
                 const char* enun = nullptr; const char* resp = nullptr; } rows[] = {
      {{"8", "0.5", "4"}, "1", {}, "  a1 = 8,  r = 1/2\r\nCalcula: a4, S4 y S",
       "a4 = 1, S4 = 15, S = 16"},
      {{"8", "", "4", "1"}, "1", {}, " (r<1)   a1 = 8  a4 = 1\r\nCalcula: r, S4 y S",
       "r = 1/2, S4 = 15, S = 16"},
      {{"", "0.5", "4", "", "15"}, "1", {}, "  r = 1/2  S4 = 15\r\nCalcula: a1, a4 y S",
       "a1 = 8, a4 = 1, S = 16"},
      {{"8", "0.5", "", "1"}, "1", {}, "  a1 = 8,  r = 1/2,  an = 1\r\nCalcula: n, Sn y S",
       "n = 4, Sn = 15, S = 16"},
      {{"4", "", "", "1", "15"}, "2"},  // "034": 4/7 gives no whole n, so 1/2 alone
      {{"4", "", "4", "", "", "16"}, "2"},  // "025", a double root: no chooser
      {{"2", "", "4", "", "", "16"}, "3", {2}},  // "025": -0.309, 1/2 and 0.809
      {{"", "", "4", "1", "", "16"}, "1", {1}},
      {{"", "", "4", "", "15", "16"}, "1", {2}, " (r<1)   S4 = 15,  S = 16\r\nCalcula: a1, r y a4",
       "a1 = 8, r = 1/2, a4 = 1"},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(Join(t.idg) + " k=" + t.k);
    Fila f(t.idg, t.k, true);
    f.ui.choiceAnswers = t.answers;
    SolveOutcome o = f.Resol();
    ASSERT_TRUE(o.solved && o.record);
    const double want[] = {16 / std::pow(2.0, std::stod(t.k)), 0.5, 4, 1, 15, 16};
    for (int i = 0; i < 6; ++i) {
      double v = 0;
      EXPECT_TRUE(LlegeixNum(f.Text(i), v) && std::fabs(v - want[i]) < 1e-4) << i << f.Text(i);
    }
    EXPECT_EQ(f.form.text(ctl::IdPG), " 8, 4, 2, 1, ...");
    EXPECT_TRUE(f.ui.choiceAnswers.empty() && f.ui.messages.empty());
    EXPECT_EQ(f.ui.choices.size(), t.answers.size());
    if (!t.enun) continue;
    EXPECT_EQ(o.record->Enun, std::string("En una progresión geométrica: ") + t.enun);
    EXPECT_EQ(o.record->Resp, std::string(t.resp) + "\r\nProgresión:  8, 4, 2, 1, ...");
  }
}

TEST(ResolCasG, SeveralRatiosAreChosenByTheUser) {
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
    SCOPED_TRACE(Join(t.idg));
    Fila f(t.idg, t.k, t.decr);
    SolveOutcome o = f.Resol();
    EXPECT_EQ(f.ui.messages, std::vector<Shown>{t.shown});
    EXPECT_TRUE(o.edits.empty() && !o.record && !o.solved);
  }
}

TEST(ResolG, NegativeCoefficientsAndExtraFields) {
  Fila f({"-1", "", "3", "", "-7"});  // -1, -2, -4 (or -1, 3, -9) through case 024
  f.ui.choiceAnswers = {2};
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_EQ(f.ui.choices.front().options, (std::vector<std::string>{"r=-3", "r=2"}));
  EXPECT_EQ(f.Text(1) + " " + f.Text(3), "2 -4");
  Fila g({"2", "3", "5", "999", "1"}, "x");  // overwritten, and the subscript repaired
  ASSERT_TRUE(g.Resol().solved);
  EXPECT_EQ(g.form.text(ctl::Id1g) + " " + g.Text(3) + " " + g.Text(4), "1 162 242");
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

TEST(TeclaIdg, EnterInTheSumSolvesOrPutsThePreviousSumBack) {
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
}

TEST(ClicIdg, ClickOnAnEmptySumEmptiesNAnAndSn) {
  Fila f({"1", "2", "3", "4", "5", ""});
  EXPECT_TRUE(ClicIdg(0, f.form, f.vals).edits.empty());
  f.Aplica(ClicIdg(5, f.form, f.vals));
  EXPECT_TRUE(f.Fila5());
  EXPECT_EQ(f.Text(1) + f.Text(2) + f.Text(3) + f.Text(4), "2");
  f.form.setText(ctl::Idg(5), "9");
  f.form.setText(ctl::Idg(2), "3");
  f.Aplica(ClicIdg(5, f.form, f.vals));
  EXPECT_EQ(f.Text(2), "3");
}

test::Solved Interpola(const char* k, const char* a, const char* b) {
  MemoryForm form;
  form.setText(ctl::IdKg, k), form.setText(ctl::IdAg, a), form.setText(ctl::IdBg, b);
  return test::Solve(std::move(form), InterpG);
}

TEST(InterpG, InsertsTheTerms) {
  const struct { const char* k; const char* a; const char* b; const char* r; const char* list; }
      rows[] = {{"2", "1", "-8", "-2", "-2, 4"}, {"3", "2", "32", "2", "4, 8, 16"},
                {"1", "4", "9", "3/2", "6"},     {"0", "2", "6", "3", ""},
                {"-3", "1", "-16", "-1/4", ""},  {"2,4", "1", "8", "2", "2, 4"}};
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.k) + " " + t.a + " " + t.b);
    test::Solved r = Interpola(t.k, t.a, t.b);
    ASSERT_TRUE(r.out.solved && r.out.record && r.out.edits.size() == 2);
    EXPECT_EQ(r.text(ctl::IdR) + "|" + r.text(ctl::IdTG), std::string(t.r) + "|" + t.list);
    EXPECT_EQ(r.out.record->Resp, std::string("r = e^(Ln(b/a)/(k+1)) = ") + t.r +
                                      "\r\nTérminos a interpolar: " + t.list);
  }
  EXPECT_EQ(Interpola("3", "2", "32").out.record->Enun,
            "Interpola:  3 términos entre 2 y 32 para que formen en conjunto una progresión "
            "geométrica: ");
}

TEST(InterpG, Refusals) {
  const Shown parity{"Si a*b<0 => k ha de ser par", "Cas no posible"};
  const Shown falten{"Faltan datos", "No se puede calcular", Icon::Exclamation};
  const struct { const char* k; const char* a; const char* b; Shown shown; } rows[] = {
      {"3", "1", "-16", parity}, {"-1", "1", "2", falten},
      {"32766", "1", "2", {"k: como mucho 32765 (el mayor n\u00FAmero de t\u00E9rminos que se calcula)",
                           "valor incorrecto"}},
      {"2", "0", "5", falten},   {"2", "5", "0", falten},  {"", "1", "2", falten},
      {"2", "", "2", falten}};
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.k) + " " + t.a + " " + t.b);
    test::Solved r = Interpola(t.k, t.a, t.b);
    EXPECT_TRUE(r.out.edits.empty() && !r.out.record && !r.out.solved);
    EXPECT_EQ(r.ui.messages, std::vector<Shown>{t.shown});
  }
}

}  // namespace
}  // namespace tolvi
