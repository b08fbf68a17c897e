// Every text a solve gives a person to read follows the interface language: every case code of
// every row (progressions, interpolations, interest and annuities with every count of periods a
// year and both timings, with the period tables), solved in Catalan and in English, uses no word
// that only the Spanish catalogue has, and solved again in Spanish gives the same bytes.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <string>

#include "solve_fixture.h"
#include "solvers/arithmetic.h"
#include "solvers/controls.h"
#include "solvers/geometric.h"
#include "solvers/interest.h"
#include "solvers/schedule.h"
#include "solvers/steps.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

// The words of a text: runs of four or more bytes that are letters or part of a UTF-8 letter.
std::set<std::string> Words(const std::string& text) {
  std::set<std::string> out;
  std::string word;
  for (const char c : text + " ") {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c & 0x80)) {
      word += c;
    } else {
      if (word.size() >= 4) out.insert(word);
      word.clear();
    }
  }
  return out;
}

// The words of the Spanish catalogue that the catalogue of `lang` never uses.
std::set<std::string> SpanishOnly(Language lang) {
  std::set<std::string> es, other;
  for (const auto& [key, text] : Catalogues()[Index(kSpanish)].texts) es.merge(Words(text));
  for (const auto& [key, text] : Catalogues()[Index(lang)].texts) other.merge(Words(text));
  std::erase_if(es, [&](const std::string& w) { return other.contains(w); });
  return es;
}

// A solve with the form, the options chosen (the first one unless told) and what it shows.
using Run = std::function<SolveOutcome(MemoryForm&, SolveContext&)>;
struct Case {
  std::string name;
  MemoryForm form;
  Run run;
  int choice = 1;
};

// Everything the solve gives a person to read, one text.
std::string Read(const Case& c) {
  MemoryForm form = c.form;
  RecordingServices ui;
  ui.defaultChoice = c.choice;
  SolveContext ctx{ui};
  const SolveOutcome out = c.run(form, ctx);
  std::string text = AnswerWithSteps("", out.solution) + "\n" + StepsHtml(out.solution);
  if (out.record) text += "\n" + out.record->Enun + "\n" + out.record->Resp;
  for (const auto& choice : ui.choices) text += "\n" + choice.caption;
  for (const auto& message : ui.messages) text += "\n" + message.text + "|" + message.title;
  if (out.solution.panel >= 4) {  // the simple interest row's table is refused
    const ScheduleResult table = MakeSchedule(out.solution);
    text += table.error + ScheduleText(table.schedule) +
            ScheduleCsv(table.schedule, CsvDialect::English);
  }
  return text;
}

