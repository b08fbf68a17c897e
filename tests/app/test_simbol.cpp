// The currency symbol: NSmb.txt read at start-up and written when the window closes, and the
// symbol list.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/simbol.h"
#include "solvers/controls.h"
#include "app/window.h"

namespace tolvi {
namespace {

using testing::ReadBytes;
using Items = std::vector<std::string>;

const std::string kEuro = "\u20AC", kPound = "\u00A3";

long Entries(const testing::TempFolder& dir) {
  return std::distance(std::filesystem::directory_iterator(dir.path()), {});
}

struct Window : testing::TestWindow {
  // Starts the window with NSmb.txt holding bytes (no file when null).
  explicit Window(const char* file = nullptr) {
    if (file) testing::WriteBytes(dir / "NSmb.txt", file);
    c.start();
  }
  // Every currency label shows the same symbol; that symbol, or "mixed".
  std::string labels() const {
    for (int i = 1; i < 8; ++i)
      if (form.text(ctl::EtM(i)) != form.text(ctl::EtM(0))) return "mixed";
    return form.text(ctl::EtM(0));
  }
  void typeSymbol(std::string_view text) {
    form.setCurrentIndex(ctl::LstSmbs, -1);
    form.setText(ctl::LstSmbs, text);
    c.keyPressed(ctl::LstSmbs, kEnter);
  }
};

const std::string& Huge() {
  static const std::string text = "3" + std::string(4 << 20, 'x');
  return text;
}

TEST(CurrencySymbol, ReadAtStartUp) {
  struct Row { const char* file; int selected; std::string added; };  // added: a fourth item
  const Row rows[] = {
      {nullptr, 0, {}},         {"1$\r\n", 1, {}},         {"3CHF\r\n", 3, "CHF"},
      {"7\xE2\x82\xAC\r\n", 0, {}},  {"x1\r\n", 0, {}},  {"3\x80\r\n", 3, kEuro},   // Windows-1252
      {"\xEF\xBB\xBF" "1$\r\n", 1, {}},        {"3\r\n", 3, ""},
      {"3CHFR\r\n", 3, "CHF"},                 {"3a\tb\r\n", 3, "a"},  // cut as a typed one
      // A huge file: only its start is read (a one-line symbol of 4 MB).
      {Huge().c_str(), 3, "xxx"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.file ? ::testing::PrintToString(std::string(r.file).substr(0, 20)) : "no file");
    Window w(r.file);
    Items items = {kEuro, "$", kPound};
    if (r.selected == 3) items.push_back(r.added);
    EXPECT_EQ(w.form.items(ctl::LstSmbs), items);
    EXPECT_EQ(w.form.currentIndex(ctl::LstSmbs), r.selected);
    EXPECT_EQ(w.labels(), items[r.selected]);
    EXPECT_TRUE(w.ui.messages.empty());
  }
}

TEST(CurrencySymbol, WrittenWhenTheWindowCloses) {
  struct Row { const char* name; const char* before; std::function<void(Window&)> act;
               std::string after; };
  const Row rows[] = {
      {"first start", nullptr, [](Window&) {}, "0\xE2\x82\xAC\r\n"},
      {"typed symbol cut to 3", "2\r\n", [](Window& w) { w.typeSymbol("Ptas"); }, "3Pta\r\n"},
      {"old Windows-1252 file", "3\x80\r\n", [](Window&) {}, "3\xE2\x82\xAC\r\n"},
      {"later user symbol", "3CHF\r\n", [](Window& w) { w.typeSymbol("Kr"); }, "3Kr\r\n"},
      {"earlier user symbol chosen again", "3CHF\r\n",
       [](Window& w) { w.typeSymbol("Kr"); w.c.symbolSelected(3); }, "3CHF\r\n"},
      {"Salir keeps it too", "1$\r\n",
       [](Window& w) { w.c.symbolSelected(2); w.c.menu(ctl::OpSurt); }, "2\xC2\xA3\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Window w(r.before);
    r.act(w);
    EXPECT_TRUE(w.c.close());
    EXPECT_EQ(ReadBytes(w.dir / "NSmb.txt"), r.after);
    EXPECT_EQ(Entries(w.dir), 1);  // no temporary copy left beside it
    EXPECT_TRUE(w.ui.messages.empty());
  }
}

TEST(CurrencySymbol, EveryTypedSymbolKeepsItsItem) {
  Window w;
  w.form.setCurrentIndex(ctl::LstSmbs, 1);
  w.form.setText(ctl::LstSmbs, "XYZ");
  w.c.keyPressed(ctl::LstSmbs, kEnter);  // an item's own text: not the user's
  w.form.setCurrentIndex(ctl::LstSmbs, -1);
  w.c.keyPressed(ctl::LstSmbs, 'X');  // only Enter adds
  EXPECT_EQ(w.form.items(ctl::LstSmbs).size(), 3u);
  EXPECT_EQ(w.labels(), kEuro);

  w.typeSymbol("A");
  w.typeSymbol("BB");
  EXPECT_EQ(w.form.items(ctl::LstSmbs), (Items{kEuro, "$", kPound, "A", "BB"}));
  EXPECT_EQ(w.labels(), "BB");
  EXPECT_EQ(w.form.currentIndex(ctl::LstSmbs), -1);  // the selection is not changed
  struct Row { int index; std::string shown; };
  for (const Row& r : {Row{3, "A"}, Row{4, "BB"}, Row{5, "BB"}, Row{-1, "BB"}, Row{0, kEuro},
                       Row{99, kEuro}, Row{1, "$"}}) {
    w.c.symbolSelected(r.index);
    EXPECT_EQ(w.labels(), r.shown) << r.index;
  }
}

TEST(CurrencySymbol, FailedWriteIsToldAndKeepsNothingHalfWritten) {
  Window w;
  std::filesystem::create_directory(w.dir / "NSmb.txt");  // a folder takes the name
  EXPECT_FALSE(w.c.close());
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_NE(w.ui.messages[0].text.find("NSmb.txt"), std::string::npos);
  EXPECT_EQ(w.ui.messages[0].icon, Icon::Exclamation);
  EXPECT_EQ(Entries(w.dir), 1);

  // A settings folder that is missing is made at start, so the symbol is kept.
  Controller missing(w.form, w.ui, w.rng, w.dir / "no-such-folder");
  missing.start();
  EXPECT_TRUE(missing.close());
  EXPECT_EQ(w.ui.messages.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_regular_file(w.dir.path() / "no-such-folder/NSmb.txt"));
}

TEST(CurrencySymbol, FirstCharactersCountCodePoints) {
  struct Row { std::string text; int count; std::string first; };
  const Row rows[] = {{"ab", 3, "ab"}, {"", 3, ""}, {"\xF0\x9F\x98\x80xyz", 2, "\xF0\x9F\x98\x80x"},
                      {"\xFF\xFEzz", 3, "\xFF\xFEz"}, {"\xE2\x82", 3, "\xE2\x82"}};  // malformed
  for (const Row& r : rows)
    EXPECT_EQ(PrimersCars(r.text, r.count), r.first) << ::testing::PrintToString(r.text);
}

}  // namespace
}  // namespace tolvi
