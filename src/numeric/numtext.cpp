#include "numeric/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "numeric/cadenes.h"
#include "numeric/sixteen_bits.h"

namespace tolvi {

namespace {

constexpr std::string_view kPi = "3.14159265358979";
constexpr double kTolEnter = 1e-6;

// Significant digits of |x| and the power of ten of the first one: |x| = d.ddd x 10^exp.
// With precision < 0 the digits are the shortest that read back as x; otherwise exactly
// precision + 1 digits, correctly rounded. x must be finite and non-zero.
struct Digits {
  std::string d;
  int exp = 0;
};

Digits DigitsOf(double x, int precision) {
  char buf[64];
  std::to_chars_result r = precision < 0 ? std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                                         std::chars_format::scientific)
                                         : std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                                         std::chars_format::scientific, precision);
  std::string_view t(buf, static_cast<size_t>(r.ptr - buf));
  size_t e = t.find('e');
  Digits out;
  for (char c : t.substr(0, e))
    if (c != '.') out.d.push_back(c);
  std::string_view ex = t.substr(e + 1);
  if (!ex.empty() && ex[0] == '+') ex.remove_prefix(1);
  std::from_chars(ex.data(), ex.data() + ex.size(), out.exp);
  return out;
}

void TreuZerosFinals(std::string& d) {
  while (d.size() > 1 && d.back() == '0') d.pop_back();
}

// Plain digits (never an exponent) of d.ddd x 10^exp.
std::string Pla(const Digits& g) {
  std::string out;
  if (g.exp >= 0) {
    size_t enters = static_cast<size_t>(g.exp) + 1;
    if (g.d.size() <= enters) {
      out = g.d;
      out.append(enters - g.d.size(), '0');
    } else {
      out = g.d.substr(0, enters);
      out.push_back('.');
      out.append(g.d, enters);
    }
  } else {
    out = "0.";
    out.append(static_cast<size_t>(-g.exp - 1), '0');
    out.append(g.d);
  }
  return out;
}

// The nearest integer, a half to the even one, whatever the floating-point rounding mode.
double RodonParell(double x) {
  double f = std::floor(x);
  double diff = x - f;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0)) f += 1;
  return f;
}

bool Blanc(char c) { return c == ' ' || c == '\t'; }

// Within kTolEnter of an integer of [lo, hi] (the nearest one, halves to the even one).
bool EsEnterEntre(double x, double lo, double hi) {
  if (!std::isfinite(x)) return false;
  double r = RodonParell(x);
  if (r < lo || r > hi) return false;
  return std::fabs(x - r) < kTolEnter;
}

}  // namespace

bool LlegeixNum(std::string_view text, double& value, CalcResult* error) {
  std::string t = SubstTot(text, ",", ".");
  if (t.find("pi") != std::string::npos) t = SubstTot(t, "pi", kPi);
  CalcResult r = Avalua(t);
  value = r.value;
  if (error) *error = r;
  return value != 0 || t == "0";
}

bool LlegeixEnter(std::string_view text, int16_t& value) {
  while (!text.empty() && Blanc(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blanc(text.back())) text.remove_suffix(1);
  bool negatiu = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negatiu = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || !(text[0] == '.' || text[0] == ',' || (text[0] >= '0' && text[0] <= '9')))
    return false;
  std::string t(text);
  std::replace(t.begin(), t.end(), ',', '.');
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  if (negatiu) v = -v;
  if (v < kInt16Min - 0.5 || v > kInt16Max + 0.5) return false;
  int64_t n = ArrodonirParell(v);
  if (n < kInt16Min || n > kInt16Max) return false;
  value = static_cast<int16_t>(n);
  return true;
}

