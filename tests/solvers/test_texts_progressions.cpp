// The progression rows' statements, answers, chooser captions and working follow the interface
// language: every case of both rows and both interpolations, solved in Catalan and in English,
// reads without Spanish words, and solved again in Spanish gives the same bytes as before.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "solve_fixture.h"
#include "solvers/arithmetic.h"
#include "solvers/controls.h"
#include "solvers/geometric.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

enum class Row { Arith, Geo, InterpA, InterpG };

struct Case {
  Row row;
  std::string k;
  std::vector<std::string> fields;  // Id(0).. / Idg(0)..Idg(5) / k, a, b of an interpolation
  bool decreasing = false;
  std::deque<int> choices = {};
};

// Every case code of both rows, k > 1, a choice, a cancelled choice, no ratio, no infinite
// sum, a count that is not whole.
const Case kCases[] = {
    {Row::Arith, "1", {"3", "2", "10"}}, {Row::Arith, "1", {"3", "2", "", "11"}},
    {Row::Arith, "1", {"3", "2", "", "", "35"}}, {Row::Arith, "1", {"3", "", "5", "11"}},
    {Row::Arith, "1", {"3", "", "5", "", "35"}}, {Row::Arith, "2", {"5", "", "", "11", "35"}},
    {Row::Arith, "5", {"9", "", "", "9", "25"}}, {Row::Arith, "1", {"", "2", "5", "11"}},
    {Row::Arith, "1", {"", "2", "5", "", "35"}}, {Row::Arith, "1", {"", "2", "", "11", "35"}, false, {1}},
    {Row::Arith, "1", {"", "", "5", "11", "35"}}, {Row::Arith, "3", {"7", "2", "5"}},
    {Row::Arith, "1", {"10", "-2", "", "", "30"}, false, {2}},
    {Row::Geo, "1", {"2", "3", "5"}}, {Row::Geo, "1", {"8", "1/2", "4"}},
    {Row::Geo, "1", {"2", "3", "", "162"}}, {Row::Geo, "1", {"2", "3", "", "", "242"}},
    {Row::Geo, "1", {"3", "", "4", "24"}}, {Row::Geo, "1", {"1", "", "3", "", "7"}, false, {2}},
    {Row::Geo, "1", {"1", "", "3", "", "7"}}, {Row::Geo, "1", {"1", "", "3", "-4"}},
    {Row::Geo, "2", {"4", "", "", "1", "15"}}, {Row::Geo, "1", {"1", "", "", "16", "31"}},
    {Row::Geo, "1", {"", "2", "5", "162"}}, {Row::Geo, "1", {"", "2", "5", "", "31"}},
    {Row::Geo, "1", {"", "2", "", "16", "31"}}, {Row::Geo, "1", {"", "", "4", "1", "15"}, true},
    {Row::Geo, "1", {"2", "3", "", "100"}}, {Row::Geo, "1", {"8", "", "4", "", "", "16"}},
    {Row::Geo, "1", {"", "1/2", "4", "", "", "16"}}, {Row::Geo, "1", {"", "1/2", "", "1", "", "16"}},
    {Row::Geo, "1", {"", "2", "", "1", "", "16"}}, {Row::Geo, "1", {"", "1/2", "", "", "15", "16"}},
    {Row::Geo, "1", {"", "", "4", "1", "", "16"}},
    {Row::Geo, "1", {"", "", "4", "", "15", "16"}, false, {2}},
    {Row::Geo, "1", {"", "", "", "1", "15", "16"}},
    {Row::InterpA, "", {"3", "2", "10"}}, {Row::InterpG, "", {"3", "2", "32"}},
    {Row::InterpG, "", {"2", "1", "-8"}},
};

// Everything the solve gives a person to read, one text.
std::string Read(const Case& c) {
  MemoryForm form;
  const bool interp = c.row == Row::InterpA || c.row == Row::InterpG;
  const ctl::Group& group = c.row == Row::Arith ? ctl::Id : ctl::Idg;
  for (size_t i = 0; i < c.fields.size(); ++i) {
    const std::string name =
        !interp ? group(static_cast<int>(i))
        : c.row == Row::InterpA ? std::string(i == 0 ? ctl::IdK : i == 1 ? ctl::IdA : ctl::IdB)
                                : std::string(i == 0 ? ctl::IdKg : i == 1 ? ctl::IdAg : ctl::IdBg);
    form.setText(name, c.fields[i]);
  }
  form.setText(c.row == Row::Arith ? ctl::Id1a : ctl::Id1g, c.k);
  const bool fromSum = c.fields.size() == 6;
  test::Apply(MostraSumaInf(c.decreasing || fromSum), form);
  RecordingServices ui;
  ui.defaultChoice = 0;
  ui.choiceAnswers = c.choices;
  SolveContext ctx{ui};
  ValsG vals{};
  const SolveOutcome out = c.row == Row::Arith     ? ResolA(form, ctx)
                           : c.row == Row::InterpA ? InterpA(form, ctx)
                           : c.row == Row::InterpG ? InterpG(form, ctx)
                           : fromSum               ? ResolSumaG(form, ctx, vals)
                                                   : ResolG(form, ctx, vals);
  EXPECT_FALSE(out.solution.steps.empty());
  std::string text = AnswerWithSteps("", out.solution) + "\n" + StepsHtml(out.solution);
  if (out.record) text += "\n" + out.record->Enun + "\n" + out.record->Resp;
  for (const RecordingServices::Choice& choice : ui.choices) text += "\n" + choice.caption;
  return text;
}

TEST(ProgressionTexts, FollowTheLanguageAndComeBackInSpanish) {
  // Spanish words that neither the Catalan nor the English texts use.
  const std::vector<std::string> spanish = {
      "érmino", "progresión", "raí",   "azón",      "elegida", "ninguna",  "Diferencia",
      "Último",  "entero",     " y ",   "Solución",  "isión",   "potencia", "logaritmos",
      "segundo", "cuenta",     "hay ",  "soluciones", "conjunto"};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.fields));
    FixaIdioma(kSpanish);
    const std::string es = Read(c);
    for (Language lang : {kCatalan, kEnglish}) {
      FixaIdioma(lang);
      const std::string other = Read(c);
      EXPECT_NE(other, es);
      for (const std::string& word : spanish)
        EXPECT_EQ(other.find(word), std::string::npos) << word << " in " << Catalogues()[Index(lang)].code << ":\n" << other;
      if (lang == kEnglish) {
        EXPECT_EQ(other.find("Calcula"), std::string::npos) << other;
      }
    }
    FixaIdioma(kSpanish);
    EXPECT_EQ(Read(c), es);
  }
}

}  // namespace
}  // namespace tolvi
