// Preparing a code string for evaluation, and evaluating it.
//
// A piece of code is split at the operator that binds most loosely at its own parenthesis
// depth: the rightmost "+" or "-" (not the first character, not after an exponent's e), else
// the rightmost "*" or "/", else the rightmost "^"; so every level groups from the left
// (2^3^2 is 64). A piece without such an operator is an operand, known by its first character:
// "-" negates the rest (so -x^2 is (-x)^2), "(" stands for the text between its first and last
// characters, x and y are the variables, a function's code character applies the function to
// the text from the third character to the one before the last, and anything else is read as a
// number (its longest leading numeric part: 2x is 2).
//
// Splitting each piece by rescanning it costs time proportional to the square of the length
// for a chain such as 1+1+1+..., so the operator positions are indexed once by their depth
// (the depth of a position inside a piece is its depth in the whole text minus the depth where
// the piece starts) and each split is a binary search.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "numeric/fun.h"

namespace tolvi {

namespace {

using Node = FunPrograma::Node;
using Instr = FunPrograma::Instr;

enum Tipus : uint8_t { kNum, kNumGran, kX, kY, kNeg, kBin, kFun, kInvalid };

// Function numbers: 0 to 16 in the order of NomFun, then the roots of index 2 to 9.
enum Funcio : uint8_t {
  fSin,
  fCos,
  fTg,
  fLn,
  fExp,
  fCtg,
  fCosec,
  fSec,
  fLog,
  fAbs,
  fSinh,
  fCosh,
  fTgh,
  fAtn,
  fSqr,
  fSing,
  fCosg,
  fArrel2,
  fArrel9 = fArrel2 + 7
};

constexpr double kMaxDouble = std::numeric_limits<double>::max();
inline bool Finit(double v) { return std::fabs(v) <= kMaxDouble; }

// The code points of a code string; a byte that does not start valid UTF-8 stands alone.
std::u32string Descodifica(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len = 1;
    char32_t cp = b0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      len = 2;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      len = 3;
      cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      len = 4;
      cp = b0 & 0x07;
    }
    bool valid = len == 1 ? b0 < 0x80 : i + len <= s.size();
    for (size_t k = 1; valid && k < len; ++k) {
      const auto bk = static_cast<unsigned char>(s[i + k]);
      if ((bk & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (bk & 0x3F);
    }
    if (!valid) {
      out.push_back(0xDC00 + b0);  // a lone surrogate: never a character of the language
      i += 1;
    } else {
      out.push_back(cp);
      i += len;
    }
  }
  return out;
}

int FuncioDeCodi(char32_t c) {
  switch (c) {
    case U's': return fSin;
    case U'c': return fCos;
    case U't': return fTg;
    case U'l': return fLn;
    case U'e': return fExp;
    case U'\u00EA': return fCtg;
    case U'\u00E8': return fCosec;
    case U'\u00E9': return fSec;
    case U'd': return fLog;
    case U'a': return fAbs;
    case U'\u00E0': return fSinh;
    case U'\u00E1': return fCosh;
    case U'\u00E2': return fTgh;
    case U'\u00E4': return fAtn;
    case U'\u00DE': return fSqr;
    case U'S': return fSing;
    case U'C': return fCosg;
    default:
      if (c >= 2 && c <= 9) return fArrel2 + static_cast<int>(c) - 2;
      return -1;
  }
}

struct Nombre {
  double v = 0;
  bool gran = false;  // too large for a double
};

// The longest leading numeric part of a text, blanks skipped anywhere in it: an optional
// sign, digits with an optional ".", and an optional exponent (e or E, a sign, digits).
// No number gives 0; a number too small for a double gives 0.
Nombre LlegeixNombre(const char32_t* p, const char32_t* e) {
  auto blank = [](char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; };
  auto digit = [](char32_t c) { return c >= U'0' && c <= U'9'; };
  while (p < e && blank(*p)) ++p;
  bool negative = false;
  if (p < e && (*p == U'+' || *p == U'-')) {
    negative = *p == U'-';
    ++p;
  }
  std::string whole, fraction;
  for (; p < e && (digit(*p) || blank(*p)); ++p)
    if (digit(*p)) whole += static_cast<char>(*p);
  if (p < e && *p == U'.') {
    for (++p; p < e && (digit(*p) || blank(*p)); ++p)
      if (digit(*p)) fraction += static_cast<char>(*p);
  }
  if (whole.empty() && fraction.empty()) return {};
  long long exp10 = 0;
  if (p < e && (*p == U'e' || *p == U'E')) {
    const char32_t* q = p + 1;
    while (q < e && blank(*q)) ++q;
    bool expNeg = false;
    if (q < e && (*q == U'+' || *q == U'-')) {
      expNeg = *q == U'-';
      ++q;
    }
    while (q < e && blank(*q)) ++q;
    if (q < e && digit(*q)) {
      for (; q < e && (digit(*q) || blank(*q)); ++q)
        if (digit(*q) && exp10 < 1000000000) exp10 = exp10 * 10 + (*q - U'0');
      if (expNeg) exp10 = -exp10;
    }
  }
  const size_t firstDigit = whole.find_first_not_of('0');
  whole.erase(0, firstDigit == std::string::npos ? whole.size() : firstDigit);
  std::string text;
  text.reserve(whole.size() + fraction.size() + 24);
  text.append(whole).append(1, '.').append(fraction).append(1, 'e');
  text.append(std::to_string(exp10));
  double v = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Decide between too large and too small by the place of the first significant digit.
    long long magnitude = 0;
    if (!whole.empty()) {
      magnitude = static_cast<long long>(whole.size());
    } else {
      const size_t nz = fraction.find_first_not_of('0');
      if (nz == std::string::npos) return {};
      magnitude = -static_cast<long long>(nz);
    }
    if (magnitude + exp10 > 0) return {0, true};
    return {};
  }
  if (ec != std::errc()) return {};
  return {negative ? -v : v, false};
}

// a^n for 0 <= n <= 64 by repeated squaring, as fast as a few products.
double PotenciaEntera(double a, int n) {
  switch (n) {
    case 0: return 1;
    case 1: return a;
    case 2: return a * a;
    case 3: return a * a * a;
    default: break;
  }
  double r = 1;
  while (n > 0) {
    if (n & 1) r *= a;
    n >>= 1;
    if (n > 0) a *= a;
  }
  return r;
}

// a^b once the guards have passed; a result that is not finite is an overflow.
inline double Potencia(double a, double b) {
  if (b >= 0 && b <= 64 && b == std::floor(b)) return PotenciaEntera(a, static_cast<int>(b));
  return std::pow(a, b);
}

inline bool PotenciaRebutjada(double a, double b) {
  return (a <= 0 && b != std::floor(b)) || std::fabs(b) > 10000;
}

struct Aplicada {
  double v = 0;
  FunStatus st = FunStatus::None;  // a guard's status
  bool fatal = false;              // an overflow
};

Aplicada AplicaFuncio(int fn, double v) {
  Aplicada r;
  switch (fn) {
    case fSin: r.v = std::sin(v); break;
    case fCos: r.v = std::cos(v); break;
    case fTg: r.v = std::tan(v); break;
    case fSing: r.v = std::sin(v / 180 * 3.14159265358979); break;
    case fCosg: r.v = std::cos(v / 180 * 3.14159265358979); break;
    case fCtg:
      if (v == 0)
        r.st = FunStatus::ZeroDivisor;
      else
        r.v = 1 / std::tan(v);
      break;
    case fCosec:
      if (v == 0)
        r.st = FunStatus::ZeroDivisor;
      else
        r.v = 1 / std::sin(v);
      break;
    case fSec: r.v = 1 / std::cos(v); break;
    case fLn:
      if (v <= 0)
        r.st = FunStatus::Domain;
      else
        r.v = std::log(v);
      break;
    case fLog:
      if (v <= 0)
        r.st = FunStatus::Domain;
      else
        r.v = LogDec(v);
      break;
    case fAbs: r.v = std::fabs(v); break;
    case fExp:
      if (v >= 709.782712893)
        r.st = FunStatus::ZeroDivisor;
      else
        r.v = std::exp(v);
      break;
    case fSinh: {
      const double e = std::exp(v);
      r.v = (e - 1 / e) / 2;
      break;
    }
    case fCosh: {
      const double e = std::exp(v);
      r.v = (e + 1 / e) / 2;
      break;
    }
    case fTgh: {
      const double e = std::exp(v);
      r.v = (e - 1 / e) / (1 / e + e);
      break;
    }
    case fAtn: r.v = std::atan(v); break;
    case fSqr:
      if (v < 0)
        r.st = FunStatus::Domain;
      else
        r.v = std::sqrt(v);
      break;
    default: {
      const int k = fn - fArrel2 + 2;
      if (v >= 0)
        r.v = std::pow(v, 1.0 / k);
      else if (k % 2 == 1)
        r.v = -std::pow(-v, 1.0 / k);
      else
        r.st = FunStatus::Domain;
      break;
    }
  }
  if (r.st != FunStatus::None)
    r.v = 0;
  else if (!Finit(r.v))
    r.fatal = true;
  return r;
}

// Instructions of the flat program. A binary operator has a form for where its operands come
// from: S the stack, C the constant k, X the variable x.
enum Forma : uint8_t { kSS, kSC, kCS, kSX, kXS, kXC, kCX, kFormes };
enum OpRapid : uint8_t {
  rPushC,
  rPushX,
  rPushY,
  rNeg,
  rFun,
  rFalla,
  rPowNS,
  rPowNX,
  rBin0,  // + operator index (0 "+", 1 "-", 2 "*", 3 "/", 4 "^") * kFormes + form
};

int IndexOp(uint8_t op) {
  switch (op) {
    case '+': return 0;
    case '-': return 1;
    case '*': return 2;
    case '/': return 3;
    default: return 4;
  }
}

// One operator on finite operands as the flat program does it: false when anything other
// than a finite result would come out (the tree then gives the status).
template <int Op>
inline bool Opera(double a, double b, double& r) {
  if constexpr (Op == 0)
    r = a + b;
  else if constexpr (Op == 1)
    r = a - b;
  else if constexpr (Op == 2)
    r = a * b;
  else if constexpr (Op == 3) {
    if (b == 0) return false;
    r = a / b;
  } else {
    if (PotenciaRebutjada(a, b)) return false;
    r = Potencia(a, b);
  }
  return Finit(r);
}

bool OperaIndex(int op, double a, double b, double& r) {
  switch (op) {
    case 0: return Opera<0>(a, b, r);
    case 1: return Opera<1>(a, b, r);
    case 2: return Opera<2>(a, b, r);
    case 3: return Opera<3>(a, b, r);
    default: return Opera<4>(a, b, r);
  }
}

}  // namespace

