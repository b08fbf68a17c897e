// The catalogue of the window's controls: indexed names parse back only within their group,
// and an in-memory form refuses a name that is none of the window's.
#include <gtest/gtest.h>

#include <stdexcept>

#include "solvers/controls.h"
#include "solvers/form.h"

namespace tolvi {
namespace {

TEST(Controls, IndexedNamesParseBackWithinTheirGroupOnly) {
  for (const ctl::Group* g : {&ctl::Id, &ctl::Idg, &ctl::IdI, &ctl::BtOk, &ctl::ITool}) {
    for (int i = g->first - 1; i <= g->last + 1; ++i) {
      int back = -99;
      const std::string name = std::string(g->name) + "(" + std::to_string(i) + ")";
      EXPECT_EQ(ctl::Index(name, *g, back), g->has(i)) << name;
      EXPECT_EQ(ctl::Known(name), g->has(i)) << name;
      if (g->has(i)) {
        EXPECT_EQ(back, i);
        EXPECT_EQ((*g)(i), name);
      } else {
        EXPECT_THROW((*g)(i), std::out_of_range) << name;
      }
    }
  }
  int i = 0;
  for (const char* odd : {"Id", "Id()", "Id(1", "Idg(1)", "Id(+1)", "Id(1)x", "Id(01x)"})
    EXPECT_FALSE(ctl::Index(odd, ctl::Id, i)) << odd;
}

TEST(Controls, MemoryFormRefusesNamesOutsideTheCatalogue) {
  MemoryForm form;
  EXPECT_NO_THROW(form.setText(ctl::Id(4), "1"));
  EXPECT_EQ(form.text(ctl::IdPA), "");
  for (const char* name : {"Id(5)", "IdI(16)", "Id", "IdPa", ""}) {
    EXPECT_THROW(form.setText(name, "1"), std::invalid_argument) << name;
    EXPECT_THROW((void)form.enabled(name), std::invalid_argument) << name;
  }
}

}  // namespace
}  // namespace tolvi
