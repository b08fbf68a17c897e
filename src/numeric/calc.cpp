#include "numeric/calc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "numeric/cadenes.h"
#include "numeric/sixteen_bits.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// Parentheses nested deeper than this are refused with error 1; a text longer than
// kMaxChars characters (beyond the 16-bit positions of the program's texts) with error 4.
constexpr int kMaxNesting = 200;
constexpr int kMaxChars = kInt16Max;

constexpr std::string_view kOperators = "+-*/^";

// Rank of an operator: its place in "+-*/^" (1 to 5); 0 for any other character.
int Rank(char c) {
  size_t at = kOperators.find(c);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

struct Lectura {
  double value = 0;
  bool overflow = false;
  size_t end = 0;  // where the reading stopped
};

// Whether anything but blanks stands in t from position `from` on.
bool RestaText(std::string_view t, size_t from) {
  for (size_t i = from; i < t.size(); ++i)
    if (!Blank(t[i])) return true;
  return false;
}

// Reads an integer in base 8 or 16 from i on (blanks skipped), stopping at the first
// character that is not a digit of the base.
Lectura LlegeixBase(std::string_view t, size_t i, int base) {
  Lectura r;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (Blank(c)) continue;
    int d;
    if (Digit(c))
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    if (d >= base) break;
    r.value = r.value * base + d;
    if (!std::isfinite(r.value)) {
      r.value = 0;
      r.overflow = true;
      return r;
    }
  }
  r.end = i;
  return r;
}

// The leading number of a text: blanks (space, tab, line feed) are skipped anywhere, then an
// optional sign, digits with at most one ".", and an optional exponent are read; reading stops
// at the first character that does not fit. "&H"/"&O" at the start read a hexadecimal or
// octal integer. No digits at the start read as 0. A number too large for a double is an
// overflow, one too small to be told from 0 reads as 0.
Lectura LlegeixNombre(std::string_view t) {
  size_t i = 0;
  auto salta = [&] {
    while (i < t.size() && Blank(t[i])) ++i;
  };
  salta();
  if (i < t.size() && t[i] == '&') {
    size_t j = i + 1;
    while (j < t.size() && Blank(t[j])) ++j;
    if (j < t.size() && (t[j] == 'H' || t[j] == 'h')) return LlegeixBase(t, j + 1, 16);
    if (j < t.size() && (t[j] == 'O' || t[j] == 'o')) return LlegeixBase(t, j + 1, 8);
    return {};
  }
  bool negatiu = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    negatiu = t[i] == '-';
    ++i;
  }
  // Significant digits (leading zeros dropped) and the power of ten of the last one kept.
  std::string digits;
  int64_t exp10 = 0;  // value = digits * 10^exp10
  bool punt = false, alguna = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (Blank(c)) continue;
    if (c == '.' && !punt) {
      punt = true;
      continue;
    }
    if (!Digit(c)) break;
    alguna = true;
    if (digits.empty() && c == '0') {
      if (punt) --exp10;
      continue;
    }
    digits.push_back(c);
    if (punt) --exp10;
  }
  if (!alguna) return {};
  // Exponent: "e" or "E", an optional sign and at least one digit; otherwise it is not read.
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    while (j < t.size() && Blank(t[j])) ++j;
    bool eneg = false;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
      eneg = t[j] == '-';
      ++j;
    }
    int64_t e = 0;
    bool edig = false;
    for (; j < t.size(); ++j) {
      if (Blank(t[j])) continue;
      if (!Digit(t[j])) break;
      edig = true;
      e = std::min<int64_t>(e * 10 + (t[j] - '0'), 1'000'000'000);  // saturates
    }
    if (edig) {
      exp10 += eneg ? -e : e;
      i = j;
    }
  }
  Lectura r;
  r.end = i;
  if (digits.empty()) return r;  // all zeros
  // Power of ten of the leading digit decides overflow and underflow before converting.
  int64_t magnitud = exp10 + static_cast<int64_t>(digits.size()) - 1;
  if (magnitud > 400) {
    r.overflow = true;
    return r;
  }
  if (magnitud < -400) return r;
  std::string text = digits + "e" + std::to_string(exp10);
  double v = 0;
  auto res =
      std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::scientific);
  if (res.ec == std::errc::result_out_of_range) {
    if (magnitud > 0) r.overflow = true;
    return r;
  }
  if (res.ec != std::errc() || !std::isfinite(v)) {
    r.overflow = !std::isfinite(v);
    return r;
  }
  r.value = negatiu ? -v : v;
  return r;
}

