#include "app/idiom.h"

#include "app/tools.h"
#include "documents/textfile.h"
#include "texts/catalogue.h"

namespace tolvi {

std::string TextArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& a : arguments) {
    if (&a != &arguments.front()) text += ' ';
    text += a;
  }
  return text;
}

Language IdiomaDelText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  // Each catalogue's word ("cat", "esp", "eng", ...); anything else is English.
  const auto& all = Catalogues();
  for (size_t i = 0; i < all.size(); ++i)
    if (!all[i].word.empty() && lower == all[i].word) return LanguageAt(i);
  return kEnglish;
}

bool LlegeixLng(std::string_view carpIni, std::string& item) {
  item.clear();
  const std::filesystem::path path =
      carpIni.empty() ? PathOf(kLngFile) : PathOf(carpIni) / PathOf(kLngFile);
  std::string bytes;
  if (!ReadFileBytes(Utf8Of(path), bytes, 1)) return false;
  // The file's first item, read as the tools file reads its items.
  item = LectorItems(LlegeixFtx(Utf8Of(path), kSettingsReadLimit)).llegeix();
  return !item.empty();
}

FileResult DesaIdioma(std::string_view carpIni, Language idioma) {
  const auto& all = Catalogues();
  if (!Coneguda(idioma)) idioma = kSpanish;
  const std::filesystem::path path =
      carpIni.empty() ? PathOf(kLngFile) : PathOf(carpIni) / PathOf(kLngFile);
  return EscriuFtx(all[Index(idioma)].word, Utf8Of(path));
}

Language TriaIdioma(std::string_view arguments, std::string_view carpIni, Language idioma,
                    bool& senseLng) {
  senseLng = false;
  if (!arguments.empty()) return IdiomaDelText(arguments);
  std::string item;
  if (LlegeixLng(carpIni, item)) return IdiomaDelText(item);
  senseLng = true;
  return idioma;
}

}  // namespace tolvi
