// What the windows say when a file operation fails, in the interface language (a language with
// no catalogue reads as Spanish).
// The text always names the file and the reason.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/textfile.h"
#include "texts/catalogue.h"

namespace tolvi {

// The operation that failed, which gives the message its title.
enum class FileOperation : int16_t { Save, Erase, NewFolder, Open };

// A language the program knows; any other value is taken as Spanish.
Language IdiomaValid(Language idioma);

// The reason of a failure, in a sentence.
std::string RaoError(const FileResult& result, Language idioma);

// The title of the message box.
std::string_view TitolError(FileOperation operation, Language idioma);

// The message text: the path, an empty line, the reason.
std::string TextError(const FileResult& result, Language idioma);

}  // namespace tolvi