// The leading number, and whether characters after it were left unread ("12abc", "1.5.5").
Lectura LlegeixInici(std::string_view t, bool& resta) {
  Lectura r = LlegeixNombre(t);
  resta = r.end > 0 && RestaText(t, r.end);
  return r;
}

// The text prepared once for the evaluation, so that no part of it is scanned again:
//  - depth[i]: the scan's counter before character i (with the "e" rule), so a piece from s
//    to e scans at relative depth depth[i] - depth[s] and ends at depth[e] - depth[s];
//  - match[i]: for a "(", the position of the ")" that closes it, or -1;
//  - keys: every operator that is a candidate in any piece that contains it and the character
//    before it, keyed by (rank, depth, position), sorted.
// Every piece starts at 0, after an operator, after "(" or after a "+", so the "e" rule
// marks the same characters in a piece as in the whole text.
struct Analisi {
  std::vector<int> depth;
  std::vector<int> match;
  std::vector<int64_t> keys;
  int minDepth = 0;
  int64_t nDepths = 1;

  int64_t Clau(int rank, int d, int pos) const {
    return ((static_cast<int64_t>(rank) * nDepths + (d - minDepth)) << 32) |
           static_cast<uint32_t>(pos);
  }
};

// How deep the parentheses nest (a ")" without its "(" closes nothing).
int NivellMaxim(std::string_view t) {
  int obert = 0, maxim = 0;
  for (char c : t) {
    if (c == '(')
      maxim = std::max(maxim, ++obert);
    else if (c == ')' && obert > 0)
      --obert;
  }
  return maxim;
}

void Analitza(std::string_view t, Analisi& a) {
  const int n = static_cast<int>(t.size());
  a.depth.assign(n + 1, 0);
  a.match.assign(n, -1);
  std::vector<int> oberts;
  int d = 0, minD = 0, maxD = 0;
  bool salta = false;
  for (int i = 0; i < n; ++i) {
    a.depth[i] = d;
    char c = t[i];
    if (c == '(') {
      oberts.push_back(i);
    } else if (c == ')' && !oberts.empty()) {
      a.match[oberts.back()] = i;
      oberts.pop_back();
    }
    if (salta) {
      salta = false;
      continue;
    }
    if (c == 'e' || c == 'E')
      salta = true;
    else if (c == '(')
      ++d;
    else if (c == ')')
      --d;
    minD = std::min(minD, d);
    maxD = std::max(maxD, d);
  }
  a.depth[n] = d;
  a.minDepth = minD;
  a.nDepths = static_cast<int64_t>(maxD) - minD + 1;
  a.keys.clear();
  salta = false;
  for (int i = 0; i < n; ++i) {
    char c = t[i];
    if (salta) {
      salta = false;
      continue;
    }
    if (c == 'e' || c == 'E') {
      salta = true;
      continue;
    }
    int rank = Rank(c);
    if (rank == 0) continue;
    // A "+" or "-" directly after an operator is the sign of what follows.
    if ((c == '+' || c == '-') && i > 0 && Rank(t[i - 1]) != 0) continue;
    a.keys.push_back(a.Clau(rank, a.depth[i], i));
  }
  std::sort(a.keys.begin(), a.keys.end());
}

// The operator at which the piece [s, e) is split, or -1 when it has none: the lowest rank
// present at depth 0; the last one of it, or the first for "^" (which groups from the right).
// The piece's first character, a sign in the whole text, is an operator of the piece.
int Divisio(std::string_view t, const Analisi& a, int s, int e) {
  const int d = a.depth[s];
  int primerRank = Rank(t[s]);  // the first character always stands at depth 0
  for (int rank = 1; rank <= 5; ++rank) {
    auto ini = std::lower_bound(a.keys.begin(), a.keys.end(), a.Clau(rank, d, s));
    auto fi = std::lower_bound(ini, a.keys.end(), a.Clau(rank, d, e));
    if (ini != fi) {
      if (rank == 5) return static_cast<int>(*ini & 0xFFFFFFFF);
      return static_cast<int>(*(fi - 1) & 0xFFFFFFFF);
    }
    if (primerRank == rank) return s;
  }
  return -1;
}

CalcResult Error(ErrCalc err) {
  CalcResult r;
  r.err = err;
  r.message = MissatgeCalc(err);
  return r;
}

