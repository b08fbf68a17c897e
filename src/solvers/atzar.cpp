#include "solvers/atzar.h"

#include <chrono>
#include <cmath>

namespace tolvi {

uint64_t Atzar::seedFromClock() {
  auto s = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  seed(s);
  return s;
}

double Atzar::Rnd() {
  // The top 53 bits make a double of [0, 1) with every value equally likely; the standard
  // distributions are not used because their output differs between libraries.
  return static_cast<double>(gen_() >> 11) * 0x1.0p-53;
}

int16_t Atzar::AtzarEnter(int16_t a, int16_t b) {
  // Worked in 32 bits: b − a + 1 reaches 65536 for the widest bounds. The result always lies
  // between a and b, so it fits the 16-bit type.
  const int32_t width = int32_t{b} - int32_t{a} + 1;
  const auto step = static_cast<int32_t>(std::floor(Rnd() * width));
  return static_cast<int16_t>(step + a);
}

double Atzar::AtzarReal(double a, double b) { return Rnd() * (b - a) + a; }

}  // namespace tolvi