// The cases: both progression rows from every choice of three of their quantities (3, 5, 7, 9,
// 11 from a3 and 8, 4, 2, 1 from a2, with its infinite sum), a few refusals and choices, both interpolations,
// and every interest case.
std::vector<Case> Cases() {
  std::vector<Case> cases;
  auto progression = [&](bool arith, const char* k, const std::vector<std::string>& fields,
                         int choice) {
    Case c{(arith ? "arith " : "geo ") + testing::PrintToString(fields), {}, {}, choice};
    for (size_t i = 0; i < fields.size(); ++i)
      c.form.setText((arith ? ctl::Id : ctl::Idg)(static_cast<int>(i)), fields[i]);
    c.form.setText(arith ? ctl::Id1a : ctl::Id1g, k);
    const bool fromSum = fields.size() == 6 && !fields[5].empty();
    if (!arith) test::Apply(MostraSumaInf(true), c.form);
    c.run = [arith, fromSum](MemoryForm& f, SolveContext& ctx) {
      ValsG vals{};
      return arith ? ResolA(f, ctx) : fromSum ? ResolSumaG(f, ctx, vals) : ResolG(f, ctx, vals);
    };
    cases.push_back(std::move(c));
  };
  auto codes = [&](bool arith, const char* k, const std::vector<std::string>& slots) {
    const int n = static_cast<int>(slots.size());
    for (int a = 0; a < n; ++a)
      for (int b = a + 1; b < n; ++b)
        for (int c = b + 1; c < n; ++c) {
          std::vector<std::string> fields(static_cast<size_t>(c + 1));
          for (int i : {a, b, c}) fields[static_cast<size_t>(i)] = slots[static_cast<size_t>(i)];
          progression(arith, k, fields, 1);
        }
  };
  codes(true, "3", {"7", "2", "5", "11", "35"});
  codes(false, "2", {"4", "1/2", "4", "1", "15", "16"});
  progression(true, "1", {"10", "-2", "", "", "30"}, 2);  // two counts of terms
  progression(true, "1", {"1", "1", "", "", "-10"}, 1);   // no count of terms
  progression(false, "1", {"1", "", "3", "", "7"}, 0);    // the choice cancelled
  progression(false, "1", {"2", "3", "", "100"}, 1);      // n not whole
  progression(false, "1", {"1", "", "3", "-4"}, 1);       // no ratio
  for (bool arith : {true, false}) {
    Case c{arith ? "interpolation a" : "interpolation g", {}, {}};
    c.form.setText(arith ? ctl::IdK : ctl::IdKg, "3");
    c.form.setText(arith ? ctl::IdA : ctl::IdAg, "2");
    c.form.setText(arith ? ctl::IdB : ctl::IdBg, arith ? "-10" : "-32");  // g: k must be even
    c.run = arith ? Run(InterpA) : Run(InterpG);
    cases.push_back(c);
    c.form.setText(arith ? ctl::IdB : ctl::IdBg, "32");
    cases.push_back(std::move(c));
  }
  // Interest: every code from the data an 012 solve completes.
  const std::array<std::array<std::string, 4>, 4> data{{{"1000", "5", "3", ""},
                                                        {"1000", "6", "2,5", ""},
                                                        {"20000", "4", "10", ""},
                                                        {"10000", "5", "10", ""}}};
  for (int k = 0; k < 4; ++k)
    for (int m : {1, 2, 4, 12}) {
      if (k == 0 && m != 1) continue;
      for (int timing = 0; timing < (k >= 2 ? 2 : 1); ++timing) {
        MemoryForm base = test::Typed(ctl::IdI, 4 * k, {data[k].begin(), data[k].end()});
        if (k >= 1) base.setCurrentIndex(ctl::IdPer(k + 4), IndexPerYear(m));
        if (k >= 2) base.setCurrentIndex(ctl::IdMom(k + 4), timing);
        const Run run = [k](MemoryForm& f, SolveContext& ctx) {
          SolveOutcome out = ResolI(k, f, ctx);
          out.solution.panel = k + 4;
          return out;
        };
        RecordingServices ui;
        SolveContext ctx{ui};
        test::Apply(run(base, ctx), base);
        for (const char* code : {"012", "023", "123", "013"}) {
          Case c{"interest " + std::to_string(k) + " m=" + std::to_string(m) + " " + code,
                 base, run};
          for (int p = 0; p < 4; ++p)
            if (std::string(code).find(static_cast<char>('0' + p)) == std::string::npos)
              c.form.setText(ctl::IdI(4 * k + p), "");
          cases.push_back(std::move(c));
        }
      }
    }
  return cases;
}

TEST(Texts, EverySolveFollowsTheInterfaceLanguage) {
  const std::set<std::string> spanishOnly[] = {SpanishOnly(kEnglish), SpanishOnly(kCatalan)};
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    FixaIdioma(kSpanish);
    const std::string es = Read(c);
    for (Language lang : {kEnglish, kCatalan}) {
      FixaIdioma(lang);
      const std::string other = Read(c);
      EXPECT_NE(other, es);
      for (const std::string& word : Words(other))
        EXPECT_FALSE(spanishOnly[Index(lang)].contains(word))
            << word << " in " << Catalogues()[Index(lang)].code << ":\n"
            << other;
    }
    FixaIdioma(kSpanish);
    EXPECT_EQ(Read(c), es);
  }
}

}  // namespace
}  // namespace tolvi