// Combines two operands; a result that is not a finite number is an error.
bool Combina(char op, double l, double r, double& out, ErrCalc& err) {
  switch (op) {
    case '+': out = l + r; break;
    case '-': out = l - r; break;
    case '*': out = l * r; break;
    case '/':
      if (r == 0) {
        err = ErrCalc::DivisionByZero;
        return false;
      }
      out = l / r;
      break;
    default:  // '^'
      if ((l < 0 && r != std::floor(r)) || (l == 0 && r < 0)) {
        err = ErrCalc::NoReal;
        return false;
      }
      out = std::pow(l, r);
      break;
  }
  if (std::isnan(out)) {
    err = ErrCalc::NoReal;
    return false;
  }
  if (std::isinf(out)) {
    err = ErrCalc::Overflow;
    return false;
  }
  return true;
}

}  // namespace

std::string MissatgeCalc(ErrCalc err) {
  switch (err) {
    case ErrCalc::Parentheses: return Tx("calc.parentheses");
    case ErrCalc::MissingOperand: return Tx("calc.operand");
    case ErrCalc::DivisionByZero: return Tx("calc.division");
    case ErrCalc::Characters: return Tx("calc.characters");
    default: return "";
  }
}

// The evaluation splits the text again and again: a leading "+" is dropped, an empty piece is
// 0, enclosing parentheses are removed, and the piece is split at its operator of lowest rank
// into a left and a right operand, evaluated in that order. The recursion is kept on a stack
// of frames of its own, so a long chain of operators cannot exhaust the call stack.
CalcResult Avalua(std::string_view t) {
  if (NivellMaxim(t) > kMaxNesting) return Error(ErrCalc::Parentheses);
  if (Longitud(t) > kMaxChars) return Error(ErrCalc::Characters);
  Analisi a;
  Analitza(t, a);

  struct Marc {
    int s, e;
    int p = -1;
    int fase = 0;  // 0 to analyse, 1 waiting for the left operand, 2 for the right one
    double left = 0;
  };
  std::vector<Marc> pila;
  pila.push_back({0, static_cast<int>(t.size())});
  double tornat = 0;     // value of the frame just finished
  bool ignored = false;  // a number had characters after it that were not read
  while (!pila.empty()) {
    const size_t k = pila.size() - 1;
    if (pila[k].fase == 0) {
      int s = pila[k].s, e = pila[k].e;
      if (s < e && t[s] == '+') ++s;
      if (s == e) {
        tornat = 0;
        pila.pop_back();
        continue;
      }
      while (t[s] == '(' && a.match[s] == e - 1) {
        ++s;
        --e;
        if (s == e) return Error(ErrCalc::MissingOperand);
      }
      if (a.depth[e] != a.depth[s]) return Error(ErrCalc::Parentheses);
      int p = Divisio(t, a, s, e);
      if (p < 0) {
        std::string_view peca = t.substr(s, e - s);
        bool resta = false;
        Lectura r = LlegeixInici(peca, resta);
        if (r.overflow) return Error(ErrCalc::Overflow);
        ignored = ignored || resta;
        if (r.value == 0 && peca != "0") return Error(ErrCalc::Characters);
        tornat = r.value;
        pila.pop_back();
        continue;
      }
      pila[k].s = s;
      pila[k].e = e;
      pila[k].p = p;
      if (p == s) {
        // Nothing on the left: only a minus may stand there, as the sign of what follows.
        if (t[p] != '-') return Error(ErrCalc::MissingOperand);
        tornat = 0;
        pila[k].fase = 1;
        continue;
      }
      pila[k].fase = 1;
      pila.push_back({s, p});
      continue;
    }
    if (pila[k].fase == 1) {
      pila[k].left = tornat;
      pila[k].fase = 2;
      if (pila[k].p + 1 < pila[k].e) {
        pila.push_back({pila[k].p + 1, pila[k].e});
        continue;
      }
      tornat = 0;  // an empty right operand counts as 0
    }
    // fase 2: the right operand is in `tornat`.
    double v = 0;
    ErrCalc err = ErrCalc::Ok;
    if (!Combina(t[pila[k].p], pila[k].left, tornat, v, err)) return Error(err);
    tornat = v;
    pila.pop_back();
  }
  CalcResult r;
  r.value = tornat == 0 ? 0.0 : tornat;  // never -0
  r.ignored = ignored;
  return r;
}

}  // namespace tolvi
