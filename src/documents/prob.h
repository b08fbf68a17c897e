// A problem record: the statement and the answer of one panel's last composed case.
#pragma once
#include <array>
#include <string>

namespace tolvi {

struct Prob {
  std::string Enun;  // statement
  std::string Resp;  // answer
  bool operator==(const Prob&) const = default;
};

// One record per panel key 0..7.
using ProbTable = std::array<Prob, 8>;

// The line break of statements, answers and multi-line messages.
inline constexpr const char* NL = "\r\n";

}  // namespace tolvi
