#include "solvers/genera.h"
#include "solvers/controls.h"

#include <string>

#include "numeric/numtext.h"

namespace tolvi {

namespace {

std::string Text(int16_t value) { return std::to_string(value); }

// k, then the two ends, drawn again until they differ so that there is something to insert.
void GeneraInterpolacio(SolveOutcome& out, Atzar& rng, std::string_view idK, std::string_view idA,
                        std::string_view idB) {
  out.setText(idK, Text(rng.AtzarEnter(2, 6)));
  std::string a, b;
  do {
    a = Text(rng.AtzarEnter(1, 8));
    b = Text(rng.AtzarEnter(1, 9));
  } while (a == b);
  out.setText(idA, a);
  out.setText(idB, b);
}

}  // namespace

SolveOutcome GeneraCas(int key, const Form&, Atzar& rng) {
  SolveOutcome out;
  switch (key) {
    case 0:
      out.setText(ctl::Id(0), Text(rng.AtzarEnter(1, 8)));
      out.setText(ctl::Id(1), Text(rng.AtzarEnter(1, 8)));
      out.setText(ctl::Id(2), Text(rng.AtzarEnter(4, 9)));
      break;
    case 1: GeneraInterpolacio(out, rng, ctl::IdK, ctl::IdA, ctl::IdB); break;
    case 2: {
      out.setText(ctl::Idg(0), Text(rng.AtzarEnter(1, 8)));
      // A whole ratio most of the time, otherwise one below 1 so that the progression decreases,
      // with the 3 decimals that the statement shows: the exercise is solved with the ratio
      // the student reads.
      if (rng.Rnd() > 0.3)
        out.setText(ctl::Idg(1), Text(rng.AtzarEnter(2, 5)));
      else
        out.setText(ctl::Idg(1), EscriuNum(rng.AtzarReal(0.1, 0.9), 3));
      out.setText(ctl::Idg(2), Text(rng.AtzarEnter(4, 9)));
      break;
    }
    case 3: GeneraInterpolacio(out, rng, ctl::IdKg, ctl::IdAg, ctl::IdBg); break;
    case 4:
    case 5:
    case 6:
    case 7: {
      // Products stay far inside 16 bits: 8000 at most.
      const int j = 4 * (key - 4);
      out.setText(ctl::IdI(j), Text(static_cast<int16_t>(1000 * rng.AtzarEnter(1, 8))));
      out.setText(ctl::IdI(j + 1), Text(rng.AtzarEnter(2, 12)));
      out.setText(ctl::IdI(j + 2), Text(static_cast<int16_t>(5 * rng.AtzarEnter(1, 4))));
      break;
    }
    default: break;
  }
  return out;
}

}  // namespace tolvi
