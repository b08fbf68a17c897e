#include "numeric/cadenes.h"

#include <algorithm>
#include <vector>

namespace tolvi {

namespace {

// A byte that continues a UTF-8 sequence (10xxxxxx). Every other byte starts a character,
// so a stray continuation byte at the very start still counts as one character.
bool Continua(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the 1-based character position pos (pos >= 1); text.size() when the
// position lies past the end.
size_t Offset(std::string_view text, int pos) {
  size_t i = 0;
  int chars = 1;
  while (i < text.size() && chars < pos) {
    ++i;
    while (i < text.size() && Continua(static_cast<unsigned char>(text[i]))) ++i;
    ++chars;
  }
  return i;
}

// Byte length of the character that starts at offset i.
size_t LongCar(std::string_view text, size_t i) {
  size_t j = i + 1;
  while (j < text.size() && Continua(static_cast<unsigned char>(text[j]))) ++j;
  return j - i;
}

// Every occurrence of pattern replaced once, from left to right.
std::string SubstCadaUn(std::string_view text, std::string_view pattern,
                        std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  for (size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, i)) {
    out.append(text.substr(i, at - i));
    out.append(replacement);
    i = at + pattern.size();
  }
  out.append(text.substr(i));
  return out;
}

}  // namespace

int Longitud(std::string_view text) {
  int n = 0;
  for (char c : text)
    if (!Continua(static_cast<unsigned char>(c))) ++n;
  // A text that begins with continuation bytes still has its first character.
  if (!text.empty() && Continua(static_cast<unsigned char>(text[0]))) ++n;
  return n;
}

std::string Car(std::string_view text, int16_t pos) {
  if (pos < 1) return {};
  size_t i = Offset(text, pos);
  if (i >= text.size()) return {};
  return std::string(text.substr(i, LongCar(text, i)));
}

std::string TreuCars(std::string_view text, int16_t pos, int16_t& count) {
  if (pos < 1) return std::string(text);
  size_t from = Offset(text, pos);
  if (from >= text.size()) return std::string(text);
  int left = Longitud(text.substr(from));
  if (count > left) count = static_cast<int16_t>(left);
  if (count <= 0) return std::string(text);
  size_t to = from;
  for (int k = 0; k < count; ++k) to += LongCar(text, to);
  std::string out(text.substr(0, from));
  out.append(text.substr(to));
  return out;
}

std::string TreuCad(std::string_view text, std::string_view pattern) {
  size_t at = pattern.empty() ? std::string_view::npos : text.find(pattern);
  if (at == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, at));
  out.append(text.substr(at + pattern.size()));
  return out;
}

std::string InsCad(std::string_view text, std::string_view insert, int16_t pos) {
  size_t at = pos <= 1 ? 0 : Offset(text, pos);
  std::string out(text.substr(0, at));
  out.append(insert);
  out.append(text.substr(at));
  return out;
}

std::string Subst1(std::string_view text, std::string_view pattern, std::string_view replacement) {
  // An empty pattern occurs nowhere (it would otherwise "occur" everywhere at once).
  size_t at = pattern.empty() ? std::string_view::npos : text.find(pattern);
  if (at == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, at));
  out.append(replacement);
  out.append(text.substr(at + pattern.size()));
  return out;
}

std::string SubstTot(std::string_view text, std::string_view pattern,
                     std::string_view replacement) {
  if (pattern.empty()) return std::string(text);
  if (replacement.find(pattern) != std::string_view::npos)
    return SubstCadaUn(text, pattern, replacement);
  // A replacement with no character of the pattern cannot be part of a new occurrence, so
  // one pass from left to right gives the same text (the usual case: "," by ".").
  if (!replacement.empty() && replacement.find_first_of(pattern) == std::string_view::npos)
    return SubstCadaUn(text, pattern, replacement);
  // Replacing the first occurrence again and again can make new occurrences out of the end of
  // a replacement and the text after it (or the text before it). The text is therefore moved
  // byte by byte from `rest` (held reversed, so that a replacement is pushed in front of it
  // cheaply) to `out`; `out` never holds an occurrence, so the first moment it ends with the
  // pattern is the first occurrence of the whole text. Linear for the usual patterns.
  std::string out;
  out.reserve(text.size());
  std::string rest(text.rbegin(), text.rend());
  const std::string rrep(replacement.rbegin(), replacement.rend());
  const char last = pattern.back();
  // Whether a single rule of this kind always comes to an end is not known in general; the
  // count of replacements is bounded far above anything a real text needs.
  size_t budget = 64 * (text.size() + 16);
  while (!rest.empty()) {
    out.push_back(rest.back());
    rest.pop_back();
    if (out.back() == last && out.size() >= pattern.size() &&
        std::string_view(out).substr(out.size() - pattern.size()) == pattern) {
      if (budget-- == 0) break;
      out.resize(out.size() - pattern.size());
      rest.append(rrep);
    }
  }
  out.append(rest.rbegin(), rest.rend());
  return out;
}

std::string PuntDec(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), ',', '.');
  if (!out.empty() && out.back() == '.') out.pop_back();
  return out;
}

std::string Repeteix(int16_t count, std::string_view text) {
  std::string out;
  if (count < 1) return out;
  out.reserve(text.size() * static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) out.append(text);
  return out;
}

std::string OrdenaCars(std::string_view text) {
  std::vector<std::string_view> cars;
  for (size_t i = 0; i < text.size();) {
    size_t n = LongCar(text, i);
    cars.push_back(text.substr(i, n));
    i += n;
  }
  // For valid UTF-8 the byte order of two characters is the order of their code points; a
  // stable sort keeps equal characters in their order, as inserting each one in front of
  // the first greater one does.
  std::stable_sort(cars.begin(), cars.end(), [](std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  });
  std::string out;
  out.reserve(text.size());
  for (auto c : cars) out.append(c);
  return out;
}

std::string AfegeixSiFalta(std::string_view piece, std::string_view list) {
  std::string out(list);
  if (list.find(piece) == std::string_view::npos) out.append(piece);
  return out;
}

}  // namespace tolvi
