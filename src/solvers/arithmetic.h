// The arithmetic progression panel (key 0): any three of a_k, d, n, a_n and S_n give the other
// two, the list of terms and the exercise as text. Arithmetic interpolation (key 1): k terms
// inserted between a and b.
//
// Both read the typed texts from the form, report through ctx.ui and return what the window
// must write, in order: repairs and found fields first, then the term list, then the record.
// A case without a finite solution writes no results.
#pragma once
#include <cstdint>
#include "solvers/solve.h"

namespace tolvi {

// The term lists stop after this many terms, so that a case with tens of thousands of terms
// still gives a list a person can read (and a problem file of sensible size). The arithmetic
// list ends with "..." anyway; the interpolated one then ends with ", ...".
inline constexpr int16_t MaxTermes = 1000;

// Reads Id1a and Id(0)..Id(4). Writes Id1a (only to set it back to "1"), the found fields
// among Id(0)..Id(4), the term list IdPA and its visibility, and the record of panel 0.
SolveOutcome ResolA(const Form& form, SolveContext& ctx);

// Reads IdK, IdA, IdB. Writes Idd, IdTrms and the record of panel 1.
SolveOutcome InterpA(const Form& form, SolveContext& ctx);

}  // namespace tolvi
