// Text encodings of the program's files. Texts live in memory as UTF-8; files written by
// older versions of the program are Windows-1252, and a file that is not valid UTF-8 is
// taken to be one of those.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolvi {

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number, so nothing is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252. A character the code page cannot hold becomes "?"; so does
// each byte of a malformed sequence. When lost is given, it receives each character that
// became "?" (as UTF-8, once each, in order of first appearance).
std::string Utf8ToWindows1252(std::string_view text, std::vector<std::string>* lost = nullptr);

// The bytes as UTF-8 text: unchanged when they are valid UTF-8, else read as Windows-1252.
std::string DecodeText(std::string_view bytes);

// Characters named for a message: each as itself and its code point, "√ (U+221A)", joined
// by ", ", so that even an invisible one can be told.
std::string NameCharacters(const std::vector<std::string>& characters);

// How many bytes of a UTF-8 text are left when the incomplete character at its end (the
// first bytes of a sequence whose rest is missing) is cut off.
size_t Utf8WholeLength(std::string_view bytes);
// How many bytes at the start of a text are the trailing bytes of a character that began
// before it (at most three), so that a piece cut from the middle of a file starts whole.
size_t Utf8TornStart(std::string_view bytes);

// The well-formed UTF-8 characters of more than one byte, and the malformed sequences (a
// byte that starts no character, with the continuation bytes that follow it), in the bytes.
struct Utf8Census {
  size_t multibyte = 0;
  size_t malformed = 0;
};
Utf8Census CountUtf8(std::string_view bytes);

}  // namespace tolvi
