// Random cases: the Generate button of each panel fills three of its fields with values drawn
// from small fixed ranges, and the window then solves the panel as usual.
#pragma once
#include <cstdint>
#include "solvers/atzar.h"
#include "solvers/form.h"

namespace tolvi {

// The text edits that put a random case into panel key (0..7), in the order the values are
// drawn. Only the three fields of the case are written: the others, and the subscript boxes
// Id1a and Id1g, keep what they hold. An unknown key gives no edits. Never solved, no record.
SolveOutcome GeneraCas(int key, const Form& form, Atzar& rng);

}  // namespace tolvi
