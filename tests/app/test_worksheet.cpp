// Worksheets: counts per panel, the quiz's answers agree with the key, the tolerances follow
// the shown precision, the formula look, and problem files read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "app/worksheet.h"
#include "documents/problem_file.h"
#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

WorksheetRequest AllPanels(uint64_t seed, int count) {
  WorksheetRequest r;
  for (int16_t key = 0; key < 8; ++key) r.panels.push_back(key);
  r.count = count;
  r.seed = seed;
  return r;
}

// Every number written in a text (both "." and "," read as decimal points; fractions whole).
std::vector<double> NumbersIn(const std::string& text) {
  static const std::regex number(R"(-?\d+(?:[.,]\d+)?(?:/\d+)?)");
  std::vector<double> out;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
       it != std::sregex_iterator(); ++it) {
    double v = 0;
    if (LlegeixNum(it->str(), v)) out.push_back(v);
  }
  return out;
}

// A count for each panel, in the panels' order. (The same seed giving the same cases, and
// --count cases of each panel, is what the behaviour tables' worksheet rows show.)
TEST(Worksheet, CountsArePerPanel) {
  WorksheetRequest r;
  r.panels = {5, 0};
  r.counts = {1, 4};
  r.seed = 9;
  const Worksheet mixed = ComposeWorksheet(r);
  ASSERT_EQ(mixed.cases.size(), 5u);
  EXPECT_EQ(mixed.cases[0].panel, 5);
  for (size_t i = 1; i < 5; ++i) EXPECT_EQ(mixed.cases[i].panel, 0);
}

// What a quiz asks, for many seeds: each found quantity within its tolerance of a number
// that the case's answer (the key) shows, and the quiz has one question per quantity.
TEST(Worksheet, QuizAnswersAgreeWithTheKeyWithinTheShownPrecision) {
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    const Worksheet sheet = ComposeWorksheet(AllPanels(seed, 1));
    size_t found = 0;
    for (const WorksheetCase& c : sheet.cases) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", panel " + std::to_string(c.panel));
      if (!c.solved) continue;
      EXPECT_FALSE(c.found.empty());
      const std::vector<double> shown = NumbersIn(c.problem.Resp);
      for (const FoundQuantity& q : c.found) {
        ++found;
        EXPECT_GT(q.tolerance, 0);
        const bool inKey = std::any_of(shown.begin(), shown.end(), [&q](double x) {
          return std::fabs(x - q.value) <= q.tolerance + 1e-9 * std::fabs(x);
        });
        EXPECT_TRUE(inKey) << q.label << " = " << q.shown << " not in \"" << c.problem.Resp << "\"";
      }
    }
    const std::string xml = MoodleXml(sheet, "Repaso\x01");
    EXPECT_EQ(xml.find('\x01'), std::string::npos);  // XML has no place for it
    size_t questions = 0;
    for (size_t at = xml.find("type=\"numerical\""); at != std::string::npos;
         at = xml.find("type=\"numerical\"", at + 1))
      ++questions;
    EXPECT_EQ(questions, found);
  }
}

TEST(Worksheet, ToleranceIsHalfAUnitOfTheLastShownDecimal) {
  struct Case {
    const char* shown;
    int decimals;
    double tolerance;
  } cases[] = {
      {"162", -1, 0.5},           {"2.35", -1, 0.005}, {"-0.5", -1, 0.05},    {"5/2", -1, 0.0005},
      {"0.12345678", -1, 0.0005}, {"5250", 2, 0.005},  {"7102.09", 2, 0.005},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(ToleranceOf(c.shown, c.decimals), c.tolerance) << c.shown;
}

TEST(Worksheet, FormulaLookSubscriptsIndicesAndRaisesPowers) {
  const std::pair<const char*, const char*> cases[] = {
      {"a1 = 7,  d = 8\r\nCalcula: a4 y S4",
       "a<sub>1</sub> = 7,  d = 8<br>Calcula: a<sub>4</sub> y S<sub>4</sub>"},
      {"r = e^(Ln(b/a)/(k+1)) = 0.833", "r = e<sup>Ln(b/a)/(k+1)</sup> = 0.833"},
      {"c(1+r/100)^t", "c(1+r/100)<sup>t</sup>"},
      // Words and amounts stay as they are; markup characters are escaped.
      {"a un inter\u00E9s de 3000\u20AC, Sa1b", "a un inter\u00E9s de 3000\u20AC, Sa1b"},
      {"x<y & \"z\"", "x&lt;y &amp; &quot;z&quot;"},
  };
  for (const auto& [text, html] : cases) EXPECT_EQ(FormulaHtml(text), html) << text;
}

// Problem files read back as they were written, whatever the line breaks inside the texts.
TEST(Worksheet, ProblemFilesReadBackAsWritten) {
  std::mt19937 rng(7);
  const std::vector<std::string> lines = {"a1 = 2", "Calcula: a5", "R: no es marca", "  blancos ",
                                          "\u00F1 \u20AC"};
  for (int round = 0; round < 200; ++round) {
    std::vector<Prob> problems(rng() % 5);
    std::string file;
    for (Prob& p : problems) {
      // A statement line that starts "R:" would be the answer's mark: the layout has none.
      auto text = [&](bool statement) {
        std::string t;
        for (unsigned i = 0, n = 1 + rng() % 3; i < n; ++i) {
          std::string line = lines[rng() % lines.size()];
          if (statement && line.rfind("R:", 0) == 0) line = "x" + line;
          t += (i ? "\r\n" : "") + line;
        }
        return t;
      };
      p.Enun = text(true);
      p.Resp = text(false);
      file += EscriuPrb(p);
    }
    EXPECT_EQ(LlegeixPrbs(file), problems) << file;
    // The same file with bare LF line breaks.
    std::string lf = std::regex_replace(file, std::regex("\r\n"), "\n");
    EXPECT_EQ(LlegeixPrbs(lf), problems);
  }
  // A record cut before its answer is left out.
  EXPECT_EQ(LlegeixPrbs("a1 = 2\r\nR:     a5 = 3\r\n\r\nCalcula"),
            (std::vector<Prob>{{"a1 = 2", "a5 = 3"}}));
}

// The interest panels' sheet and quiz in the interface language: questions, categories and
// statements in English, and the Spanish bytes again once Spanish is back.
TEST(Worksheet, InterestQuizFollowsTheLanguage) {
  WorksheetRequest r;
  r.panels = {4, 5, 6, 7};
  r.count = 3;
  r.seed = 77;
  const std::string spanish = MoodleXml(ComposeWorksheet(r), "");
  FixaIdioma(kEnglish);
  const std::string english = MoodleXml(ComposeWorksheet(r), "");
  FixaIdioma(kSpanish);
  EXPECT_NE(english.find("/Compound interest</text>"), std::string::npos);
  EXPECT_NE(english.find("Write the value of "), std::string::npos);
  for (const char* word : {"Escribe", "Calcula", "inter\u00E9s", "a\u00F1os", "deuda", "anualidad"})
    EXPECT_EQ(english.find(word), std::string::npos) << word;
  EXPECT_EQ(MoodleXml(ComposeWorksheet(r), ""), spanish);
}

}  // namespace
}  // namespace tolvi
