// The currency symbol setting, NSmb.txt: one line, the digit of the chosen list index
// followed by the chosen symbol ("0€", "1$", "3CHF"). Index 3 stands for a symbol of the
// user's own.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvi {

inline constexpr const char* kNSmbFile = "NSmb.txt";
// A typed symbol keeps at most this many characters.
inline constexpr int kSimbolMax = 3;

struct SimbolDesat {
  int16_t NSmb = -1;   // the index to choose, 0..3; -1 when the file chooses nothing
  bool propi = false;  // the file holds a user symbol (digit 3): add it to the list
  std::string simbol;  // that symbol
};

// What the text of NSmb.txt asks for. A text that does not start with a digit asks for
// nothing; a digit 4 to 9 chooses nothing either. The user symbol is the rest of the first
// line, cut as a typed symbol is (SimbolDelText).
SimbolDesat LlegeixSimbol(std::string_view text);

// True when the text holds a control character (U+0000..U+001F, U+007F..U+009F): a line
// break or a tab in a symbol would break the lines of every problem it is written into.
bool TeControls(std::string_view text);

// The symbol a typed text gives: its first kSimbolMax characters, up to the first control
// character.
std::string SimbolDelText(std::string_view text);

// The line NSmb.txt holds for the symbol chosen at list index nsmb. Every index past the
// three designed symbols is a user symbol and is written with the digit 3.
std::string LiniaSimbol(int nsmb, std::string_view simbol);

// The first count characters (code points) of a UTF-8 text; a byte that starts no valid
// sequence counts as one character.
std::string PrimersCars(std::string_view text, int count);

}  // namespace tolvi
