// The input calculator: a typed field may hold a small arithmetic expression with
// + - * / ^ and parentheses. Failures are returned as values (error number and message);
// the caller that reads a field decides how to show them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvi {

// Error numbers of the calculator. Numbers 1 to 4 have a fixed message; the others
// (an overflow, a power without a real value) have an empty message.
enum class ErrCalc : int16_t {
  Ok = 0,
  Parentheses = 1,     // "Al nombre de parèntesis"
  MissingOperand = 2,  // "Falta operand"
  DivisionByZero = 3,  // "Divisió per zero"
  Characters = 4,      // "Caràcter(s) no permeso(s)"
  NoReal = 5,          // a power without a real value (negative base, fractional exponent)
  Overflow = 6,        // a result too large for a double
};
struct CalcResult {
  double value = 0;           // 0 whenever err != 0
  ErrCalc err = ErrCalc::Ok;  // how the evaluation ended
  std::string message;        // the message to show (may be empty for errors 5 and 6)
  // The reading stopped before the end of one of the numbers ("12abc" read as 12, "1.5.5" as
  // 1.5): the rest of that number's text was ignored, as the reading rule says.
  bool ignored = false;
  bool ok() const { return err == ErrCalc::Ok; }
};

// The message of an error number ("" for numbers without a message).
std::string MissatgeCalc(ErrCalc err);

// Evaluates a typed expression ("," is not handled here; LlegeixNum turns it into ".").
// "+ - * /" group from the left, "^" from the right; a "+" or "-" right after an operator is
// the sign of what follows. Parentheses nested more than 200 deep are error 1, a text of more
// than 32767 characters error 4; an overflow is error 6, a power without a real value
// (a negative base with a fractional exponent, 0 to a negative power) error 5.
CalcResult Avalua(std::string_view text);

}  // namespace tolvi
