// Every text a person reads, by key, in the interface language. Each language is one catalogue
// file (src/texts/lang/*.lng, compiled in), so that adding a language is adding one file:
//
//   # a comment
//   @code = es            the language's short code (tolvi-cli --lang, Qt's translations)
//   @word = esp           the word that names it on the window's command line and in Lng.txt
//   @name = Español       how the language menu shows it
//   key = text            one text; "\n" is a line break, "%1".."%9" stand for what is filled in
//
// The interface language numbers the catalogues: English, Catalan, Spanish, and any added
// language after them. A key missing from a catalogue reads as its Spanish text.
// Nothing here knows about Qt; the window's and the command line's language is one value for
// the whole program, set where the person chooses it.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

// A language: the place of its catalogue among those compiled in. The three the program was
// born with are named; a catalogue added later is LanguageAt(3), LanguageAt(4)...
enum class Language : int16_t { English = 0, Catalan = 1, Spanish = 2 };
inline constexpr Language kEnglish = Language::English;
inline constexpr Language kCatalan = Language::Catalan;
inline constexpr Language kSpanish = Language::Spanish;

constexpr std::size_t Index(Language language) {
  return static_cast<std::size_t>(static_cast<int16_t>(language));
}
constexpr Language LanguageAt(std::size_t index) {
  return static_cast<Language>(static_cast<int16_t>(index));
}

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

// The catalogues compiled in, in language order.
const std::vector<Catalogue>& Catalogues();
std::size_t NombreIdiomes();

// Whether a language has a catalogue compiled in; a value read from outside the program
// (a file, a count kept in 16 bits) may not.
bool Coneguda(Language language);

// The language a code ("es", "ca", "en", ...) names; none for an unknown code.
std::optional<Language> IdiomaDelCodi(std::string_view code);

// The program's interface language. Spanish until set; a value that names no catalogue is
// taken as Spanish.
Language IdiomaActual();
void FixaIdioma(Language idioma);

// A text in the interface language, or in the language given.
const std::string& Tx(std::string_view key);
const std::string& Tx(std::string_view key, Language idioma);

// A text with its "%1".."%9" filled in, in order, by args.
std::string TxF(std::string_view key, std::initializer_list<std::string_view> args);
std::string TxF(std::string_view key, Language idioma,
                std::initializer_list<std::string_view> args);

// Fills "%1".."%9" of a text; a "%" not followed by a digit naming an argument stays.
std::string Omple(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace tolvi