// Values the flat program knows in advance, per node.
struct FunPrograma::Fixed {
  std::vector<char> fix;
  std::vector<double> val;
};

FunPrograma::FunPrograma(std::string_view code) {
  const std::u32string s = Descodifica(code);
  if (s.size() > (size_t{1} << 30)) {
    nodes_.push_back(Node{kInvalid});
    prog_.push_back(Instr{rFalla});
    pila_ = 1;
    return;
  }
  BuildTree(s);
  EmitProgram(FoldConstants());
}

// The tree of the code string: each operator found at the lowest precedence and the outermost
// depth of its piece splits it in two; parentheses around a whole piece stand for what is inside.
void FunPrograma::BuildTree(const std::u32string& s) {
  const auto n = static_cast<int32_t>(s.size());

  // Depth before each position, and the operators indexed by (depth, position).
  std::vector<int32_t> nesting(static_cast<size_t>(n) + 1, 0);
  for (int32_t i = 0; i < n; ++i)
    nesting[i + 1] = nesting[i] + (s[i] == U'(' ? 1 : 0) - (s[i] == U')' ? 1 : 0);
  auto key = [n](int32_t depth, int32_t pos) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(depth + n + 1)) << 32) |
           static_cast<uint32_t>(pos);
  };
  std::vector<uint64_t> sums, products, powers;
  for (int32_t i = 0; i < n; ++i) {
    const char32_t c = s[i];
    if ((c == U'+' || c == U'-') && i > 0 && s[i - 1] != U'e' && s[i - 1] != U'E')
      sums.push_back(key(nesting[i], i));
    else if (c == U'*' || c == U'/')
      products.push_back(key(nesting[i], i));
    else if (c == U'^')
      powers.push_back(key(nesting[i], i));
  }
  auto lastAt = [&](const std::vector<uint64_t>& v, int32_t depth, int32_t lo, int32_t hi) {
    auto it = std::lower_bound(v.begin(), v.end(), key(depth, hi));
    if (it == v.begin()) return -1;
    --it;
    if ((*it >> 32) != (key(depth, 0) >> 32)) return -1;
    const auto pos = static_cast<int32_t>(*it & 0xFFFFFFFFu);
    return pos >= lo ? pos : -1;
  };
  for (auto* v : {&sums, &products, &powers}) std::sort(v->begin(), v->end());

  // Pieces [b, e) still to be turned into nodes, each with the place its node goes.
  struct Task {
    int32_t b, e, parent;
    bool second;
  };
  std::vector<Task> tasks{{0, n, -1, false}};
  while (!tasks.empty()) {
    const Task t = tasks.back();
    tasks.pop_back();
    Node nd;
    int32_t leftBegin = -1, leftEnd = -1, rightBegin = -1, rightEnd = -1;
    if (t.b >= t.e) {
      nd.kind = kInvalid;
    } else {
      const int32_t d = nesting[t.b];
      int32_t p = lastAt(sums, d, t.b + 1, t.e);
      if (p < 0) p = lastAt(products, d, t.b, t.e);
      if (p < 0) p = lastAt(powers, d, t.b, t.e);
      const char32_t c = s[t.b];
      int fn = -1;
      if (p >= 0) {
        nd.kind = kBin;
        nd.op = static_cast<uint8_t>(s[p]);
        leftBegin = t.b, leftEnd = p, rightBegin = p + 1, rightEnd = t.e;
      } else if (c == U'-') {
        nd.kind = kNeg;
        leftBegin = t.b + 1, leftEnd = t.e;
      } else if (c == U'(') {
        if (t.e - t.b >= 2) {
          // Stands for what is inside: no node of its own.
          tasks.push_back({t.b + 1, t.e - 1, t.parent, t.second});
          continue;
        }
        nd.kind = kInvalid;
      } else if (c == U'x' || c == U'X') {
        nd.kind = kX;
      } else if (c == U'y' || c == U'Y') {
        nd.kind = kY;
      } else if ((fn = FuncioDeCodi(c)) >= 0) {
        if (t.e - t.b >= 3) {
          nd.kind = kFun;
          nd.op = static_cast<uint8_t>(fn);
          leftBegin = t.b + 2, leftEnd = t.e - 1;
        } else {
          nd.kind = kInvalid;
        }
      } else {
        const Nombre num = LlegeixNombre(s.data() + t.b, s.data() + t.e);
        nd.kind = num.gran ? kNumGran : kNum;
        nd.k = num.v;
      }
    }
    const auto idx = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(nd);
    if (t.parent < 0)
      arrel_ = idx;
    else if (t.second)
      nodes_[t.parent].b = idx;
    else
      nodes_[t.parent].a = idx;
    if (leftBegin >= 0) tasks.push_back({leftBegin, leftEnd, idx, false});
    if (rightBegin >= 0) tasks.push_back({rightBegin, rightEnd, idx, true});
  }
}

