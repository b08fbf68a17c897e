// Worksheets: random cases of chosen panels, each solved as the Generate button does, with
// what an answer key and a quiz need of them (the found quantities with their values and
// the precision they are shown with). Also the plain outputs that need no Qt: the
// problem-file text and the Moodle XML quiz. The printed sheet and key are drawn by
// render/worksheet_pdf from the same Worksheet.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/prob.h"
#include "solvers/steps.h"

namespace tolvi {

// What to compose: count cases of each panel key, in the order given; the same seed (and
// symbol) gives the same cases on every machine, and the same as `tolvi-cli generate`.
struct WorksheetRequest {
  std::vector<int16_t> panels;
  int count = 1;
  std::vector<int> counts;  // when given, the count of each entry of panels instead
  uint64_t seed = 0;
  std::string symbol = "\u20AC";
};

// A quantity the solve found (one the case did not give), from the solve's working.
struct FoundQuantity {
  std::string alias;      // as tolvi-cli names it: "an", "d", "annuity"
  std::string label;      // how a question names it, plain: "a₄", "S₄", "la anualidad"
  std::string labelHtml;  // the same in the formula look: "a<sub>4</sub>"
  std::string shown;      // as the solve wrote it in its field
  double value = 0;       // as computed, before it was written
  double tolerance = 0;   // half a unit of the last digit shown (see ToleranceOf)
};

struct WorksheetCase {
  int16_t panel = 0;
  bool solved = false;
  Prob problem;                      // statement and answer (empty when not solved)
  std::vector<FoundQuantity> found;  // in the panel's field order
  Solution working;                  // the solve's quantities and worked steps
  std::string failure;               // why the panel could not solve its case
};

struct Worksheet {
  uint64_t seed = 0;
  std::vector<WorksheetCase> cases;  // panel by panel, count of each
  bool allSolved() const;
  std::vector<Prob> problems() const;  // the solved cases' records, in order
};

// Generates, solves and collects the cases of the request on a form in memory.
Worksheet ComposeWorksheet(const WorksheetRequest& request);

// The name of a panel in the interface language, for headings and quiz categories
// ("Progresión aritmética").
std::string NomPanell(int key);

// The accepted error of a typed answer to a shown number: half a unit of its last decimal
// ("2.35" gives 0.005, "162" gives 0.5), counting at most the three decimals the answers of
// the progressions show. A fraction ("5/2") is exact, so the error accepted is that of those
// three decimals: 0.0005. With decimals given (the interest panels write two, even when the
// last ones are zeros and left out), half a unit of that decimal.
double ToleranceOf(std::string_view shown, int decimals = -1);

// A statement or answer in the program's formula look, as HTML: a term or sum with its index
// ("a5", "Sn", "S∞") gets the index as a subscript, a power ("e^(Ln(b/a)/(k+1))") its
// exponent as a superscript; line breaks become <br>, and &, <, >, " are escaped.
std::string FormulaHtml(std::string_view text);

// The problem-file text of the solved cases (statement, "R:     " answer, empty line; CR LF);
// with steps, the worked steps under each answer, as `generate --steps` writes them.
std::string WorksheetText(const Worksheet& sheet, bool steps = false);

// A Moodle XML quiz: a category per panel, one numerical question per found quantity, the
// statement as its text and the computed value as its answer with ToleranceOf as tolerance.
std::string MoodleXml(const Worksheet& sheet, std::string_view title);

// The problems of a problem file's text, as EscriuPrb wrote them: each is its statement
// lines, a line starting "R:" (five blanks after it are part of the mark) with the answer's
// first line, the answer's further lines, and an empty line. Text before a record that never
// reaches its "R:" line is left out.
std::vector<Prob> LlegeixPrbs(std::string_view text);

}  // namespace tolvi
