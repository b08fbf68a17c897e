// The texts of interest, annuities and their tables follow the interface language: every case
// code of every interest row, with every count of periods a year and payment timing, solved in
// Catalan and in English says nothing in Spanish, and solved again in Spanish gives the same
// bytes as before.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "solvers/controls.h"
#include "solvers/interest.h"
#include "solvers/schedule.h"
#include "solvers/steps.h"
#include "texts/catalogue.h"
#include "solve_fixture.h"

namespace tolvi {
namespace {

// Words of the Spanish texts that neither Catalan nor English use.
constexpr std::array kSpanishWords{"años", "interés", "dad",   "periodo",  "raíz",   "Tiempo",
                                   "Tipo", "euda",    "pagos", "Importes", "cuadro", "logaritmos"};

struct InLanguage {
  explicit InLanguage(Language idioma) { FixaIdioma(idioma); }
  ~InLanguage() { FixaIdioma(kSpanish); }
  InLanguage(const InLanguage&) = delete;
  InLanguage& operator=(const InLanguage&) = delete;
};

// Everything a person reads of one solve that the interest solver words: statement, answer,
// the working's labels, methods, reasons and checks (the working's own frame words are not
// the interest rows') and, for the rows that have one, the table by periods.
std::string Read(int k, int m, int timing, const std::array<std::string, 4>& values,
                 const std::string& code, std::array<std::string, 4>* found = nullptr) {
  MemoryForm form;
  for (int p = 0; p < 4; ++p)
    if (code.find(static_cast<char>('0' + p)) != std::string::npos)
      form.setText(ctl::IdI(4 * k + p), values[p]);
  if (k >= 1) form.setCurrentIndex(ctl::IdPer(k + 4), IndexPerYear(m));
  if (k >= 2) form.setCurrentIndex(ctl::IdMom(k + 4), timing);
  const test::Solved s =
      test::Solve(std::move(form), [k](const Form& f, SolveContext& c) { return ResolI(k, f, c); });
  EXPECT_TRUE(s.out.solved) << k << " " << code << " m=" << m;
  if (found)
    for (int p = 0; p < 4; ++p) (*found)[p] = s.text(ctl::IdI(4 * k + p));
  const Prob record = s.out.record.value_or(Prob{});
  std::string all = record.Enun + "\n" + record.Resp + "\n";
  for (const Step& step : s.out.solution.steps)
    all += step.label + "|" + step.sought + "|" + step.method + "|" + step.tolerance + "|" +
           step.why + "|" + step.text + "\n";
  if (k >= 1) {
    Solution sol = s.out.solution;
    sol.panel = k + 4;
    const ScheduleResult table = MakeSchedule(sol);
    all += table.error + ScheduleText(table.schedule) + ScheduleCsv(table.schedule, CsvDialect::English);
  }
  return all;
}

TEST(TextsMoney, EveryInterestCaseSpeaksTheInterfaceLanguageAndSpanishStaysAsItWas) {
  const std::array<std::array<std::string, 4>, 4> data{{{"1000", "5", "3", ""},
                                                        {"1000", "6", "2,5", ""},
                                                        {"20000", "4", "10", ""},
                                                        {"10000", "5", "10", ""}}};
  int cases = 0;
  for (int k = 0; k < 4; ++k)
    for (int m : {1, 2, 4, 12}) {
      if (k == 0 && m != 1) continue;
      for (int timing = 0; timing < (k >= 2 ? 2 : 1); ++timing) {
        // The 012 solve completes the data; every other code starts from three of them.
        std::array<std::string, 4> full;
        Read(k, m, timing, data[k], "012", &full);
        for (const std::string code : {"012", "023", "123", "013"}) {
          const std::string spanish = Read(k, m, timing, full, code);
          for (Language idioma : {kCatalan, kEnglish}) {
            InLanguage in(idioma);
            const std::string other = Read(k, m, timing, full, code);
            EXPECT_NE(other, spanish);
            for (const char* word : kSpanishWords)
              EXPECT_EQ(other.find(word), std::string::npos)
                  << "\"" << word << "\" in " << Catalogues()[Index(idioma)].code << ":\n" << other;
          }
          EXPECT_EQ(Read(k, m, timing, full, code), spanish);
          ++cases;
        }
      }
    }
  EXPECT_EQ(cases, 4 * (1 + 4 + 8 + 8));
}

TEST(TextsMoney, PeriodWordsNameThePaymentsOfEachPeriod) {
  // The statement and the working name the payment by its period in each language.
  const struct {
    Language idioma;
    const char* statement;
    const char* step;
  } rows[] = {{kSpanish, "mensualidad", "Mensualidad|"},
              {kCatalan, "mensualitat", "Mensualitat|"},
              {kEnglish, "monthly payment", "Monthly payment|"}};
  for (const auto& row : rows) {
    InLanguage in(row.idioma);
    const std::string text = Read(3, 12, 1, {"150000", "4,2", "25", ""}, "012");
    EXPECT_NE(text.find(row.statement), std::string::npos) << text;
    EXPECT_NE(text.find(row.step), std::string::npos) << text;
  }
}

TEST(TextsMoney, ScheduleRefusalsFollowTheLanguage) {
  for (Language idioma : {kCatalan, kEnglish}) {
    InLanguage in(idioma);
    const std::string error = MakeSchedule(Solution{}).error;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error, Tx("sched.only_interest"));
    EXPECT_NE(error, Tx("sched.only_interest", kSpanish));
  }
}

}  // namespace
}  // namespace tolvi
