// What the windows say when a file operation fails, in the interface language (Idioma: 0
// English, 1 Catalan, 2 Spanish, then any added catalogue; anything else reads as Spanish).
// The text always names the file and the reason.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/textfile.h"

namespace tolvi {

// The operation that failed, which gives the message its title.
enum class FileOperation : int16_t { Save, Erase, NewFolder, Open };

// A language the program knows; any other value is taken as Spanish (2).
int16_t IdiomaValid(int16_t idioma);

// The reason of a failure, in a sentence.
std::string RaoError(const FileResult& result, int16_t idioma);

// The title of the message box.
std::string_view TitolError(FileOperation operation, int16_t idioma);

// The message text: the path, an empty line, the reason.
std::string TextError(const FileResult& result, int16_t idioma);

}  // namespace tolvi