FunPrograma::Fixed FunPrograma::FoldConstants() const {
  // Values the flat program knows in advance: numbers, operations on them that cannot fail,
  // and x^0, which is 1 for every finite x. Children come after their parents in nodes_.
  Fixed fx{std::vector<char>(nodes_.size(), 0), std::vector<double>(nodes_.size(), 0)};
  std::vector<char>& fix = fx.fix;
  std::vector<double>& val = fx.val;
  for (size_t i = nodes_.size(); i-- > 0;) {
    const Node& nd = nodes_[i];
    double v = 0;
    bool ok = false;
    if (nd.kind == kNum) {
      v = nd.k;
      ok = true;
    } else if (nd.kind == kNeg && fix[nd.a]) {
      v = -val[nd.a];
      ok = true;
    } else if (nd.kind == kFun && fix[nd.a]) {
      const Aplicada r = AplicaFuncio(nd.op, val[nd.a]);
      v = r.v;
      ok = r.st == FunStatus::None && !r.fatal;
    } else if (nd.kind == kBin && fix[nd.a] && fix[nd.b]) {
      ok = OperaIndex(IndexOp(nd.op), val[nd.a], val[nd.b], v);
    } else if (nd.kind == kBin && nd.op == '^' && nodes_[nd.a].kind == kX && fix[nd.b] &&
               val[nd.b] == 0) {
      v = 1;
      ok = true;
    }
    fix[i] = ok;
    val[i] = v;
  }
  return fx;
}

