#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "numeric/fun.h"
#include "numeric/numtext.h"
#include "solvers/geometric.h"

namespace tolvi {
namespace {

// Answers the option chooser from a queue and records what it was shown and told.
struct Guio : Services {
  struct Box { std::string text, title; Icon icon; };
  std::vector<Box> boxes;
  std::vector<std::pair<std::string, std::string>> choosers;  // caption, options
  std::deque<int> answers;
  void message(std::string_view t, std::string_view ti, Icon i) override {
    boxes.push_back({std::string(t), std::string(ti), i});
  }
  int chooseOption(std::string_view caption, std::string_view options) override {
    choosers.emplace_back(caption, options);
    if (answers.empty()) return ADD_FAILURE() << "unexpected chooser", 0;
    const int a = answers.front();
    return answers.pop_front(), a;
  }
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return false; }
  bool openDocument(const std::string&) override { return false; }
};

using Camps = std::array<std::string, 6>;  // the texts of Idg(0)..Idg(5)

// The geometric row as the window starts it, with the controller's way of applying an
// outcome: every text written into Idg(i) raises that field's change handler.
struct Fila {
  MemoryForm form;
  Guio ui;
  SolveContext ctx{ui};
  ValsG vals{};
  explicit Fila(const Camps& idg = {}, const std::string& k = "1", bool decr = false) {
    IniFuncions();
    form.setText("Id1g", k);
    for (int i = 0; i < 6; ++i) form.setText(Nom("Idg", i), idg[static_cast<size_t>(i)]);
    Aplica(MostraSumaInf(decr));
    form.setVisible("IdPG", false);
    form.setEnabled("BtGuard(2)", false);
  }
  SolveOutcome Aplica(SolveOutcome o) {
    for (const FormEdit& e : o.edits) {
      if (e.kind == FormEdit::Text) form.setText(e.name, e.text);
      if (e.kind == FormEdit::Enabled) form.setEnabled(e.name, e.on);
      if (e.kind == FormEdit::Visible) form.setVisible(e.name, e.on);
      if (e.kind == FormEdit::Text && e.name.rfind("Idg(", 0) == 0) Aplica(CanviIdg());
    }
    if (o.solved) form.setEnabled("BtGuard(2)", true);
    return o;
  }
  // Solve from the infinite sum when Idg(5) holds one, otherwise with the Ok button.
  SolveOutcome Resol() {
    if (form.text("Idg(5)").empty()) return Aplica(ResolG(form, ctx, vals));
    return Aplica(TeclaIdg(5, kTeclaEnter, form, ctx, vals).outcome);
  }
  double Val(int i) {
    double v = 0;
    EXPECT_TRUE(LlegeixNum(form.text(Nom("Idg", i)), v)) << Nom("Idg", i);
    return v;
  }
  bool Fila5() { return form.visible("Idg(5)") && form.enabled("OkS") && form.enabled("EtS"); }
};

TEST(ResolG, WorkedExample) {
  Fila f({"2", "3", "5"});
  SolveOutcome o = f.Resol();
  ASSERT_TRUE(o.solved && o.record);
  EXPECT_EQ(f.form.text("Idg(3)") + " " + f.form.text("Idg(4)"), "162 242");
  EXPECT_EQ(f.form.text("IdPG"), " 2, 6, 18, 54, 162, ...");
  EXPECT_TRUE(f.form.visible("IdPG") && f.form.enabled("BtGuard(2)") && !f.Fila5());
  EXPECT_EQ(o.record->Enun, "En una progresión geométrica:   a1 = 2,  r = 3\r\nCalcula: a5 y S5");
  EXPECT_EQ(o.record->Resp, "a5 = 162, S5 = 242\r\nProgresión:  2, 6, 18, 54, 162, ...");
  EXPECT_TRUE(f.ui.boxes.empty());
  f.form.setText("Idg(0)", "4");  // an edit withdraws the composed case
  f.Aplica(CanviIdg());
  EXPECT_FALSE(f.form.enabled("BtGuard(2)") || f.form.text("IdPG") != "");
}

TEST(ResolCasG, ComposesStatementAndAnswer) {
  const std::string list = "\r\nProgresión:  8, 4, 2, 1, ...";
  const struct { Camps idg; const char* k; const char* enun; std::string resp; } rows[] = {
      {{"8", "0.5", "4"}, "1", "  a1 = 8,  r = 1/2\r\nCalcula: a4, S4 y S",
       "a4 = 1, S4 = 15, S = 16" + list},
      {{"18", "3", "5"}, "3", "  a3 = 18,  r = 3\r\nCalcula: a5 y S5",
       "a5 = 162, S5 = 242\r\nProgresión:  2, 6, 18, 54, 162, ..."},
      {{"8", "", "4", "1"}, "1", " (r<1)   a1 = 8  a4 = 1\r\nCalcula: r, S4 y S",
       "r = 1/2, S4 = 15, S = 16" + list},
      {{"", "0.5", "4", "", "15"}, "1", "  r = 1/2  S4 = 15\r\nCalcula: a1, a4 y S",
       "a1 = 8, a4 = 1, S = 16" + list},
      {{"8", "0.5", "", "1"}, "1", "  a1 = 8,  r = 1/2,  an = 1\r\nCalcula: n, Sn y S",
       "n = 4, Sn = 15, S = 16" + list},
      {{"", "", "4", "", "15", "16"}, "1", " (r<1)   S4 = 15,  S = 16\r\nCalcula: a1, r y a4",
       "a1 = 8, r = 1/2, a4 = 1" + list},
      {{"", "", "2", "", "1", "3"}, "1", " (r<1)   S2 = 1,  S = 3\r\nCalcula: a1, r y a2",
       "a1 = 0.551, r = 0.8165, a2 = 0.44949\r\nProgresión:  0.551, 0.449, ..."},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(t.idg[0] + "," + t.idg[1] + "," + t.idg[2] + "," + t.idg[3] + "," +
                 t.idg[4] + "," + t.idg[5] + " k=" + t.k);
    Fila f(t.idg, t.k, true);
    SolveOutcome o = f.Resol();
    ASSERT_TRUE(o.record);
    EXPECT_EQ(o.record->Enun, std::string("En una progresión geométrica: ") + t.enun);
    EXPECT_EQ(o.record->Resp, t.resp);
  }
}

// The progression 8, 4, 2, 1 (S_4 = 15, S = 16) from every case that can reach it.
TEST(ResolCasG, EveryCaseRecoversItsProgression) {
  const struct { const char* code; Camps idg; const char* k; std::deque<int> answers; } rows[] = {
      {"012", {"8", "0.5", "4"}, "1", {}}, {"023", {"8", "", "4", "1"}, "1", {}},
      {"024", {"8", "", "4", "", "15"}, "1", {}}, {"123", {"", "0.5", "4", "1"}, "1", {}},
      {"124", {"", "0.5", "4", "", "15"}, "1", {}}, {"234", {"", "", "4", "1", "15"}, "1", {}},
      {"013", {"8", "0.5", "", "1"}, "1", {}}, {"014", {"8", "0.5", "", "", "15"}, "1", {}},
      {"134", {"", "0.5", "", "1", "15"}, "1", {}}, {"034", {"8", "", "", "1", "15"}, "1", {}},
      {"034 of 1/2, 4/7", {"4", "", "", "1", "15"}, "2", {1}},
      {"025", {"8", "", "4", "", "", "16"}, "1", {}},
      {"025 double root", {"4", "", "4", "", "", "16"}, "2", {}},
      {"025 equation", {"2", "", "4", "", "", "16"}, "3", {1}},
      {"125", {"", "0.5", "4", "", "", "16"}, "1", {}},
      {"135", {"", "0.5", "", "1", "", "16"}, "1", {}},
      {"145", {"", "0.5", "", "", "15", "16"}, "1", {}},
      {"235", {"", "", "4", "1", "", "16"}, "1", {1}},
      {"245", {"", "", "4", "", "15", "16"}, "1", {}},
      {"345", {"", "", "", "1", "15", "16"}, "1", {}},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.code) + " k=" + t.k);
    Fila f(t.idg, t.k, true);
    f.ui.answers = t.answers;
    ASSERT_TRUE(f.Resol().solved);
    const double want[] = {16 / std::pow(2.0, std::stod(t.k)), 0.5, 4, 1, 15, 16};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(f.Val(i), want[i], 1e-4) << i;
    EXPECT_EQ(f.form.text("IdPG"), " 8, 4, 2, 1, ...");
    EXPECT_TRUE(f.ui.answers.empty() && f.ui.boxes.empty());
  }
}

