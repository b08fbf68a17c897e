// The "Info" menu: the help document and the contact page, files that ship with the program
// (beside it in the build, in its data folder when installed) and are opened with whatever
// the system associates with their type. (The About box, the menu's third entry, is a window
// of its own.)
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

// Opens the file found in the folders with the system's viewer (ObreDoc). A file found in none
// of them is a message that names it. Answers whether it was opened.
bool ObreInfo(Services& ui, std::string_view name, const std::vector<std::string>& folders,
              Language idioma);

// OpInfo opens "Tolvi.pdf", OpWeb "kelmor.htm". Answers false, doing nothing, for any other
// menu entry.
bool MenuInfo(Services& ui, std::string_view entry, std::string_view carpIni, Language idioma);

}  // namespace tolvi
