// The arithmetic progression panel (key 0): any three of a_k, d, n, a_n and S_n give the other
// two, the list of terms and the exercise as text. Arithmetic interpolation (key 1): k terms
// inserted between a and b.
//
// Both read the typed texts from the form, report through ctx.ui and return what the window
// must write, in order: repairs and found fields first, then the term list, then the record.
// A case without a finite solution writes no results.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>
#include "solvers/solve.h"

namespace tolvi {

// The term lists stop after this many terms, so that a case with tens of thousands of terms
// still gives a list a person can read (and a problem file of sensible size). The arithmetic
// list ends with "..." anyway; the interpolated one then ends with ", ...".
inline constexpr int16_t MaxTermes = 1000;

// How the computation of a case ended.
enum class CaseEnd {
  Solved,
  NoSolution,  // no finite answer: "No hay soluciones"
  NotWhole,    // the data give a count of terms that is not whole
  TooMany,     // the data give a count of terms beyond the largest the program handles
};

// One full answer of the arithmetic row: the five quantities by slot (0 a_k, 1 d, 2 n, 3 a_n,
// 4 S_n) and the first term a_1.
struct ArithmeticAnswer {
  std::array<double, 5> v;
  double a1;
};

struct ArithmeticCase {
  CaseEnd end = CaseEnd::Solved;
  std::vector<ArithmeticAnswer> answers;  // by increasing n when the data admit several counts
  double n = 0;                           // with NotWhole or TooMany: the count found
  std::vector<double> roots;              // the roots of the equation in n, when one was solved
};

// The missing quantities of a case, without the window. code: the three given slots in
// ascending order ("012", "134"); given: the quantities by slot (the others are not read).
// Every answer the data admit is returned: the cases that find n take both roots of their
// quadratic, and a count that is whole within the data's own rounding.
ArithmeticCase SolveArithmeticCase(std::string_view code, int16_t k,
                                   const std::array<double, 5>& given);

// Reads Id1a and Id(0)..Id(4). Writes Id1a (only to set it back to "1"), the found fields
// among Id(0)..Id(4), the term list IdPA and its visibility, and the record of panel 0.
SolveOutcome ResolA(const Form& form, SolveContext& ctx);

// Reads IdK, IdA, IdB. Writes Idd, IdTrms and the record of panel 1.
SolveOutcome InterpA(const Form& form, SolveContext& ctx);

}  // namespace tolvi
