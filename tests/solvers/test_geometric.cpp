#include <gtest/gtest.h>

#include <string>

#include "solve_fixture.h"
#include "solvers/controls.h"
#include "solvers/geometric.h"

namespace tolvi {
namespace {

using test::Fila;

// A solved case shows its list and not the infinite-sum row; an edit then withdraws the case.
TEST(ResolG, AnEditWithdrawsTheCase) {
  Fila f({"2", "3", "5"});
  ASSERT_TRUE(f.Resol().solved);
  EXPECT_TRUE(f.form.visible(ctl::IdPG) && f.form.enabled(ctl::BtGuard(2)) && !f.Fila5());
  f.form.setText(ctl::Idg(0), "4");
  f.Aplica(CanviIdg());
  EXPECT_FALSE(f.form.enabled(ctl::BtGuard(2)) || f.form.text(ctl::IdPG) != "");
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
