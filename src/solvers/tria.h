// The option chooser: the user picks one of several answers (for instance one of the ratios
// that solve a progression's equation).
#pragma once
#include <cstdint>
#include <string_view>
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

// Shows the chooser with the options separated by ";" (the text after the last ";" is the last
// option, even when empty) and returns the 1-based position chosen, 0 when cancelled. An empty
// caption is replaced by "Select option:", "Tria l'opció:" or "Elegir opción:" by language
// (a language with no catalogue reads as English).
int16_t TriaOpcio(Services& ui, Language Idioma, std::string_view caption,
                  std::string_view options);

}  // namespace tolvi