TEST(ResolCasG, SeveralRatiosAreChosenByTheUser) {
  for (int answer : {1, 2, 0}) {
    SCOPED_TRACE(answer);
    Fila f({"2", "", "3", "", "", "9"}, "2", true);
    f.ui.answers = {answer};
    SolveOutcome o = f.Resol();
    ASSERT_EQ(f.ui.choosers.size(), 1u);
    EXPECT_EQ(f.ui.choosers[0].first, "hay 2 soluciones");
    EXPECT_EQ(f.ui.choosers[0].second, "r=1/3;r=2/3");
    EXPECT_TRUE(f.ui.boxes.empty());
    const char* found[] = {"", "1/3 2/3 26/3", "2/3 4/3 19/3"};  // r, a_3, S_3
    if (answer == 0) {
      EXPECT_TRUE(o.edits.empty() && !o.record && !o.solved);
    } else {
      EXPECT_EQ(f.form.text("Idg(1)") + " " + f.form.text("Idg(3)") + " " + f.form.text("Idg(4)"),
                found[answer]);
    }
  }
}

// Refusals: the message shown, and nothing of the case written.
TEST(ResolCasG, RefusesWithItsMessageAndWritesNothing) {
  const char* none = "No hay soluciones";
  const Icon kEx = Icon::Exclamation;
  const struct { Camps idg; bool decr; const char* text; const char* title = "No factible";
                 Icon icon = Icon::None; const char* k = "1"; } rows[] = {
      {{"2", "3"}, false, "Se necesita 3 datos", "Datos insuficientes", kEx},
      {{"", "1"}, false, "r debe ser <> 1", "valor incorrecto"},
      {{"2", "3", "1.5"}, false, "n debe ser > 1", "valor incorrecto"},
      {{"2", "3", "", "100"}, false, "n=4.561\r\nn debe resultar entero"},
      {{"2", "3", "2.5"}, false, "n=2.5\r\nn debe resultar entero"},  // a given n as well
      {{"1", "", "3", "", "7"}, true, none},                          // no root in [0, 1]
      {{"2", "", "3", "-8"}, false, none},                            // ln of a negative
      {{"1", "", "", "5", "5"}, false, none},                         // S_n = a_n, k = 1
      {{"1", "20", "300"}, false, none},                              // overflow
      {{"1", "", "3", "", "", "0"}, true, none},                      // S = 0
      {{"3", "", "3", "", "", "9"}, true, none, "No factible", Icon::None, "2"},  // 4·a_2 > S
      {{"", "", "", "1", "11", "10"}, true, none},                    // zero divisor
      {{"", "", "", "1", "15", "10"}, true, "resulta r>1 (5/4"},
      {{"1", "0.5", "", "", "", "2"}, true, "S, a1, r no determinan n", "Caso no contemplado"},
      {{"1", "", "", "0.5", "", "2"}, true, "Caso no contemplado", "No factible", kEx},
      {{"", "0.5", "", "", "", "2"}, true, "Se necesita 3 datos", "Datos insuficientes"},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(t.idg[0] + "," + t.idg[1] + "," + t.idg[2] + "," + t.idg[3] + "," +
                 t.idg[4] + "," + t.idg[5]);
    Fila f(t.idg, t.k, t.decr);
    SolveOutcome o = f.Resol();
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, t.text);
    EXPECT_EQ(f.ui.boxes[0].title, t.title);
    EXPECT_EQ(f.ui.boxes[0].icon, t.icon);
    EXPECT_TRUE(o.edits.empty() && !o.record && !o.solved);
  }
}

