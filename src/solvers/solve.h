// What every panel solver gets besides the form: the services through which it reports,
// and the program-wide settings it reads.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include "numeric/calc.h"
#include "numeric/sixteen_bits.h"
#include "solvers/controls.h"
#include "solvers/form.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

struct SolveContext {
  Services& ui;
  Language Idioma = kSpanish;  // the interface language
  std::string Smb = "\u20AC";  // the chosen currency symbol, written after every amount
};

// The name under which the window shows the quantity of a field: "a₁" (with the subscript
// typed beside it), "d", "n", "aₙ", "Sₙ", "S∞", "k", "c", "C"... Another name is given back as
// it stands.
std::string EtiquetaCamp(const Form& form, std::string_view name);

// The calculator's failure as the main window tells it, in Spanish; never empty.
std::string MissatgeCalcFinestra(ErrCalc err);

// Reads a typed field as the calculator does; a calculator failure is shown once, in a box
// titled "Error" with no icon that names the field ("a₁: División por cero"), and the field
// then counts as not given.
bool LlegeixCamp(const Form& form, std::string_view name, double& value, Services& ui);

// A count typed beyond `max` (a field that reads as a number larger than the program's
// counts) is told in a message naming the field; answers true then.
bool MassaGran(const Form& form, std::string_view name, int max, Services& ui);

// Tells that a count (`what`: "n", "n = 40000") goes beyond `max`, the largest the program
// handles.
void MassaTermes(std::string_view what, int max, Services& ui,
                 std::string_view title = {});  // {}: "valor incorrecto"

// The largest count of terms the program handles.
inline constexpr int kMaxTermes = kInt16Max;

// The given quantities of a row, read from the fields group(first), group(first + 1), ...: the
// first `wanted` fields that hold a number are given (their position's digit is appended to
// `code`, "x" to `pattern`) and the others are to be found ("0"). With `readAll` every field is
// read even once enough are given, so that a bad extra field still shows the calculator's
// message. `accept(position, value)` may refuse a value after showing its message: the reading
// ends there and answers false.
template <size_t N, class Accept>
bool LlegeixDonats(const Form& form, Services& ui, const ctl::Group& group, int first,
                   size_t wanted, bool readAll, std::array<double, N>& values, std::string& code,
                   std::string& pattern, Accept accept) {
  for (size_t i = 0; i < N; ++i) {
    double x = 0;
    const bool full = code.size() == wanted;
    if (full && !readAll) {
      pattern += '0';
      continue;
    }
    const std::string name = group(first + static_cast<int>(i));
    if (form.text(name).empty() || !LlegeixCamp(form, name, x, ui) || full) {
      pattern += '0';
      continue;
    }
    if (!accept(i, x)) return false;
    values[i] = x;
    code += static_cast<char>('0' + i);
    pattern += 'x';
  }
  return true;
}

}  // namespace tolvi