// The node that stands for node i in the flat program: an operation that gives its operand back
// exactly (v*1, 1*v, v/1, v-0, v^1) is left out.
int32_t FunPrograma::Skip(const Fixed& fx, int32_t i) const {
  for (;;) {
    const Node& nd = nodes_[i];
    if (fx.fix[i] || nd.kind != kBin) return i;
    auto es = [&](int32_t j, double k) {
      return fx.fix[j] && fx.val[j] == k && !std::signbit(fx.val[j]);
    };
    if (nd.op == '*' && es(nd.b, 1))
      i = nd.a;
    else if (nd.op == '*' && es(nd.a, 1))
      i = nd.b;
    else if ((nd.op == '/' || nd.op == '^') && es(nd.b, 1))
      i = nd.a;
    else if (nd.op == '-' && es(nd.b, 0))
      i = nd.a;
    else
      return i;
  }
}

void FunPrograma::EmitProgram(const Fixed& fx) {
  const std::vector<char>& fix = fx.fix;
  const std::vector<double>& val = fx.val;
  // The flat program: the tree in postfix order, operands that are constants or x folded
  // into the operator that uses them.
  struct Visit {
    int32_t node;
    uint8_t stage;
  };
  std::vector<Visit> pending{{Skip(fx, arrel_), 0}};
  int32_t height = 0;
  auto emit = [&](Instr in, int32_t delta) {
    prog_.push_back(in);
    height += delta;
    pila_ = std::max(pila_, height);
  };
  auto simple = [&](int32_t i) { return fix[i] || nodes_[i].kind == kX; };
  auto binaryInstr = [](int op, Forma f, double k = 0) {
    return Instr{static_cast<uint8_t>(rBin0 + op * kFormes + f), 0, 0, k};
  };
  while (!pending.empty()) {
    const Visit ps = pending.back();
    pending.pop_back();
    const Node& nd = nodes_[ps.node];
    if (fix[ps.node]) {
      emit({rPushC, 0, 0, val[ps.node]}, 1);
      continue;
    }
    switch (nd.kind) {
      case kX: emit({rPushX}, 1); break;
      case kY: emit({rPushY}, 1); break;
      case kNeg:
      case kFun:
        if (ps.stage == 0) {
          pending.push_back({ps.node, 1});
          pending.push_back({Skip(fx, nd.a), 0});
        } else {
          emit({nd.kind == kNeg ? uint8_t{rNeg} : uint8_t{rFun}, nd.op}, 0);
        }
        break;
      case kBin: {
        const int op = IndexOp(nd.op);
        const int32_t a = Skip(fx, nd.a), b = Skip(fx, nd.b);
        const bool ax = !fix[a], bx = !fix[b];  // simple operands: constant, or else x
        const double ka = val[a], kb = val[b];
        const bool potN = op == 4 && fix[b] && kb >= 0 && kb <= 64 && kb == std::floor(kb);
        const int32_t n32 = potN ? static_cast<int32_t>(kb) : 0;
        if (ps.stage == 0) {
          if (simple(a) && simple(b)) {
            if (ax && !bx) {
              emit(potN ? Instr{rPowNX, 0, n32, 0} : binaryInstr(op, kXC, kb), 1);
            } else if (!ax && bx) {
              emit(binaryInstr(op, kCX, ka), 1);
            } else {
              emit(ax ? Instr{rPushX} : Instr{rPushC, 0, 0, ka}, 1);
              if (bx)
                emit(binaryInstr(op, kSX), 0);
              else
                emit(potN ? Instr{rPowNS, 0, n32, 0} : binaryInstr(op, kSC, kb), 0);
            }
          } else if (simple(b)) {
            pending.push_back({ps.node, 1});
            pending.push_back({a, 0});
          } else if (simple(a)) {
            pending.push_back({ps.node, 2});
            pending.push_back({b, 0});
          } else {
            pending.push_back({ps.node, 3});
            pending.push_back({b, 0});
            pending.push_back({a, 0});
          }
        } else if (ps.stage == 1) {
          if (bx)
            emit(binaryInstr(op, kSX), 0);
          else
            emit(potN ? Instr{rPowNS, 0, n32, 0} : binaryInstr(op, kSC, kb), 0);
        } else if (ps.stage == 2) {
          emit(binaryInstr(op, ax ? kXS : kCS, ka), 0);
        } else {
          emit(binaryInstr(op, kSS), -1);
        }
        break;
      }
      default: emit({rFalla}, 1); break;  // kNumGran, kInvalid
    }
  }
}

