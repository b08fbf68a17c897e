// String helpers on UTF-8 texts. Positions are 1-based and count Unicode code points
// (a euro sign is one character), held in 16-bit integers as the rest of the program does.
// Every search and comparison is exact and case-sensitive.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvi {

// Number of code points of a UTF-8 text.
int Longitud(std::string_view text);

// The character at 1-based position pos; empty when pos is past the end (or below 1).
std::string Car(std::string_view text, int16_t pos);

// The text without count characters from pos on. A pos past the end leaves the text as it is;
// otherwise count is first cut down to the characters left from pos, and the cut value is
// written back into count.
std::string TreuCars(std::string_view text, int16_t pos, int16_t& count);

// The text without the first occurrence of pattern (unchanged if it does not occur).
std::string TreuCad(std::string_view text, std::string_view pattern);

// insert placed in front of pos; a pos past the end appends.
std::string InsCad(std::string_view text, std::string_view insert, int16_t pos);

// The first occurrence of pattern replaced by replacement.
std::string Subst1(std::string_view text, std::string_view pattern, std::string_view replacement);

// Subst1 again and again, from the start, until the text no longer changes. A replacement
// that contains the pattern would never end; it is refused by replacing each occurrence once.
std::string SubstTot(std::string_view text, std::string_view pattern, std::string_view replacement);

// Every "," made "." and a final "." dropped.
std::string PuntDec(std::string_view text);

// The text repeated count times; empty for a count below 1.
std::string Repeteix(int16_t count, std::string_view text);

// The characters of the text in ascending order of code (stable insertion sort).
std::string OrdenaCars(std::string_view text);

// The list with the piece appended, unless the piece already occurs in it.
std::string AfegeixSiFalta(std::string_view piece, std::string_view list);

}  // namespace tolvi
