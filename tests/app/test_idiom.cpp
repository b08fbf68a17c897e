// The language rule of the secondary windows: the command-line argument, else "Lng.txt".
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/idiom.h"
#include "texts/catalogue.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

TEST(Idiom, ArgumentThenLngTxtThenUnchanged) {
  struct Row {
    std::vector<std::string> args;
    std::optional<std::string> lng;  // the bytes of Lng.txt, if there is one
    int expected;                    // 0 English, 1 Catalan, 2 Spanish; from Catalan
    bool senseLng;
  };
  const Row rows[] = {
      {{"cat"}, {}, 1, false},           {{"CAT"}, {}, 1, false},
      {{"esp"}, {}, 2, false},           {{"engl"}, {}, 0, false},
      {{"x"}, {}, 0, false},             {{"cat "}, {}, 0, false},
      {{"cat", "esp"}, {}, 0, false},    {{"x"}, "cat\r\n", 0, false},
      {{}, "esp\r\n", 2, false},         {{}, " \"Cat\" , esp\r\n", 1, false},
      {{}, "engl", 0, false},            {{}, "", 1, true},
      {{}, "\r\nesp\r\n", 1, true},      {{}, {}, 1, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.args) + " " + r.lng.value_or("(no Lng.txt)"));
    testing::TempFolder dir;
    if (r.lng) testing::WriteBytes(dir / "Lng.txt", *r.lng);
    bool senseLng = !r.senseLng;
    EXPECT_EQ(Index(TriaIdioma(TextArguments(r.args), dir.str(), kCatalan, senseLng)),
              static_cast<size_t>(r.expected));
    EXPECT_EQ(senseLng, r.senseLng);
  }
}

// The window's language menu keeps its choice where the rule finds it at the next start.
TEST(Idiom, AChosenLanguageIsFoundAgain) {
  for (size_t i = 0; i < NombreIdiomes(); ++i) {
    const Language idioma = LanguageAt(i);
    testing::TempFolder dir;
    ASSERT_TRUE(DesaIdioma(dir.str(), idioma));
    bool senseLng = true;
    EXPECT_EQ(TriaIdioma("", dir.str(), kSpanish, senseLng), idioma);
    EXPECT_FALSE(senseLng);
  }
  testing::TempFolder dir;
  EXPECT_FALSE(DesaIdioma(dir / "missing/deeper", kCatalan));
}

}  // namespace
}  // namespace tolvi
