// Both interpolations: k terms between a and b, the difference or the ratio and the terms
// written, or the refusal's message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/arithmetic.h"
#include "solvers/controls.h"
#include "solvers/geometric.h"

namespace tolvi {
namespace {

using test::Shown;

test::Solved Interpolate(bool arith, const char* k, const char* a, const char* b) {
  MemoryForm form;
  form.setText(arith ? ctl::IdK : ctl::IdKg, k);
  form.setText(arith ? ctl::IdA : ctl::IdAg, a);
  form.setText(arith ? ctl::IdB : ctl::IdBg, b);
  return test::Solve(std::move(form), arith ? InterpA : InterpG);
}

TEST(Interpolation, WritesTheStepAndTheTermsOrRefuses) {
  const Shown falten{"Faltan datos", "No se puede calcular", Icon::Exclamation};
  const Shown parity{"Si a*b<0 => k ha de ser par", "Cas no posible"};
  const Shown tooMany{"k: como mucho 32765 (el mayor n\u00FAmero de t\u00E9rminos que se calcula)",
                      "valor incorrecto"};
  const struct { bool arith; const char *k, *a, *b, *step, *list; Shown shown = {}; } rows[] = {
      {true, "3", "2", "10", "2", "4, 6, 8"},     {true, "0", "2", "10", "8", ""},
      {true, "2", "0", "1", "1/3", "1/3, 2/3"},   {true, "2.5", "0", "3", "1", "1, 2"},
      {false, "2", "1", "-8", "-2", "-2, 4"},     {false, "1", "4", "9", "3/2", "6"},
      {false, "0", "2", "6", "3", ""},            {false, "-3", "1", "-16", "-1/4", ""},
      {false, "2,4", "1", "8", "2", "2, 4"},
      {true, "", "2", "10", "", "", falten},      {true, "3", "0.0", "10", "", "", falten},
      {true, "-1", "2", "10", "", "", falten},    {true, "0", "-1e308", "1e308", "", "", falten},
      {true, "32766", "2", "10", "", "", tooMany}, {false, "32766", "1", "2", "", "", tooMany},
      {false, "3", "1", "-16", "", "", parity},   {false, "-1", "1", "2", "", "", falten},
      {false, "2", "0", "5", "", "", falten},     {false, "2", "5", "0", "", "", falten},
      {false, "", "1", "2", "", "", falten}};
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.arith ? "arithmetic " : "geometric ") + t.k + " " + t.a + " " + t.b);
    test::Solved r = Interpolate(t.arith, t.k, t.a, t.b);
    EXPECT_EQ(r.out.solved, t.shown.text.empty());
    if (!r.out.solved) {
      EXPECT_TRUE(r.out.edits.empty() && !r.out.record);
      ASSERT_FALSE(r.ui.messages.empty());
      EXPECT_EQ(r.ui.messages.back(), t.shown);
      continue;
    }
    EXPECT_TRUE(r.ui.messages.empty());
    const std::string step = r.text(t.arith ? ctl::Idd : ctl::IdR);
    const std::string list = r.text(t.arith ? ctl::IdTrms : ctl::IdTG);
    EXPECT_EQ(step + "|" + list, std::string(t.step) + "|" + t.list);
    EXPECT_EQ(r.out.record->Resp, t.arith ? "d = (b-a)/(k+1) = " + step + "; términos: " + list
                                          : "r = e^(Ln(b/a)/(k+1)) = " + step +
                                                "\r\nTérminos a interpolar: " + list);
  }
}

// The statements; k + 2 terms in all stay within the largest count, and the list stops after
// its limit.
TEST(Interpolation, StatementsAndTheLargestCount) {
  EXPECT_EQ(Interpolate(true, "3", "2", "10").out.record->Enun,
            "Interpola  3 términos entre 2 y 10 para que en conjunto formen una progresión "
            "aritmética: ");
  EXPECT_EQ(Interpolate(false, "3", "2", "32").out.record->Enun,
            "Interpola:  3 términos entre 2 y 32 para que formen en conjunto una progresión "
            "geométrica: ");
  test::Solved r = Interpolate(true, "32765", "0", "32766");
  ASSERT_TRUE(r.out.solved);
  EXPECT_EQ(r.text(ctl::Idd), "1");
  EXPECT_TRUE(r.text(ctl::IdTrms).ends_with(", 999, 1000, ...")) << r.text(ctl::IdTrms);
}

}  // namespace
}  // namespace tolvi
