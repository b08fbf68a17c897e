// What the Enter key does in the window's fields: it solves the row the field belongs to, as
// the row's Ok button does. The geometric row keeps its own walk while its case is not
// complete: Enter there moves to the next field (and the ratio offers or withdraws the
// infinite-sum row) until three of its five quantities are typed; Enter in the infinite sum
// solves from the sum.
#pragma once
#include <cstdint>
#include <string_view>

#include "solvers/form.h"

namespace tolvi {

// The panel key whose Solve Enter in `field` runs, or -1 when the controller's own key
// handling applies (the geometric walk, the infinite sum, the currency list, a field that
// shows results only, any other control).
int16_t PanellDeIntro(const Form& form, std::string_view field);

}  // namespace tolvi
