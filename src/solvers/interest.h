// Simple and compound interest (k = 0, 1: panels 4, 5) and annuities of capitalisation and
// amortisation (k = 2, 3: panels 6, 7).
#pragma once
#include <cstdint>
#include "solvers/solve.h"

namespace tolvi {

SolveOutcome ResolI(int16_t k, const Form& form, SolveContext& ctx);

}  // namespace tolvi
