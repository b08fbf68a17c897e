// The program's source of random numbers: one uniform generator, seeded once (from the clock by
// the window, from --seed by tolvi-cli), and the two draws the case generator is made of.
// The same seed gives the same sequence on every platform.
#pragma once
#include <cstdint>
#include <random>

namespace tolvi {

class Atzar {
 public:
  Atzar() = default;  // a fixed seed until seed() or seedFromClock() is called
  explicit Atzar(uint64_t s) { seed(s); }

  void seed(uint64_t s) { gen_.seed(s); }
  // Seeds from the system clock; returns the seed used, so that a run can be repeated.
  uint64_t seedFromClock();

  // The next number of the generator, uniform in [0, 1).
  double Rnd();
  // A whole number drawn uniformly from a to b inclusive: floor(u·(b − a + 1)) + a.
  int16_t AtzarEnter(int16_t a, int16_t b);
  // A real number drawn uniformly from [a, b): u·(b − a) + a.
  double AtzarReal(double a, double b);

 private:
  std::mt19937_64 gen_;
};

}  // namespace tolvi
