#include "texts/catalogue.h"

namespace tolvi {

std::span<const std::string_view> CataloguesCompilats();

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// "\n" a line break, "\t" a tab, "\\" a backslash, "\s" a blank (for texts that begin or end
// with one); any other backslash stays.
std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char c = s[i + 1];
      if (c == 'n' || c == 't' || c == '\\' || c == 's') {
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 's' ? ' ' : '\\';
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

Language gIdioma = kSpanish;

}  // namespace

Catalogue LlegeixCatalogue(std::string_view text) {
  Catalogue cat;
  int line = 0;
  while (!text.empty()) {
    ++line;
    const size_t end = text.find('\n');
    const std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::string_view l = Trim(raw);
    if (l.empty() || l.front() == '#') continue;
    const size_t eq = l.find('=');
    const std::string where = "line " + std::to_string(line) + ": ";
    if (eq == std::string_view::npos || Trim(l.substr(0, eq)).empty()) {
      cat.problems.push_back(where + "no key = text");
      continue;
    }
    const std::string_view key = Trim(l.substr(0, eq));
    std::string value = Unescape(Trim(l.substr(eq + 1)));
    if (key.front() == '@') {
      if (key == "@code")
        cat.code = std::move(value);
      else if (key == "@word")
        cat.word = std::move(value);
      else if (key == "@name")
        cat.name = std::move(value);
      else
        cat.problems.push_back(where + "unknown setting " + std::string(key));
      continue;
    }
    if (!cat.texts.emplace(std::string(key), std::move(value)).second)
      cat.problems.push_back(where + std::string(key) + " given twice");
  }
  return cat;
}

const std::vector<Catalogue>& Catalogues() {
  static const std::vector<Catalogue> kAll = [] {
    std::vector<Catalogue> all;
    for (std::string_view text : CataloguesCompilats()) all.push_back(LlegeixCatalogue(text));
    return all;
  }();
  return kAll;
}

std::size_t NombreIdiomes() { return Catalogues().size(); }

bool Coneguda(Language language) {
  return static_cast<int16_t>(language) >= 0 && Index(language) < NombreIdiomes();
}

std::optional<Language> IdiomaDelCodi(std::string_view code) {
  const auto& all = Catalogues();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].code == code) return LanguageAt(i);
  return std::nullopt;
}

Language IdiomaActual() { return gIdioma; }

void FixaIdioma(Language idioma) { gIdioma = Coneguda(idioma) ? idioma : kSpanish; }

const std::string& Tx(std::string_view key) { return Tx(key, gIdioma); }

const std::string& Tx(std::string_view key, Language idioma) {
  const auto& all = Catalogues();
  if (Coneguda(idioma)) {
    const auto& texts = all[Index(idioma)].texts;
    if (auto it = texts.find(key); it != texts.end()) return it->second;
  }
  const auto& spanish = all[Index(kSpanish)].texts;
  if (auto it = spanish.find(key); it != spanish.end()) return it->second;
  // A key no catalogue holds: said as itself, so the fault shows where it is.
  static thread_local std::string missing;
  missing = key;
  return missing;
}

std::string Omple(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(text[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string TxF(std::string_view key, std::initializer_list<std::string_view> args) {
  return Omple(Tx(key), args);
}

std::string TxF(std::string_view key, Language idioma,
                std::initializer_list<std::string_view> args) {
  return Omple(Tx(key, idioma), args);
}

}  // namespace tolvi
