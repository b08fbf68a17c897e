// The interest and annuity panels (keys 4 to 7): statements, answers, found fields and
// messages, and a round trip over random cases checked against the closed formulas that a
// spreadsheet's financial functions (FV, PV, PMT, NPER, RATE) use.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "solvers/fake_services.h"
#include "solvers/interest.h"

namespace tolvi {
namespace {

using Fields = std::array<std::string, 4>;

struct Solved {
  SolveOutcome out;
  std::vector<test::Shown> messages;
  // The text the outcome writes into field p of the panel, "" if none.
  std::string field(int16_t k, int p) const {
    for (const FormEdit& e : out.edits)
      if (e.kind == FormEdit::Text && e.name == Nom("IdI", 4 * k + p)) return e.text;
    return {};
  }
};

Solved Solve(int16_t k, const Fields& fields, const std::string& smb = "\u20AC") {
  MemoryForm form;
  for (int p = 0; p < 4; ++p) form.setText(Nom("IdI", 4 * k + p), fields[p]);
  test::RecordingServices ui;
  SolveContext ctx{ui, 2, smb};
  SolveOutcome out = ResolI(k, form, ctx);
  EXPECT_TRUE(ui.chooserCalls.empty());
  return {out, ui.messages};
}

double Num(const std::string& text) {
  double v = std::nan("");
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nan("");
  return v;
}

std::string Fixed2(double x) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 2);
  return std::string(buf, res.ptr);
}

// ---------------------------------------------------------------------------------------------
// Cases that solve: the found field, the answer and the statement, exactly.

struct Caso {
  int16_t k;
  Fields fields;
  int found;
  const char* fieldText;
  const char* resp;
  const char* enun;
  std::string smb = "€";
};

