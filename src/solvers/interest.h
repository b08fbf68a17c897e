// Simple and compound interest (k = 0, 1: panels 4, 5) and annuities of capitalisation and
// amortisation (k = 2, 3: panels 6, 7).
#pragma once
#include <cstdint>
#include <string>
#include "solvers/solve.h"

namespace tolvi {

SolveOutcome ResolI(int k, const Form& form, SolveContext& ctx);

// The periods of an interest row: how many times a year the interest compounds (compound
// interest) or a payment falls (annuities), and whether each payment falls at the start of its
// period. The rate typed is always the nominal annual rate and the time is in years.
struct Periodes {
  int m = 1;
  bool start = false;
};

// The choices the rows offer, in the order of their lists.
inline constexpr int kPerYear[] = {1, 2, 4, 12};

// The usual timing of a panel's payments: capitalisation pays at the start of each period,
// amortisation at its end.
inline bool StartByDefault(int panel) { return panel == 6; }

// The lists of panel key 5..7 (ctl::IdPer, ctl::IdMom): IdPer picks an item of kPerYear;
// IdMom is 0 for payments at the start of each period, 1 for the end. A list with no item
// chosen (-1, or a form that has no such list) stands for the panel's usual choice: yearly, and
// its usual timing.
Periodes LlegeixPeriodes(const Form& form, int panel);
// The index of m in kPerYear, -1 when it is none of them.
int IndexPerYear(int m);

// Whether the periods are the panel's usual ones (yearly, the usual timing): its statements,
// answers and working are then those of the yearly panel.
inline bool Usual(const Periodes& p, int panel) {
  return p.m == 1 && (panel < 6 || p.start == StartByDefault(panel));
}

}  // namespace tolvi