TEST(ResolCasG, NegativeCoefficientsStillSolve) {
  Fila f({"-1", "", "3", "", "-7"});  // -1, -2, -4 through the equation of case 024
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_EQ(f.form.text("Idg(1)") + " " + f.form.text("Idg(3)"), "2 -4");
}

TEST(ResolG, ExtraFieldsAreOverwrittenAndABadSubscriptRepaired) {
  Fila f({"2", "3", "5", "999", "1"}, "x");
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_EQ(f.form.text("Id1g") + " " + f.form.text("Idg(3)") + " " + f.form.text("Idg(4)"),
            "1 162 242");
}

TEST(TeclaIdg, EnterWalksTheFieldsAndTheRatioOffersTheRow) {
  const struct { const char* text; int16_t i; bool fila; const char* focus; } rows[] = {
      {"0.5", 1, true, "Idg(2)"}, {"2", 1, false, "Idg(2)"}, {"", 1, true, "Idg(2)"},
      {"-0,5", 1, true, "Idg(2)"}, {"7", 4, false, "Idg(0)"}, {"abc", 1, false, ""}};
  for (const auto& t : rows) {
    SCOPED_TRACE(t.text);
    Fila f;
    f.form.setText(Nom("Idg", t.i), t.text);
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
  EXPECT_EQ(f.form.text("Idg(1)") + " " + f.form.text("Idg(4)"), "1/2 15/8");
  for (const char* bad : {"", "1-1"}) {
    f.form.setText("Idg(5)", bad);
    f.Aplica(TeclaIdg(5, kTeclaEnter, f.form, f.ctx, f.vals).outcome);
    EXPECT_EQ(f.form.text("Idg(5)"), "2");
  }
  Fila g({"", "", "", "", "", "abc"}, "1", true);
  g.Resol();
  EXPECT_EQ(g.form.text("Idg(5)"), "0");
  EXPECT_EQ(g.ui.boxes.size(), 1u);  // the calculator's own message
}

TEST(ClicIdg, ClickOnAnEmptySumEmptiesNAnAndSn) {
  Fila f({"1", "2", "3", "4", "5", ""});
  EXPECT_TRUE(ClicIdg(0, f.form, f.vals).edits.empty());
  f.Aplica(ClicIdg(5, f.form, f.vals));
  EXPECT_TRUE(f.Fila5());
  EXPECT_EQ(f.form.text("Idg(1)") + f.form.text("Idg(2)") + f.form.text("Idg(4)"), "2");
  f.form.setText("Idg(5)", "9");
  f.form.setText("Idg(2)", "3");
  f.Aplica(ClicIdg(5, f.form, f.vals));
  EXPECT_EQ(f.form.text("Idg(2)"), "3");
}

struct Interp { const char* k; const char* a; const char* b; const char* r; const char* list; };

SolveOutcome Interpola(const char* k, const char* a, const char* b, Guio& ui) {
  MemoryForm form;
  SolveContext ctx{ui};
  form.setText("IdKg", k), form.setText("IdAg", a), form.setText("IdBg", b);
  return InterpG(form, ctx);
}

TEST(InterpG, InsertsTheTerms) {
  const Interp rows[] = {{"2", "1", "-8", "-2", "-2, 4"}, {"3", "2", "32", "2", "4, 8, 16"},
                         {"1", "4", "9", "3/2", "6"},     {"0", "2", "6", "3", ""},
                         {"-3", "1", "-16", "-1/4", ""},  {"2,4", "1", "8", "2", "2, 4"}};
  for (const Interp& t : rows) {
    SCOPED_TRACE(std::string(t.k) + " " + t.a + " " + t.b);
    Guio ui;
    SolveOutcome o = Interpola(t.k, t.a, t.b, ui);
    ASSERT_TRUE(o.solved && o.record && o.edits.size() == 2);
    EXPECT_EQ(o.edits[0].name + "=" + o.edits[0].text, std::string("IdR=") + t.r);
    EXPECT_EQ(o.edits[1].name + "=" + o.edits[1].text, std::string("IdTG=") + t.list);
    EXPECT_EQ(o.record->Resp, std::string("r = e^(Ln(b/a)/(k+1)) = ") + t.r +
                                  "\r\nFactors a interpolar: " + t.list);
  }
  Guio ui;
  EXPECT_EQ(Interpola("3", "2", "32", ui).record->Enun,
            "Interpola:  3 términos entre 2 y 32 para que formen en conjunto una progresión "
            "geométrica: ");
}

TEST(InterpG, Refusals) {
  const char* parity = "Si a*b<0 => k ha de ser par";
  const char* falten = "Faltan datos";
  const Interp rows[] = {{"3", "1", "-16", parity, ""}, {"-1", "1", "2", falten, ""},
                         {"32766", "1", "2", falten, ""}, {"2", "0", "5", falten, ""},
                         {"2", "5", "0", falten, ""},     {"", "1", "2", falten, ""},
                         {"2", "", "2", falten, ""}};
  for (const Interp& t : rows) {
    SCOPED_TRACE(std::string(t.k) + " " + t.a + " " + t.b);
    Guio ui;
    SolveOutcome o = Interpola(t.k, t.a, t.b, ui);
    EXPECT_TRUE(o.edits.empty() && !o.record && !o.solved);
    ASSERT_EQ(ui.boxes.size(), 1u);
    const bool odd = std::string_view(t.r) == parity;
    EXPECT_EQ(ui.boxes[0].text, t.r);
    EXPECT_EQ(ui.boxes[0].title, odd ? "Cas no posible" : "No se puede calcular");
    EXPECT_EQ(ui.boxes[0].icon, odd ? Icon::None : Icon::Exclamation);
  }
}

}  // namespace
}  // namespace tolvi