const Caso kSolved[] = {
    {0, {"1000", "5", "3", ""}, 3, "1150", "C = 1150€",
     "Calcula el capital que se obtendrá poniendo un capital de 1000€ a un interés simple del 5% "
     "durante 3 años"},
    {1, {"1000", "5", "3", ""}, 3, "1157.63", "C = 1157.63€",
     "Calcula el capital que se obtendrá poniendo un capital de 1000€ a un interés compuesto del "
     "5% durante 3 años"},
    {0, {"1000", "2,5", "2", ""}, 3, "1050", "C = 1050€",
     "Calcula el capital que se obtendrá poniendo un capital de 1000€ a un interés simple del 5/2% "
     "durante 2 años"},
    // Money in the statement of this case is cut, not rounded; the time is its shortest text.
    {0, {"1234.5678", "4", "2.5", ""}, 3, "1358.02", "C = 1358.02€",
     "Calcula el capital que se obtendrá poniendo un capital de 1234.56€ a un interés simple del 4% "
     "durante 2.5 años"},
    {1, {"1000", "5", "1/3", ""}, 3, "1016.4", "C = 1016.4€",
     "Calcula el capital que se obtendrá poniendo un capital de 1000€ a un interés compuesto del "
     "5% durante 0.333333333333333 años"},
    {1, {"1000", "", "3", "1157.63"}, 1, "5", "r = 5%",
     "Calcula el % de interés compuesto anual al cual se debe imponer un capital de 1000€ durante "
     "3 años per obtener un capital de 1157.63€"},
    {0, {"1000", "", "3", "1150"}, 1, "5", "r = 5%",
     "Calcula el % de interés simple anual al cual se debe imponer un capital de 1000€ durante "
     "3 años per obtener un capital de 1150€"},
    // 1/3 % a year for two years: the rate is kept with 3 decimals, shown with 2.
    {0, {"300", "", "2", "302"}, 1, "0.33", "r = 0.33%",
     "Calcula el % de interés simple anual al cual se debe imponer un capital de 300€ durante "
     "2 años per obtener un capital de 302€"},
    {0, {"1000", "5", "", "1150"}, 2, "3", "t = 3 años",
     "Calcula el tiempo en años necesario para que un capital de 1000€ puesto  a un interés "
     "simple del 5% anual rendeixi un capital de 1150€"},
    {1, {"1000", "5", "", "2000"}, 2, "14.21", "t = 14.21 años",
     "Calcula el tiempo en años necesario para que un capital de 1000€ puesto  a un interés "
     "compuesto del 5% anual rendeixi un capital de 2000€"},
    {1, {"", "5", "3", "1157.63"}, 0, "1000", "c = 1000€",
     "Calcula el capital que hay que imponer a un interés compuesto del 5% durante 3 años para de "
     "obtener un capital de 1157.63€"},
    {0, {"", "2.25", "4", "1090"}, 0, "1000", "c = 1000€",
     "Calcula el capital que hay que imponer a un interés simple del 2.25% durante 4 años para de "
     "obtener un capital de 1090€"},
    // All four given: the final capital is ignored and recomputed.
    {0, {"1000", "5", "3", "999"}, 3, "1150", "C = 1150€",
     "Calcula el capital que se obtendrá poniendo un capital de 1000€ a un interés simple del 5% "
     "durante 3 años"},
    // An unreadable field counts as not given (after the calculator's message).
    {0, {"abc", "5", "3", "1150"}, 0, "1000", "c = 1000€",
     "Calcula el capital que hay que imponer a un interés simple del 5% durante 3 años para de "
     "obtener un capital de 1150€"},
    {2, {"10000", "5", "10", ""}, 3, "757.19", "a = 757.19€",
     "Calcula el importe de la anualidad que hay que ingresar durante 10 años, al 5% de interés "
     "para acumular un capital de 10000€"},
    {3, {"10000", "5", "10", ""}, 3, "1295.05", "a = 1295.05€",
     "Calcula el importe de la anualidad que hay que ingresar durante 10 años, al 5% de interés "
     "para amortizar una deuda de 10000€"},
    {2, {"10000", "", "10", "757.19"}, 1, "5", "r = 5%",
     "Calcula el % de interés compuesto anual al cual se debe ingresar anualidades de 757.19€ "
     "durante 10 años para  de acumular un capital de 10000€"},
    {3, {"10000", "", "10", "1295.05"}, 1, "5", "r = 5%",
     "Calcula el % de interés compuesto anual al cual se debe ingresar anualidades de 1295.05€ "
     "durante 10 años para  amortizar una deuda de 10000€"},
    // A time that is not whole goes into the equation as it is.
    {2, {"10000", "", "2,5", "3733.41"}, 1, "4", "r = 4%",
     "Calcula el % de interés compuesto anual al cual se debe ingresar anualidades de 3733.41€ "
     "durante 2.5 años para  de acumular un capital de 10000€"},
    // The root lies within 1e-8 beyond a point of the 0.1 scan.
    {3, {"441259.65", "", "18", "41676.14"}, 1, "6.3", "r = 6.3%",
     "Calcula el % de interés compuesto anual al cual se debe ingresar anualidades de 41676.14€ "
     "durante 18 años para  amortizar una deuda de 441259.65€"},
    {3, {"10000", "5", "", "1295.05"}, 2, "10", "t = 10 años",
     "Calcula el tiempo en años necesario para que se pueda amortizar una deuda de 10000€ "
     "ingresando anualidades de 1295.05€ a un interés  del 5% anual "},
    {2, {"10000", "5", "", "757.19"}, 2, "10", "t = 10 años",
     "Calcula el tiempo en años necesario para que se pueda formar un capital de 10000€ "
     "ingresando anualidades de 757.19€ a un interés  del 5% anual "},
    {2, {"", "5", "10", "757.19"}, 0, "10000.05", "C = 10000.05€",
     "Calcula el capital que se obtendrá si se ingresa durante 10 años anualidades de 757.19€ al "
     "5% de interés anual"},
    {3, {"", "5", "10", "1295.05"}, 0, "10000.03", "D = 10000.03€",
     "Calcula el deuda que se podrá amortizar ingresando durante 10 años anualidades de 1295.05€ "
     "al 5% de interés anual"},
    {3, {"", "5", "10", "1295.05"}, 0, "10000.03", "D = 10000.03kr",
     "Calcula el deuda que se podrá amortizar ingresando durante 10 años anualidades de 1295.05kr "
     "al 5% de interés anual", "kr"},
    {1, {"1000", "5", "", "2000"}, 2, "14.21", "t = 14.21 años",
     "Calcula el tiempo en años necesario para que un capital de 1000$ puesto  a un interés "
     "compuesto del 5% anual rendeixi un capital de 2000$", "$"},
    // A rate that is not a simple fraction is written with 2 decimals in this statement.
    {3, {"5000", "3.125", "7.5", ""}, 3, "758.16", "a = 758.16€",
     "Calcula el importe de la anualidad que hay que ingresar durante 7.5 años, al 25/8% de "
     "interés para amortizar una deuda de 5000€"},
    {3, {"5000", "3.14159", "7", ""}, 3, "806.82", "a = 806.82€",
     "Calcula el importe de la anualidad que hay que ingresar durante 7 años, al 3.14% de "
     "interés para amortizar una deuda de 5000€"},
};

