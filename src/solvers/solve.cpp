#include "solvers/solve.h"

#include "numeric/numtext.h"

namespace tolvi {

bool LlegeixNum(std::string_view text, double& value, Services& ui) {
  CalcResult failure;
  bool given = LlegeixNum(text, value, &failure);
  if (!failure.ok()) ui.message(failure.message, "Error", Icon::None);
  return given;
}

}  // namespace tolvi
