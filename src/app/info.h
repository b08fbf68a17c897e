// The "Info" menu: the help document and the contact page, files that ship with the program
// (beside it in the build, in its data folder when installed) and are opened with whatever
// the system associates with their type. Each page comes in the interface language: the plain
// name is the Spanish page, and every other language's page carries its catalogue code before
// the extension (Tolvi.en.html, kelmor.ca.htm), so that a new language is one more file.
// (The About box, the menu's third entry, is a window of its own.)
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

inline constexpr std::string_view kHelpFile = "Tolvi.html";     // OpInfo
inline constexpr std::string_view kContactFile = "kelmor.htm";  // OpWeb

// The name of an Info page in a language: the name itself in Spanish (and for a value that
// names no language), otherwise the language's code before the extension.
std::string NomInfo(std::string_view name, Language idioma);

// The folder of the running program; empty when the system does not tell.
std::string CarpetaPrograma();

// The program's data folder as installed (share/tolvi beside the program's bin folder);
// empty when the program's folder is not known.
std::string CarpetaDades();

// Where the Info files are looked for, in order: the settings folder (the current one when
// carpIni is empty), the program's folder, then its data folder.
std::vector<std::string> CarpetesInfo(std::string_view carpIni);

// The file name in the first of the folders that holds it; empty when none does.
std::string BuscaFitxer(std::string_view name, const std::vector<std::string>& folders);

// The language's page in the first of the folders that holds it; when none does, the Spanish
// page in the first that holds it (a page put in the settings folder wins, language by
// language); empty when neither is found.
std::string BuscaInfo(std::string_view name, const std::vector<std::string>& folders,
                      Language idioma);

// Opens the page of the language found in the folders (BuscaInfo) with the system's viewer
// (ObreDoc). A page found in none of them is a message that names the Spanish file. Answers
// whether it was opened.
bool ObreInfo(Services& ui, std::string_view name, const std::vector<std::string>& folders,
              Language idioma);

// OpInfo opens the help "Tolvi.html", OpWeb the contact page "kelmor.htm", each in the
// language given. Answers false, doing nothing, for any other
// menu entry.
bool MenuInfo(Services& ui, std::string_view entry, std::string_view carpIni, Language idioma);

}  // namespace tolvi
