// The interface language (English, Catalan, Spanish, then any catalogue added)
// and the rule that decides it each time the tools editor opens: the program's command-line
// argument, else the first item of "Lng.txt" in the working folder, else no change.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/textfile.h"
#include "texts/catalogue.h"

namespace tolvi {

inline constexpr std::string_view kLngFile = "Lng.txt";

// The command-line arguments (after the program's name) as one text, joined by blanks.
std::string TextArguments(const std::vector<std::string>& arguments);

// The language a whole text names, in any case: "cat" Catalan, "esp" Spanish, another
// catalogue's word (texts/catalogue.h) that language, anything else English.
Language IdiomaDelText(std::string_view text);

// The first item of carpIni's "Lng.txt" (its first line, or the text before a comma, without
// surrounding blanks or quotes). False when there is no such file or the item is empty.
bool LlegeixLng(std::string_view carpIni, std::string& item);

// Keeps the language chosen in the window: carpIni's "Lng.txt" is replaced (atomically) by the
// language's word, so that the rule above finds it at the next start.
FileResult DesaIdioma(std::string_view carpIni, Language idioma);

// The rule: a non-empty argument text decides; else the item of "Lng.txt" does; else idioma
// stays as it is and senseLng is set (no language source was found).
Language TriaIdioma(std::string_view arguments, std::string_view carpIni, Language idioma,
                    bool& senseLng);

}  // namespace tolvi
