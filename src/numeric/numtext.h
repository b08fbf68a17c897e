// Reading typed numbers and writing numbers as texts. Nothing here depends on the process
// locale: "." is the decimal separator of every written number.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "numeric/calc.h"

namespace tolvi {

// Reads a field as typed: "," and "." are both decimal points, "pi" stands for
// 3.14159265358979, small expressions are worked out. Answers true when value holds a number
// the user gave; value is always written. *error (if given) receives the calculator's
// outcome: ErrCalc::Ok, or the failure whose message the caller shows once in a box titled "Error".
bool LlegeixNum(std::string_view text, double& value, CalcResult* error = nullptr);

// Reads a 16-bit integer (blanks around it allowed, "." or "," as decimal point, a fraction
// rounded half to even). On failure answers false and leaves value unchanged.
bool LlegeixEnter(std::string_view text, int16_t& value);

// Rounds half to the even neighbour and converts; the caller makes sure x is in range.
int64_t ArrodonirParell(double x);

// True if x lies within 1e-6 of a 16-bit (EsEnter) or 32-bit (EsEnterL) integer.
bool EsEnter(double x);
bool EsEnterL(double x);

// Integer text, else a fraction such as 5/2 (denominator up to 200, |numerator| up to 999),
// else "" .
std::string EscriuFrac(double x);
// Decimal text with at most n decimals, halves away from zero, no trailing zeros, never "-0".
// x is rounded as its shortest decimal text reads (the digits that read back as the same
// double): 2.675 gives 2.68 and 0.125 gives 0.13 with 2 decimals. Large values are written in
// full (1e300 is a 1 and 300 zeros). "" for a value that is not finite.
std::string EscriuDec(double x, int16_t n);
// EscriuFrac, else EscriuDec with n decimals.
std::string EscriuNum(double x, int16_t n);

// The shortest text of x with up to 15 significant digits and "." as decimal separator,
// as the standard conversion of a double gives it (1E+15, 1E-05 style exponents when needed).
// Plain digits for 1e-4 <= |x| < 1e15 (after rounding to 15 digits); "" if x is not finite.
std::string TextCurt(double x);

// TextCurt in plain digits (never an exponent), cut (not rounded) two characters after ".":
// 0.00001 gives 0.00 and 1e15 gives 1000000000000000. A negative value cut to zeros loses its
// sign; "" if x is not finite.
std::string Talla2Dec(double x);

}  // namespace tolvi
