#include "solvers/solve.h"
#include "solvers/controls.h"

#include <cstdint>
#include <string>

#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// k written in subscript digits ("12" gives "₁₂").
std::string Subindex(int k) {
  static const char* const kDigits[] = {"\u2080", "\u2081", "\u2082", "\u2083", "\u2084",
                                        "\u2085", "\u2086", "\u2087", "\u2088", "\u2089"};
  std::string out;
  for (char c : std::to_string(k)) out += c == '-' ? "\u208B" : kDigits[c - '0'];
  return out;
}

// The known term a_k with the index typed in its subscript box (1 when that is no integer, as
// the solve then sets it back).
std::string TermeConegut(const Form& form, std::string_view box) {
  int16_t k = 1;
  if (!LlegeixEnter(form.text(box), k)) k = 1;
  return "a" + Subindex(k);
}

}  // namespace

std::string EtiquetaCamp(const Form& form, std::string_view name) {
  static const char* const kProgressio[] = {nullptr, "d", "n", "a\u2099", "S\u2099", "S\u221E"};
  static const char* const kInteres[4][4] = {
      {"c", "r", "t", "C"}, {"c", "r", "t", "C"}, {"C", "r", "t", "a"}, {"D", "r", "t", "a"}};
  for (int i = 0; i <= 5; ++i) {
    const bool aritm = i <= 4 && name == ctl::Id(i);
    if (!aritm && name != ctl::Idg(i)) continue;
    if (i == 0) return TermeConegut(form, aritm ? ctl::Id1a : ctl::Id1g);
    if (i == 1 && !aritm) return "r";
    return kProgressio[i];
  }
  for (int i = 0; i < 16; ++i)
    if (name == ctl::IdI(i)) return kInteres[i / 4][i % 4];
  if (name == ctl::IdK || name == ctl::IdKg) return "k";
  if (name == ctl::IdA || name == ctl::IdAg) return "a";
  if (name == ctl::IdB || name == ctl::IdBg) return "b";
  return std::string(name);
}

std::string MissatgeCalcFinestra(ErrCalc err) {
  switch (err) {
    case ErrCalc::Parentheses: return Tx("calc.parentheses");
    case ErrCalc::MissingOperand: return Tx("calc.operand");
    case ErrCalc::DivisionByZero: return Tx("calc.division");
    case ErrCalc::Characters: return Tx("calc.characters");
    case ErrCalc::NoReal: return Tx("calc.noreal");
    case ErrCalc::Overflow: return Tx("calc.overflow");
    case ErrCalc::Ok: break;
  }
  return Tx("calc.cannot");
}

bool LlegeixCamp(const Form& form, std::string_view name, double& value, Services& ui) {
  CalcResult failure;
  const bool given = LlegeixNum(form.text(name), value, &failure);
  if (!failure.ok())
    ui.message(EtiquetaCamp(form, name) + ": " + MissatgeCalcFinestra(failure.err),
               Tx("title.error"), Icon::None);
  return given;
}

void MassaTermes(std::string_view what, int max, Services& ui, std::string_view title) {
  ui.message(TxF("msg.at_most_terms", {what, std::to_string(max)}),
             title.empty() ? std::string_view(Tx("title.wrong_value")) : title, Icon::None);
}

bool MassaGran(const Form& form, std::string_view name, int max, Services& ui) {
  double x = 0;
  if (!LlegeixNum(form.text(name), x) || !(x > max + 0.5)) return false;
  MassaTermes(EtiquetaCamp(form, name), max, ui);
  return true;
}

}  // namespace tolvi