int64_t ArrodonirParell(double x) {
  if (std::isnan(x)) return 0;
  double f = RodonParell(x);
  // Out-of-range values are clamped (the caller should not pass them).
  if (f >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
  if (f <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(f);
}

bool EsEnter(double x) { return EsEnterEntre(x, kInt16Min, kInt16Max); }

bool EsEnterL(double x) { return EsEnterEntre(x, -2147483648.0, 2147483647.0); }

std::string EscriuFrac(double x) {
  if (EsEnterL(x)) return std::to_string(ArrodonirParell(x));
  for (int k = 2; k <= 200; ++k) {
    double y = k * x;
    if (EsEnterL(y)) {
      int64_t num = ArrodonirParell(y);
      if (num < -999 || num > 999) return {};
      return std::to_string(num) + "/" + std::to_string(k);
    }
  }
  return {};
}

// The value is rounded as its shortest decimal text reads (the digits that read back as the
// same double), halves away from zero: 2.675 gives 2.68 with 2 decimals although the double
// lies a hair below 2.675, and 0.125 gives 0.13.
std::string EscriuDec(double x, int16_t n) {
  if (!std::isfinite(x)) return {};
  const int dec = std::clamp<int>(n, 0, 1100);
  if (x == 0) return "0";
  Digits g = DigitsOf(x, -1);
  // The digits kept are those of the powers 10^exp down to 10^-dec.
  const int keep = g.exp + dec + 1;
  std::string m;  // the value times 10^dec, as an integer
  if (keep <= 0) {
    m.push_back((keep == 0 && g.d[0] >= '5') ? '1' : '0');
  } else if (static_cast<size_t>(keep) >= g.d.size()) {
    m = g.d;
    m.append(static_cast<size_t>(keep) - g.d.size(), '0');
  } else {
    m = g.d.substr(0, static_cast<size_t>(keep));
    if (g.d[static_cast<size_t>(keep)] >= '5') {
      int i = keep - 1;
      while (i >= 0 && m[static_cast<size_t>(i)] == '9') m[static_cast<size_t>(i--)] = '0';
      if (i < 0)
        m.insert(m.begin(), '1');
      else
        ++m[static_cast<size_t>(i)];
    }
  }
  if (m.size() <= static_cast<size_t>(dec))
    m.insert(0, static_cast<size_t>(dec) + 1 - m.size(), '0');
  std::string ent = m.substr(0, m.size() - static_cast<size_t>(dec));
  std::string frac = m.substr(m.size() - static_cast<size_t>(dec));
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  bool zero = std::all_of(m.begin(), m.end(), [](char c) { return c == '0'; });
  std::string out = (x < 0 && !zero) ? "-" : "";
  out += ent;
  if (!frac.empty()) {
    out += '.';
    out += frac;
  }
  return out;
}

std::string EscriuNum(double x, int16_t n) {
  std::string f = EscriuFrac(x);
  return f.empty() ? EscriuDec(x, n) : f;
}

std::string TextCurt(double x) {
  if (!std::isfinite(x)) return {};
  if (x == 0) return "0";
  Digits g = DigitsOf(x, 14);
  TreuZerosFinals(g.d);
  std::string out = x < 0 ? "-" : "";
  if (g.exp < -4 || g.exp >= 15) {
    out += g.d[0];
    if (g.d.size() > 1) {
      out += '.';
      out.append(g.d, 1);
    }
    out += g.exp < 0 ? "E-" : "E+";
    int a = std::abs(g.exp);
    if (a < 10) out += '0';
    out += std::to_string(a);
    return out;
  }
  return out + Pla(g);
}

std::string Talla2Dec(double x) {
  if (!std::isfinite(x)) return {};
  if (x == 0) return "0";
  Digits g = DigitsOf(x, 14);
  TreuZerosFinals(g.d);
  std::string t = Pla(g);
  size_t punt = t.find('.');
  if (punt != std::string::npos && t.size() > punt + 3) t.resize(punt + 3);
  // A negative value cut to nothing but zeros is written without its sign.
  bool zero = std::all_of(t.begin(), t.end(), [](char c) { return c == '0' || c == '.'; });
  if (x < 0 && !zero) t.insert(t.begin(), '-');
  return t;
}

}  // namespace tolvi