bool FunPrograma::Rapid(double x, double y, double& out) const {
  constexpr int32_t kLocal = 32;
  double local[kLocal];
  std::vector<double> heap;
  double* sp = local;  // the next free slot below the top; the first push stores a dummy
  if (pila_ > kLocal) {
    heap.resize(static_cast<size_t>(pila_));
    sp = heap.data();
  }
  double top = 0;  // the top of the stack stays in a register
#define TOLVI_FORMES(OP)                          \
  case rBin0 + (OP)*kFormes + kSS: {              \
    const double a_ = *--sp;                      \
    if (!Opera<OP>(a_, top, top)) return false;   \
    break;                                        \
  }                                               \
  case rBin0 + (OP)*kFormes + kSC:                \
    if (!Opera<OP>(top, in.k, top)) return false; \
    break;                                        \
  case rBin0 + (OP)*kFormes + kCS:                \
    if (!Opera<OP>(in.k, top, top)) return false; \
    break;                                        \
  case rBin0 + (OP)*kFormes + kSX:                \
    if (!Opera<OP>(top, x, top)) return false;    \
    break;                                        \
  case rBin0 + (OP)*kFormes + kXS:                \
    if (!Opera<OP>(x, top, top)) return false;    \
    break;                                        \
  case rBin0 + (OP)*kFormes + kXC:                \
    *sp++ = top;                                  \
    if (!Opera<OP>(x, in.k, top)) return false;   \
    break;                                        \
  case rBin0 + (OP)*kFormes + kCX:                \
    *sp++ = top;                                  \
    if (!Opera<OP>(in.k, x, top)) return false;   \
    break;

  for (const Instr& in : prog_) {
    switch (in.op) {
      case rPushC:
        *sp++ = top;
        top = in.k;
        break;
      case rPushX:
        *sp++ = top;
        top = x;
        break;
      case rPushY:
        *sp++ = top;
        top = y;
        break;
      case rNeg: top = -top; break;
      case rFun: {
        const Aplicada r = AplicaFuncio(in.fn, top);
        if (r.st != FunStatus::None || r.fatal) return false;
        top = r.v;
        break;
      }
      case rPowNS:
        top = PotenciaEntera(top, in.n);
        if (!Finit(top)) return false;
        break;
      case rPowNX:
        *sp++ = top;
        top = PotenciaEntera(x, in.n);
        if (!Finit(top)) return false;
        break;
        TOLVI_FORMES(0)
        TOLVI_FORMES(1)
        TOLVI_FORMES(2)
        TOLVI_FORMES(3)
        TOLVI_FORMES(4)
      default: return false;  // rFalla
    }
  }
#undef TOLVI_FORMES
  out = top;
  return true;
}

