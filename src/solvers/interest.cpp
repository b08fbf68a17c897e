#include "solvers/interest.h"

namespace tolvi {

// The interest solvers are not written yet: a Solve of these panels composes nothing.
SolveOutcome ResolI(int16_t, const Form&, SolveContext&) { return {}; }

}  // namespace tolvi
