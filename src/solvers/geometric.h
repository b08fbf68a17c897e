// The geometric progression panel (key 2) and geometric interpolation (key 3).
#pragma once
#include "solvers/solve.h"

namespace tolvi {

SolveOutcome ResolG(const Form& form, SolveContext& ctx);
SolveOutcome InterpG(const Form& form, SolveContext& ctx);

}  // namespace tolvi
