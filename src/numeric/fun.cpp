// Compiling source texts into code strings, and the plain entry points of evaluation.
#include "numeric/fun.h"

#include <cmath>
#include <cstddef>

namespace tolvi {

namespace {

bool EsLletra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Minuscula(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool EsDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes taken by the character that starts at text[i]: a whole UTF-8 sequence, or 1 for a
// byte that does not start a valid one (it is then kept on its own).
size_t LlargadaCar(std::string_view text, size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  size_t len = 1;
  if (b0 >= 0xC2 && b0 <= 0xDF)
    len = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF)
    len = 3;
  else if (b0 >= 0xF0 && b0 <= 0xF4)
    len = 4;
  if (len == 1 || i + len > text.size()) return 1;
  for (size_t k = 1; k < len; ++k) {
    const auto bk = static_cast<unsigned char>(text[i + k]);
    if ((bk & 0xC0) != 0x80) return 1;
  }
  return len;
}

constexpr std::string_view kArrel = "\xC3\x9E";  // the root sign

}  // namespace

void IniFuncions() { OmpleFuncions(); }
void OmpleFuncions() {}

std::string CompilaFun(std::string& text) {
  const std::string_view t = text;
  std::string code;
  size_t i = 0;
  while (i < t.size()) {
    const size_t len = LlargadaCar(t, i);
    const char c = t[i];
    const char lc = Minuscula(c);
    if (len == 1 && (lc == 'x' || lc == 'y')) {
      code += c;
      i += 1;
    } else if (t.substr(i, len) == kArrel) {
      // "Þ(" is the square root; "Þk" the root of index k (anything but a digit gives 0).
      const size_t j = i + len;
      if (j < t.size() && t[j] == '(') {
        code += kArrel;
        i = j;
      } else {
        const size_t dlen = j < t.size() ? LlargadaCar(t, j) : 0;
        code += (dlen == 1 && EsDigit(t[j])) ? static_cast<char>(t[j] - '0') : '\0';
        i = j + dlen;
      }
    } else if (len != 1 || !EsLletra(c)) {
      code.append(t.substr(i, len));
      i += len;
    } else if (i + 1 == t.size()) {
      code += c;
      i += 1;
    } else if (!EsLletra(t[i + 1])) {
      // A single letter: only an exponent's e, or a letter before an operator or a digit.
      const char d = t[i + 1];
      const bool ok = lc == 'e' ? (d == '+' || d == '-' || EsDigit(d))
                                : (d == '+' || d == '-' || d == '*' || d == '/' || d == '^' ||
                                   d == ')' || EsDigit(d));
      if (!ok) return std::string();
      code += c;
      i += 1;
    } else {
      // A word: the name of a function, up to the first "(".
      const size_t paren = t.find('(', i);
      if (paren == std::string_view::npos) return std::string();
      const std::string_view word = t.substr(i, paren - i);
      std::string lower(word);
      for (char& ch : lower) ch = Minuscula(ch);
      size_t k = 0;
      while (k < NomFun.size() && NomFun[k] != lower) ++k;
      if (k == NomFun.size()) {
        std::string w(word);
        text = std::move(w);
        return std::string();
      }
      code += CodiFun[k];
      i = paren;
    }
  }
  return code;
}

FunValue AvaluaFun(std::string_view code, double x, double y) {
  // Callers usually evaluate one code string many times in a row.
  thread_local std::string darrer;
  thread_local FunPrograma programa;
  thread_local bool preparat = false;
  if (!preparat || code != darrer) {
    programa = FunPrograma(code);
    darrer.assign(code);
    preparat = true;
  }
  return programa.Avalua(x, y);
}

double ValorFun(std::string_view code, double x) { return AvaluaFun(code, x, 0).value; }

double LogDec(double v) { return std::log(v) / std::log(10.0); }

}  // namespace tolvi
