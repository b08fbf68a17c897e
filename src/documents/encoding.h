// Text encodings of the program's files. Texts live in memory as UTF-8; files written by
// older versions of the program are Windows-1252, and a file that is not valid UTF-8 is
// taken to be one of those.
#pragma once
#include <string>
#include <string_view>

namespace tolvi {

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number, so nothing is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252. A character the code page cannot hold becomes "?"; so does
// each byte of a malformed sequence.
std::string Utf8ToWindows1252(std::string_view text);

// The bytes as UTF-8 text: unchanged when they are valid UTF-8, else read as Windows-1252.
std::string DecodeText(std::string_view bytes);

}  // namespace tolvi
