#include "solvers/tria.h"

#include <algorithm>
#include <array>

namespace tolvi {

int16_t TriaOpcio(Services& ui, int16_t Idioma, std::string_view caption,
                  std::string_view options) {
  static constexpr std::array<std::string_view, 3> kTitols = {"Select option:", "Tria l'opció:",
                                                             "Elegir opción:"};
  if (caption.empty()) caption = kTitols[(Idioma >= 0 && Idioma <= 2) ? Idioma : 0];
  const int chosen = ui.chooseOption(caption, options);
  // A position that names no option counts as no choice: callers index their lists with it.
  const auto count = 1 + std::count(options.begin(), options.end(), ';');
  if (chosen < 1 || chosen > count || chosen > INT16_MAX) return 0;
  return static_cast<int16_t>(chosen);
}

}  // namespace tolvi