TEST(ResolI, SolvesEachCaseWithItsStatementAndAnswer) {
  for (const Caso& c : kSolved) {
    SCOPED_TRACE("panel " + std::to_string(c.k + 4) + ": " + c.fields[0] + " | " + c.fields[1] +
                 " | " + c.fields[2] + " | " + c.fields[3]);
    Solved s = Solve(c.k, c.fields, c.smb);
    ASSERT_TRUE(s.out.solved);
    ASSERT_TRUE(s.out.record.has_value());
    EXPECT_EQ(s.out.record->Resp, c.resp);
    EXPECT_EQ(s.out.record->Enun, c.enun);
    // Only the found field is written, as a bare number.
    ASSERT_EQ(s.out.edits.size(), 1u);
    EXPECT_EQ(s.out.edits[0].name, Nom("IdI", 4 * c.k + c.found));
    EXPECT_EQ(s.out.edits[0].text, c.fieldText);
  }
}

TEST(ResolI, UnreadableFieldShowsTheCalculatorMessageOnce) {
  Solved s = Solve(0, {"abc", "5", "3", "1150"});
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].title, "Error");
  EXPECT_EQ(s.messages[0].text, "Caràcter(s) no permeso(s)");
  EXPECT_TRUE(s.out.solved);
}

TEST(ResolI, FourthFieldIsNotReadOnceThreeAreGiven) {
  Solved s = Solve(1, {"1000", "5", "3", "abc"});
  EXPECT_TRUE(s.messages.empty());
  EXPECT_EQ(s.field(1, 3), "1157.63");
}

// ---------------------------------------------------------------------------------------------
// Cases that end with a message and write nothing.

struct Fallo {
  int16_t k;
  Fields fields;
  const char* text;
  const char* title;
  Icon icon;
};

const Fallo kFailures[] = {
    {0, {"1000", "5", "", ""}, "Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation},
    {3, {"", "", "", "1295.05"}, "Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation},
    {0, {"0", "5", "3", ""}, "Només valors positius", "Entrada incorrecta", Icon::None},
    {2, {"10000", "-5", "10", ""}, "Només valors positius", "Entrada incorrecta", Icon::None},
    {1, {"", "5", "0", "100"}, "Només valors positius", "Entrada incorrecta", Icon::None},
    {0, {"2000", "", "3", "1000"}, " C debe ser > c", "Error", Icon::None},
    {1, {"2000", "5", "", "1000"}, " C debe ser > c", "Error", Icon::None},
    {1, {"1000", "", "3", "1000"}, " C debe ser > c", "Error", Icon::None},
    // The payments alone exceed the capital: no positive rate.
    {2, {"1000", "", "10", "200"}, "No soluciones", "No factible", Icon::None},
    // The annuity does not exceed a year's interest on the debt: never paid off.
    {3, {"10000", "5", "", "500"}, "No soluciones", "No factible", Icon::None},
    {3, {"10000", "5", "", "400"}, "No soluciones", "No factible", Icon::None},
    // A rate above 90% is not sought.
    {3, {"1000", "", "1", "1950"}, "No soluciones", "No factible", Icon::None},
    // Results beyond a double.
    {1, {"1000", "5", "100000", ""}, "No soluciones", "No factible", Icon::None},
    {1, {"", "5", "100000", "1000"}, "No soluciones", "No factible", Icon::None},
    {2, {"", "50", "5000", "100"}, "No soluciones", "No factible", Icon::None},
    {1, {"1", "", "1e-300", "2"}, "No soluciones", "No factible", Icon::None},
    {0, {"1e300", "1e300", "1e300", ""}, "No soluciones", "No factible", Icon::None},
};

TEST(ResolI, EndsWithAMessageAndWritesNothing) {
  for (const Fallo& f : kFailures) {
    SCOPED_TRACE("panel " + std::to_string(f.k + 4) + ": " + f.fields[0] + " | " + f.fields[1] +
                 " | " + f.fields[2] + " | " + f.fields[3]);
    Solved s = Solve(f.k, f.fields);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].text, f.text);
    EXPECT_EQ(s.messages[0].title, f.title);
    EXPECT_EQ(s.messages[0].icon, f.icon);
    EXPECT_FALSE(s.out.solved);
    EXPECT_FALSE(s.out.record.has_value());
    EXPECT_TRUE(s.out.edits.empty());
  }
}

// ---------------------------------------------------------------------------------------------
// Round trips over random cases, checked against the standard financial formulas.

