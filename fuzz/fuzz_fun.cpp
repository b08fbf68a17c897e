// Compiles arbitrary texts, evaluates the text itself and its code string at a few values of
// x, and searches the roots of whatever compiles on a small interval.
//
// Checks: values are finite and statuses known; the flat program and the tree agree exactly;
// for short texts both agree with a direct reading of the text (split at the loosest operator,
// recurse on both sides), which shares only the single operations with the program; roots come
// out increasing and inside the interval.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include "fuzz_target.h"

#include "numeric/fun.h"

namespace {

using tolvi::FunValue;

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string Text(double v) {
  char buf[40];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return "(" + std::string(buf, r.ptr) + ")";
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c >= 0xDC80 && c <= 0xDCFF) {  // a lone byte that was not UTF-8
    out += static_cast<char>(c - 0xDC00);
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u32string Decode(std::string_view s) {
  std::u32string out;
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len = b0 >= 0xC2 && b0 <= 0xDF   ? 2
                 : b0 >= 0xE0 && b0 <= 0xEF ? 3
                 : b0 >= 0xF0 && b0 <= 0xF4 ? 4
                                            : 1;
    char32_t cp = len == 2 ? b0 & 0x1F : len == 3 ? b0 & 0x0F : b0 & 0x07;
    bool valid = len == 1 ? b0 < 0x80 : i + len <= s.size();
    for (size_t k = 1; valid && k < len; ++k) {
      const auto bk = static_cast<unsigned char>(s[i + k]);
      valid = (bk & 0xC0) == 0x80;
      cp = (cp << 6) | (bk & 0x3F);
    }
    if (len == 1 && valid) cp = b0;
    out.push_back(valid ? cp : 0xDC00 + b0);
    i += valid ? len : 1;
  }
  return out;
}

bool IsFunctionCode(char32_t c) {
  return std::u32string_view(U"sctle\u00EA\u00E8\u00E9da\u00E0\u00E1\u00E2\u00E4\u00DESC")
                 .find(c) != std::u32string_view::npos ||
         (c >= 2 && c <= 9);
}

// The text read directly, with a status that lasts until the next evaluation starts, as the
// language defines it. Single operations are worked out by the evaluator on literal operands.
struct Direct {
  double x;
  int16_t errFun = 0, errDiv = 0, fatal = 0;

  double Eval(std::u32string_view s) {
    errFun = 0;
    if (fatal) return 0;
    int depth = 0, count = 0, lowest = 5;
    size_t pos = 0;
    char32_t prev = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      const char32_t c = s[i];
      if (c == U'(') ++depth;
      if (c == U')') --depth;
      if ((c == U'+' || c == U'-') && i > 0 && depth == 0 && prev != U'e' && prev != U'E') {
        ++count, pos = i, lowest = 0;
      } else if ((c == U'*' || c == U'/' || c == U'^') && depth == 0) {
        ++count;
        const int p = c == U'^' ? 2 : 1;
        if (p <= lowest) pos = i, lowest = p;
      }
      prev = c;
    }
    if (count > 0) {
      const double a = Eval(s.substr(0, pos));
      if (fatal || errFun > 0) return 0;
      const double b = Eval(s.substr(pos + 1));
      if (fatal || errFun > 0) return 0;
      std::string op = Text(a);
      AppendUtf8(op, s[pos]);
      const FunValue r = tolvi::AvaluaFun(op + Text(b), 0, 0);
      if (s[pos] == U'/') errDiv = static_cast<int16_t>(r.ErrDiv);
      if (r.ErrFun == tolvi::FunStatus::Overflow && s[pos] != U'^') return Fail(6);
      Check(r.ErrFun != tolvi::FunStatus::InvalidOperand);
      errFun = static_cast<int16_t>(r.ErrFun);
      return r.value;
    }
    if (s.empty()) return Fail(5);
    const char32_t c = s[0];
    if (c == U'-') return -Eval(s.substr(1));
    if (c == U'(') return s.size() < 2 ? Fail(5) : Eval(s.substr(1, s.size() - 2));
    if (c == U'x' || c == U'X') return x;
    if (c == U'y' || c == U'Y') return 0;
    if (IsFunctionCode(c)) {
      if (s.size() < 3) return Fail(5);
      const double v = Eval(s.substr(2, s.size() - 3));
      if (fatal) return 0;
      std::string call;
      AppendUtf8(call, c);
      const FunValue r = tolvi::AvaluaFun(call + Text(v), 0, 0);
      if (r.ErrFun == tolvi::FunStatus::Overflow) return Fail(6);
      if (r.ErrFun != tolvi::FunStatus::None) errFun = static_cast<int16_t>(r.ErrFun);
      return r.value;
    }
    std::string number;
    for (char32_t d : s) AppendUtf8(number, d);
    const FunValue r = tolvi::AvaluaFun(number, 0, 0);
    if (r.ErrFun == tolvi::FunStatus::Overflow) return Fail(6);
    Check(r.ErrFun == tolvi::FunStatus::None);
    return r.value;
  }
  double Fail(int16_t code) {
    fatal = code;
    return 0;
  }
};

bool Same(const FunValue& a, const FunValue& b) {
  return a.value == b.value && std::signbit(a.value) == std::signbit(b.value) &&
         a.ErrFun == b.ErrFun && a.ErrDiv == b.ErrDiv;
}

void Evaluate(const std::string& code) {
  const tolvi::FunPrograma p(code);
  const std::u32string cps = Decode(code);
  static const double xs[] = {0, 1, -1, 0.5, 2.5, 1e300, -1e-300, 709.8};
  for (double x : xs) {
    const FunValue v = p.Avalua(x, 0);
    Check(std::isfinite(v.value));
    const int st = static_cast<int>(v.ErrFun), div = static_cast<int>(v.ErrDiv);
    Check(st == 0 || st == 1 || st == 2 || st == 3 || st == 5 || st == 6);
    Check(div >= 0 && div <= 2);
    Check(Same(v, p.AvaluaArbre(x, 0)));
    if (cps.size() <= 300) {
      Direct d{x};
      const double value = d.Eval(cps);
      const auto kind = static_cast<tolvi::DivKind>(d.errDiv);
      const FunValue r = d.fatal ? FunValue{0, static_cast<tolvi::FunStatus>(d.fatal), kind}
                                 : FunValue{value, static_cast<tolvi::FunStatus>(d.errFun), kind};
      Check(Same(v, r));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string typed = text;
  const std::string code = tolvi::CompilaFun(typed);
  if (code.empty()) Check(typed == text || text.find(typed) != std::string::npos);
  Evaluate(text);
  if (code.empty()) return 0;
  Evaluate(code);
  const double a = -1, b = 1, tol = 1e-6;
  const tolvi::ResultatArrels res = tolvi::CercaArrels(tolvi::FunPrograma(code), a, b, tol);
  Check(res.estat == tolvi::EstatArrels::Ok);
  for (size_t i = 0; i < res.roots.size(); ++i) {
    Check(res.roots[i] >= a && res.roots[i] <= b + tol);
    if (i > 0) Check(res.roots[i] > res.roots[i - 1]);
  }
  return 0;
}
