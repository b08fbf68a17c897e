#include <gtest/gtest.h>

#include <string>

#include "solvers/tria.h"

namespace tolvi {
namespace {

// Answers the chooser with one fixed position and remembers the caption it was shown.
struct UnaResposta : Services {
  int answer = 0;
  std::string caption, options;
  int chooseOption(std::string_view c, std::string_view o) override {
    caption = c, options = o;
    return answer;
  }
  void message(std::string_view, std::string_view, Icon) override {}
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return false; }
  bool openDocument(const std::string&) override { return false; }
};

TEST(TriaOpcio, CaptionByLanguageAndTheChoiceReturned) {
  const struct { int16_t idioma; const char* caption; const char* options; int answer;
                 const char* shown; int16_t got; } rows[] = {
      {1, "", "r=0.5;r=2", 2, "Tria l'opció:", 2},
      {1, "", "r=0.5;r=2", 0, "Tria l'opció:", 0},
      {0, "", "a;b", 1, "Select option:", 1},
      {2, "", "a;b", 1, "Elegir opción:", 1},
      {7, "", "a;b", 1, "Select option:", 1},
      {2, "hay 2 soluciones", "r=1/3;r=2/3", 2, "hay 2 soluciones", 2},
      {2, "", "a;b;", 3, "Elegir opción:", 3},  // the empty last option counts
      {2, "", "a;b", 3, "Elegir opción:", 0},   // no third option: nothing chosen
      {2, "", "a;b", -1, "Elegir opción:", 0},
  };
  for (const auto& t : rows) {
    SCOPED_TRACE(std::string(t.options) + " " + std::to_string(t.answer));
    UnaResposta ui;
    ui.answer = t.answer;
    EXPECT_EQ(TriaOpcio(ui, t.idioma, t.caption, t.options), t.got);
    EXPECT_EQ(ui.caption, t.shown);
    EXPECT_EQ(ui.options, t.options);
  }
}

}  // namespace
}  // namespace tolvi
