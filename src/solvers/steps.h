// The working of a solve: the quantities of the case and the ordered steps that found the
// missing ones, built by the solver as it computes them. Rendered as plain text (files, the
// terminal), as rich text (the window's pane) and as JSON (tolvi-cli).
//
// Formulas are kept in a small markup that every rendering understands:
//   a_n, a_{10}    subscript (one character, or a braced group)
//   r^2, r^{n-k}   superscript
//   \f{num}{den}   fraction
// Everything else stands as written. In numbers "-" is a minus sign; "·" is a product.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

enum class StepKind { Formula, Equation, Check, Refusal };

struct Step {
  StepKind kind = StepKind::Formula;
  std::string label;     // "Diferencia", "Razón": what the step finds, in the interface language
  std::string quantity;  // the alias of the quantity found ("d", "an", "rate"); may be empty
  std::string sought;    // markup of the name found ("d", "a_1")
  // Formula steps: the right-hand side in general form, the same with the numbers, the
  // computation in the calculator's syntax, and the result as shown.
  std::string formula, substituted, expression, result;
  double value = 0;  // the result before it is written
  // Equation steps: the equation, the method, where the roots were sought and to what
  // tolerance, the roots found (as shown), the one taken (1-based, 0 when the person
  // cancelled) and why.
  std::string equation, method;
  double from = 0, to = 0;
  std::string tolerance;
  std::vector<std::string> roots;
  int chosen = 0;
  std::string why;
  // Check and refusal steps: the words.
  std::string text;
};

struct Quantity {
  std::string alias;  // as in tolvi-cli's arguments: "a", "d", "n", "an", "rate"...
  std::string name;   // markup of the name as the window shows it: "a_3", "S_10"
  double value = 0;
  std::string text;  // as written in the field
  bool given = false;
};

struct Solution {
  int panel = -1;
  std::string code;  // the given slots ("023"), empty for the interpolations
  // Interest rows: payments (or compoundings) a year, and whether each payment falls at the
  // start of its period. perYear is 0 for the other panels.
  int perYear = 0;
  bool payAtStart = false;
  std::vector<Quantity> quantities;
  std::vector<Step> steps;

  bool empty() const { return steps.empty() && quantities.empty(); }
  void clear() { *this = Solution{}; }

  // Builders used by the solvers.
  void given(std::string alias, std::string name, double value, std::string text);
  void found(std::string alias, std::string name, double value, std::string text);
  Step& formula(std::string label, std::string quantity, std::string sought, std::string formula,
                std::string substituted, double value, std::string result);
  Step& equation(std::string label, std::string quantity, std::string sought, std::string equation,
                 std::string method, double from, double to, std::string tolerance,
                 std::vector<std::string> roots, int chosen, std::string why);
  void check(std::string text);
  void refusal(std::string text);
};

// A number as it stands in a substituted formula: in parentheses when negative or a fraction.
std::string Factor(std::string_view shown);

// The markup as plain text with Unicode sub- and superscripts where they exist
// ("a_{10}" gives "a₁₀"; "x^{2.5}" gives "x^(2.5)"), fractions as "(a − b)/(c)".
std::string MarkupText(std::string_view markup);
// The markup as Qt rich text: <sub>, <sup>, and fractions as small tables with a rule.
std::string MarkupHtml(std::string_view markup);
// The markup of a substituted formula in the calculator's syntax ("(21-3)/(10-1)").
std::string MarkupCalc(std::string_view markup);

// One step as a line of plain text: "Diferencia: d = (aₙ − aₖ)/(n − k) = (21 − 3)/(10 − 1) = 2".
std::string StepText(const Step& step);
// Every step, one line each, CR LF after each line.
std::string StepsText(const Solution& solution);
// An answer with the working written under it, as problem files keep it when asked to:
// the answer, a line "Solución paso a paso:" (in the interface language), then one line per step.
std::string AnswerWithSteps(std::string_view answer, const Solution& solution);
// Every step as rich text for the window's pane; the fractions' rules in the colour given (a
// name or #rrggbb: the pane's text colour, so that they show on a dark palette too).
std::string StepsHtml(const Solution& solution, std::string_view ruleColour = "black");

}  // namespace tolvi
