// The language rule of the secondary windows: the command-line argument, else "Lng.txt".
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/idiom.h"
#include "app/temp_dir.h"

namespace tolvi {
namespace {

using testing::TempDir;

TEST(Idiom, ArgumentThenLngTxtThenUnchanged) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::optional<std::string> lng;  // the bytes of Lng.txt, if there is one
    int16_t expected;
    bool senseLng;
  };
  const std::vector<Row> rows = {
      {"cat", {"cat"}, std::nullopt, 1, false},
      {"CAT", {"CAT"}, std::nullopt, 1, false},
      {"esp", {"esp"}, std::nullopt, 2, false},
      {"engl", {"engl"}, std::nullopt, 0, false},
      {"x", {"x"}, std::nullopt, 0, false},
      {"cat and a blank", {"cat "}, std::nullopt, 0, false},
      {"two arguments", {"cat", "esp"}, std::nullopt, 0, false},
      {"argument before Lng.txt", {"x"}, "cat\r\n", 0, false},
      {"Lng.txt esp", {}, "esp\r\n", 2, false},
      {"Lng.txt first item", {}, " \"Cat\" , esp\r\n", 1, false},
      {"Lng.txt engl", {}, "engl", 0, false},
      {"Lng.txt empty", {}, "", 1, true},
      {"Lng.txt empty first line", {}, "\r\nesp\r\n", 1, true},
      {"neither", {}, std::nullopt, 1, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    if (r.lng) dir.write("Lng.txt", *r.lng);
    bool senseLng = !r.senseLng;
    EXPECT_EQ(TriaIdioma(TextArguments(r.args), dir.str(), 1, senseLng), r.expected);
    EXPECT_EQ(senseLng, r.senseLng);
  }
}

}  // namespace
}  // namespace tolvi
