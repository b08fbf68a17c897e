// Every text a solve gives a person to read follows the interface language: every case code of
// every row (progressions, interpolations, interest and annuities with every count of periods a
// year and both timings, with the period tables), solved in Catalan and in English, uses no word
// that only the Spanish catalogue has, and solved again in Spanish gives the same bytes.
#include <gtest/gtest.h>

#include <bit>
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

// A solve with its form and the option it chooses (the first one unless told; 0 cancels).
using Run = std::function<SolveOutcome(MemoryForm&, SolveContext&)>;
struct Case {
  std::string name;
  MemoryForm form;
  Run run;
  int choice = 1;
};

// Everything the solve gives a person to read, one text.
std::string Read(const Case& c) {
  const test::Solved s = test::Solve(c.form, c.run, "€", {c.choice});
  const SolveOutcome& out = s.out;
  std::string text = AnswerWithSteps("", out.solution) + "\n" + StepsHtml(out.solution);
  if (out.record) text += "\n" + out.record->Enun + "\n" + out.record->Resp;
  for (const auto& choice : s.ui.choices) text += "\n" + choice.caption;
  for (const auto& message : s.ui.messages) text += "\n" + message.text + "|" + message.title;
  if (out.solution.panel >= 4) {  // the simple interest row's table is refused
    const ScheduleResult table = MakeSchedule(out.solution);
    text += table.error + ScheduleText(table.schedule) +
            ScheduleCsv(table.schedule, CsvDialect::English);
  }
  return text;
}

// Every choice of three of the slots' texts, the others left blank.
std::vector<std::vector<std::string>> Threes(const std::vector<std::string>& slots) {
  std::vector<std::vector<std::string>> out;
  for (unsigned mask = 0; mask < 1u << slots.size(); ++mask) {
    if (std::popcount(mask) != 3) continue;
    std::vector<std::string>& fields = out.emplace_back(slots.size());
    for (size_t i = 0; i < slots.size(); ++i)
      if (mask >> i & 1) fields[i] = slots[i];
  }
  return out;
}

// Both progression rows from every choice of three of their quantities (3, 5, 7, 9, 11 and
// 8, 4, 2, 1 with its infinite sum, both from a2; the three codes the sum row does not cover
// are refused), a few refusals and choices, both interpolations, and every case of every
// interest row from what its 012 case completes.
std::vector<Case> Cases() {
  std::vector<Case> cases;
  auto progression = [&](bool arith, const char* k, const std::vector<std::string>& fields,
                         int choice = 1) {
    MemoryForm form = test::Typed(arith ? ctl::Id : ctl::Idg, 0, fields);
    form.setText(arith ? ctl::Id1a : ctl::Id1g, k);
    if (!arith) test::Apply(MostraSumaInf(true), form);
    const bool sum = fields.size() == 6 && !fields[5].empty();
    const Run run = [arith, sum](MemoryForm& f, SolveContext& ctx) {
      ValsG v{};
      return arith ? ResolA(f, ctx) : sum ? ResolSumaG(f, ctx, v) : ResolG(f, ctx, v);
    };
    cases.push_back({testing::PrintToString(fields), form, run, choice});
  };
  for (const auto& fields : Threes({"5", "2", "5", "11", "35"})) progression(true, "2", fields);
  for (const auto& fields : Threes({"4", "1/2", "4", "1", "15", "16"}))
    progression(false, "2", fields);
  progression(true, "1", {"1", "1", "", "", "-10"});      // no count of terms
  progression(false, "1", {"1", "", "3", "", "7"}, 0);    // the choice cancelled
  progression(false, "1", {"2", "3", "", "100"});         // n not whole
  for (const char* b : {"32", "-32"}) {  // between 2 and -32, k must be even: refused
    MemoryForm a, g;
    a.setText(ctl::IdK, "3"), a.setText(ctl::IdA, "2"), a.setText(ctl::IdB, b);
    g.setText(ctl::IdKg, "3"), g.setText(ctl::IdAg, "2"), g.setText(ctl::IdBg, b);
    cases.push_back({std::string("interpolation ") + b, a, InterpA});
    cases.push_back({std::string("interpolation ") + b, g, InterpG});
  }
  for (int k = 0; k < 4; ++k)
    for (int m : {1, 2, 4, 12})
      for (int timing = 0; timing < (k >= 2 ? 2 : 1) && (k > 0 || m == 1); ++timing) {
        const Run run = [k, m, timing](MemoryForm& f, SolveContext& ctx) {
          if (k >= 1) f.setCurrentIndex(ctl::IdPer(k + 4), IndexPerYear(m));
          if (k >= 2) f.setCurrentIndex(ctl::IdMom(k + 4), timing);
          SolveOutcome out = ResolI(k, f, ctx);
          out.solution.panel = k + 4;
          return out;
        };
        const test::Solved full = test::Solve(test::Typed(ctl::IdI, 4 * k, {"10000", "5", "2,5"}), run);
        std::vector<std::string> slots;
        for (int p = 0; p < 4; ++p) slots.push_back(full.text(ctl::IdI(4 * k + p)));
        for (const auto& fields : Threes(slots))
          cases.push_back({"panel " + std::to_string(k + 4) + " m=" + std::to_string(m) +
                               " timing " + std::to_string(timing) + testing::PrintToString(fields),
                           test::Typed(ctl::IdI, 4 * k, fields), run});
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
