// Arbitrary text typed into a numeric field: the readers must neither crash nor hang, and
// what they give back must hold together.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include "fuzz_target.h"

#include "numeric/calc.h"
#include "numeric/numtext.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

// The writers on a value the reader gave: a text that reads back as (nearly) the same value.
void CheckWriters(double v) {
  std::string curt = tolvi::TextCurt(v);
  double back = 0;
  auto r = std::from_chars(curt.data(), curt.data() + curt.size(), back);
  Require(r.ec == std::errc() && r.ptr == curt.data() + curt.size());
  Require(std::fabs(back - v) <= 1e-14 * std::fabs(v));
  std::string num = tolvi::EscriuNum(v, 3);
  Require(!num.empty() && num != "-0");
  Require(tolvi::EscriuDec(v, 3) != "-0" && tolvi::EscriuDec(-v * 1e-9, 2) != "-0");
  Require(tolvi::Talla2Dec(v).find('E') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);

  double value = 12345;
  tolvi::CalcResult err;
  bool given = tolvi::LlegeixNum(text, value, &err);
  Require(std::isfinite(value));
  Require(err.message == tolvi::MissatgeCalc(err.err));
  if (!err.ok()) Require(value == 0 && !given);
  if (given && value == 0) Require(text == "0");
  if (given) CheckWriters(value);

  tolvi::CalcResult direct = tolvi::Avalua(text);
  Require(std::isfinite(direct.value));
  if (!direct.ok()) Require(direct.value == 0);

  int16_t n = 777;
  if (tolvi::LlegeixEnter(text, n)) {
    double back = 0;
    Require(tolvi::LlegeixNum(std::to_string(n), back) && back == n);
  } else {
    Require(n == 777);
  }
  return 0;
}
