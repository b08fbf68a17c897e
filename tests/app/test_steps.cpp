// The working of every case code of every panel, over random consistent cases: each formula's
// computation, typed into the calculator, gives its result; the last step that finds a quantity
// shows what its field shows; an equation's chosen root is the value taken.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/panells.h"
#include "solvers/controls.h"
#include "numeric/calc.h"
#include "numeric/numtext.h"
#include "solvers/interest.h"
#include "window.h"

namespace tolvi {
namespace {

using testing::TestWindow;

// One unit of the last place a shown number has.
double Unit(const std::string& shown) {
  const size_t dot = shown.find('.');
  return dot == std::string::npos ? 1 : std::pow(10.0, -static_cast<double>(shown.size() - dot - 1));
}

struct Typed {
  int panel;
  std::string code;
  std::map<std::string, std::string> fields;  // alias -> text
};

// Checks the working the last solve of panel left, against the form.
void CheckWorking(TestWindow& w, const Typed& t) {
  SCOPED_TRACE("panel " + std::to_string(t.panel) + " code " + t.code);
  ASSERT_TRUE(w.saveEnabled(t.panel)) << (w.ui.messages.empty() ? "" : w.ui.messages.back().text);
  const Solution& sol = w.c.state().Solutions[static_cast<size_t>(t.panel)];
  const Panell& panel = *PanellPerNom(std::to_string(t.panel));
  ASSERT_FALSE(sol.steps.empty());
  std::map<std::string, std::string> last;  // alias -> the result of the last step finding it
  for (const Step& s : sol.steps) {
    SCOPED_TRACE(StepText(s));
    if (s.kind == StepKind::Formula) {
      const CalcResult calc = Avalua(s.expression);
      ASSERT_TRUE(calc.ok()) << s.expression;
      double shown = 0;
      ASSERT_TRUE(LlegeixNum(s.result, shown));
      EXPECT_NEAR(calc.value, shown, Unit(s.result) + 1e-7 * std::fabs(shown)) << s.expression;
    }
    if (s.kind == StepKind::Equation) {
      ASSERT_GE(s.chosen, 1);
      EXPECT_EQ(s.roots[static_cast<size_t>(s.chosen) - 1], s.result);
    }
    if (s.kind == StepKind::Refusal) ADD_FAILURE() << "a solved case closes with a refusal";
    if (!s.quantity.empty()) last[s.quantity] = s.result;
  }
  for (const Quantity& q : sol.quantities) {
    const std::string control = ControlDeCamp(panel, q.alias);
    if (q.given) continue;
    ASSERT_TRUE(last.count(q.alias)) << "no step finds " << q.alias;
    EXPECT_EQ(last[q.alias], q.text) << q.alias;
    if (!control.empty()) {
      EXPECT_EQ(q.text, w.form.text(control)) << q.alias;
    }
  }
}

void Solve(TestWindow& w, const Typed& t) {
  w.c.reset(static_cast<int16_t>(t.panel));
  const Panell& panel = *PanellPerNom(std::to_string(t.panel));
  const bool fromSum = t.panel == 2 && t.fields.count("s");
  if (t.panel == 2) w.c.showInfiniteSum(t.code.find('5') != std::string::npos);
  for (const auto& [alias, text] : t.fields) {
    const std::string control = ControlDeCamp(panel, alias);
    w.form.setText(control, text);
    w.c.fieldChanged(control);
  }
  if (fromSum)
    w.c.keyPressed(ctl::Idg(5), kEnter);
  else
    w.c.solve(static_cast<int16_t>(t.panel));
}

std::string T(double x) { return TextCurt(x); }

TEST(Steps, EveryCodeOfEveryPanelShowsWorkingThatAgreesWithItsFields) {
  TestWindow w;
  w.c.start();
  std::mt19937 gen(7);
  std::mt19937 periodGen(14);  // its own draws, so the other panels' cases stay as they were
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
  const char* kAlias[] = {"a", "d", "n", "an", "sn"};
  const char* kCodes[] = {"012", "023", "024", "123", "124", "234", "013", "014", "134", "034"};
  const char* kCodesG[] = {"012", "023", "024", "123", "124", "234", "013", "014", "134",
                           "034", "025", "125", "135", "145", "235", "245", "345"};
  const double kRatios[] = {2, 3, -2, 0.5, -0.5, 0.25};
  for (int round = 0; round < 12; ++round) {
    // Arithmetic: a whole first term and difference.
    const int k = pick(1, 4), n = pick(k + 1, 12), a1 = pick(-9, 9);
    int d = pick(-5, 5);
    if (d == 0) d = 3;
    const double va[5] = {static_cast<double>(a1 + (k - 1) * d), static_cast<double>(d),
                          static_cast<double>(n), static_cast<double>(a1 + (n - 1) * d),
                          (2.0 * a1 + (n - 1) * d) * n / 2};
    for (const char* code : kCodes) {
      Typed t{0, code, {{"k", std::to_string(k)}}};
      for (char c : std::string(code)) t.fields[kAlias[c - '0']] = T(va[c - '0']);
      Solve(w, t);
      CheckWorking(w, t);
    }
    // Geometric, the infinite sum among the data when the ratio is below 1.
    const double r = kRatios[pick(0, 5)];
    const int kg = pick(1, 3), ng = pick(kg + 1, 7), g1 = pick(1, 9);
    const double vg[6] = {g1 * std::pow(r, kg - 1), r, static_cast<double>(ng),
                          g1 * std::pow(r, ng - 1), g1 * (std::pow(r, ng) - 1) / (r - 1),
                          g1 / (1 - r)};
    const char* kAliasG[] = {"a", "r", "n", "an", "sn", "s"};
    for (const char* code : kCodesG) {
      const bool withSum = std::string(code).find('5') != std::string::npos;
      if (withSum && std::fabs(r) >= 1) continue;
      Typed t{2, code, {{"k", std::to_string(kg)}}};
      for (char c : std::string(code)) t.fields[kAliasG[c - '0']] = T(vg[c - '0']);
      Solve(w, t);
      CheckWorking(w, t);
    }
    // Interpolations.
    for (int panel : {1, 3}) {
      Typed t{panel, "", {{"k", std::to_string(pick(1, 5))}, {"a", "2"}, {"b", std::to_string(pick(3, 90))}}};
      Solve(w, t);
      CheckWorking(w, t);
    }
    // Interest and annuities: every unknown of each row, yearly with the usual timing in the
    // first rounds, then with payments (or compoundings) 2, 4 or 12 times a year and either
    // timing.
    const double capital = 1000 * pick(1, 8), rate = pick(2, 12), time = 5 * pick(1, 4);
    const int perYear = round < 4 ? 0 : static_cast<int>(periodGen() % 4);
    const int timing = round < 4 ? -1 : static_cast<int>(periodGen() % 2);
    for (int panel = 4; panel <= 7; ++panel) {
      const auto key = static_cast<int16_t>(panel);
      if (ctl::IdPer.has(key)) w.form.setCurrentIndex(ctl::IdPer(key), perYear);
      if (ctl::IdMom.has(key)) w.form.setCurrentIndex(ctl::IdMom(key), timing);
      const char* last = panel < 6 ? "final" : "annuity";
      const char* first = panel == 7 ? "debt" : "capital";
      Typed full{panel, "012", {{first, T(capital)}, {"rate", T(rate)}, {"time", T(time)}}};
      Solve(w, full);
      CheckWorking(w, full);
      const std::string found = w.form.text(ControlDeCamp(*PanellPerNom(std::to_string(panel)), last));
      const std::map<std::string, std::string> all = {
          {first, T(capital)}, {"rate", T(rate)}, {"time", T(time)}, {last, found}};
      for (const char* unknown : {first, "rate", "time"}) {
        Typed t{panel, unknown, all};
        t.fields.erase(unknown);
        Solve(w, t);
        CheckWorking(w, t);
      }
    }
  }
}

TEST(Steps, RefusalAndResetClose) {
  TestWindow w;
  w.c.start();
  const Typed t{0, "013", {{"a", "3"}, {"d", "2"}, {"an", "22"}}};  // n = 10.5
  Solve(w, t);
  const Solution& sol = w.c.state().Solutions[0];
  ASSERT_FALSE(sol.steps.empty());
  EXPECT_EQ(sol.steps.back().kind, StepKind::Refusal);
  EXPECT_NE(sol.steps.back().text.find("n debe ser entero"), std::string::npos);
  Solve(w, {0, "012", {{"a", "3"}, {"d", "2"}, {"n", "10"}}});
  EXPECT_FALSE(w.c.state().Solutions[0].empty());
  w.c.reset(0);
  EXPECT_TRUE(w.c.state().Solutions[0].empty());
}

TEST(Steps, MarkupRendersAsTextHtmlAndCalculatorSyntax) {
  struct Case {
    const char* markup;
    const char* text;
    const char* calc;
  } cases[] = {
      {"\\f{a_n − a_k}{n − k}", "(aₙ − aₖ)/(n − k)", "(an-ak)/(n-k)"},
      {"3·(-2)^{5 − 1}", "3·(−2)⁵⁻¹", "3*(-2)^(5-1)"},
      {"x^{2.5} + S_{10}", "x^2.5 + S₁₀", "x^(2.5)+S10"},
      {"(\\f{8}{1})^{\\f{1}{k + 1}}", "(8/1)^(1/(k + 1))", "((8)/(1))^((1)/(k+1))"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkupText(c.markup), c.text);
    EXPECT_EQ(MarkupCalc(c.markup), c.calc);
  }
  EXPECT_EQ(MarkupHtml("a_n^{2} < b"), "a<sub>n</sub><sup>2</sup> &lt; b");
}

}  // namespace
}  // namespace tolvi
