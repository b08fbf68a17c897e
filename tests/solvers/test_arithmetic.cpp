// The arithmetic row and the interpolations, where tolvi-cli does not show it: the order of the
// edits and the term lists' limit (statements, answers and refusals are tests/behaviour's).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/arithmetic.h"
#include "solvers/controls.h"

namespace tolvi {
namespace {

using test::Solved;
using Texts = std::vector<std::string>;

// Found fields first, then the list: a field's change handler empties the list. An empty
// subscript box is set back to 1 first.
TEST(ResolA, WritesTheFoundFieldsThenTheList) {
  MemoryForm form = test::Typed(ctl::Id, 0, {"3", "2", "5", "", ""});
  form.setVisible(ctl::IdPA, false);
  Solved r = test::Solve(std::move(form), ResolA);
  std::vector<std::string> names;
  for (const FormEdit& e : r.out.edits) names.push_back(e.name);
  EXPECT_EQ(names, (Texts{ctl::Id1a, ctl::Id(3), ctl::Id(4), ctl::IdPA, ctl::IdPA}));
  EXPECT_TRUE(r.form.visible(ctl::IdPA) && r.ui.messages.empty());
}

// The row's list and the interpolation's stop after their limit; k + 2 terms in all stay within
// the largest count.
TEST(TermLists, StopAfterTheirLimit) {
  MemoryForm between;
  between.setText(ctl::IdK, "32765");
  between.setText(ctl::IdA, "0");
  between.setText(ctl::IdB, "32766");
  const Solved row = test::Solve(test::Typed(ctl::Id, 0, {"1", "1", "32767"}), ResolA);
  const Solved inter = test::Solve(std::move(between), InterpA);
  ASSERT_TRUE(row.out.solved && inter.out.solved);
  EXPECT_EQ(row.text(ctl::Id(4)) + " " + inter.text(ctl::Idd), "536854528 1");
  for (const std::string& terms : {row.text(ctl::IdPA), inter.text(ctl::IdTrms)}) {
    EXPECT_EQ(std::count(terms.begin(), terms.end(), ','), MaxTermes);
    EXPECT_TRUE(terms.ends_with(", 999, 1000, ...")) << terms.substr(terms.size() - 40);
  }
}

}  // namespace
}  // namespace tolvi
