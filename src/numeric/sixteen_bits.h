// The program's 16-bit rules in one place. A count of terms, a term's subscript, the number of
// terms to insert, a drawn integer, a count of roots, a chosen option and the length of a text
// the calculator reads are signed 16-bit integers; a double becomes one by rounding half to the
// even neighbour (ArrodonirParell in numtext.h), and a value outside the range is no answer.
// Everything else (panel keys, loop counters, sizes) is a plain int or std::size_t.
#pragma once
#include <cstdint>

namespace tolvi {

inline constexpr int kInt16Min = INT16_MIN;
inline constexpr int kInt16Max = INT16_MAX;

}  // namespace tolvi
