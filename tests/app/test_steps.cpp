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

using Fields = std::map<std::string, std::string>;  // alias -> text

// Checks the working the last solve of panel left, against the form.
void CheckWorking(TestWindow& w, int key) {
  const Solution& sol = w.c.state().Solutions[static_cast<size_t>(key)];
  const Panell& panel = *PanellPerNom(std::to_string(key));
  ASSERT_FALSE(sol.steps.empty());
  Fields last;  // alias -> the result of the last step finding it
  for (const Step& s : sol.steps) {
    SCOPED_TRACE(StepText(s));
    if (s.kind == StepKind::Formula) {
      const CalcResult calc = Avalua(s.expression);
      ASSERT_TRUE(calc.ok()) << s.expression;
      double shown = 0;
      ASSERT_TRUE(LlegeixNum(s.result, shown));
      EXPECT_NEAR(calc.value, shown, Unit(s.result) + 1e-6 * std::fabs(shown)) << s.expression;
    }
    if (s.kind == StepKind::Equation) {
      ASSERT_GE(s.chosen, 1);
      EXPECT_EQ(s.roots[static_cast<size_t>(s.chosen) - 1], s.result);
    }
    if (s.kind == StepKind::Refusal) ADD_FAILURE() << "a solved case closes with a refusal";
    if (!s.quantity.empty()) last[s.quantity] = s.result;
  }
  for (const Quantity& q : sol.quantities) {
    if (q.given) continue;
    ASSERT_TRUE(last.count(q.alias)) << "no step finds " << q.alias;
    EXPECT_EQ(last[q.alias], q.text) << q.alias;
    const std::string control = ControlDeCamp(panel, q.alias);
    EXPECT_TRUE(control.empty() || q.text == w.form.text(control)) << q.alias;
  }
}

// Types the given quantities into panel key's emptied fields and solves, from the infinite sum
// when it is given; the geometric row shows the sum's row when it is given or asked for.
bool Solve(TestWindow& w, int key, const Fields& given, bool sumRow = false) {
  w.c.reset(static_cast<int16_t>(key));
  const Panell& panel = *PanellPerNom(std::to_string(key));
  if (key == 2) w.c.showInfiniteSum(sumRow || given.count("s"));
  for (const auto& [alias, text] : given) w.type(ControlDeCamp(panel, alias), text);
  if (key == 2 && given.count("s"))
    w.c.keyPressed(ctl::Idg(5), kEnter);
  else
    w.c.solve(static_cast<int16_t>(key));
  return w.saveEnabled(key);
}

// A property over random cases: each panel solved from three quantities, then from every other
// three of the quantities it showed (the term's index k always given); each solved case's
// working agrees with the calculator and with its fields. Few choices are refused (three
// quantities that fix no progression); which ones is the solvers' rule.
TEST(Steps, EveryCodeOfEveryPanelShowsWorkingThatAgreesWithItsFields) {
  TestWindow w;
  w.c.start();
  std::mt19937 gen(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
  auto num = [&](int lo, int hi) { return std::to_string(pick(lo, hi)); };
  const char* kRatios[] = {"2", "3", "-2", "0.5", "-0.5", "0.25"};  // the last three below 1
  int solved = 0, refused = 0;
  for (int round = 0; round < 12; ++round) {
    const int ratio = pick(0, 5);
    const Fields arithmetic = {{"k", num(1, 4)},
                               {"a", num(-9, 9)},
                               {"d", std::to_string(pick(1, 5) * (pick(0, 1) ? 1 : -1))},
                               {"n", num(5, 12)}};
    const Fields geometric = {
        {"k", num(1, 3)}, {"a", num(1, 9)}, {"r", kRatios[ratio]}, {"n", num(4, 7)}};
    for (int key = 0; key < 8; ++key) {
      SCOPED_TRACE("round " + std::to_string(round) + " panel " + std::to_string(key));
      // Payments (or compoundings) 2, 4 or 12 times a year and either timing after round 4.
      if (ctl::IdPer.has(key)) w.form.setCurrentIndex(ctl::IdPer(key), round < 4 ? 0 : pick(0, 3));
      if (ctl::IdMom.has(key)) w.form.setCurrentIndex(ctl::IdMom(key), round < 4 ? -1 : pick(0, 1));
      if (key == 0 || key == 2)
        Solve(w, key, key == 0 ? arithmetic : geometric, ratio >= 3);
      else
        w.c.generate(static_cast<int16_t>(key));  // three quantities drawn, the rest found
      ASSERT_TRUE(w.saveEnabled(key));
      CheckWorking(w, key);
      Fields all;  // every quantity the solve showed
      for (const auto& [alias, control] : PanellPerNom(std::to_string(key))->inputs)
        if (!w.form.text(control).empty()) all[alias] = w.form.text(control);
      std::vector<std::string> aliases;
      for (const auto& [alias, text] : all)
        if (alias != "k") aliases.push_back(alias);
      const size_t n = aliases.size();
      for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
          for (size_t l = j + 1; l < n; ++l) {
            Fields given = {{aliases[i], all[aliases[i]]}, {aliases[j], all[aliases[j]]},
                            {aliases[l], all[aliases[l]]}};
            if (all.count("k")) given["k"] = all["k"];
            SCOPED_TRACE(aliases[i] + " " + aliases[j] + " " + aliases[l]);
            if (!Solve(w, key, given)) {
              ++refused;
              continue;
            }
            ++solved;
            CheckWorking(w, key);
          }
    }
  }
  EXPECT_LT(refused * 20, solved);
}

// A refusal leaves its working; the next solve replaces it and a reset clears it.
TEST(Steps, RefusalAndResetClose) {
  TestWindow w;
  w.c.start();
  Solve(w, 0, {{"a", "3"}, {"d", "2"}, {"an", "22"}});  // n = 10.5
  ASSERT_FALSE(w.c.state().Solutions[0].steps.empty());
  EXPECT_EQ(w.c.state().Solutions[0].steps.back().kind, StepKind::Refusal);
  Solve(w, 0, {{"a", "3"}, {"d", "2"}, {"n", "10"}});
  EXPECT_NE(w.c.state().Solutions[0].steps.back().kind, StepKind::Refusal);
  w.c.reset(0);
  EXPECT_TRUE(w.c.state().Solutions[0].empty());
}

// How the markup reads as text and as the calculator's syntax is what every step of the
// behaviour tables' --json rows shows (fractions, powers with a minus, subscripts); a decimal
// exponent, which no case writes, and the HTML of the worksheet's key are checked here.
TEST(Steps, MarkupRendersAsTextHtmlAndCalculatorSyntax) {
  EXPECT_EQ(MarkupText("x^{2.5} + S_{10}"), "x^2.5 + S₁₀");
  EXPECT_EQ(MarkupCalc("x^{2.5} + S_{10}"), "x^(2.5)+S10");
  EXPECT_EQ(MarkupHtml("a_n^{2} < b"), "a<sub>n</sub><sup>2</sup> &lt; b");
}

}  // namespace
}  // namespace tolvi