// The financial functions of a spreadsheet, rate as a fraction, type 1 = payments at the start.
double FV(double i, double n, double pmt, double pv, int type) {
  double f = std::pow(1 + i, n);
  return -(pv * f + pmt * (1 + i * type) * (f - 1) / i);
}
double PV(double i, double n, double pmt, double fv, int type) {
  double f = std::pow(1 + i, n);
  return -(fv + pmt * (1 + i * type) * (f - 1) / i) / f;
}
double PMT(double i, double n, double pv, double fv, int type) {
  double f = std::pow(1 + i, n);
  return -(fv + pv * f) * i / ((1 + i * type) * (f - 1));
}
double NPER(double i, double pmt, double pv, double fv, int type) {
  double p = pmt * (1 + i * type);
  return std::log((p - fv * i) / (p + pv * i)) / std::log(1 + i);
}
// RATE by bisection of the balance over (0, 10]; the balance changes sign once there.
double RATE(double n, double pmt, double pv, double fv, int type) {
  auto balance = [&](double i) {
    double f = std::pow(1 + i, n);
    return pv * f + pmt * (1 + i * type) * (f - 1) / i + fv;
  };
  double lo = 1e-9, hi = 10;
  double flo = balance(lo);
  for (int it = 0; it < 200; ++it) {
    double mid = (lo + hi) / 2;
    double fm = balance(mid);
    if ((fm < 0) == (flo < 0)) {
      lo = mid;
      flo = fm;
    } else {
      hi = mid;
    }
  }
  return (lo + hi) / 2;
}

// Each panel's quantity at position `find` from the other three (v holds all four; the one at
// `find` is ignored), rate in percent.
double Formula(int16_t k, int find, const std::array<double, 4>& v) {
  const double K = v[0], r = v[1], t = v[2], W = v[3], i = r / 100;
  switch (k) {
    case 0:  // simple interest
      switch (find) {
        case 0: return W / (1 + i * t);
        case 1: return (W / K - 1) * 100 / t;
        case 2: return (W / K - 1) / i;
        default: return K * (1 + i * t);
      }
    case 1:  // compound interest
      switch (find) {
        case 0: return -PV(i, t, 0, W, 0);
        case 1: return RATE(t, 0, -K, W, 0) * 100;
        case 2: return NPER(i, 0, -K, W, 0);
        default: return FV(i, t, 0, -K, 0);
      }
    case 2:  // capitalisation: payments at the start of each year
      switch (find) {
        case 0: return FV(i, t, -W, 0, 1);
        case 1: return RATE(t, -W, 0, K, 1) * 100;
        case 2: return NPER(i, -W, 0, K, 1);
        default: return -PMT(i, t, 0, K, 1);
      }
    default:  // amortisation: payments at the end of each year
      switch (find) {
        case 0: return PV(i, t, -W, 0, 0);
        case 1: return RATE(t, -W, K, 0, 0) * 100;
        case 2: return NPER(i, -W, K, 0, 0);
        default: return PMT(i, t, -K, 0, 0);
      }
  }
}

TEST(ResolI, RandomCasesSolveForwardsAndBackAndAgreeWithTheFinancialFormulas) {
  std::mt19937 gen(20240517);
  std::uniform_int_distribution<int> cents(1000000, 50000000);  // 10000.00 to 500000.00
  std::uniform_int_distribution<int> tenths(10, 150);           // 1.0% to 15.0%
  std::uniform_int_distribution<int> years(1, 30);
  for (int16_t k = 0; k < 4; ++k) {
    for (int n = 0; n < 150; ++n) {
      std::array<double, 4> v{cents(gen) / 100.0, tenths(gen) / 10.0,
                              static_cast<double>(years(gen)), 0};
      Fields given{Fixed2(v[0]), Fixed2(v[1]), Fixed2(v[2]), ""};
      SCOPED_TRACE("panel " + std::to_string(k + 4) + ": " + given[0] + " | " + given[1] + " | " +
                   given[2]);

      // Forwards: the fourth quantity, to the cent.
      Solved fwd = Solve(k, given);
      ASSERT_TRUE(fwd.out.solved);
      const std::string written = fwd.field(k, 3);
      const double W = Num(written);
      EXPECT_NEAR(W, Formula(k, 3, v), 0.005 + 1e-9);
      EXPECT_EQ(fwd.out.record->Resp, std::string(k >= 2 ? "a" : "C") + " = " + written + "€");
      v[3] = W;

      // Back: each given from the other two and the written fourth. The given must lie within
      // what half a cent of the written amount allows, plus half a unit of the written result.
      for (int find = 0; find < 3; ++find) {
        SCOPED_TRACE("finding position " + std::to_string(find));
        Fields back = given;
        back[3] = written;
        back[find] = "";
        Solved s = Solve(k, back);
        ASSERT_TRUE(s.out.solved);
        const double got = Num(s.field(k, find));
        const double exact = Formula(k, find, v);
        auto lo = v, hi = v;
        lo[3] -= 0.005;
        hi[3] += 0.005;
        const double spread = std::max(std::fabs(Formula(k, find, lo) - exact),
                                       std::fabs(Formula(k, find, hi) - exact));
        // A rate is kept with 3 decimals and written with 2.
        const double half = find == 1 ? 0.0055 : 0.005;
        EXPECT_NEAR(got, v[find], half + spread + 1e-9);
        EXPECT_NEAR(got, exact, half + 1e-7);
      }
    }
  }
}

}  // namespace
}  // namespace tolvi
