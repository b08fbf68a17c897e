#include "app/simbol.h"

#include <algorithm>

namespace tolvi {

SimbolDesat LlegeixSimbol(std::string_view text) {
  SimbolDesat out;
  if (text.empty() || text[0] < '0' || text[0] > '9') return out;
  int d = text[0] - '0';
  if (d == 3) {
    out.propi = true;
    out.simbol = SimbolDelText(text.substr(1));
  }
  if (d < 4) out.NSmb = static_cast<int16_t>(d);
  return out;
}

namespace {

// Where the first control character of a UTF-8 text starts; npos when there is none.
size_t PrimerControl(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b == 0x7F) return i;
    if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
        static_cast<unsigned char>(text[i + 1]) <= 0x9F)
      return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool TeControls(std::string_view text) { return PrimerControl(text) != std::string_view::npos; }

std::string SimbolDelText(std::string_view text) {
  return PrimersCars(text.substr(0, PrimerControl(text)), kSimbolMax);
}

std::string LiniaSimbol(int nsmb, std::string_view simbol) {
  std::string line(1, static_cast<char>('0' + std::clamp(nsmb, 0, 3)));
  line += simbol;
  return line;
}

std::string PrimersCars(std::string_view text, int count) {
  size_t pos = 0;
  for (int i = 0; i < count && pos < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    size_t k = 1;
    while (k < n && pos + k < text.size() &&
           (static_cast<unsigned char>(text[pos + k]) & 0xC0) == 0x80)
      ++k;
    pos += k == n ? n : 1;
  }
  return std::string(text.substr(0, pos));
}

}  // namespace tolvi
