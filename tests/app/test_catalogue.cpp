// The catalogues of texts: each language says everything the Spanish one does, with the same
// things filled in; the reader of a catalogue file; the Enter key's rows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/keyboard.h"
#include "app/idiom.h"
#include "solvers/form.h"
#include "solvers/controls.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

// The "%N" a text fills in.
std::set<char> Holes(const std::string& text) {
  std::set<char> holes;
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') holes.insert(text[i + 1]);
  return holes;
}

TEST(Catalogues, EveryLanguageSaysWhatSpanishSays) {
  const auto& all = Catalogues();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[Index(kEnglish)].code, "en");
  EXPECT_EQ(all[Index(kCatalan)].code, "ca");
  EXPECT_EQ(all[Index(kSpanish)].code, "es");
  std::set<std::string> codes, words;
  for (const Catalogue& c : all) {
    SCOPED_TRACE(c.code);
    EXPECT_TRUE(c.problems.empty()) << ::testing::PrintToString(c.problems);
    EXPECT_FALSE(c.name.empty());
    EXPECT_TRUE(codes.insert(c.code).second && words.insert(c.word).second);
    EXPECT_EQ(IdiomaDelText(c.word), IdiomaDelCodi(c.code));
    for (const auto& [key, spanish] : all[Index(kSpanish)].texts) {
      const auto it = c.texts.find(key);
      ASSERT_NE(it, c.texts.end()) << key;
      EXPECT_FALSE(it->second.empty()) << key;
      EXPECT_EQ(Holes(it->second), Holes(spanish)) << key;
    }
    for (const auto& entry : c.texts) EXPECT_EQ(all[Index(kSpanish)].texts.count(entry.first), 1u) << entry.first;
  }
}

TEST(Catalogues, ReadingAFile) {
  const Catalogue c = LlegeixCatalogue(
      "# comment\n@code = xx\n@word=xxx\n@name = X\n"
      "a = one\r\n b=\\stwo \\s\nc = x\\ny \\\\n %1\nnothing here\n@size = 3\na = again\n");
  EXPECT_EQ(c.code + "/" + c.word + "/" + c.name, "xx/xxx/X");
  EXPECT_EQ(c.texts.at("a"), "one");
  EXPECT_EQ(c.texts.at("b"), " two  ");
  EXPECT_EQ(c.texts.at("c"), "x\ny \\n %1");
  ASSERT_EQ(c.problems.size(), 3u);
  EXPECT_EQ(c.problems[0].rfind("line 8:", 0), 0u);
  EXPECT_EQ(Omple("%2 de %1, 100% %3", {"a", "b"}), "b de a, 100% %3");
}

// What each language says, its holes filled, is in the behaviour tables' --lang rows.
TEST(Catalogues, TheLanguageChosenAndItsFallback) {
  EXPECT_EQ(IdiomaActual(), kSpanish);
  FixaIdioma(kCatalan);
  EXPECT_EQ(IdiomaActual(), kCatalan);
  EXPECT_EQ(Tx("no.such.key"), "no.such.key");
  FixaIdioma(LanguageAt(NombreIdiomes()));  // the first index past the catalogues: Spanish
  EXPECT_EQ(IdiomaActual(), kSpanish);
  EXPECT_EQ(Tx("msg.positive_only", kEnglish), "Positive values only");
}

// Enter in a field solves its row; the geometric row walks until three of its quantities are
// typed, and its infinite sum keeps its own entry.
TEST(EnterKey, SolvesTheFieldsRow) {
  MemoryForm form;
  const std::pair<std::string, int> rows[] = {
      {ctl::Id1a, 0},      {ctl::Id(0), 0},     {ctl::Id(4), 0},     {ctl::IdK, 1},
      {ctl::IdB, 1},       {ctl::Idd, -1},      {ctl::IdKg, 3},      {ctl::IdBg, 3},
      {ctl::IdR, -1},      {ctl::IdI(0), 4},    {ctl::IdI(7), 5},    {ctl::IdI(8), 6},
      {ctl::IdI(15), 7},   {ctl::LstSmbs, -1},  {ctl::Idg(5), -1},   {ctl::Idg(1), -1},
      {ctl::Id1g, -1},     {ctl::BtOk(0), -1}};
  for (const auto& [field, key] : rows) EXPECT_EQ(PanellDeIntro(form, field), key) << field;
  form.setText(ctl::Idg(0), "2");
  form.setText(ctl::Idg(1), "3");
  EXPECT_EQ(PanellDeIntro(form, ctl::Idg(1)), -1);
  form.setText(ctl::Idg(4), "26");
  for (const std::string& field : {ctl::Idg(0), ctl::Idg(2), std::string(ctl::Id1g)})
    EXPECT_EQ(PanellDeIntro(form, field), 2);
  EXPECT_EQ(PanellDeIntro(form, ctl::Idg(5)), -1);
}

}  // namespace
}  // namespace tolvi
