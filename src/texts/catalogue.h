// Every text a person reads, by key, in the interface language. Each language is one catalogue
// file (src/texts/lang/*.lng, compiled in), so that adding a language is adding one file:
//
//   # a comment
//   @code = es            the language's short code (tolvi-cli --lang, Qt's translations)
//   @word = esp           the word that names it on the window's command line and in Lng.txt
//   @name = Español       how the language menu shows it
//   key = text            one text; "\n" is a line break, "%1".."%9" stand for what is filled in
//
// The interface language (Idioma) numbers the catalogues: 0 English, 1 Catalan, 2 Spanish, and
// any added language after them. A key missing from a catalogue reads as its Spanish text.
// Nothing here knows about Qt; the window's and the command line's language is one value for
// the whole program, set where the person chooses it.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

inline constexpr int16_t kEnglish = 0;
inline constexpr int16_t kCatalan = 1;
inline constexpr int16_t kSpanish = 2;

// One catalogue read from its text.
struct Catalogue {
  std::string code, word, name;
  std::map<std::string, std::string, std::less<>> texts;
  // Lines that are neither a comment, a key = text nor a known @ setting, and keys given twice,
  // as "line N: ..." (none in a good catalogue).
  std::vector<std::string> problems;
};

// Reads a catalogue's text (see above). Blanks around keys and texts are dropped.
Catalogue LlegeixCatalogue(std::string_view text);

// The catalogues compiled in, in Idioma order.
const std::vector<Catalogue>& Catalogues();
int16_t NombreIdiomes();

// The language a code ("es", "ca", "en", ...) names; -1 for none.
int16_t IdiomaDelCodi(std::string_view code);

// The program's interface language. Spanish until set; a value that names no catalogue is
// taken as Spanish.
int16_t IdiomaActual();
void FixaIdioma(int16_t idioma);

// A text in the interface language, or in the language given.
const std::string& Tx(std::string_view key);
const std::string& Tx(std::string_view key, int16_t idioma);

// A text with its "%1".."%9" filled in, in order, by args.
std::string TxF(std::string_view key, std::initializer_list<std::string_view> args);
std::string TxF(std::string_view key, int16_t idioma, std::initializer_list<std::string_view> args);

// Fills "%1".."%9" of a text; a "%" not followed by a digit naming an argument stays.
std::string Omple(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace tolvi
