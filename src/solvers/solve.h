// What every panel solver gets besides the form: the services through which it reports,
// and the program-wide settings it reads.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "solvers/form.h"
#include "solvers/services.h"

namespace tolvi {

struct SolveContext {
  Services& ui;
  int16_t Idioma = 2;        // language of the secondary windows: 0 English, 1 Catalan, 2 Spanish
  std::string Smb = "\u20AC";  // the chosen currency symbol, written after every amount
};

// Reads a typed field as the calculator does; a calculator failure is shown once, in a box
// titled "Error" with no icon, and the field then counts as not given.
bool LlegeixNum(std::string_view text, double& value, Services& ui);

}  // namespace tolvi
