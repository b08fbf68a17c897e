// The currency symbol: NSmb.txt read at start-up and written when the window closes, and the
// symbol list.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/controller.h"
#include "app/recording_services.h"
#include "app/simbol.h"
#include "app/temp_dir.h"
#include "solvers/atzar.h"

namespace tolvi {
namespace {

using testing::TempDir;
using Items = std::vector<std::string>;

const std::string kEuro = "\u20AC", kPound = "\u00A3";

struct Window {
  TempDir dir;
  MemoryForm form;
  RecordingServices ui;
  Atzar rng;
  Controller c{form, ui, rng, dir.str()};
  // Starts the window with NSmb.txt holding bytes (no file when null).
  explicit Window(const char* file = nullptr) {
    if (file) dir.write("NSmb.txt", file);
    c.start();
  }
  // Every currency label shows the same symbol; that symbol, or "mixed".
  std::string labels() const {
    std::string first = form.text("EtM(0)");
    for (int i = 1; i < 8; ++i)
      if (form.text(Nom("EtM", i)) != first) return "mixed";
    return first;
  }
  void type(std::string_view text) {
    form.setCurrentIndex("LstSmbs", -1);
    form.setText("LstSmbs", text);
    c.keyPressed("LstSmbs", kEnter);
  }
};

TEST(CurrencySymbol, ReadAtStartUp) {
  struct Row { const char* name; const char* file; int selected; Items items; std::string shown; };
  const Items designed = {kEuro, "$", kPound};
  const Row rows[] = {
      {"no file", nullptr, 0, designed, kEuro},
      {"empty file", "", 0, designed, kEuro},
      {"1$", "1$\r\n", 1, designed, "$"},
      {"2 without line end", "2", 2, designed, kPound},
      {"3CHF", "3CHF\r\n", 3, {kEuro, "$", kPound, "CHF"}, "CHF"},
      {"7€ leaves the euro", "7\xE2\x82\xAC\r\n", 0, designed, kEuro},
      {"x1 is ignored", "x1\r\n", 0, designed, kEuro},
      {"3 with LF lines keeps the first line", "3ab\nxyz\n", 3, {kEuro, "$", kPound, "ab"}, "ab"},
      {"Windows-1252 euro", "3\x80\r\n", 3, {kEuro, "$", kPound, kEuro}, kEuro},
      {"byte order mark", "\xEF\xBB\xBF" "1$\r\n", 1, designed, "$"},
      {"digit 3 alone", "3\r\n", 3, {kEuro, "$", kPound, ""}, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Window w(r.file);
    EXPECT_EQ(w.form.currentIndex("LstSmbs"), r.selected);
    EXPECT_EQ(w.c.state().NSmb, r.selected);
    EXPECT_EQ(w.form.items("LstSmbs"), r.items);
    EXPECT_EQ(w.labels(), r.shown);
    EXPECT_EQ(w.c.state().Smb, r.shown);
    EXPECT_TRUE(w.ui.messages.empty());
  }
}

TEST(CurrencySymbol, WrittenWhenTheWindowCloses) {
  struct Row { const char* name; const char* before; std::function<void(Window&)> act; std::string after; };
  const Row rows[] = {
      {"first start", nullptr, [](Window&) {}, "0\xE2\x82\xAC\r\n"},
      {"dollar chosen", nullptr, [](Window& w) { w.c.symbolSelected(1); }, "1$\r\n"},
      {"typed symbol cut to 3", "2\r\n", [](Window& w) { w.type("Ptas"); }, "3Pta\r\n"},
      {"cut counts characters", nullptr, [](Window& w) { w.type(kEuro + kEuro + kEuro + kEuro); },
       "3" + kEuro + kEuro + kEuro + "\r\n"},
      {"old Windows-1252 file", "3\x80\r\n", [](Window&) {}, "3\xE2\x82\xAC\r\n"},
      {"later user symbol", "3CHF\r\n", [](Window& w) { w.type("Kr"); }, "3Kr\r\n"},
      {"earlier user symbol chosen again", "3CHF\r\n",
       [](Window& w) { w.type("Kr"); w.c.symbolSelected(3); }, "3CHF\r\n"},
      {"Salir writes nothing", "1$\r\n",
       [](Window& w) { w.c.symbolSelected(2); w.c.menu("OpSurt"); }, "1$\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Window w(r.before);
    r.act(w);
    EXPECT_TRUE(w.c.close());
    EXPECT_EQ(w.dir.read("NSmb.txt"), r.after);
    EXPECT_FALSE(w.dir.exists("NSmb.txt.tmp"));
    EXPECT_TRUE(w.ui.messages.empty());
  }
}

TEST(CurrencySymbol, EveryTypedSymbolKeepsItsItem) {
  Window w;
  w.type("A");
  w.type("BB");
  EXPECT_EQ(w.form.items("LstSmbs"), (Items{kEuro, "$", kPound, "A", "BB"}));
  EXPECT_EQ(w.labels(), "BB");
  EXPECT_EQ(w.form.currentIndex("LstSmbs"), -1);  // the selection is not changed
  struct Row { int index; std::string shown; };
  const Row rows[] = {{3, "A"}, {4, "BB"}, {5, "BB"}, {-1, "BB"}, {0, kEuro}, {99, kEuro}, {1, "$"}};
  for (const Row& r : rows) {
    w.c.symbolSelected(r.index);
    EXPECT_EQ(w.labels(), r.shown) << r.index;
  }
}

TEST(CurrencySymbol, EnterOnlyForTheUsersOwnText) {
  Window w;
  w.form.setCurrentIndex("LstSmbs", 1);
  w.form.setText("LstSmbs", "XYZ");
  w.c.keyPressed("LstSmbs", kEnter);
  w.form.setCurrentIndex("LstSmbs", -1);
  w.c.keyPressed("LstSmbs", 'X');
  EXPECT_EQ(w.form.items("LstSmbs").size(), 3u);
  EXPECT_EQ(w.labels(), kEuro);
  w.c.keyPressed("LstSmbs", kEnter);
  EXPECT_EQ(w.form.items("LstSmbs").size(), 4u);
  EXPECT_EQ(w.labels(), "XYZ");
}

TEST(CurrencySymbol, FailedWriteIsToldAndKeepsNothingHalfWritten) {
  Window w;
  std::filesystem::create_directory(w.dir.file("NSmb.txt"));  // a folder takes the name
  EXPECT_FALSE(w.c.close());
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_NE(w.ui.messages[0].text.find("NSmb.txt"), std::string::npos);
  EXPECT_EQ(w.ui.messages[0].icon, Icon::Exclamation);
  EXPECT_FALSE(w.dir.exists("NSmb.txt.tmp"));

  MemoryForm form;
  RecordingServices ui;
  Atzar rng;
  Controller missing(form, ui, rng, w.dir.file("no-such-folder"));
  missing.start();
  EXPECT_FALSE(missing.close());
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(CurrencySymbol, FirstCharactersCountCodePoints) {
  struct Row { std::string text; int count; std::string first; };
  const Row rows[] = {{"Ptas", 3, "Pta"},
                      {kEuro + kEuro + kEuro + kEuro, 3, kEuro + kEuro + kEuro},
                      {"ab", 3, "ab"},
                      {"", 3, ""},
                      {"\xF0\x9F\x98\x80xyz", 2, "\xF0\x9F\x98\x80x"},
                      {"\xFF\xFEzz", 3, "\xFF\xFEz"},
                      {"\xE2\x82", 3, "\xE2\x82"}};
  for (const Row& r : rows) EXPECT_EQ(PrimersCars(r.text, r.count), r.first) << r.text;
}

}  // namespace
}  // namespace tolvi
