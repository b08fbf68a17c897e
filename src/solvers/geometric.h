// The geometric progression panel (key 2) and geometric interpolation (key 3).
//
// The upper row of the geometric frame solves a progression a_1, a_1·r, a_1·r², … from three
// of its quantities (a_k, r, n, a_n, S_n), or from the sum S of the infinite decreasing
// progression and two of them. Every function here is headless: it reads the form, reports
// through the services and returns the edits the window should receive, in order.
//
// The quantities of the row live in ValsG (slots 0..5: a_k, r, n, a_n, S_n, S). The
// controller keeps one ValsG for the life of the window: the infinite-sum entry puts the last
// S back into Idg(5) when the typed one cannot be read.
//
// Events of the row and what the controller calls:
//   BtOk(2) clicked ...................... ResolG
//   key pressed in Idg(i), i = 0..5 ...... TeclaIdg (Enter in Idg(5) runs ResolSumaG)
//   Idg(i) clicked ....................... ClicIdg
//   text of Idg(i) changed ............... CanviIdg
//   OkS clicked .......................... ResolSumaG
//   BtRst(2) ............................. MostraSumaInf(false), with the row's own reset
//   BtOk(3) .............................. InterpG
//   text of IdKg, IdAg or IdBg changed ... CanvIntG
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include "solvers/solve.h"

namespace tolvi {

// Slots of the geometric quantities.
using ValsG = std::array<double, 6>;

// The Solve of key 2: three of Idg(0)..Idg(4) given (the first three readable ones in slot
// order), k from Id1g. The two-argument form keeps its quantities to itself.
SolveOutcome ResolG(const Form& form, SolveContext& ctx, ValsG& Vals);
SolveOutcome ResolG(const Form& form, SolveContext& ctx);

// The solve from the infinite sum: S from Idg(5) and the first two filled fields of
// Idg(0)..Idg(4). An unreadable S puts the previous one back into Idg(5).
SolveOutcome ResolSumaG(const Form& form, SolveContext& ctx, ValsG& Vals);

// Works out a case whose given quantities already stand in Vals. code: the slots given, in
// ascending order ("012", "235"); pattern: one character per field Idg(0)..Idg(4), "x" given,
// "0" to be filled.
SolveOutcome ResolCasG(std::string_view code, std::string_view pattern, const Form& form,
                       SolveContext& ctx, ValsG& Vals);

// Offers (true) or withdraws (false) the infinite-sum row: Idg(5) shown, its labels and OkS
// enabled.
SolveOutcome MostraSumaInf(bool v);
void MostraSumaInf(bool v, SolveOutcome& out);

// After a solve: S = a_1/(1 - r) into Vals[5] and Idg(5) with the row offered when |r| < 1;
// otherwise Vals[5] = 0, the row withdrawn and Idg(5) left as it is.
void SumaInf(double a1, double r, ValsG& Vals, SolveOutcome& out);

// What a key pressed in Idg(i) does. Only Enter (key code 13) acts: in Idg(5) it solves from
// the infinite sum; in Idg(0)..Idg(4) a readable (or empty) text moves the focus to the next
// field, round from Idg(4) to Idg(0), and in the ratio field offers the infinite-sum row when
// |r| < 1 and withdraws it otherwise.
struct RespostaTecla {
  SolveOutcome outcome;
  std::string focus;  // the control that takes the focus; empty: it stays where it is
};
inline constexpr int kTeclaEnter = 13;
RespostaTecla TeclaIdg(int i, int key, const Form& form, SolveContext& ctx, ValsG& Vals);

// A click on Idg(i): on Idg(5) the row is offered, and when Idg(5) is empty the fields n,
// a_n and S_n are emptied so that they are typed after S. Other fields: nothing.
SolveOutcome ClicIdg(int i, const Form& form, ValsG& Vals);

// A text of the row changed: the composed case is withdrawn (Save disabled, term list emptied).
SolveOutcome CanviIdg();

// The Solve of key 3: k terms inserted between a and b in geometric progression.
SolveOutcome InterpG(const Form& form, SolveContext& ctx);

// A text of IdKg, IdAg or IdBg changed: Save of key 3 disabled and the inserted terms emptied.
SolveOutcome CanvIntG();

}  // namespace tolvi
