#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "solve_fixture.h"
#include "solvers/tria.h"

namespace tolvi {
namespace {

TEST(TriaOpcio, CaptionByLanguageAndTheChoiceReturned) {
  const struct { Language idioma; const char* caption; const char* options; int answer;
                 const char* shown; int16_t got; } rows[] = {
      {kCatalan, "", "r=0.5;r=2", 2, "Tria l'opció:", 2},
      {kEnglish, "", "a;b", 1, "Select option:", 1},
      {LanguageAt(7), "", "a;b", 1, "Select option:", 1},
      {kSpanish, "hay 2 soluciones", "r=1/3;r=2/3", 2, "hay 2 soluciones", 2},
      {kSpanish, "", "a;b;", 3, "Elegir opción:", 3},  // the empty last option counts
      {kSpanish, "", "a;b", 3, "Elegir opción:", 0},  // the recorder gives no third option
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.options) + " " + std::to_string(t.answer));
    RecordingServices ui;
    ui.choiceAnswers = {t.answer};
    EXPECT_EQ(TriaOpcio(ui, t.idioma, t.caption, t.options), t.got);
    ASSERT_EQ(ui.choices.size(), 1u);
    EXPECT_EQ(ui.choices[0].caption, t.shown);
    EXPECT_EQ(ui.choices[0].options, SplitOptions(t.options));
  }
}

// A position that names no option is no choice, whatever the services answer.
TEST(TriaOpcio, APositionPastTheOptionsIsNoChoice) {
  struct Past : RecordingServices {
    int chooseOption(std::string_view, std::string_view) override { return answer; }
    int answer = 0;
  } ui;
  for (int answer : {3, -1}) {
    ui.answer = answer;
    EXPECT_EQ(TriaOpcio(ui, kSpanish, "", "a;b"), 0) << answer;
  }
}

}  // namespace
}  // namespace tolvi
