// Function expressions in x (and y): numbers, + - * / ^, parentheses and seventeen named
// functions. A source text is compiled once into a code string (each function name replaced
// by one code character) and then evaluated as often as needed.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

// Status of one evaluation (ErrFun): 0 none; 1 zero divisor or overflow guard; 2 argument
// outside a function's domain; 3 rejected power; 5 invalid operand; 6 overflow.
struct FunValue {
  double value = 0;    // 0 whenever status != 0
  int16_t ErrFun = 0;
  int16_t ErrDiv = 0;  // last zero division: 0 none, 1 zero by zero, 2 non-zero by zero
};

// Prepares the function table. Safe to call more than once.
void IniFuncions();

// The code string of a source text, or "" when it cannot be compiled. When the failure is an
// unknown function name, text is replaced by that word as typed (so the caller can name it).
std::string CompilaFun(std::string& text);

// Evaluates a code string at x and y.
FunValue AvaluaFun(std::string_view code, double x, double y);
// AvaluaFun at x with y = 0: the value alone.
double ValorFun(std::string_view code, double x);

// ln(v) / ln(10).
double LogDec(double v);

// The roots of the compiled function on [a, b], in increasing order, found by a scan in steps
// of 0.1 and a bisection to the tolerance tol wherever the sign changes strictly.
std::vector<double> ArrelsFun(std::string_view code, double a, double b, double tol);

}  // namespace tolvi