FunValue FunPrograma::AvaluaArbre(double x, double y) const {
  FunStatus st = FunStatus::None;  // status of the last operand evaluated
  DivKind div = DivKind::None;
  std::vector<double> vals;
  struct Visit {
    int32_t node;
    uint8_t stage;
  };
  std::vector<Visit> pending{{arrel_, 0}};
  while (!pending.empty()) {
    const Visit ps = pending.back();
    const Node& nd = nodes_[ps.node];
    switch (nd.kind) {
      case kNum:
        vals.push_back(nd.k);
        st = FunStatus::None;
        pending.pop_back();
        break;
      case kX:
      case kY: {
        const double v = nd.kind == kX ? x : y;
        if (!Finit(v)) return {0, FunStatus::Overflow, div};
        vals.push_back(v);
        st = FunStatus::None;
        pending.pop_back();
        break;
      }
      case kNumGran: return {0, FunStatus::Overflow, div};
      case kInvalid: return {0, FunStatus::InvalidOperand, div};
      case kNeg:
      case kFun:
        if (ps.stage == 0) {
          pending.back().stage = 1;
          pending.push_back({nd.a, 0});
          break;
        }
        pending.pop_back();
        if (nd.kind == kNeg) {
          vals.back() = -vals.back();
        } else {
          // A failed argument gives its 0 to the function, and its status stays.
          const Aplicada r = AplicaFuncio(nd.op, vals.back());
          if (r.fatal) return {0, FunStatus::Overflow, div};
          if (r.st != FunStatus::None) st = r.st;
          vals.back() = r.v;
        }
        break;
      default:  // kBin
        if (ps.stage == 0) {
          pending.back().stage = 1;
          pending.push_back({nd.a, 0});
        } else if (ps.stage == 1) {
          if (st != FunStatus::None) {
            vals.back() = 0;
            pending.pop_back();
          } else {
            pending.back().stage = 2;
            pending.push_back({nd.b, 0});
          }
        } else {
          pending.pop_back();
          const double b = vals.back();
          vals.pop_back();
          double& a = vals.back();
          if (st != FunStatus::None) {
            a = 0;
            break;
          }
          switch (nd.op) {
            case '/':
              if (b == 0) {
                st = FunStatus::ZeroDivisor;
                div = a == 0 ? DivKind::ZeroByZero : DivKind::NonZeroByZero;
                a = 0;
              } else {
                a = a / b;
                div = DivKind::None;
              }
              break;
            case '^':
              if (PotenciaRebutjada(a, b)) {
                st = FunStatus::RejectedPower;
                a = 0;
              } else {
                a = Potencia(a, b);
                if (!Finit(a)) {
                  st = FunStatus::Overflow;
                  a = 0;
                }
              }
              break;
            case '+': a = a + b; break;
            case '-': a = a - b; break;
            default: a = a * b; break;
          }
          if (!Finit(a)) return {0, FunStatus::Overflow, div};
        }
        break;
    }
  }
  return {vals.back(), st, div};
}

FunValue FunPrograma::Avalua(double x, double y) const {
  double v = 0;
  if (Finit(x) && Finit(y) && Rapid(x, y, v)) return {v, FunStatus::None, DivKind::None};
  return AvaluaArbre(x, y);
}

}  // namespace tolvi
