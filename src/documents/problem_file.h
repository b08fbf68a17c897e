// Problem files: plain texts where each problem is its statement, a line "R:     " with the
// answer, and an empty line, all lines ended by CR LF. Files are only ever appended to.
#pragma once
#include <span>
#include <string>
#include <vector>

#include "documents/prob.h"
#include "documents/textfile.h"

namespace tolvi {

// One problem in the file layout:
//   the statement, unchanged (its own line breaks included), CR LF;
//   "R:" and five blanks, the answer, CR LF;
//   an empty line (CR LF).
// Only the answer's first line carries "R:     ".
std::string EscriuPrb(const Prob& problem);

// The encodings a problem file may be in.
enum class ProblemEncoding { Utf8, Windows1252, Utf16 };

// The encoding of a problem file, judged from its start and its end only (each piece cut
// at a whole character): UTF-16 when it starts with that byte-order mark; else
// Windows-1252 (a file of an older version) when the pieces hold more malformed UTF-8
// sequences than well-formed characters of several bytes; else UTF-8. So a UTF-8 file
// stays UTF-8 even when a crash left half a character in it.
ProblemEncoding EncodingOfSample(const FileSample& sample);

// Appends the problems, in order and in the layout above, to the file, creating it if
// missing, while no other program appending the same way can write to it. The problems go
// in the file's own encoding (see EncodingOfSample); a UTF-16 file is refused, unchanged.
// When the file does not end with a line break (a record cut short by a crash, or a file
// edited by hand), one is written first, so the new problems start on a line of their own.
// Nothing is left half written when the writing fails. In a Windows-1252 file a character
// the code page lacks is written as "?"; lost, when given, receives each such character.
FileResult AfegeixPrbs(const std::string& path, std::span<const Prob> problems,
                       std::vector<std::string>* lost = nullptr);

}  // namespace tolvi
