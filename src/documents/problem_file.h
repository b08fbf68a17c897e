// Problem files: plain texts where each problem is its statement, a line "R:     " with the
// answer, and an empty line, all lines ended by CR LF. Files are only ever appended to.
#pragma once
#include <span>
#include <string>

#include "documents/prob.h"
#include "documents/textfile.h"

namespace tolvi {

// One problem in the file layout:
//   the statement, unchanged (its own line breaks included), CR LF;
//   "R:" and five blanks, the answer, CR LF;
//   an empty line (CR LF).
// Only the answer's first line carries "R:     ".
std::string EscriuPrb(const Prob& problem);

// Appends the problems, in order and in the layout above, to the file, creating it if
// missing. The file keeps one encoding: UTF-8, unless it already holds text that is not
// valid UTF-8 (a file of an older version), in which case the new problems are written in
// Windows-1252 too. Nothing is left half written when the writing fails.
FileResult AfegeixPrbs(const std::string& path, std::span<const Prob> problems);

}  // namespace tolvi
