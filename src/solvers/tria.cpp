#include "solvers/tria.h"

#include <algorithm>

#include "numeric/sixteen_bits.h"
#include "texts/catalogue.h"

namespace tolvi {

int16_t TriaOpcio(Services& ui, Language Idioma, std::string_view caption,
                  std::string_view options) {
  // A language the program does not know reads as English, as the chooser always did.
  if (caption.empty()) caption = Tx("chooser.title", Coneguda(Idioma) ? Idioma : kEnglish);
  const int chosen = ui.chooseOption(caption, options);
  // A position that names no option counts as no choice: callers index their lists with it.
  const auto count = 1 + std::count(options.begin(), options.end(), ';');
  if (chosen < 1 || chosen > count || chosen > kInt16Max) return 0;
  return static_cast<int16_t>(chosen);
}

}  // namespace tolvi
