#include "solvers/geometric.h"

namespace tolvi {

// The geometric solvers are not written yet: a Solve of these panels composes nothing.
SolveOutcome ResolG(const Form&, SolveContext&) { return {}; }
SolveOutcome InterpG(const Form&, SolveContext&) { return {}; }

}  // namespace tolvi
